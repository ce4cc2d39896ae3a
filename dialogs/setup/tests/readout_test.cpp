#include <functional>

#include "dialogs/setup/modem_dialogs.h"
#include "dialogs/setup/readout.h"
#include "dialogs/setup/tests/setup_fixture.h"
#include "platform/files/tests/user_file.h"

namespace {

TEST(UnescapePacket, BackslashTakesTheNextByteLess40h) {
    EXPECT_EQ(UnescapePacket("ABC"), "ABC");
    EXPECT_EQ(UnescapePacket("\\JX"), std::string("\x0A"
                                                  "X"));
    EXPECT_EQ(UnescapePacket("A\\"), std::nullopt);
    EXPECT_EQ(UnescapePacket(std::string(200, 'x')).value().size(), 200u);
    EXPECT_EQ(UnescapePacket(std::string(201, 'x')), std::nullopt);
}

TEST(ModemDateTime, SeparatorsGoInFromTheEnd) {
    EXPECT_EQ(ModemDateTime("2507151845"), "25-07-15 18:45");
    EXPECT_EQ(ModemDateTime("250715"), "25-07-15 :");
    EXPECT_EQ(ModemDateTime(""), ": --");
}

class ReadoutTest : public SetupFixture {
protected:
    std::string FileBytes(const std::string& name) const { return FileText(name); }
    // Opens the window as the menu does; `act` runs while it is shown.
    void InWindow(TForm& form, const std::string& className, const std::function<void()>& act) {
        host.OnModal(className, [&](TForm& shown) {
            act();
            shown.Close();
        });
        form.ShowModal();
    }
};

TEST_F(ReadoutTest, ADocumentWithoutAFolderGoesToTheStartFolder) {
    sim.UpdateState([](regsim::RegisterState& state) { state.Network.Readout.Sources[{1, 7}] = "DOC 7"; });
    ASSERT_EQ(Session.StartFolder, Folder().string());
    InWindow(*Form46, "TForm46", [] {
        Form46->Edit6.SetText("7");
        EXPECT_EQ(Form46->DirectoryEdit1.Text(), "");
        Form46->Button2.Click();
    });
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Чтение документа - успешно!"}));
    EXPECT_EQ(FileBytes("7.SIG"), "DOC 7");
}

TEST_F(ReadoutTest, AModemReportIsKeptWhenTheRegisterIsSilent) {
    auto report = [] {
        return std::vector<std::string>{Form44->Edit32.Text(), Form44->Edit35.Text(), Form44->Edit36.Text(),
                                        Form44->Edit37.Text(), Form44->Edit1.Text()};
    };
    InWindow(*Form44, "TForm44", [] { Form44->Button2.Click(); });
    const std::vector<std::string> shown = report();
    EXPECT_EQ(shown[1], "15-05-23 09:30");
    EXPECT_TRUE(host.Texts().empty());

    sim.SetOverride(0xEA, {.Silent = true});
    InWindow(*Form44, "TForm44", [] { Form44->Button2.Click(); });
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Таймаут устройства! Ошибка!"}));
    EXPECT_EQ(report(), shown);
    EXPECT_EQ(Session.CurrentAnswer->NoAnswer(), true);
}

TEST_F(ReadoutTest, TheFirmwareArrivesByteForByteWithProgress) {
    const size_t size = 10'000; // enough for many packets, short enough for every test run
    sim.UpdateState([&](regsim::RegisterState& state) {
        state.Network.Readout.Sources[{5, 0}] = regsim::FirmwarePattern(size);
    });
    TForm45& form = *Form45;
    form.FormActivate();
    host.ChooseNextFile((Folder() / "fw.hex").string());
    form.Button1.Click();
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Чтение внутреннего ПО - успешно!"}));
    EXPECT_EQ(FileBytes("fw.hex"), regsim::FirmwarePattern(size));
    EXPECT_EQ(FrameData(0xE7), (std::vector<std::string>{"736204;5;;;"}));
    EXPECT_GT(FrameData(0xE8).size(), size / 200);
    EXPECT_EQ(form.ProgressBar1.Position(), 0);
    EXPECT_TRUE(form.Button1.Enabled());
}

TEST_F(ReadoutTest, StopsAndShortTransfersAreNeverASuccess) {
    TForm45& form = *Form45;
    form.FormActivate();
    int packets = 0;
    host.OnProcessMessages = [&] {
        if (++packets == 3) form.Button3.Click();
    };
    host.ChooseNextFile((Folder() / "fw.hex").string());
    form.Button1.Click();
    host.OnProcessMessages = nullptr;
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Чтение остановлено по запросу пользователя!"}));
    const std::string part = FileBytes("fw.hex");
    EXPECT_FALSE(part.empty());
    EXPECT_EQ(part, regsim::FirmwarePattern(256 * 1024).substr(0, part.size()));
    EXPECT_EQ(FrameData(0xE8).size(), 2u); // the packet under way is finished, no further one asked

    // The register ends early: an empty packet before the announced size.
    host.Clear();
    sim.UpdateState([](regsim::RegisterState& state) {
        state.Network.Readout.Sources[{3, 0}] = std::string(500, 'K');
    });
    sim.SetOverride(0xE7, {.Data = "900;"});
    host.ChooseNextFile((Folder() / "key.key").string());
    Form43->Button1.Click();
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Получено 500 байт из 900 - данные не полные!"}));

    host.Clear();
    sim.ClearOverrides();
    sim.SetOverride(0xE8, {.Data = "2;ABC;"});
    host.ChooseNextFile((Folder() / "key.key").string());
    Form43->Button1.Click();
    EXPECT_EQ(host.Texts(),
              (std::vector<std::string>{"Ошибка последовательного номера пакета - чтение остановлено!"}));

    host.Clear();
    sim.SetOverride(0xE8, {.Data = "0;AB\\"});
    host.ChooseNextFile((Folder() / "key.key").string());
    Form43->Button1.Click();
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Неверные данные пакета 0 - чтение остановлено!"}));
}

TEST_F(ReadoutTest, ADocumentGoesToTheChosenFolderUnderItsNumber) {
    TForm46& form = *Form46;
    form.Edit6.SetText("12");
    form.Edit8.SetText("BIN");
    EXPECT_EQ(form.Edit4.Text(), "12.BIN");
    form.DirectoryEdit1.SetText(Folder().string());
    form.Button2.Click();
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Нет данных!"}));
    EXPECT_FALSE(std::filesystem::exists(Folder() / "12.BIN"));
    EXPECT_EQ(LastFrame().Data, "736204;1;;12;");

    host.Clear();
    form.Edit6.SetText("1");
    form.Edit4.SetText("1.SIG");
    form.Button2.Click();
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Чтение документа - успешно!"}));
    EXPECT_EQ(FileBytes("1.SIG"), "SIGNED DOCUMENT 1\r\n");

    host.Clear();
    form.DirectoryEdit1.SetText((Folder() / "missing").string());
    form.Button2.Click();
    EXPECT_EQ(host.Texts(),
              (std::vector<std::string>{"Невозможно создать файл " +
                                        (Folder() / "missing" / "1.SIG").string() + ". Ошибка!"}));

    host.Clear();
    sim.ClearFrames();
    form.Edit6.SetText("x1");
    form.Button2.Click();
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Некорректный номер документа - ошибка!"}));
    EXPECT_EQ(sim.FrameCount(), 0u);

    Form43->RadioGroup1.SetItemIndex(2);
    host.ChooseNextFile((Folder() / "k.key").string());
    Form43->Button1.Click();
    EXPECT_EQ(FrameData(0xE7).back(), "736204;3;;2;");
}

// Each read-out window over the user's own file, or a link to it: what cp leaves when packets came
// (all, or those before the transfer ended early), the file as it was when none came or they could not
// all be written.
TEST_F(ReadoutTest, AReadOutLeavesTheUserFileAsCpWouldOrAsItWas) {
    const std::string data = regsim::FirmwarePattern(2000), old = "the user's own file";
    const struct {
        const char* name;
        regsim::ReadoutState::SourceKey source;
        std::function<void(const std::string& path)> start; // presses the window's button for the file
        std::string done;
    } windows[] = {
        {"firmware",
         {5, 0},
         [&](const std::string& path) {
             host.ChooseNextFile(path);
             Form45->FormActivate();
             Form45->Button1.Click();
         },
         "Чтение внутреннего ПО - успешно!"},
        {"public key",
         {3, 0},
         [&](const std::string& path) {
             host.ChooseNextFile(path);
             Form43->Button1.Click();
         },
         "Чтение открытого ключа - успешно!"},
        {"document",
         {1, 7},
         [&](const std::string& path) {
             Form46->Edit6.SetText("7");
             Form46->DirectoryEdit1.SetText(Folder().string());
             Form46->Edit4.SetText(std::filesystem::path(path).filename().string());
             Form46->Button2.Click();
         },
         "Чтение документа - успешно!"},
    };
    const std::string path = (Folder() / "readout.bin").string();
    const struct {
        const char* name;
        regsim::AnswerOverride sourceAnswer, packetAnswer; // E7h and every E8h
        std::string message;                               // empty: the window's success message
        std::optional<std::string> bytes;                  // nothing: the file as it was
        rlim_t fileSizeLimit = RLIM_INFINITY;
    } cases[] = {
        {"complete", {}, {}, "", data},
        {"no answer to the first packet",
         {},
         {.Silent = true},
         "ReadDataFromBuf ошибка:\n  Таймаут устройства! Ошибка!",
         std::nullopt},
        {"ended early", {.Data = "9000;"}, {}, "Получено 2000 байт из 9000 - данные не полные!", data},
        {"disk full half-way",
         {},
         {},
         "Ошибка записи в файл " + path + " - файл не изменён!",
         std::nullopt,
         1000},
    };
    for (const auto& window : windows)
        for (const UserFile kind : {UserFile::Private, UserFile::Link})
            for (const auto& c : cases) {
                SCOPED_TRACE(std::string(window.name) + ", " + NameOf(kind) + ", " + c.name);
                sim.UpdateState([&](regsim::RegisterState& state) {
                    state.Network.Readout.Sources[window.source] = data;
                });
                sim.ClearOverrides();
                if (c.sourceAnswer.Data) sim.SetOverride(0xE7, c.sourceAnswer);
                if (c.packetAnswer.Silent) sim.SetOverride(0xE8, c.packetAnswer);
                const UserFileCase user(Folder(), "readout.bin", kind, old);
                host.Clear();
                {
                    FileSizeLimit limit(c.fileSizeLimit);
                    window.start(path);
                }
                EXPECT_EQ(host.Texts(),
                          std::vector<std::string>{c.message.empty() ? window.done : c.message});
                user.ExpectLeft(c.bytes);
            }
}

TEST_F(ReadoutTest, ModemStateAndLastAcquirerSession) {
    sim.UpdateState([](regsim::RegisterState& state) { state.Network.Modem.StateByte = "A5"; });
    TForm51& state = *Form51;
    state.CheckBox8.SetChecked(true);
    state.Button28.Click();
    EXPECT_EQ(LastFrame().Data, "736204;1;");
    const std::vector<bool> ticked = {state.CheckBox9.Checked(),  state.CheckBox10.Checked(),
                                      state.CheckBox12.Checked(), state.CheckBox11.Checked(),
                                      state.CheckBox13.Checked(), state.CheckBox14.Checked(),
                                      state.CheckBox15.Checked(), state.CheckBox16.Checked()};
    EXPECT_EQ(ticked, (std::vector<bool>{true, false, true, false, false, true, false, true}));
    EXPECT_EQ(state.Edit32.Text(), "010124");

    Form44->Button2.Click();
    EXPECT_EQ(Form44->Edit35.Text(), "15-05-23 09:30");
    EXPECT_EQ(Form44->Edit1.Text(), "3");

    Form53->Button2.Click();
    EXPECT_EQ(Form53->Edit1.Text(), "050124");
    EXPECT_EQ(Form53->Edit2.Text(), "1815");
    sim.SetOverride(0xFC, {.Error = "0006", .Data = ""});
    Form53->Button2.Click();
    EXPECT_EQ(Form53->Edit1.Text(), "");
    EXPECT_EQ(Form53->Edit7.Text(), "0006");
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Состояние модема. Ошибка!"}));
}
} // namespace
