#include "shell/tests/shell_fixture.h"

namespace {

class UsbRecoveryTest : public ShellFixture {
protected:
    void SetUp() override {
        ShellFixture::SetUp();
        Activate();
    }
};

TEST_F(UsbRecoveryTest, WithoutTheUsbDeviceItSaysSo) {
    Form52->Timer1Timer();
    EXPECT_FALSE(Form52->Timer1.Enabled());
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{"USB отключен!"}));
    EXPECT_FALSE(LinkIsOpen());
}

TEST_F(UsbRecoveryTest, ARestartedDeviceIsReconnectedAndTheMainWindowShowsIt) {
    const auto usb = sysfs.AddUsbPort("ttyACM0", "1-1", "0483", "5740");
    ASSERT_EQ(Form1->ComboBox1.Text(), sim.PortPath());
    Form52->Timer1Timer();
    EXPECT_TRUE(host.Texts().empty());
    EXPECT_TRUE(LinkIsOpen());
    EXPECT_EQ(FakeSysfs::Read(usb / "authorized"), "1");
    EXPECT_EQ(Form1->Shape1.BrushColor(), clLime);
    EXPECT_EQ(Form1->Button3.Caption(), "Отключить");
    EXPECT_FALSE(Form52->Label1.Visible());
}

TEST_F(UsbRecoveryTest, APortThatCannotBeOpenedIsReported) {
    sysfs.AddUsbPort("ttyACM0", "1-1", "0483", "5740");
    Form1->ComboBox1.SetText("/dev/kaltor-no-such-port");
    Form52->Timer1Timer();
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Невозможно подключить порт"}));
    EXPECT_EQ(Form1->Shape1.BrushColor(), clRed);
}

} // namespace
