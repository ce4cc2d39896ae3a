// Serial ports are the entries of class/tty that stand for a device:
// - a tty with a `device` link has hardware behind it; virtual consoles, /dev/tty and
//   pseudo-terminals have none. Bluetooth RFCOMM ports have none either but are ports all the same.
// - serial-core ports report the UART found in `type`; 0 (PORT_UNKNOWN) means none answered there,
//   which is what the kernel's spare ttyS placeholders of serial8250 say, and such a port fails
//   every transfer, so it is left out whatever its driver.
#include "platform/devices/devices.h"

#include <algorithm>
#include <cctype>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <tuple>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const char registerPortName[] = "STMicroelectronics Virtual COM Port";

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// The first line of a sysfs attribute without surrounding blanks; empty when it cannot be read.
std::string ReadAttribute(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    const auto first = line.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    return line.substr(first, line.find_last_not_of(" \t\r\n") - first + 1);
}

bool StrictlyInside(const fs::path& folder, const fs::path& top) {
    const auto [topEnd, folderRest] = std::mismatch(top.begin(), top.end(), folder.begin(), folder.end());
    return topEnd == top.end() && folderRest != folder.end();
}

bool IsSerialPort(const fs::path& ttyFolder, const std::string& name) {
    std::error_code error;
    const bool hasDevice = fs::exists(ttyFolder / "device", error) || name.starts_with("rfcomm");
    return hasDevice && ReadAttribute(ttyFolder / "type") != "0";
}

// Walks up from the device behind the tty to the USB device (the folder with idVendor and idProduct).
fs::path UsbDeviceOf(const fs::path& ttyFolder, const fs::path& root) {
    std::error_code error;
    const fs::path top = fs::canonical(root, error);
    fs::path folder = fs::canonical(ttyFolder / "device", error);
    if (error) return {};
    for (; StrictlyInside(folder, top); folder = folder.parent_path())
        if (fs::exists(folder / "idVendor", error) && fs::exists(folder / "idProduct", error)) return folder;
    return {};
}

// What the attributes say of a USB device, without parentheses: the port name is read back from
// between the first "(" and ")" of a friendly name.
std::string UsbDescription(const fs::path& usbDevice) {
    std::string text = ReadAttribute(usbDevice / "manufacturer");
    const std::string product = ReadAttribute(usbDevice / "product");
    if (!text.empty() && !product.empty()) text += ' ';
    text += product;
    std::erase_if(text, [](char c) { return c == '(' || c == ')'; });
    return text.empty() ? "USB Serial Port" : text;
}

std::string FriendlyNameOf(const std::string& portName, const fs::path& usbDevice) {
    std::string description = "Communications Port";
    if (!usbDevice.empty()) {
        const bool isRegisterPort = Lower(ReadAttribute(usbDevice / "idVendor")) == "0483" &&
                                    Lower(ReadAttribute(usbDevice / "idProduct")) == "5740";
        description = isRegisterPort ? registerPortName : UsbDescription(usbDevice);
    }
    return description + " (" + portName + ")";
}

// Real ttyS ports first, then USB adapters, then USB modems and the rest, each in number order.
auto OrderKey(const std::string& name) {
    const size_t digitsAt = name.find_last_not_of("0123456789") + 1;
    const std::string prefix = name.substr(0, digitsAt);
    std::string digits = name.substr(digitsAt);
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
    const int group = prefix == "ttyS" ? 0 : prefix == "ttyUSB" ? 1 : prefix == "ttyACM" ? 2 : 3;
    return std::make_tuple(group, prefix, digits.size(), digits, name);
}

// The `authorized` attribute of a USB device folder inside the tree; empty for anything else.
fs::path AuthorizedAttribute(const std::string& usbDevice, const fs::path& root) {
    if (usbDevice.empty()) return {};
    std::error_code error;
    const fs::path top = fs::canonical(root, error);
    if (error) return {};
    const fs::path folder = fs::canonical(usbDevice, error);
    if (error || !StrictlyInside(folder, top)) return {};
    return folder / "authorized";
}

} // namespace

DeviceTree::DeviceTree(std::string sysfsRoot) : root_(std::move(sysfsRoot)) {}

std::vector<SerialDevice> DeviceTree::SerialPorts() const {
    std::vector<SerialDevice> ports;
    std::error_code error;
    for (auto entry = fs::directory_iterator(fs::path(root_) / "class" / "tty", error);
         !error && entry != fs::directory_iterator(); entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (!IsSerialPort(entry->path(), name)) continue;
        const fs::path usbDevice = UsbDeviceOf(entry->path(), root_);
        ports.push_back({name, FriendlyNameOf(name, usbDevice), usbDevice.string()});
    }
    std::sort(ports.begin(), ports.end(), [](const SerialDevice& a, const SerialDevice& b) {
        return OrderKey(a.PortName) < OrderKey(b.PortName);
    });
    return ports;
}

std::optional<std::vector<SerialDevice>> DeviceTree::DevicesOfClass(const std::string& className) const {
    if (Lower(className) != "ports") return std::nullopt;
    return SerialPorts();
}

DeviceStateResult DeviceTree::SetEnabled(const SerialDevice& device, bool enabled) const {
    const fs::path attribute = AuthorizedAttribute(device.UsbDevice, root_);
    if (attribute.empty()) return DeviceStateResult::CannotPrepare;
    const int fd = ::open(attribute.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC); // never created here
    if (fd < 0) return DeviceStateResult::CannotPrepare;
    const char value = enabled ? '1' : '0';
    const bool written = ::write(fd, &value, 1) == 1;
    const bool closed = ::close(fd) == 0;
    return written && closed ? DeviceStateResult::Ok : DeviceStateResult::CannotChange;
}
