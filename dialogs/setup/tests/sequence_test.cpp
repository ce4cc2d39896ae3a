// Buttons that send several commands: everything typed is checked and every command formed before
// the first goes out, and a command that fails after others were taken names them. Reads sent when
// a window is shown carry only a password the register can take.
#include <filesystem>

#include <QImage>

#include "dialogs/setup/tests/setup_fixture.h"
#include "shell/tests/not_sent_case.h"
#include "shell/typed_fields.h"

namespace {

const std::string Taken = "\nРегистратор уже принял: ";

class SequenceTest;

struct SequenceCase {
    const char* name;
    TForm* (*window)();
    std::function<void(SequenceTest&)> fill; // in the shown window, after its activation
    std::function<void()> press;
    std::vector<std::string> messages;
    std::vector<int> codes;                        // of the frames the button sent, in order
    std::function<void(SequenceTest&)> after = {}; // what else the window shows
};

void PrintTo(const SequenceCase& c, std::ostream* os) {
    *os << c.name;
}

class SequenceTest : public SetupFixture, public testing::WithParamInterface<SequenceCase> {
public:
    void OpenPicture(int width, int height) {
        QImage picture(width, height, QImage::Format_RGB32);
        picture.fill(Qt::black);
        const std::string path = (Folder() / "logo.bmp").string();
        picture.save(QString::fromStdString(path), "BMP");
        host.ChooseNextFile(path);
        Form6->Button2.Click();
    }
    // The register answers the next `good` frames as usual and refuses the one after them.
    void RefuseAfter(unsigned good) {
        sim.SetOverrideForNext(good, {});
        sim.SetOverrideForNext(1, {.Error = "0006"});
    }
    void Refuse(uint8_t code) { sim.SetOverride(code, {.Error = "0006"}); }
    void ChooseFile(const std::string& name) { host.ChooseNextFile((Folder() / name).string()); }
    bool Exists(const std::string& name) const { return std::filesystem::exists(Folder() / name); }
};

TEST_P(SequenceTest, SendsTheWholeSequenceOrNamesWhatWasTaken) {
    const SequenceCase& c = GetParam();
    std::vector<std::string> texts;
    TForm* window = c.window();
    host.OnModal(window->ClassName(), [&](TForm& form) {
        sim.ClearFrames();
        c.fill(*this);
        host.Clear();
        c.press();
        texts = host.Texts();
        form.Close();
    });
    window->ShowModal();
    sim.ClearOverrides();
    EXPECT_EQ(texts, c.messages);
    std::vector<int> codes;
    for (const auto& frame : sim.Frames())
        codes.push_back(frame.Code);
    EXPECT_EQ(codes, c.codes);
    if (c.after) c.after(*this);
}

// A memo of three lines whose second is empty: two 34h, named by their memo line.
void FillReminder(const std::string& oldPassword) {
    Form38->Memo1.SetText("Пора на ТО\n\nзвоните 555");
    Form38->Edit2.SetText(oldPassword);
    Form38->Edit3.SetText("111111");
    Form38->Edit4.SetText("111111");
    Form38->Edit5.SetText("10");
}

// Header rows 0..2 and advertising row 0, single width, under the chosen operation.
void FillHeader(int operation) {
    for (int row = 1; row <= 3; ++row) {
        Form11->StringGrid1.SetCell(1, row, "Строка " + std::to_string(row));
        Form11->StringGrid1.SetCell(2, row, "одинарная ширина");
    }
    Form11->StringGrid2.SetCell(1, 1, "Спасибо");
    Form11->StringGrid2.SetCell(2, 1, "одинарная ширина");
    Form11->ComboBox1.SetItemIndex(operation);
    Form11->ComboBox1Change();
}

TForm* Reminder() {
    return Form38;
}
TForm* Header() {
    return Form11;
}
TForm* Logo() {
    return Form6;
}
TForm* PublicKey() {
    return Form43;
}
void SetReminder() {
    Form38->Button3.Click();
}
void PrintReminderReport() {
    Form38->Button1.Click();
}
void RunHeader() {
    Form11->Button2.Click();
}
void ProgramLogo() {
    Form6->Button3.Click();
}

using T = SequenceTest&;

// Nothing goes out when any command of the sequence cannot.
INSTANTIATE_TEST_SUITE_P(NothingSent, SequenceTest,
                         testing::Values(SequenceCase{"ReminderOldPasswordTooLong",
                                                      Reminder,
                                                      [](T) { FillReminder(TooLong); },
                                                      SetReminder,
                                                      {Unformable(0x35)},
                                                      {}},
                                         SequenceCase{"ReminderLineTooLong",
                                                      Reminder,
                                                      [](T) {
                                                          FillReminder("");
                                                          Form38->Memo1.SetText("Пора на ТО\n" + TooLong);
                                                      },
                                                      SetReminder,
                                                      {Unformable(0x34)},
                                                      {}},
                                         SequenceCase{"HeaderLineTooLong",
                                                      Header,
                                                      [](T) {
                                                          FillHeader(0);
                                                          Form11->StringGrid2.SetCell(1, 1, TooLong);
                                                      },
                                                      RunHeader,
                                                      {Unformable(0x22)},
                                                      {}},
                                         SequenceCase{"HeaderReadPasswordTooLong",
                                                      Header,
                                                      [](T) {
                                                          FillHeader(3);
                                                          Form11->Edit1.SetText(TooLong);
                                                      },
                                                      RunHeader,
                                                      {Unformable(0x23)},
                                                      {}},
                                         SequenceCase{"HeaderClearPasswordTooLong",
                                                      Header,
                                                      [](T) {
                                                          FillHeader(6);
                                                          Form11->Edit1.SetText(TooLong);
                                                      },
                                                      RunHeader,
                                                      {Unformable(0x22)},
                                                      {}},
                                         SequenceCase{"LogoPasswordTooLong",
                                                      Logo,
                                                      [](T test) {
                                                          test.OpenPicture(192, 3);
                                                          Form6->Edit1.SetText(TooLong);
                                                      },
                                                      ProgramLogo,
                                                      {Unformable(0x29)},
                                                      {}},
                                         SequenceCase{"PublicKeyPasswordTooLong",
                                                      PublicKey,
                                                      [](T test) {
                                                          Form43->Edit2.SetText(TooLong);
                                                          test.ChooseFile("key.KEY");
                                                      },
                                                      [] { Form43->Button1.Click(); },
                                                      {Unformable(0xE7)},
                                                      {},
                                                      [](T test) {
                                                          EXPECT_EQ(Form43->Edit7.Text(),
                                                                    ""); // no "0000" of an earlier answer
                                                          EXPECT_FALSE(test.Exists("key.KEY"));
                                                      }}),
                         [](const auto& info) { return std::string(info.param.name); });

// A command that fails after others were taken names them; the deliberate closing of the report's
// receipt still goes out.
INSTANTIATE_TEST_SUITE_P(
    Taken, SequenceTest,
    testing::Values(
        SequenceCase{"ReminderSettingRefused",
                     Reminder,
                     [](T) { FillReminder("999"); },
                     SetReminder,
                     {"Установить информацию о сервисном обслуживании:\n  Неверный пароль доступа!" + Taken +
                      "строка сообщения 1, строка сообщения 3."},
                     {0x34, 0x34, 0x35}},
        SequenceCase{"ReminderLineRefused",
                     Reminder,
                     [](T test) {
                         FillReminder("");
                         test.RefuseAfter(1);
                     },
                     SetReminder,
                     {"Добавить строку во временный буфер:\n  Неверный пароль доступа!" + Taken +
                      "строка сообщения 1."},
                     {0x34, 0x34}},
        SequenceCase{"ReminderReportRefused",
                     Reminder,
                     [](T test) { test.Refuse(0x84); },
                     PrintReminderReport,
                     {"Отчет об напоминании ТО:\n  Неверный пароль доступа!" + Taken + "открытие чека."},
                     {0x60, 0x84, 0x65}},
        SequenceCase{"ReminderReceiptNotClosed",
                     Reminder,
                     [](T test) { test.Refuse(0x65); },
                     PrintReminderReport,
                     {"Неверный пароль доступа!" + Taken + "открытие чека, отчет ТО."},
                     {0x60, 0x84, 0x65}},
        SequenceCase{
            "HeaderAdvertisingLineRefused",
            Header,
            [](T test) {
                FillHeader(0);
                test.RefuseAfter(3);
            },
            RunHeader,
            {"Рекламный текст.\n  Строка 0 :\n  Неверный пароль доступа!" + Taken + "строка заголовка 0-2."},
            {0x22, 0x22, 0x22, 0x22}},
        SequenceCase{"HeaderClearRefused",
                     Header,
                     [](T test) {
                         FillHeader(6);
                         test.RefuseAfter(3);
                     },
                     RunHeader,
                     {"Рекламный текст.\n  Строка 10 :\n  Неверный пароль доступа!" + Taken +
                      "строка заголовка 0-2."},
                     {0x22, 0x22, 0x22, 0x22}},
        SequenceCase{"HeaderReadRefused",
                     Header,
                     [](T test) {
                         FillHeader(4);
                         test.RefuseAfter(2);
                     },
                     RunHeader,
                     {"Заголовок.\n  Строка 2 :\n  Неверный пароль доступа!" + Taken +
                      "строка заголовка 0, строка заголовка 1."},
                     {0x23, 0x23, 0x23}},
        SequenceCase{"LogoPacketRefused",
                     Logo,
                     [](T test) {
                         test.OpenPicture(192, 3);
                         test.RefuseAfter(1);
                     },
                     ProgramLogo,
                     {"Ошибка записи логотипа" + Taken + "пакет логотипа 0."},
                     {0x29, 0x29}},
        SequenceCase{"LogoSizeRefused",
                     Logo,
                     [](T test) {
                         test.OpenPicture(192, 3);
                         test.Refuse(0x31);
                     },
                     ProgramLogo,
                     {"Ошибка записи логотипа" + Taken + "пакет логотипа 0-2."},
                     {0x29, 0x29, 0x29, 0x31}}),
    [](const auto& info) { return std::string(info.param.name); });

// A read sent on activation with a password holding ";" would split it into two fields: the window
// names the field and sends nothing. The logo window's maximum size is then unknown and shown empty;
// the remote-access fields keep what they showed, and the next showing reads again.
using ActivationReadTest = SetupFixture;

TEST_F(ActivationReadTest, IsNotSentWithASeparatorInItsPassword) {
    const struct {
        TForm* window;
        TEdit* password;
        std::string caption;
        uint8_t code;
        std::function<void()> before; // after a first showing with a good password
        std::function<std::vector<std::string>()> shown;
        std::vector<std::string> refusedShows, readShows;
    } rows[] = {
        {Form6,
         &Form6->Edit1,
         "Пароль для программирования:",
         0x80,
         [] {},
         [] {
             return std::vector<std::string>{Form6->Label5.Caption(), Form6->Label6.Caption()};
         },
         {"", ""},
         {"192", "96"}},
        {Form42,
         &Form42->Edit6,
         "Пароль:",
         0xD1,
         [] {
             Form42->Edit4.SetText("10.0.0.9");
             Form42->Edit5.SetText("1");
             Form42->RemoteAccessLoaded = false;
         },
         [] {
             return std::vector<std::string>{Form42->Edit4.Text(), Form42->Edit5.Text(),
                                             Form42->RemoteAccessLoaded ? "прочитано" : "не прочитано"};
         },
         {"10.0.0.9", "1", "не прочитано"},
         {"10.0.0.5", "8080", "прочитано"}},
    };
    for (const auto& row : rows) {
        const std::string where = row.window->ClassName();
        row.window->ShowModal();
        row.before();
        row.password->SetText("73;204");
        sim.ClearFrames();
        host.Clear();
        row.window->ShowModal();
        EXPECT_EQ(host.Texts(), std::vector<std::string>{FieldSeparatorMessage(row.caption)}) << where;
        EXPECT_EQ(sim.FrameCount(), 0u) << where;
        EXPECT_EQ(row.shown(), row.refusedShows) << where;

        row.password->SetText(DefaultPassword);
        host.Clear();
        row.window->ShowModal();
        EXPECT_TRUE(host.Texts().empty()) << where << ": " << testing::PrintToString(host.Texts());
        ASSERT_EQ(sim.FrameCount(), 1u) << where;
        EXPECT_EQ(sim.Frames()[0].Code, row.code) << where;
        EXPECT_EQ(sim.Frames()[0].Data, DefaultPassword + ";") << where;
        EXPECT_EQ(row.shown(), row.readShows) << where;
    }
}

} // namespace
