// Port enumeration and USB restart on a small sysfs tree laid out as the kernel lays it out:
// class/tty entries link into devices/, and each tty's `device` link points at what drives it.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <unistd.h>

#include "platform/devices/devices.h"

namespace {

namespace fs = std::filesystem;

const char usbBus[] = "devices/pci0000:00/0000:00:14.0/usb1/";

class FakeSysfs {
public:
    FakeSysfs() : root_(fs::temp_directory_path() / ("kaltor-sysfs-" + std::to_string(getpid()))) {
        fs::remove_all(root_);
        fs::create_directories(root_ / "class" / "tty");
    }
    ~FakeSysfs() { fs::remove_all(root_); }

    std::string Root() const { return root_.string(); }

    // A device folder with its attribute files; returns its path.
    fs::path AddDevice(const std::string& path, const std::map<std::string, std::string>& attributes) {
        const fs::path folder = root_ / path;
        fs::create_directories(folder);
        for (const auto& [name, value] : attributes)
            std::ofstream(folder / name) << value << '\n';
        return folder;
    }

    fs::path AddUsbDevice(const std::string& busPort, const std::string& vendor, const std::string& product,
                          std::map<std::string, std::string> strings = {}) {
        strings["idVendor"] = vendor;
        strings["idProduct"] = product;
        strings["authorized"] = "1";
        return AddDevice(usbBus + busPort, strings);
    }

    // A tty driven by the device at devicePath (empty: a virtual tty), with the serial core's `type`.
    void AddTty(const std::string& name, const std::string& devicePath, const std::string& type = "") {
        const fs::path parent = devicePath.empty() ? root_ / "devices/virtual" : root_ / devicePath;
        const fs::path folder = parent / "tty" / name;
        fs::create_directories(folder);
        if (!devicePath.empty())
            fs::create_directory_symlink(fs::relative(parent, folder), folder / "device");
        if (!type.empty()) std::ofstream(folder / "type") << type << '\n';
        fs::create_directory_symlink(fs::relative(folder, root_ / "class" / "tty"),
                                     root_ / "class" / "tty" / name);
    }

    // A machine with the register on USB, an adapter, on-board and placeholder UARTs and the usual virtual
    // ttys.
    void AddTypicalMachine() {
        for (const char* name : {"tty0", "tty1", "console", "ptmx"})
            AddTty(name, "");
        AddDevice("devices/pnp0/00:04", {});
        AddTty("ttyS0", "devices/pnp0/00:04", "4");
        AddDevice("devices/platform/serial8250", {});
        AddTty("ttyS1", "devices/platform/serial8250", "0");
        AddTty("ttyS2", "devices/platform/serial8250", "4");
        AddTty("ttyS10", "devices/platform/serial8250", "0");
        AddUsbDevice("1-2", "0483", "5740",
                     {{"manufacturer", "STMicroelectronics"}, {"product", "Kivrel FP"}});
        AddTty("ttyACM0", std::string(usbBus) + "1-2/1-2:1.0");
        AddUsbDevice("1-3", "0403", "6001", {{"manufacturer", "FTDI"}, {"product", "FT232R USB UART"}});
        AddTty("ttyUSB10", std::string(usbBus) + "1-3/1-3:1.0/ttyUSB10");
        AddUsbDevice("1-4", "067b", "2303");
        AddTty("ttyUSB2", std::string(usbBus) + "1-4/1-4:1.0/ttyUSB2");
        AddUsbDevice("1-5", "0483", "374B", {{"product", "STM32 STLink (VCP)"}});
        AddTty("ttyACM1", std::string(usbBus) + "1-5/1-5:1.2");
        AddDevice("devices/platform/fe201000.serial", {});
        AddTty("ttyAMA0", "devices/platform/fe201000.serial", "32");
        AddTty("rfcomm0", "");
    }

    std::string UsbFolder(const std::string& busPort) const {
        return fs::canonical(root_ / usbBus / busPort).string();
    }

private:
    fs::path root_;
};

std::vector<std::string> NamesOf(const std::vector<SerialDevice>& devices) {
    std::vector<std::string> names;
    for (const SerialDevice& device : devices)
        names.push_back(device.PortName);
    return names;
}

TEST(SerialPorts, RealPortsOnlyInGroupAndNumberOrder) {
    FakeSysfs sysfs;
    sysfs.AddTypicalMachine();
    const std::vector<std::string> expected = {"ttyS0",   "ttyS2",   "ttyUSB2", "ttyUSB10",
                                               "ttyACM0", "ttyACM1", "rfcomm0", "ttyAMA0"};
    EXPECT_EQ(NamesOf(DeviceTree(sysfs.Root()).SerialPorts()), expected);
}

TEST(SerialPorts, FriendlyNamesAndUsbFolders) {
    FakeSysfs sysfs;
    sysfs.AddTypicalMachine();
    std::map<std::string, SerialDevice> byName;
    for (const SerialDevice& device : DeviceTree(sysfs.Root()).SerialPorts())
        byName[device.PortName] = device;
    const struct {
        std::string port, friendlyName, usbBusPort;
    } cases[] = {
        {"ttyACM0", "STMicroelectronics Virtual COM Port (ttyACM0)", "1-2"},
        {"ttyACM1", "STM32 STLink VCP (ttyACM1)", "1-5"}, // the same maker's debug probe is not the register
        {"ttyUSB10", "FTDI FT232R USB UART (ttyUSB10)", "1-3"},
        {"ttyUSB2", "USB Serial Port (ttyUSB2)", "1-4"},
        {"ttyS0", "Communications Port (ttyS0)", ""},
        {"ttyAMA0", "Communications Port (ttyAMA0)", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(byName[c.port].FriendlyName, c.friendlyName);
        EXPECT_EQ(byName[c.port].UsbDevice, c.usbBusPort.empty() ? "" : sysfs.UsbFolder(c.usbBusPort))
            << c.port;
    }
}

TEST(DevicesOfClass, OnlyPortsInAnyCaseIsAClass) {
    FakeSysfs sysfs;
    sysfs.AddTypicalMachine();
    const DeviceTree tree(sysfs.Root());
    for (const char* name : {"Ports", "PORTS", "ports"}) {
        const auto devices = tree.DevicesOfClass(name);
        ASSERT_TRUE(devices.has_value()) << name;
        EXPECT_EQ(NamesOf(*devices), NamesOf(tree.SerialPorts())) << name;
    }
    for (const char* name : {"", "USB", "Port", "Modem"})
        EXPECT_FALSE(tree.DevicesOfClass(name).has_value()) << name;
}

TEST(DevicesOfClass, MachineWithoutTtyClassHasAnEmptyPortsClass) {
    const DeviceTree tree(fs::temp_directory_path() / "kaltor-no-such-sysfs");
    ASSERT_TRUE(tree.DevicesOfClass("Ports").has_value());
    EXPECT_TRUE(tree.DevicesOfClass("Ports")->empty());
}

TEST(SetEnabled, SwitchesTheUsbDeviceOffAndOn) {
    FakeSysfs sysfs;
    sysfs.AddTypicalMachine();
    const DeviceTree tree(sysfs.Root());
    const auto ports = tree.SerialPorts();
    const auto registerPort = *std::find_if(
        ports.begin(), ports.end(), [](const SerialDevice& port) { return port.PortName == "ttyACM0"; });
    const fs::path authorized = fs::path(registerPort.UsbDevice) / "authorized";
    auto content = [&] {
        std::ifstream in(authorized);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    EXPECT_EQ(tree.SetEnabled(registerPort, false), DeviceStateResult::Ok);
    EXPECT_EQ(content(), "0");
    EXPECT_EQ(tree.SetEnabled(registerPort, true), DeviceStateResult::Ok);
    EXPECT_EQ(content(), "1");
}

TEST(SetEnabled, FailsBeforeOrAtTheWrite) {
    FakeSysfs sysfs;
    sysfs.AddTypicalMachine();
    const DeviceTree tree(sysfs.Root());
    SerialDevice onboard{"ttyS0", "Communications Port (ttyS0)", ""};
    EXPECT_EQ(tree.SetEnabled(onboard, false), DeviceStateResult::CannotPrepare) << "not a USB device";

    SerialDevice gone{"ttyACM0", "", sysfs.UsbFolder("1-2") + "-unplugged"};
    EXPECT_EQ(tree.SetEnabled(gone, false), DeviceStateResult::CannotPrepare) << "folder vanished";
    EXPECT_FALSE(fs::exists(gone.UsbDevice)) << "nothing may be created";

    SerialDevice outside{"ttyACM0", "", fs::temp_directory_path().string()};
    EXPECT_EQ(tree.SetEnabled(outside, false), DeviceStateResult::CannotPrepare) << "outside the tree";

    SerialDevice adapter{"ttyUSB2", "", sysfs.UsbFolder("1-4")};
    fs::remove(fs::path(adapter.UsbDevice) / "authorized");
    EXPECT_EQ(tree.SetEnabled(adapter, true), DeviceStateResult::CannotPrepare) << "no attribute";
    EXPECT_FALSE(fs::exists(fs::path(adapter.UsbDevice) / "authorized"));

    // The attribute opens but refuses the value, as the kernel does when the device cannot be switched.
    fs::create_symlink("/dev/full", fs::path(adapter.UsbDevice) / "authorized");
    EXPECT_EQ(tree.SetEnabled(adapter, false), DeviceStateResult::CannotChange);
}

} // namespace
