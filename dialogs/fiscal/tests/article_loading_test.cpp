#include "dialogs/fiscal/article_file.h"
#include "dialogs/fiscal/tests/fiscal_fixture.h"

namespace {

using ArticleLoadingTest = FiscalFixture;
using Lines = std::vector<std::string>;

TEST_F(ArticleLoadingTest, FilesAreReadAsUtf8OrCp1251WithEitherLineEnd) {
    const struct {
        std::string name, bytes;
        Lines lines;
    } cases[] = {
        {"utf8.art",
         "1;Хлеб;10.00;1;1;\r\n2;Молоко;25.50;1;1;\r\n",
         {"1;Хлеб;10.00;1;1;", "2;Молоко;25.50;1;1;"}},
        {"cp1251.ART",
         "3;\xD1\xFB\xF0;99.90;2;1;\n\n4;\xCC\xE5\xE4;1.00;1;2;",
         {"3;Сыр;99.90;2;1;", "", "4;Мед;1.00;1;2;"}},
        {"empty.art", "", {}},
    };
    for (const auto& c : cases) {
        const std::string path = WriteFile(c.name, c.bytes);
        host.ChooseNextFile(path);
        Form20->Button1.Click();
        EXPECT_EQ(Form20->Memo1.Lines().ToVector(), c.lines) << c.name;
        EXPECT_EQ(Form20->Label3.Caption(), path);
    }
    const FileRequest& asked = host.FileRequests().back();
    EXPECT_EQ(asked.defaultExt, "ART");
    EXPECT_EQ(asked.fileName, "*.art");
    EXPECT_EQ(asked.filter, "Product filse -  ART|*.ART|AllFiles (*.*)|*.*");

    // Cancelling keeps what was loaded; a file that cannot be read is the library's error.
    host.CancelNextFile();
    Form20->Button1.Click();
    EXPECT_EQ(Form20->Label3.Caption(), (Folder() / "empty.art").string());
    host.ChooseNextFile((Folder() / "missing.art").string());
    Form20->Button1.Click();
    ASSERT_EQ(host.Messages().size(), 1u);
    EXPECT_EQ(host.Messages()[0].kind, MessageRequest::Error);
    EXPECT_NE(host.Messages()[0].text.find("Cannot open file"), std::string::npos);
    EXPECT_EQ(Form20->Label3.Caption(), (Folder() / "empty.art").string());
}

TEST_F(ArticleLoadingTest, EveryLineIsSentAndRefusedLinesAreNamedAtTheEnd) {
    const struct {
        Lines memo;
        Lines sent;
        std::string message;
    } cases[] = {
        {{}, {}, "Завершено"},
        {{"1;Хлеб;10.00;1;1;", "2;Молоко;25.50;1;1;"},
         {"736204;1;Хлеб;10.00;1;1;", "736204;2;Молоко;25.50;1;1;"},
         "Завершено"},
        {{"1;Хлеб;10.00;1;1;", "", "x;Нет;1.00;1;1;", "5;Чай;3.00;1;1;"},
         {"736204;1;Хлеб;10.00;1;1;", "736204;", "736204;x;Нет;1.00;1;1;", "736204;5;Чай;3.00;1;1;"},
         "Завершено\nНе записано строк: 2 (первая: строка 2)"},
    };
    for (const auto& c : cases) {
        sim.ClearFrames();
        host.Clear();
        Form20->Memo1.Lines().Assign(c.memo);
        Form20->Button2.Click();
        EXPECT_EQ(DataOf(0x24), c.sent);
        EXPECT_EQ(Codes().size(), c.sent.size());
        EXPECT_EQ(host.Texts(), Lines{c.message});
        EXPECT_EQ(Form20->ProgressBar1.Max(), static_cast<int>(c.memo.size()));
        EXPECT_EQ(Form20->ProgressBar1.Position(), static_cast<int>(c.memo.size()));
    }
    EXPECT_EQ(sim.State().Articles.size(), 3u);
    EXPECT_EQ(sim.State().Articles.at(2).Name, "Молоко");
    EXPECT_TRUE(Form20->StatusBar1.SimpleText().empty());
}

TEST_F(ArticleLoadingTest, ASilentRegisterLeavesTheTimeoutNoticeAndTheLoopRunsToTheEnd) {
    sim.SetOverride(0x24, {.Silent = true});
    Form20->Memo1.Lines().Assign(Lines{"1;Хлеб;10.00;1;1;", "2;Молоко;25.50;1;1;"});
    Form20->Button2.Click();
    EXPECT_EQ(Form20->StatusBar1.SimpleText(), "Ошибка! Таймаут устройства! ");
    EXPECT_EQ(host.Texts(), Lines{"Завершено\nНе записано строк: 2 (первая: строка 1)"});

    // Clearing keeps the file name, so the receipt does not ask again.
    Form20->Label3.SetCaption("/tmp/goods.art");
    Form20->Button3.Click();
    EXPECT_TRUE(Form20->Memo1.Lines().ToVector().empty());
    EXPECT_EQ(Form20->Label3.Caption(), "/tmp/goods.art");
}

TEST(ArticleCode, TheTextBeforeTheFirstSemicolonAsA64BitInteger) {
    EXPECT_EQ(ArticleCode("1234567890123;Хлеб;1.00;1;1;"), 1234567890123);
    EXPECT_EQ(ArticleCode("42"), 42);
    for (const char* line : {"", ";1;", "Хлеб;1;", "12a;x;"})
        EXPECT_THROW(ArticleCode(line), EConvertError) << line;
}

} // namespace
