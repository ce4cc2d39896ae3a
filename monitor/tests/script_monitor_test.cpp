#include "monitor/tests/monitor_fixture.h"

namespace {

using ScriptMonitorTest = MonitorFixture;

const std::string kIdleStatus = "00 00 00 00 00 00 ";

TEST_F(ScriptMonitorTest, ASingleCommandAndItsRepeatShowWhatWasSentAndReceived) {
    sim.SetClock({2026, 3, 7, 9, 5, 0}, false);
    Form28->Edit1.SetText("21");
    ASSERT_TRUE(Form28->Button2.Enabled());
    Form28->Button2.Click();

    ASSERT_EQ(sim.FrameCount(), 1u);
    const regsim::ReceivedFrame first = sim.Frames()[0];
    EXPECT_EQ(first.Code, 0x21);
    EXPECT_EQ(first.Data, "736204;");
    const std::string seq(1, static_cast<char>(first.Seq));
    EXPECT_EQ(Messages(),
              (std::vector<std::string>{"PC: (21)736204;", "FP: <" + seq + "!0000;070326;0905;"}));
    EXPECT_EQ(Form28->Edit5.Text(), "0000");
    EXPECT_EQ(Form28->Edit6.Text(), kIdleStatus);
    EXPECT_EQ(Session.CurrentAnswer->Field(1), "070326");

    // The repeat is the same frame again, sequence number included; its lines are whole frames.
    Form28->Memo1.Clear();
    Form28->Edit6.Clear();
    Form28->Button9.Click();
    ASSERT_EQ(sim.FrameCount(), 2u);
    EXPECT_EQ(sim.Frames()[1].Raw, first.Raw);
    EXPECT_EQ(Messages(), ExchangeOfLastFrame("070326;0905;"));
    EXPECT_EQ(Form28->Edit6.Text(), kIdleStatus);
    EXPECT_TRUE(host.Texts().empty());
}

TEST_F(ScriptMonitorTest, TheCodeIsTwoHexadecimalDigitsAndOnlyAValidOneIsSent) {
    const struct {
        const char* code;
        const char* password;
        bool sendEnabled;
        std::vector<std::string> messages;
        int sentCode; // -1: nothing sent
    } cases[] = {
        {"2a", "736204", true, {}, 0x2A},
        {"2A", "736204", true, {}, 0x2A},
        {"2g", "736204", true, {"Неверный код команды!", "Неверный код команды!"}, -1},
        {"2", "736204", false, {"Неверный код команды!"}, -1},
        {"80", "73620", false, {}, 0x80}, // Enter still sends with a short password
    };
    for (const auto& c : cases) {
        sim.ClearFrames();
        host.Clear();
        Form28->Edit1.SetText("");
        Form28->Edit2.SetText(c.password);
        Form28->Edit1.SetText(c.code);
        EXPECT_EQ(Form28->Button2.Enabled(), c.sendEnabled) << c.code;
        WORD enter = VK_RETURN;
        Form28->Edit3.OnKeyDown(enter, 0);
        EXPECT_EQ(host.Texts(), c.messages) << c.code;
        if (c.sentCode < 0) {
            EXPECT_EQ(sim.FrameCount(), 0u) << c.code;
        } else {
            ASSERT_EQ(sim.FrameCount(), 1u) << c.code;
            EXPECT_EQ(sim.Frames()[0].Code, c.sentCode);
            EXPECT_EQ(sim.Frames()[0].Data, std::string(c.password) + ";");
        }
    }
}

TEST_F(ScriptMonitorTest, FailedExchangesAreReportedAndRegisterErrorsShown) {
    const struct {
        regsim::AnswerOverride change;
        std::vector<std::string> messages;
        std::string errorField;
        size_t lines;
    } cases[] = {
        {{.Silent = true}, {"Ошибка выполнения команды. Таймаут"}, "", 0},
        {{.BadChecksum = true}, {"Неверная контрольная сумма"}, "", 0},
        {{.Error = "0006"}, {}, "0006", 2},
    };
    Form28->Edit1.SetText("A0");
    for (const auto& c : cases) {
        host.Clear();
        Form28->Memo1.Clear();
        Form28->Edit5.Clear();
        sim.SetOverride(0xA0, c.change);
        Form28->Button2.Click();
        EXPECT_EQ(host.Texts(), c.messages);
        EXPECT_EQ(Form28->Edit5.Text(), c.errorField);
        EXPECT_EQ(Messages().size(), c.lines);
    }
    // Hidden data: the answer is shown in the edits only.
    sim.ClearOverrides();
    Form28->Memo1.Clear();
    Form28->CheckBox2.SetChecked(true);
    Form28->Button2.Click();
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(Form28->Edit5.Text(), "0000");
}

TEST_F(ScriptMonitorTest, FavouritesAreAddedAndLoadedByDoubleClick) {
    const std::pair<const char*, const char*> commands[] = {{"61", "Чек №1;"}, {"a0", ""}};
    for (const auto& [code, data] : commands) {
        Form28->Edit1.SetText(code);
        Form28->Edit3.SetText(data);
        Form28->Button3.Click();
    }
    EXPECT_EQ(Form28->ListBox1.Items().ToVector(), (std::vector<std::string>{"61->Чек №1;", "a0->"}));
    for (int index : {0, 1}) {
        Form28->ListBox1.SetItemIndex(index);
        Form28->ListBox1.OnDblClick();
        EXPECT_EQ(Form28->Edit1.Text(), commands[index].first);
        EXPECT_EQ(Form28->Edit3.Text(), commands[index].second);
    }
    Form28->Button2.Click();
    EXPECT_EQ(sim.Frames().back().Code, 0xA0);
}

TEST_F(ScriptMonitorTest, TheFiveRecentScriptFilesAreKeptInTheSettings) {
    const auto open = [&](const std::string& name) {
        host.ChooseNextFile((Folder() / name).string());
        Form28->Button5.Click();
    };
    const auto recent = [&] {
        std::vector<std::string> names;
        for (int n = 1; n <= 5; ++n)
            names.push_back(std::filesystem::path(ReadSetting(settings::RecentFile(n))).filename().string());
        return names;
    };
    for (const char* name : {"1.txt", "2.txt", "3.txt", "4.txt", "5.txt", "6.txt"})
        open(name);
    EXPECT_EQ(recent(), (std::vector<std::string>{"6.txt", "5.txt", "4.txt", "3.txt", "2.txt"}));
    EXPECT_EQ(Form28->ComboBox1.ItemIndex(), 0);
    EXPECT_EQ(Form28->ScriptFileName, (Folder() / "6.txt").string());
    EXPECT_EQ(host.FileRequests().back().filter, "Текстовые файлы (*.txt)|*.TXT|Все|*.*");
    EXPECT_EQ(host.FileRequests().back().defaultExt, "txt");

    // A file already in the list is selected and nothing is written.
    Form28->Edit4.SetText("7");
    const std::string settingsBefore = FileText("fpinit.ini");
    open("4.txt");
    EXPECT_EQ(Form28->ComboBox1.ItemIndex(), 2);
    EXPECT_EQ(Form28->Edit4.Text(), "0");
    EXPECT_EQ(FileText("fpinit.ini"), settingsBefore);

    // The list is read again on activation; choosing an item makes it the script.
    Form28->ComboBox1.Items().Clear();
    Form28->FormActivate();
    EXPECT_EQ(Form28->ComboBox1.Items().Count(), 5);
    Form28->ComboBox1.SetItemIndex(4);
    Form28->Edit4.SetText("3");
    Form28->ComboBox1.OnChange();
    EXPECT_EQ(Form28->ScriptFileName, (Folder() / "2.txt").string());
    EXPECT_EQ(Form28->Edit4.Text(), "0");

    // A cancelled dialog changes nothing.
    host.CancelNextFile();
    Form28->Button5.Click();
    EXPECT_EQ(Form28->ScriptFileName, (Folder() / "2.txt").string());
}

TEST_F(ScriptMonitorTest, ALongScriptPathComesBackWholeFromTheRecentList) {
    // Six folders of 100 characters: a path of over 600 characters that the system opens.
    std::filesystem::path folder = Folder();
    for (int i = 0; i < 6; ++i)
        folder /= std::string(100, static_cast<char>('a' + i));
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "script.txt").string();
    ASSERT_GT(path.size(), 600u);
    std::ofstream(path) << "21736204;\n";
    host.ChooseNextFile(path);
    Form28->Button5.Click();

    Form28->ComboBox1.Items().Clear();
    Form28->FormActivate();
    ASSERT_EQ(Form28->ComboBox1.Items().Count(), 1);
    EXPECT_EQ(Form28->ComboBox1.Items()[0], path);
    Form28->ScriptFileName.clear();
    Form28->ComboBox1.SetItemIndex(0);
    Form28->ComboBox1.OnChange();
    EXPECT_EQ(Form28->ScriptFileName, path);
    Form28->Button11.Click();
    EXPECT_EQ(SentCodes(), (std::vector<unsigned>{0x21}));
    EXPECT_TRUE(host.Texts().empty());
}

TEST_F(ScriptMonitorTest, StatusAndVariablesButtons) {
    Session.StatusReady = 0;
    Form28->SpeedButton1.Click();
    EXPECT_TRUE(host.ModalShown().empty());
    Session.StatusReady = 1;
    Form28->SpeedButton1.Click();
    EXPECT_EQ(host.ModalShown(), (std::vector<std::string>{"TForm5"}));

    Form28->Show();
    Form28->SetVariableCount(2);
    Form28->SetVariableRow(1, "i", "0");
    Form28->SetVariableRow(2, "name", "");
    Form28->SetVariableValue(2, "Иван");
    Form28->Button10.Click();
    ASSERT_TRUE(Form40->Visible());
    EXPECT_FALSE(Form40->Modal());
    EXPECT_EQ(Form40->FormStyle(), fsStayOnTop);
    EXPECT_EQ(Form40->Left(), Form28->Left() + Form28->Width());
    const TStringGrid& grid = Form40->StringGrid1;
    EXPECT_EQ(grid.RowCount(), 3);
    const std::vector<std::vector<std::string>> rows{
        {"", "Переменные", "Значения"}, {"1", "i", "0"}, {"2", "name", "Иван"}, {"3", "", ""}};
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 3; ++col)
            EXPECT_EQ(grid.Cell(col, row), rows[row][col]) << col << "," << row;
    Form40->Button1.Click();
    EXPECT_FALSE(Form40->Visible());
}

} // namespace
