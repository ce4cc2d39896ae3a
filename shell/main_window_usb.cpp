#include "shell/main_window_usb.h"

#include <cstdlib>
#include <optional>

#include "driver/driver.h"
#include "platform/clock/clock.h"
#include "shell/main_window.h"

namespace {
// How long a restarted device is waited for, and the steps of the wait.
constexpr int UsbReturnMs = 5000;
constexpr unsigned UsbReturnStepMs = 100;

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
    // The whole disconnected look, lists enabled: the device may come back under another name.
    ShowDisconnectedState();
    ForgetUsbLink();
    return UsbPortFound;
}

void TForm1::ForgetUsbLink() {
    UsbLink = 0;
    UsbPortName.clear();
    Button5.Hide();
    SetUsbLink(false);
}

void TForm1::Button5Click() {
    const std::string portInUse = ComboBox1.Text();
    const bool throughUsb = UsbLink != 0;
    Button5.SetEnabled(false);
    UsbComName.clear();
    bool restarted = false;
    for (int index = 0; index < UsbIndexLimit; ++index) {
        const int result = RestoreUSBPort(UsbPortClass, UsbPortFriendlyName, index, UsbComName);
        if (result == UsbNoMoreDevices) UsbComName.clear();
        restarted = result == UsbPortFound;
        if (result == UsbNoMoreDevices || result == UsbPortFound) break;
    }
    Button5.SetEnabled(true);
    if (restarted) OfferPortsAfterRestart(throughUsb ? std::string() : portInUse);
}

// The restarted device needs a moment to come back, perhaps under another name: once it is there,
// the ports are listed again as at activation, and the device's port is chosen (or the port that was
// in use, when that was another one).
void TForm1::OfferPortsAfterRestart(const std::string& otherPortInUse) {
    for (int waited = 0; waited < UsbReturnMs; waited += UsbReturnStepMs) {
        Sleep(UsbReturnStepMs);
        Application->ProcessMessages();
        if (UsbPortPresent()) break;
    }
    FormActivate();
    const std::string wanted = otherPortInUse.empty() ? UsbComName : otherPortInUse;
    const int index = wanted.empty() ? -1 : ComboBox1.Items().IndexOf(wanted);
    if (index >= 0) ComboBox1.SetItemIndex(index);
}

bool TForm1::UsbPortPresent() {
    std::string name;
    for (int index = 0; index < UsbIndexLimit; ++index) {
        const int result = GetUSBPort(UsbPortClass, UsbPortFriendlyName, index, name);
        if (result != UsbNotThisDevice) return result == UsbPortFound;
    }
    return false;
}
