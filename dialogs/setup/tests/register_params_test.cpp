#include "dialogs/setup/tests/setup_fixture.h"
#include "shell/tests/not_sent_at_once.h"

namespace {
using RegisterParamsTest = SetupFixture;

TEST_F(RegisterParamsTest, WhatIsWrittenReadsBack) {
    TForm26& form = *Form26;
    form.FormActivate();
    form.ComboBox2.SetItemIndex(11); // "Не изменять"
    form.ComboBox1.SetItemIndex(3);
    form.Button2Click(); // every document option
    form.Button3Click(); // no print option
    form.CheckBox16.SetChecked(true);
    form.Edit2.SetText("1f");
    form.Edit3.SetText("");
    form.Edit4.SetText("29");
    form.Button6.Click();
    EXPECT_EQ(LastFrame().Data, "736204;0;3;FF0B;10;1F;00;29;");
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Успешно!"}));
    EXPECT_TRUE(form.Button8.Enabled());

    form.Button1Click();
    form.Button4Click();
    form.ComboBox1.SetItemIndex(0);
    host.Clear();
    form.Button7.Click();
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Успешно!"}));
    EXPECT_EQ(form.ComboBox2.Text(), "9600"); // the register's speed was kept
    EXPECT_EQ(form.ComboBox1.ItemIndex(), 3);
    EXPECT_TRUE(form.CheckBox1.Checked() && form.CheckBox8.Checked() && form.CheckBox19.Checked());
    EXPECT_TRUE(form.CheckBox16.Checked());
    EXPECT_FALSE(form.CheckBox11.Checked() || form.CheckBox17.Checked());
    EXPECT_EQ(form.Edit2.Text(), "1F");
    EXPECT_EQ(form.Edit3.Text(), "00");
    EXPECT_EQ(form.Edit4.Text(), "29");
    EXPECT_EQ(form.Edit8.Text(), "0000");
}

TEST_F(RegisterParamsTest, AWordOfOptionsTicksItsBoxesOnly) {
    sim.UpdateState([](regsim::RegisterState& state) {
        state.Setup.Params.DocumentOptions = 0x8108;
        state.Setup.Params.Speed = 14400; // not in the list: the selection stays
    });
    TForm26& form = *Form26;
    form.Button2Click();
    form.ComboBox2.SetItemIndex(3);
    form.Button7.Click();
    std::vector<bool> ticked;
    for (TCheckBox* box : {&form.CheckBox1, &form.CheckBox2, &form.CheckBox3, &form.CheckBox4,
                           &form.CheckBox5, &form.CheckBox6, &form.CheckBox7, &form.CheckBox8,
                           &form.CheckBox9, &form.CheckBox10, &form.CheckBox19})
        ticked.push_back(box->Checked());
    EXPECT_EQ(ticked,
              (std::vector<bool>{true, false, false, false, false, false, false, true, false, false, true}));
    EXPECT_EQ(form.ComboBox2.Text(), "1200");
}

TEST_F(RegisterParamsTest, ANewSpeedMovesTheLinkAndTheSettings) {
    TForm26& form = *Form26;
    form.FormActivate();
    form.Edit4.SetText("34");
    form.ComboBox2.SetItemIndex(10); // 115200
    form.Button6.Click();
    EXPECT_EQ(LastFrame().Data, "736204;115200;0;0000;00;00;00;34;");
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Успешно!"}));
    EXPECT_EQ(Form1->SelectedSpeed(), "115200");
    EXPECT_EQ(ReadSetting(settings::Speed), "115200");
    EXPECT_TRUE(LinkIsOpen());
    host.Clear();
    Form10->Button1.Click(); // the link still works
    EXPECT_EQ(LastFrame().Code, 0xA0);
}

TEST_F(RegisterParamsTest, ARefusalOrASilenceIsReportedAndTheLinkStays) {
    TForm26& form = *Form26;
    form.FormActivate();
    form.Edit4.SetText("34");
    form.ComboBox2.SetItemIndex(10);
    sim.SetOverride(0x27, {.Error = "0304"});
    form.Button6.Click();
    EXPECT_EQ(host.Texts(),
              (std::vector<std::string>{
                  "Печать дневных отчетов:\n  Значение поля номер 3 выходит за допустимый диапазон!"}));
    EXPECT_EQ(form.Edit8.Text(), "0304");
    EXPECT_EQ(ReadSetting(settings::Speed), "9600");

    host.Clear();
    sim.SetOverride(0x28, {.Silent = true});
    form.Button7.Click();
    EXPECT_EQ(host.Texts(),
              (std::vector<std::string>{"Печать дневных отчетов:\n  Таймаут устройства! Ошибка!"}));
    EXPECT_TRUE(form.Button8.Enabled());

    host.Clear();
    sim.ClearFrames();
    form.Edit4.SetText("x");
    form.Button6.Click();
    EXPECT_EQ(host.Messages().at(0).kind, MessageRequest::Error);
    EXPECT_EQ(sim.FrameCount(), 0u);
}

// The port is gone when the link is opened again at the new speed (a link to the register that went
// away): the port is named, nothing more reaches the register, a command in the window is not sent
// (no time-out), and the main window offers to connect again at the new speed.
TEST_F(RegisterParamsTest, APortThatDoesNotOpenAgainIsNamedAndCommandsAreNotSent) {
    const std::string port = (Folder() / "ttyRegister").string();
    std::filesystem::create_symlink(sim.PortPath(), port);
    Form1->Button3.Click(); // from the simulator's own name to the link
    Form1->ComboBox1.SetText(port);
    QuietConnectCommand();
    Form1->Button3.Click();
    ASSERT_EQ(Form1->Shape1.BrushColor(), clLime);
    ASSERT_TRUE(host.Texts().empty());
    sim.ClearOverrides();

    std::vector<std::string> written, read;
    std::vector<uint8_t> codes;
    size_t framesOfRead = 1;
    int sleeps = 0;
    host.OnModal("TForm26", [&](TForm& form) {
        Form26->Edit4.SetText("34");
        Form26->ComboBox2.SetItemIndex(10); // 115200
        std::filesystem::remove(port);
        sim.ClearFrames();
        Form26->Button6.Click();
        written = host.Texts();
        for (const auto& frame : sim.Frames())
            codes.push_back(frame.Code);
        host.Clear();
        sim.ClearFrames();
        sleeps = SleepsDuring([] { Form26->Button7.Click(); });
        read = host.Texts();
        framesOfRead = sim.FrameCount();
        form.Close();
    });
    Form26->ShowModal();
    EXPECT_EQ(written, (std::vector<std::string>{"Успешно!", "Невозможно подключить порт " + port +
                                                                 ":\n  Порт не найден"}));
    EXPECT_EQ(codes, (std::vector<uint8_t>{0x27}));
    EXPECT_EQ(read, (std::vector<std::string>{"Команда не отправлена!"}));
    EXPECT_EQ(framesOfRead, 0u);
    EXPECT_EQ(sleeps, 0);
    EXPECT_EQ(Form26->Edit8.Text(), "");

    EXPECT_FALSE(LinkIsOpen());
    EXPECT_EQ(Form1->Shape1.BrushColor(), clRed);
    EXPECT_EQ(Form1->Button3.Caption(), "Подключить");
    EXPECT_TRUE(Form1->ComboBox1.Enabled() && Form1->ComboBox2.Enabled());
    EXPECT_FALSE(Form1->Button2.Enabled() || Form1->N17.Enabled());
    EXPECT_EQ(Form1->StatusBar1.SimpleText(), "");
    EXPECT_EQ(Form1->SelectedSpeed(), "115200");
    EXPECT_EQ(ReadSetting(settings::Speed), "115200");

    // The link is back: the next press connects at the new speed.
    std::filesystem::create_symlink(sim.PortPath(), port);
    host.Clear();
    QuietConnectCommand();
    Form1->ComboBox1.SetText(port);
    Form1->Button3.Click();
    EXPECT_TRUE(host.Texts().empty());
    EXPECT_EQ(Form1->Shape1.BrushColor(), clLime);
    EXPECT_EQ(Session.StatusReady, 1);
}

TEST_F(RegisterParamsTest, PaperWidthWindowSendsItsFixedBlock) {
    Form47->Button2.Click();
    Form47->RadioGroup1.SetItemIndex(1);
    Form47->Button2.Click();
    EXPECT_EQ(FrameData(0x27), (std::vector<std::string>{"736204;115200;0;0000;20;0A;FF;34;",
                                                         "736204;115200;0;0000;60;0A;FF;29;"}));
    EXPECT_EQ(Setup().Params.PrintOptions, 0x60);
    EXPECT_TRUE(host.Texts().empty());
}
} // namespace
