#include "shell/tests/not_sent_at_once.h"
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

// The device came back under a name that is not there: the port is named, nothing reaches the
// register, a command is not sent (no time-out), and the main window offers to connect again.
TEST_F(UsbRecoveryTest, APortThatCannotBeOpenedIsNamedAndTheWindowOffersToConnect) {
    sysfs.AddUsbPort("ttyACM0", "1-1", "0483", "5740");
    QuietConnectCommand();
    Form1->Button3.Click();
    ASSERT_TRUE(LinkIsOpen());
    sim.ClearFrames();
    Form1->ComboBox1.SetText("/dev/kaltor-no-such-port");
    Form52->Timer1Timer();
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{
                                "Невозможно подключить порт /dev/kaltor-no-such-port:\n  Порт не найден"}));
    EXPECT_FALSE(LinkIsOpen());
    EXPECT_EQ(Form1->Shape1.BrushColor(), clRed);
    EXPECT_EQ(Form1->Button3.Caption(), "Подключить");
    EXPECT_TRUE(Form1->ComboBox1.Enabled() && Form1->ComboBox2.Enabled());
    EXPECT_FALSE(Form1->Button2.Enabled() || Form1->N6.Enabled());
    EXPECT_EQ(Form1->StatusBar1.SimpleText(), "");
    EXPECT_EQ(Session.StatusReady, 0);
    EXPECT_FALSE(Form52->Label1.Visible());
    EXPECT_EQ(sim.FrameCount(), 0u);

    ExpectCommandNotSentAtOnce(sim);

    host.Clear();
    Form1->ComboBox1.SetText(sim.PortPath());
    Form1->Button3.Click();
    EXPECT_TRUE(host.Texts().empty());
    EXPECT_EQ(Form1->Shape1.BrushColor(), clLime);
    EXPECT_EQ(Session.StatusReady, 1);
}

} // namespace
