#include "shell/main_window_usb.h"

#include <cstdlib>
#include <optional>

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
