#include "shell/main_window_usb.h"

#include <cstdlib>
#include <optional>

#include "driver/driver.h"
#include "shell/main_window.h"

namespace {
std::optional<std::string>& RootOverride() {
    static std::optional<std::string> root;
    return root;
}

void AddStageFailure(std::vector<std::string>& messages, DeviceStateResult result, const char* action) {
    const std::string prefix = std::string("Устройство не ") + action;
    if (result == DeviceStateResult::CannotPrepare)
        messages.push_back(prefix + " (SetupDiSetClassInstallParams)!");
    else if (result == DeviceStateResult::CannotChange)
        messages.push_back(prefix + " (SetupDiCallInstaller)!");
}
} // namespace

std::string SysfsRoot() {
    if (RootOverride()) return *RootOverride();
    const char* fromEnvironment = std::getenv("KALTOR_SYSFS_ROOT");
    return (fromEnvironment && *fromEnvironment) ? fromEnvironment : "/sys";
}

void SetSysfsRoot(const std::string& root) {
    RootOverride() = root;
}

std::string ComNameOf(const std::string& friendlyName) {
    const size_t open = friendlyName.find('(');
    if (open == std::string::npos) return {};
    const size_t close = friendlyName.find(')', open + 1);
    if (close == std::string::npos) return {};
    return friendlyName.substr(open + 1, close - open - 1);
}

int FindUsbPort(const DeviceTree& tree, const std::string& className, const std::string& friendlyName,
                int index, std::string& comName, SerialDevice* device) {
    const auto devices = tree.DevicesOfClass(className);
    if (!devices) return UsbNoMoreDevices;
    if (index < 0) return UsbNotThisDevice;
    if (static_cast<size_t>(index) >= devices->size()) return UsbNoMoreDevices;
    const SerialDevice& candidate = (*devices)[index];
    if (candidate.FriendlyName.find(friendlyName) == std::string::npos) return UsbNotThisDevice;
    comName = ComNameOf(candidate.FriendlyName);
    if (device) *device = candidate;
    return UsbPortFound;
}

std::vector<std::string> RestartUsbDevice(const DeviceTree& tree, const SerialDevice& device) {
    std::vector<std::string> messages;
    AddStageFailure(messages, tree.SetEnabled(device, false), "удалено");
    AddStageFailure(messages, tree.SetEnabled(device, true), "восстановлено");
    return messages;
}

// ---- The main window's use of the USB port ------------------------------------------------------

int TForm1::GetUSBPort(const std::string& className, const std::string& friendlyName, int index,
                       std::string& comName) {
    return FindUsbPort(DeviceTree(SysfsRoot()), className, friendlyName, index, comName);
}

int TForm1::RestoreUSBPort(const std::string& className, const std::string& friendlyName, int index,
                           std::string& comName) {
    const DeviceTree tree(SysfsRoot());
    SerialDevice device;
    const int result = FindUsbPort(tree, className, friendlyName, index, comName, &device);
    if (result != UsbPortFound) return result;
    CloseLink();
    for (const auto& message : RestartUsbDevice(tree, device))
        ShowMessage(message);
    // Only the indicator and the button change: the next press connects again.
    Shape1.SetBrushColor(clRed);
    Button3.SetCaption("Подключить");
    return UsbPortFound;
}

void TForm1::Button5Click() {
    Button5.SetEnabled(false);
    UsbComName.clear();
    for (int index = 0; index < UsbIndexLimit; ++index) {
        const int result = RestoreUSBPort(UsbPortClass, UsbPortFriendlyName, index, UsbComName);
        if (result == UsbNoMoreDevices) UsbComName.clear();
        if (result == UsbNoMoreDevices || result == UsbPortFound) break;
    }
    Button5.SetEnabled(true);
}
