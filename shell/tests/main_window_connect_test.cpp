#include "shell/tests/shell_fixture.h"

namespace {
using ConnectTest = ShellFixture;

TEST_F(ConnectTest, ModelTextsSetUpTheDialogsAndMenus) {
    const struct {
        std::string model;
        std::string width; // the header dialog's width edit, or "[a,b]=text" for its combo box
        bool modem, box17, box18, pq;
    } cases[] = {
        {"RM-4S 6027", "32", true, false, false, false},
        {"RM-4S", "32", false, false, true, false},
        {"Kivrel RM-4", "32", true, true, false, false},
        {"8164 2953", "36", false, false, false, false},
        {"Kivrel LT-7 PQ", "[40,42]=40", false, false, false, true},
    };
    for (const auto& c : cases) {
        SetModel(c.model);
        Connect();
        ASSERT_TRUE(host.Texts().empty()) << c.model;
        ASSERT_NE(Session.CurrentAnswer, nullptr);
        const std::string width = Form11->Edit2.Visible()
                                      ? Form11->Edit2.Text()
                                      : "[" + Form11->ComboBox2.Items()[0] + "," +
                                            Form11->ComboBox2.Items()[1] + "]=" + Form11->ComboBox2.Text();
        EXPECT_EQ(width, c.width) << c.model;
        EXPECT_NE(Form11->Edit2.Visible(), Form11->ComboBox2.Visible()) << c.model;
        EXPECT_EQ(Form5->CheckBox41.Caption(),
                  c.modem ? "(1)Блокировка 72 часа, данные не переданы" : "(1) Резерв");
        EXPECT_EQ(Form5->CheckBox42.Caption(),
                  c.modem ? "(2)Не все чеки переданы в модем, база товаров не обнулена" : "(2) Резерв");
        EXPECT_EQ(Form1->N42.Visible(), !c.modem) << c.model;
        EXPECT_EQ(Form1->IDDEV1.Visible(), !c.modem) << c.model;
        EXPECT_FALSE(Form26->CheckBox16.Visible());
        EXPECT_EQ(Form26->CheckBox17.Visible(), c.box17) << c.model;
        EXPECT_EQ(Form26->CheckBox18.Visible(), c.box18) << c.model;
        EXPECT_EQ(Form1->PQ31.Enabled(), c.pq) << c.model;
        EXPECT_EQ(Form1->N12.Enabled(), !c.pq) << c.model;
        EXPECT_EQ(Session.PqVariant, c.pq ? 1 : 0);
        EXPECT_EQ(Form1->ModelName, c.model);
        EXPECT_EQ(Session.DeviceModel, c.model);
        Form1->Button3.Click(); // disconnect for the next model
    }
}

TEST_F(ConnectTest, ASuccessfulConnectShowsTheRegisterAndSavesTheChoice) {
    sim.UpdateState([](regsim::RegisterState& state) {
        state.Model = "Kivrel LX-9";
        state.Firmware = "4.01";
        state.FurtherText = "ПРОД";
        state.PaymentTypes = "4";
        state.Status[0] = 0x01; // service mode
    });
    Activate();
    Form1->ComboBox2.SetItemIndex(7); // 19200
    Form1->Button3.Click();

    EXPECT_TRUE(host.Texts().empty());
    EXPECT_EQ(Form1->Shape1.BrushColor(), clLime);
    EXPECT_EQ(Form1->Button3.Caption(), "Отключить");
    EXPECT_FALSE(Form1->ComboBox1.Enabled() || Form1->ComboBox2.Enabled());
    EXPECT_TRUE(Form1->Button2.Enabled());
    for (TMenuItem* menu : {&Form1->N6, &Form1->N2, &Form1->N4, &Form1->N17, &Form1->N28, &Form1->N24})
        EXPECT_TRUE(menu->Enabled()) << menu->Caption();
    EXPECT_EQ(Form1->StatusBar1.SimpleText(), "   Модель:Kivrel LX-9,    Версия:4.01,     ПРОД. Сервис.реж.");
    EXPECT_EQ(Session.StatusReady, 1);
    EXPECT_EQ(Session.FirmwareVersion, "4.01");
    EXPECT_EQ(Session.PaymentCount, 4);
    EXPECT_EQ(Session.PriorityLevel, "medium");
    EXPECT_EQ(Form26->ComboBox2.ItemIndex(), 7);
    EXPECT_EQ(ReadSetting(settings::Port), sim.PortPath());
    EXPECT_EQ(ReadSetting(settings::Speed), "19200");
    const auto frames = sim.Frames();
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].Code, 0x88);
    EXPECT_EQ(frames[1].Code, 0x80);
    EXPECT_EQ(frames[1].Data, "736204;");
}

TEST_F(ConnectTest, UkrVersionForcesTheFirmwareVersion) {
    SetModel("Kivrel LT-6", "4.01");
    Connect({{TextSetting{"UkrVer", "Version", "", 10}, "2"}});
    EXPECT_EQ(Session.UkrVersion, 2);
    EXPECT_EQ(Session.FirmwareVersion, "3.00");
    EXPECT_TRUE(Form1->N1.Visible() && Form1->N3.Visible());
}

TEST_F(ConnectTest, ARegisterThatDoesNotAnswerLeavesTheWindowConnected) {
    sim.SetOverride(0x80, {.Silent = true});
    Connect();
    EXPECT_EQ(host.Texts(),
              (std::vector<std::string>{"Проверка состояния регистратора:\n  Таймаут устройства! Ошибка!"}));
    EXPECT_EQ(Form1->Shape1.BrushColor(), clLime);
    EXPECT_EQ(Session.StatusReady, 0);
    EXPECT_EQ(Form1->StatusBar1.SimpleText(), "");
    EXPECT_EQ(ReadSetting(settings::Port), ""); // saved only after a good answer

    Form1->Button3.Click(); // disconnects although the query failed
    EXPECT_FALSE(LinkIsOpen());
    EXPECT_EQ(Form1->Shape1.BrushColor(), clRed);
    EXPECT_EQ(Form1->Button3.Caption(), "Подключить");
    EXPECT_TRUE(Form1->ComboBox1.Enabled() && Form1->ComboBox2.Enabled());
    EXPECT_FALSE(Form1->Button2.Enabled());
    for (TMenuItem* menu : {&Form1->N6, &Form1->N2, &Form1->N4, &Form1->N17, &Form1->N28, &Form1->N24})
        EXPECT_FALSE(menu->Enabled()) << menu->Caption();
}

TEST_F(ConnectTest, ALinkLostWhileConnectedCanBeConnectedAgain) {
    Connect();
    ASSERT_TRUE(CloseLink()); // a dialog's reopen at a new speed failed
    Form1->Button3.Click();
    EXPECT_EQ(Form1->Shape1.BrushColor(), clRed);
    EXPECT_EQ(Form1->Button3.Caption(), "Подключить");
    EXPECT_FALSE(Form1->N6.Enabled());
    Form1->Button3.Click();
    EXPECT_TRUE(LinkIsOpen());
    EXPECT_EQ(Form1->Shape1.BrushColor(), clLime);
}

TEST_F(ConnectTest, AnErrorCodeIsDecodedBehindTheCaption) {
    sim.SetOverride(0x80, {.Error = "0006"});
    Connect();
    EXPECT_EQ(host.Texts(),
              (std::vector<std::string>{"Проверка состояния регистратора:\n  Неверный пароль доступа!"}));
    EXPECT_EQ(Session.StatusReady, 0);
}

// A port that does not open is named with the reason; nothing is sent, no session is logged, the
// window stays disconnected, and a press once the port is there connects.
TEST_F(ConnectTest, APortThatCannotBeOpenedIsNamedAndChangesNothing) {
    const struct {
        const char* name;
        std::string port, rate;
        bool heldElsewhere;
        std::string message;
    } cases[] = {
        {"missing", "/nonexistent/ttyNone", "9600", false,
         "Невозможно подключить порт /nonexistent/ttyNone:\n  Порт не найден"},
        {"a folder", Folder().string(), "9600", false,
         "Невозможно подключить порт " + Folder().string() + ":\n  Это не последовательный порт"},
        {"held elsewhere", sim.PortPath(), "9600", true,
         "Невозможно подключить порт " + sim.PortPath() + ":\n  Порт занят"},
        {"typed rate 0", sim.PortPath(), "0", false,
         "Невозможно подключить порт " + sim.PortPath() + ":\n  Порт не поддерживает такой режим"},
    };
    for (const auto& c : cases) {
        Activate({{TextSetting{"LogFile", "Log", "", 10}, "1"}, {settings::LogName, "session.log"}});
        SerialPort otherProgram;
        if (c.heldElsewhere) {
            ASSERT_EQ(otherProgram.Open(c.port), SerialError::None);
        }
        Form1->ComboBox1.SetText(c.port);
        Form1->ComboBox2.SetText(c.rate);
        Form1->Button3.Click();
        EXPECT_EQ(host.Texts(), (std::vector<std::string>{c.message})) << c.name;
        EXPECT_EQ(Form1->Shape1.BrushColor(), clRed) << c.name;
        EXPECT_EQ(Form1->Button3.Caption(), "Подключить") << c.name;
        EXPECT_TRUE(Form1->ComboBox1.Enabled() && Form1->ComboBox2.Enabled()) << c.name;
        EXPECT_FALSE(Form1->Button2.Enabled() || Form1->N6.Enabled()) << c.name;
        EXPECT_EQ(sim.FrameCount(), 0u) << c.name;
        EXPECT_FALSE(std::filesystem::exists(Folder() / "session.log")) << c.name;

        otherProgram.Close();
        host.Clear();
        Form1->ComboBox1.SetText(sim.PortPath());
        Form1->ComboBox2.SetText("9600");
        Form1->Button3.Click();
        EXPECT_TRUE(host.Texts().empty()) << c.name;
        EXPECT_EQ(Form1->Shape1.BrushColor(), clLime) << c.name;
        EXPECT_EQ(Session.StatusReady, 1) << c.name;
        Form1->Button3.Click();
        std::filesystem::remove(Folder() / "session.log");
        sim.ClearFrames();
    }
}

TEST_F(ConnectTest, ABaudRateThatIsNotANumberIsAConversionError) {
    Activate();
    Form1->ComboBox2.SetText("fast");
    Form1->Button3.Click();
    ASSERT_EQ(host.Messages().size(), 1u);
    EXPECT_EQ(host.Messages()[0].kind, MessageRequest::Error);
    EXPECT_EQ(Form1->Shape1.BrushColor(), clRed);
    EXPECT_EQ(sim.FrameCount(), 0u) << "the rate is read before the port opens: neither 88h nor 80h goes out";
}

TEST_F(ConnectTest, TheLogFollowsTheLogSetting) {
    const TextSetting log{"LogFile", "Log", "", 10};
    Connect({{settings::LogName, "session.log"}}); // Log stays 0
    Form1->Button3.Click();
    EXPECT_FALSE(std::filesystem::exists(Folder() / "session.log"));

    WriteSetting(log, "1");
    Form1->Button3.Click();
    Form1->Button3.Click();
    EXPECT_EQ(Form1->LogFileName, "session.log");
    const std::string logged = FileText("session.log");
    EXPECT_NE(logged.find(";Начало сеанса"), std::string::npos);

    WriteSetting(log, "0"); // switched off while the program runs
    Form1->Button3.Click();
    Form1->Button2.Click();
    EXPECT_EQ(FileText("session.log"), logged);
}

TEST_F(ConnectTest, ALogFileThatCannotBeOpenedIsReportedOnce) {
    Connect(
        {{settings::LogName, "no-such-folder/session.log"}, {TextSetting{"LogFile", "Log", "", 10}, "1"}});
    Form1->Button3.Click();
    Form1->Button3.Click(); // a second connect says nothing more
    ASSERT_EQ(host.Texts().size(), 1u);
    EXPECT_EQ(host.Texts()[0], "Файл протокола обмена не может быть открыт для записи:\n" +
                                   (Folder() / "no-such-folder/session.log").string() +
                                   "\nПротокол не ведется.");
    EXPECT_EQ(host.Messages()[0].caption, "Kaltor");
    EXPECT_EQ(Form1->Shape1.BrushColor(), clLime); // the connect itself goes on
}

TEST_F(ConnectTest, TheUsbPortFoundAtActivationMarksTheLink) {
    Activate();
    Form1->UsbComName = sim.PortPath();
    Form1->Button3.Click();
    EXPECT_EQ(Form1->UsbLink, 1);
    EXPECT_EQ(Form1->UsbPortName, sim.PortPath());
    EXPECT_TRUE(Form1->Button5.Visible());
    Form1->Button3.Click();

    Form1->UsbComName = "ttyACM0";
    Form1->Button3.Click();
    EXPECT_EQ(Form1->UsbLink, 0);
    EXPECT_EQ(Form1->UsbPortName, "");
    EXPECT_FALSE(Form1->Button5.Visible());
}

TEST_F(ConnectTest, TheStatusButtonQueriesAndOpensTheViewer) {
    SetModel("Kivrel LT-6");
    Connect();
    Session.StatusReady = 0;
    sim.UpdateState([](regsim::RegisterState& state) { state.PaymentTypes = "0"; });
    Form1->Button2.Click();
    EXPECT_EQ(host.ModalShown(), (std::vector<std::string>{"TForm5"}));
    EXPECT_EQ(Session.StatusReady, 1);
    EXPECT_EQ(Session.PaymentCount, 10);
    EXPECT_EQ(Form1->StatusBar1.SimpleText(), "   Модель:Kivrel LT-6,    Версия:3.01,     Симулятор.");

    // An error code is shown and the viewer still opens; no answer stops before it.
    host.Clear();
    sim.SetOverride(0x80, {.Error = "0006"});
    Form1->Button2.Click();
    EXPECT_EQ(host.ModalShown(), (std::vector<std::string>{"TForm5"}));
    host.Clear();
    sim.SetOverride(0x80, {.Silent = true});
    Session.StatusReady = 0;
    Form1->Button2.Click();
    EXPECT_EQ(host.Texts(),
              (std::vector<std::string>{"Проверка состояния регистратора:\n  Таймаут устройства! Ошибка!"}));
    EXPECT_TRUE(host.ModalShown().empty());
    EXPECT_EQ(Session.StatusReady, 0);
}

TEST_F(ConnectTest, TheConnectedMainWindowLooksTidy) {
    SetModel("Kivrel LT-6");
    Connect({{settings::Terminal, "Terminal"}});
    const auto picture = std::filesystem::temp_directory_path() / "kaltor-main-window.png";
    EXPECT_TRUE(GrabToPng(*Form1, picture.string()));
}
} // namespace
