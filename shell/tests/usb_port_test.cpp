#include <gtest/gtest.h>

#include "shell/main_window_usb.h"
#include "shell/tests/not_sent_at_once.h"
#include "shell/tests/shell_fixture.h"

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
}

} // namespace

// ---- The main window's USB probe and restart ------------------------------------------------------

namespace {
using UsbWindowTest = ShellFixture;

TEST_F(UsbWindowTest, ActivationFindsTheRegistersUsbPort) {
    sysfs.AddUsbPort("ttyUSB0", "1-1", "0403", "6001");
    sysfs.AddUsbPort("ttyACM0", "1-2", RegisterVendor, RegisterProduct);
    Activate();
    EXPECT_EQ(Form1->UsbComName, "ttyACM0");
    EXPECT_EQ(Form1->UsbFound, 1);
}

TEST_F(UsbWindowTest, ActivationWithoutTheDeviceEndsWithNoName) {
    sysfs.AddUsbPort("ttyUSB0", "1-1", "0403", "6001");
    Activate();
    EXPECT_EQ(Form1->UsbComName, "");
}

TEST_F(UsbWindowTest, RestartWhileConnectedClosesTheLinkAndOffersToConnect) {
    const auto usb = sysfs.AddUsbPort("ttyACM0", "1-2", RegisterVendor, RegisterProduct);
    Connect();
    ASSERT_TRUE(LinkIsOpen());
    Form1->Button5.Click();
    EXPECT_FALSE(LinkIsOpen());
    EXPECT_TRUE(host.Texts().empty());
    EXPECT_EQ(FakeSysfs::Read(usb / "authorized"), "1");
    EXPECT_EQ(Form1->UsbComName, "ttyACM0");
    // The whole disconnected state: red, "Подключить", lists enabled, menus and status button off.
    EXPECT_EQ(Form1->Shape1.BrushColor(), clRed);
    EXPECT_EQ(Form1->Button3.Caption(), "Подключить");
    EXPECT_TRUE(Form1->ComboBox1.Enabled() && Form1->ComboBox2.Enabled());
    EXPECT_FALSE(Form1->N6.Enabled() || Form1->N2.Enabled() || Form1->N4.Enabled());
    EXPECT_FALSE(Form1->Button2.Enabled());
    EXPECT_TRUE(Form1->Button5.Enabled());
    ExpectCommandNotSentAtOnce(sim); // the link is closed

    Form1->Button3.Click(); // connects again
    EXPECT_TRUE(LinkIsOpen());
    EXPECT_EQ(Form1->Shape1.BrushColor(), clLime);
}

TEST_F(UsbWindowTest, ADeviceBackUnderAnotherNameIsListedAndChosenAfterARestart) {
    sysfs.AddUsbPort("ttyACM0", "1-2", RegisterVendor, RegisterProduct);
    Activate();
    Form1->ComboBox1.SetText("ttyACM0"); // connected through the USB port, as far as the window knows
    Form1->ShowConnectedState();
    Form1->UsbLink = 1;
    Form1->Button5.Show();
    // The device goes away with the restart and comes back, a moment later, under another name.
    int waits = 0;
    host.OnProcessMessages = [&] {
        ++waits;
        if (waits == 1) {
            std::filesystem::remove_all(sysfs.Root() + "/devices");
            std::filesystem::remove(sysfs.Root() + "/class/tty/ttyACM0");
        } else if (waits == 3) {
            sysfs.AddUsbPort("ttyACM1", "1-3", RegisterVendor, RegisterProduct);
        }
    };
    Form1->Button5.Click();
    host.OnProcessMessages = nullptr;
    EXPECT_EQ(Form1->UsbComName, "ttyACM1");
    EXPECT_EQ(Form1->ComboBox1.Items().IndexOf("ttyACM0"), -1);
    EXPECT_EQ(Form1->ComboBox1.Text(), "ttyACM1");
    EXPECT_TRUE(Form1->ComboBox1.Enabled());
    EXPECT_FALSE(Form1->Button5.Visible());
    EXPECT_EQ(Form1->UsbLink, 0);

    // The simulated register stands in for the device's new port: a connect works at once.
    Form1->ComboBox1.SetItemIndex(Form1->ComboBox1.Items().IndexOf(sim.PortPath()));
    Form1->Button3.Click();
    EXPECT_TRUE(LinkIsOpen());
    EXPECT_EQ(Form1->Shape1.BrushColor(), clLime);
    EXPECT_TRUE(host.Texts().empty());
}

TEST_F(UsbWindowTest, RestartFailuresAreShownOneByOne) {
    const auto usb = sysfs.AddUsbPort("ttyACM0", "1-2", RegisterVendor, RegisterProduct);
    std::filesystem::remove(usb / "authorized");
    std::filesystem::create_symlink("/dev/full", usb / "authorized");
    Activate();
    Form1->Button5Click();
    EXPECT_EQ(host.Texts(),
              (std::vector<std::string>{"Устройство не удалено (SetupDiCallInstaller)!",
                                        "Устройство не восстановлено (SetupDiCallInstaller)!"}));
}

TEST_F(UsbWindowTest, RestartWithoutTheDeviceDoesNothing) {
    Connect();
    Form1->Button5Click();
    EXPECT_TRUE(LinkIsOpen());
    EXPECT_EQ(Form1->UsbComName, "");
    EXPECT_EQ(Form1->Shape1.BrushColor(), clLime);
}

TEST_F(UsbWindowTest, TheTerminalPortTestShowsWhetherThePortOpened) {
    Activate({{settings::Terminal, "Terminal"}});
    Form1->ComboBox3.SetText(sim.PortPath());
    Form1->Button4.Click();
    EXPECT_TRUE(host.Texts().empty());
    EXPECT_EQ(Form1->Shape2.BrushColor(), clGreen);
    EXPECT_EQ(Form1->Button4.Caption(), "Отключить");
    EXPECT_FALSE(Form1->ComboBox3.Enabled() || Form1->ComboBox4.Enabled());
    EXPECT_EQ(Form21->TerminalPortName, sim.PortPath());
    EXPECT_EQ(Form21->TerminalDcb.BaudRate, 115200u);
    EXPECT_EQ(Form21->TerminalTimeouts.ReadTotalTimeoutConstant, 5000u);

    Form1->Button4.Click();
    EXPECT_EQ(Form1->Shape2.BrushColor(), clRed);
    EXPECT_EQ(Form1->Button4.Caption(), "Подключить");
    EXPECT_TRUE(Form1->ComboBox3.Enabled() && Form1->ComboBox4.Enabled());

    // A port that cannot be opened is reported and the shape stays red.
    Form1->ComboBox3.SetText("/nonexistent/ttyNone");
    Form1->Button4.Click();
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{
                                "Невозможно подключить порт /nonexistent/ttyNone:\n  Порт не найден"}));
    EXPECT_EQ(Form1->Shape2.BrushColor(), clRed);
    EXPECT_NE(Form21->TerminalError, 0u);
}
} // namespace
