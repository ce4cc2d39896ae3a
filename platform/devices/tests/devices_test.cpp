// Port enumeration and USB restart on a small sysfs tree laid out as the kernel lays it out:
// class/tty entries link into devices/, and a tty's `device` link points at what drives it.
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <unistd.h>

#include "platform/devices/devices.h"

namespace {

namespace fs = std::filesystem;

class FakeSysfs : public ::testing::Test {
protected:
    void SetUp() override {
        fs::remove_all(root);
        for (const char* name : {"tty0", "console", "ptmx", "rfcomm0"})
            AddTty(name, "");
        AddTty("ttyS0", "devices/pnp0/00:04", "4");
        AddTty("ttyS1", "devices/platform/serial8250", "0"); // the kernel's placeholders
        AddTty("ttyS10", "devices/platform/serial8250", "0");
        AddTty("ttyS2", "devices/platform/serial8250", "4");
        AddTty("ttyAMA0", "devices/platform/fe201000.serial", "32");
        AddUsb("1-2", "0483", "5740", "STMicroelectronics", "Fiscal Printer", "1-2:1.0", "ttyACM0");
        AddUsb("1-5", "0483", "374B", "", "STM32 STLink (VCP)", "1-5:1.2", "ttyACM1"); // not the register
        AddUsb("1-3", "0403", "6001", "FTDI", "FT232R USB UART", "1-3:1.0/ttyUSB10", "ttyUSB10");
        AddUsb("1-4", "067b", "2303", "", "", "1-4:1.0/ttyUSB2", "ttyUSB2");
    }
    void TearDown() override { fs::remove_all(root); }

    // A tty driven by the device folder at devicePath (empty: a virtual tty).
    void AddTty(const std::string& name, const std::string& devicePath, const std::string& type = "") {
        const fs::path parent = root / (devicePath.empty() ? "devices/virtual" : devicePath);
        const fs::path folder = parent / "tty" / name;
        fs::create_directories(folder);
        fs::create_directories(root / "class/tty");
        if (!devicePath.empty())
            fs::create_directory_symlink(fs::relative(parent, folder), folder / "device");
        if (!type.empty()) std::ofstream(folder / "type") << type << '\n';
        fs::create_directory_symlink(fs::relative(folder, root / "class/tty"), root / "class/tty" / name);
    }

    void AddUsb(const std::string& busPort, const std::string& vendor, const std::string& product,
                const std::string& maker, const std::string& productName, const std::string& portDevice,
                const std::string& tty) {
        const fs::path folder = root / usbBus / busPort;
        fs::create_directories(folder);
        std::map<std::string, std::string> attributes = {{"idVendor", vendor},
                                                         {"idProduct", product},
                                                         {"manufacturer", maker},
                                                         {"product", productName},
                                                         {"authorized", "1"}};
        for (const auto& [name, value] : attributes)
            if (!value.empty()) std::ofstream(folder / name) << value << '\n';
        AddTty(tty, usbBus + busPort + "/" + portDevice);
    }

    std::map<std::string, SerialDevice> PortsByName() const {
        std::map<std::string, SerialDevice> byName;
        for (const SerialDevice& port : tree.SerialPorts())
            byName[port.PortName] = port;
        return byName;
    }
    std::string ReadAuthorized(const std::string& folder) const {
        std::ifstream in(fs::path(folder) / "authorized");
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    const fs::path root = fs::temp_directory_path() / ("kaltor-sysfs-" + std::to_string(getpid()));
    const std::string usbBus = "devices/pci0000:00/0000:00:14.0/usb1/";
    const DeviceTree tree{root.string()};
};

TEST_F(FakeSysfs, PortsAreTheRealOnesInGroupAndNumberOrderWithTheirFriendlyNames) {
    const struct {
        std::string port, friendlyName, usbBusPort;
    } expected[] = {
        {"ttyS0", "Communications Port (ttyS0)", ""},
        {"ttyS2", "Communications Port (ttyS2)", ""},
        {"ttyUSB2", "USB Serial Port (ttyUSB2)", "1-4"},
        {"ttyUSB10", "FTDI FT232R USB UART (ttyUSB10)", "1-3"},
        {"ttyACM0", "STMicroelectronics Virtual COM Port (ttyACM0)", "1-2"},
        {"ttyACM1", "STM32 STLink VCP (ttyACM1)", "1-5"},
        {"rfcomm0", "Communications Port (rfcomm0)", ""},
        {"ttyAMA0", "Communications Port (ttyAMA0)", ""},
    };
    const auto ports = tree.SerialPorts();
    ASSERT_EQ(ports.size(), std::size(expected));
    for (size_t i = 0; i < ports.size(); ++i) {
        EXPECT_EQ(ports[i].PortName, expected[i].port);
        EXPECT_EQ(ports[i].FriendlyName, expected[i].friendlyName);
        const std::string usb = expected[i].usbBusPort.empty()
                                    ? ""
                                    : fs::canonical(root / usbBus / expected[i].usbBusPort).string();
        EXPECT_EQ(ports[i].UsbDevice, usb) << expected[i].port;
    }
}

TEST_F(FakeSysfs, OnlyPortsInAnyCaseIsAClassAndAMachineWithoutTtysHasNoPorts) {
    for (const char* name : {"Ports", "PORTS", "ports"})
        EXPECT_EQ(tree.DevicesOfClass(name)->size(), 8u) << name;
    for (const char* name : {"", "USB", "Port"})
        EXPECT_FALSE(tree.DevicesOfClass(name).has_value()) << name;
    fs::remove_all(root);
    ASSERT_TRUE(tree.DevicesOfClass("Ports").has_value());
    EXPECT_TRUE(tree.DevicesOfClass("Ports")->empty());
}

TEST_F(FakeSysfs, RestartSwitchesAuthorizedOffAndOnOrFailsAtTheRightStage) {
    auto ports = PortsByName();
    const SerialDevice& registerPort = ports["ttyACM0"];
    EXPECT_EQ(tree.SetEnabled(registerPort, false), DeviceStateResult::Ok);
    EXPECT_EQ(ReadAuthorized(registerPort.UsbDevice), "0");
    EXPECT_EQ(tree.SetEnabled(registerPort, true), DeviceStateResult::Ok);
    EXPECT_EQ(ReadAuthorized(registerPort.UsbDevice), "1");

    const fs::path adapterAuthorized = fs::path(ports["ttyUSB2"].UsbDevice) / "authorized";
    fs::remove(adapterAuthorized);
    const SerialDevice unpreparable[] = {ports["ttyS0"],
                                         ports["ttyUSB2"],
                                         {"ttyACM0", "", registerPort.UsbDevice + "-gone"},
                                         {"ttyACM0", "", fs::temp_directory_path().string()}};
    for (const SerialDevice& device : unpreparable)
        EXPECT_EQ(tree.SetEnabled(device, false), DeviceStateResult::CannotPrepare) << device.UsbDevice;
    EXPECT_FALSE(fs::exists(adapterAuthorized)) << "never created";

    fs::create_symlink("/dev/full", adapterAuthorized); // opens, then refuses the value
    EXPECT_EQ(tree.SetEnabled(ports["ttyUSB2"], true), DeviceStateResult::CannotChange);
}

} // namespace
