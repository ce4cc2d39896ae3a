// Message boxes, questions and file dialogs, answered by the recording host.
#include "platform/forms/tests/fixture.h"

namespace {

class DialogsTest : public FormsTest {};

TEST_F(DialogsTest, MessageTextsAreRecordedExactly) {
    ShowMessage("Файл fpinit.ini отсутствует.\n Создание файла!");
    ShowMessage("Проверка состояния регистратора:\n  ");
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Файл fpinit.ini отсутствует.\n Создание файла!",
                                                      "Проверка состояния регистратора:\n  "}));
    EXPECT_EQ(host.Messages()[0].kind, MessageRequest::Message);
    EXPECT_EQ(host.Messages()[0].caption, Application->Title());
}

TEST_F(DialogsTest, MessageBoxButtonSetsAndResults) {
    const struct {
        unsigned flags;
        std::vector<TMsgDlgBtn> buttons;
        TMsgDlgBtn answer;
        int result;
    } cases[] = {
        {MB_OK, {mbOK}, mbOK, IDOK},
        {MB_OKCANCEL, {mbOK, mbCancel}, mbCancel, IDCANCEL},
        {MB_YESNO | MB_ICONQUESTION, {mbYes, mbNo}, mbNo, IDNO},
        {MB_YESNOCANCEL, {mbYes, mbNo, mbCancel}, mbYes, IDYES},
        {MB_RETRYCANCEL, {mbRetry, mbCancel}, mbRetry, IDRETRY},
        {MB_ABORTRETRYIGNORE, {mbAbort, mbRetry, mbIgnore}, mbIgnore, IDIGNORE},
    };
    for (const auto& c : cases) {
        host.Clear();
        host.AnswerNext(c.answer);
        EXPECT_EQ(MessageBox("Продолжать?", "Ввод текста", c.flags), c.result);
        EXPECT_EQ(host.Messages().back().buttons, c.buttons);
        EXPECT_EQ(host.Messages().back().caption, "Ввод текста");
    }
}

TEST_F(DialogsTest, UnansweredQuestionTakesTheFirstButton) {
    EXPECT_EQ(Application->MessageBox("Данные будут записаны в выбранный файл. Продолжать?", "", MB_OKCANCEL),
              IDOK);
    EXPECT_EQ(host.Messages().back().caption, Application->Title());
    EXPECT_EQ(MessageDlg("Удалить?", mtConfirmation, {mbYes, mbNo}), mrYes);
    EXPECT_EQ(host.Messages().back().caption, "Подтверждение");
    EXPECT_EQ(host.Messages().back().kind, MessageRequest::Dialog);
}

TEST_F(DialogsTest, FiltersParseAndMatchIgnoringCase) {
    const auto entries = ParseFilter("Бинарные файлы (*.bin)|*.BIN|Все файлы (*.*)|*.*|Логотип|*.bmp;*.BMP");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].description, "Бинарные файлы (*.bin)");
    EXPECT_EQ(entries[0].patterns, std::vector<std::string>{"*.BIN"});
    EXPECT_EQ(entries[2].patterns, (std::vector<std::string>{"*.bmp", "*.BMP"}));
    EXPECT_TRUE(ParseFilter("").empty());

    const struct {
        const char* name;
        const char* pattern;
        bool matches;
    } cases[] = {
        {"image.bin", "*.BIN", true},  {"IMAGE.Bin", "*.bin", true}, {"image.bin.bak", "*.BIN", false},
        {"README", "*.*", true},       {"1.SIG", "?.sig", true},     {"12.SIG", "?.sig", false},
        {"товары.art", "*.ART", true}, {"a.txt", "*.TXT", true},     {"a.tx", "*.TXT", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MatchesPattern(c.name, c.pattern), c.matches) << c.name << " " << c.pattern;
}

TEST_F(DialogsTest, OpenAndSaveDialogsAskTheHostAndAddTheDefaultExtension) {
    TSaveDialog SaveDialog1;
    SaveDialog1.SetTitle("Чтение данныхт из флеш-памяти в файл");
    SaveDialog1.SetDefaultExt("bin");
    SaveDialog1.SetFilter("Бинарные файлы (*.bin)|*.BIN|Все файлы (*.*)|*.*");
    SaveDialog1.SetInitialDir("/tmp");
    host.ChooseNextFile("/tmp/flash");
    ASSERT_TRUE(SaveDialog1.Execute());
    EXPECT_EQ(SaveDialog1.FileName(), "/tmp/flash.bin");
    ASSERT_EQ(host.FileRequests().size(), 1u);
    EXPECT_TRUE(host.FileRequests()[0].save);
    EXPECT_EQ(host.FileRequests()[0].title, "Чтение данныхт из флеш-памяти в файл");
    EXPECT_EQ(host.FileRequests()[0].initialDir, "/tmp");

    TOpenDialog OpenDialog1;
    OpenDialog1.SetDefaultExt("ART");
    OpenDialog1.SetFileName("*.art");
    host.ChooseNextFile("/data/goods.txt");
    ASSERT_TRUE(OpenDialog1.Execute());
    EXPECT_EQ(OpenDialog1.FileName(), "/data/goods.txt");
    EXPECT_FALSE(host.FileRequests()[1].save);
    EXPECT_EQ(host.FileRequests()[1].fileName, "*.art");

    EXPECT_FALSE(OpenDialog1.Execute()); // nothing queued: cancelled
    EXPECT_EQ(OpenDialog1.FileName(), "/data/goods.txt");
}

TEST_F(DialogsTest, SelectDirectoryKeepsTheFolderWhenCancelled) {
    std::string folder = "/home";
    host.CancelNextDirectory();
    EXPECT_FALSE(SelectDirectory("Выбор папки", "", folder));
    EXPECT_EQ(folder, "/home");
    host.ChooseNextDirectory("/tmp/out");
    EXPECT_TRUE(SelectDirectory("Выбор папки", "", folder));
    EXPECT_EQ(folder, "/tmp/out");
    EXPECT_EQ(host.DirectoryRequests()[0].directory, "/home");
}

} // namespace
