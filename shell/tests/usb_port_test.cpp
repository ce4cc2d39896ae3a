#include <gtest/gtest.h>

#include "shell/main_window_usb.h"
#include "shell/tests/fake_sysfs.h"

namespace {
const std::string RegisterVendor = "0483", RegisterProduct = "5740";

TEST(ComNameOf, TakesTheTextInTheFirstParentheses) {
    const struct {
        std::string friendlyName, comName;
    } cases[] = {
        {"STMicroelectronics Virtual COM Port (ttyACM0)", "ttyACM0"},
        {"Port (ttyACM1) (spare)", "ttyACM1"},
        {"Port without parentheses", ""},
        {"Port (unclosed", ""},
        {"Port ) before (ttyS1)", "ttyS1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ComNameOf(c.friendlyName), c.comName) << c.friendlyName;
}

TEST(FindUsbPort, WalksTheIndexesToTheRegistersPort) {
    FakeSysfs sysfs;
    sysfs.AddUsbPort("ttyUSB0", "1-1", "0403", "6001");
    sysfs.AddUsbPort("ttyACM0", "1-2", RegisterVendor, RegisterProduct);
    const DeviceTree tree(sysfs.Root());

    std::string comName = "unchanged";
    EXPECT_EQ(FindUsbPort(tree, UsbPortClass, UsbPortFriendlyName, 0, comName), UsbNotThisDevice);
    EXPECT_EQ(comName, "unchanged");
    SerialDevice device;
    EXPECT_EQ(FindUsbPort(tree, UsbPortClass, UsbPortFriendlyName, 1, comName, &device), UsbPortFound);
    EXPECT_EQ(comName, "ttyACM0");
    EXPECT_EQ(device.PortName, "ttyACM0");
    EXPECT_EQ(FindUsbPort(tree, UsbPortClass, UsbPortFriendlyName, 2, comName), UsbNoMoreDevices);
    EXPECT_EQ(FindUsbPort(tree, UsbPortClass, UsbPortFriendlyName, -1, comName), UsbNotThisDevice);
    EXPECT_EQ(FindUsbPort(tree, "Modems", UsbPortFriendlyName, 0, comName), UsbNoMoreDevices);
}

TEST(FindUsbPort, NoPortsEndsAtTheFirstIndex) {
    FakeSysfs sysfs;
    std::string comName;
    EXPECT_EQ(FindUsbPort(DeviceTree(sysfs.Root()), UsbPortClass, UsbPortFriendlyName, 0, comName),
              UsbNoMoreDevices);
}

TEST(RestartUsbDevice, SwitchesTheDeviceOffAndOn) {
    FakeSysfs sysfs;
    const auto usb = sysfs.AddUsbPort("ttyACM0", "1-2", RegisterVendor, RegisterProduct);
    const DeviceTree tree(sysfs.Root());
    std::string comName;
    SerialDevice device;
    ASSERT_EQ(FindUsbPort(tree, UsbPortClass, UsbPortFriendlyName, 0, comName, &device), UsbPortFound);

    EXPECT_TRUE(RestartUsbDevice(tree, device).empty());
    EXPECT_EQ(FakeSysfs::Read(usb / "authorized"), "1");
}

TEST(RestartUsbDevice, ReportsEachFailedStage) {
    FakeSysfs sysfs;
    const auto usb = sysfs.AddUsbPort("ttyACM0", "1-2", RegisterVendor, RegisterProduct);
    const DeviceTree tree(sysfs.Root());
    std::string comName;
    SerialDevice device;
    ASSERT_EQ(FindUsbPort(tree, UsbPortClass, UsbPortFriendlyName, 0, comName, &device), UsbPortFound);

    std::filesystem::remove(usb / "authorized");
    std::filesystem::create_directory(usb / "authorized"); // cannot be opened for writing
    EXPECT_EQ(RestartUsbDevice(tree, device),
              (std::vector<std::string>{"Устройство не удалено (SetupDiSetClassInstallParams)!",
                                        "Устройство не восстановлено (SetupDiSetClassInstallParams)!"}));

    std::filesystem::remove(usb / "authorized");
    std::filesystem::create_symlink("/dev/full", usb / "authorized"); // opens, but every write fails
    EXPECT_EQ(RestartUsbDevice(tree, device),
              (std::vector<std::string>{"Устройство не удалено (SetupDiCallInstaller)!",
                                        "Устройство не восстановлено (SetupDiCallInstaller)!"}));
}

TEST(SysfsRoot, TheSetterWinsOverTheEnvironment) {
    ::setenv("KALTOR_SYSFS_ROOT", "/from/environment", 1);
    SetSysfsRoot("/from/setter");
    EXPECT_EQ(SysfsRoot(), "/from/setter");
}
} // namespace
