// The folder edit under the recording host: browsing, cancelling, the ";" list and drops of folders.
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "controls/directory_edit.h"
#include "controls/tests/fixture.h"
#include "controls/tests/temp_folder.h"

namespace {

class DirectoryEditTest : public ControlsTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.Made());
        for (const char* name : {"first", "second", "third"})
            std::filesystem::create_directory(dir / name);
        WriteFile(dir / "first/data.bin", "x");
    }
    // Drops the names on the edit as a file manager does: enter, then drop.
    static bool Drop(TDirectoryEdit& edit, const std::vector<std::string>& names) {
        QMimeData data;
        QList<QUrl> urls;
        for (const std::string& name : names)
            urls.push_back(QUrl::fromLocalFile(ToQ(name)));
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(edit.Widget(), &enter);
        if (!enter.isAccepted()) return false;
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(edit.Widget(), &drop);
        return drop.isAccepted();
    }
    TempFolder dir;
    TDirectoryEdit DirectoryEdit1;
};

TEST_F(DirectoryEditTest, TheDialogStartsAtTheTextOrTheRoot) {
    struct Case {
        std::string text, initialDir, startsAt;
    } cases[] = {
        {"", "", "/"},
        {dir / "missing", "", "/"},
        {"", dir / "second", dir / "second"},
        {"", dir / "missing", "/"},
        {dir / "first", dir / "second", dir / "first"},
    };
    for (const Case& c : cases) {
        host.Clear();
        DirectoryEdit1.SetText(c.text);
        DirectoryEdit1.SetInitialDir(c.initialDir);
        host.CancelNextDirectory();
        DirectoryEdit1.DoClick();
        ASSERT_EQ(host.DirectoryRequests().size(), 1u);
        EXPECT_EQ(host.DirectoryRequests()[0].directory, c.startsAt) << c.text << " | " << c.initialDir;
        EXPECT_EQ(DirectoryEdit1.Text(), c.text) << "a cancelled dialog changes nothing";
        EXPECT_EQ(DirectoryEdit1.InitialDir(), c.initialDir);
    }
}

TEST_F(DirectoryEditTest, AChosenFolderBecomesTheTextAndTheInitialFolder) {
    DirectoryEdit1.SetText(dir / "missing");
    host.ChooseNextDirectory(dir / "second/");
    DirectoryEdit1.DoClick();
    EXPECT_EQ(DirectoryEdit1.Text(), dir / "second");
    EXPECT_EQ(DirectoryEdit1.InitialDir(), dir / "second");

    DirectoryEdit1.SetMultipleDirs(true);
    host.ChooseNextDirectory(dir / "third");
    DirectoryEdit1.DoClick();
    EXPECT_EQ(DirectoryEdit1.Text(), dir / "second" + ";" + dir / "third");
    EXPECT_EQ(DirectoryEdit1.InitialDir(), dir / "third");
}

TEST_F(DirectoryEditTest, EventsAroundTheDialogAndTheFolderBrowserKind) {
    int before = 0;
    DirectoryEdit1.OnBeforeDialog = [&](TFileDirEdit&, std::string&, bool& action) { action = ++before > 1; };
    DirectoryEdit1.DoClick();
    EXPECT_TRUE(host.DirectoryRequests().empty()) << "the first browse is stopped before the dialog";

    DirectoryEdit1.OnAfterDialog = [&](TFileDirEdit&, std::string& name, bool&) { name += "/sub"; };
    DirectoryEdit1.SetDialogKind(dkWin32);
    DirectoryEdit1.SetDialogText("Папка для файлов");
    host.ChooseNextDirectory(dir / "first");
    DirectoryEdit1.DoClick();
    ASSERT_EQ(host.DirectoryRequests().size(), 1u);
    EXPECT_EQ(host.DirectoryRequests()[0].caption, "Папка для файлов");
    EXPECT_EQ(DirectoryEdit1.Text(), dir / "first/sub");
    EXPECT_EQ(DirectoryEdit1.InitialDir(), "") << "the changed name is no folder";

    DirectoryEdit1.SetReadOnly(true);
    DirectoryEdit1.DoClick();
    EXPECT_EQ(host.DirectoryRequests().size(), 1u) << "a read-only edit does not browse";
}

TEST_F(DirectoryEditTest, AMissingFolderIsMadeWhenTheOptionsSaySo) {
    DirectoryEdit1.SetDialogOptions(sdAllowCreate | sdPerformCreate | sdPrompt);
    host.ChooseNextDirectory(dir / "new/deeper");
    host.AnswerNext(mbNo);
    DirectoryEdit1.DoClick();
    EXPECT_EQ(DirectoryEdit1.Text(), "");
    host.ChooseNextDirectory(dir / "new/deeper");
    host.AnswerNext(mbYes);
    DirectoryEdit1.DoClick();
    EXPECT_EQ(DirectoryEdit1.Text(), dir / "new/deeper");
    EXPECT_TRUE(std::filesystem::is_directory(dir / "new/deeper"));
}

TEST_F(DirectoryEditTest, DropsOfFoldersAndFiles) {
    const std::string deep =
        dir / (std::string(120, 'a') + "/" + std::string(120, 'b') + "/" + std::string(40, 'c'));
    std::filesystem::create_directories(deep);
    struct Case {
        bool multiple;
        std::vector<std::string> dropped;
        std::string text;
    } cases[] = {
        {false, {dir / "first", dir / "second", dir / "third"}, dir / "first"},
        {true, {dir / "first", dir / "second"}, dir / "first" + ";" + dir / "second"},
        {false, {dir / "first/data.bin"}, dir / "first"},
        {false, {deep}, deep},
    };
    DirectoryEdit1.SetAcceptFiles(true);
    for (const Case& c : cases) {
        DirectoryEdit1.SetText("");
        DirectoryEdit1.SetMultipleDirs(c.multiple);
        int dropEvents = 0;
        DirectoryEdit1.OnDropFiles = [&] { ++dropEvents; };
        EXPECT_TRUE(Drop(DirectoryEdit1, c.dropped));
        EXPECT_EQ(DirectoryEdit1.Text(), c.text);
        EXPECT_EQ(dropEvents, 1);
    }
    EXPECT_GT(deep.size(), 255u);

    DirectoryEdit1.SetAcceptFiles(false);
    DirectoryEdit1.SetText("kept");
    EXPECT_FALSE(Drop(DirectoryEdit1, {dir / "first"}));
    EXPECT_EQ(DirectoryEdit1.Text(), "kept");
}

TEST_F(DirectoryEditTest, LongAndShortNamesOfEachFolder) {
    DirectoryEdit1.SetText(dir / "first;;" + dir / "second");
    EXPECT_EQ(DirectoryEdit1.LongName(), dir / "first;;" + dir / "second") << "one path without MultipleDirs";
    DirectoryEdit1.SetMultipleDirs(true);
    EXPECT_EQ(DirectoryEdit1.LongName(), dir / "first;" + dir / "second");
    EXPECT_EQ(DirectoryEdit1.ShortName(), dir / "first;" + dir / "second");
}

TEST_F(DirectoryEditTest, PictureOfTheEditInAWindow) {
    TForm form;
    form.SetCaption("Папка");
    Column(form).Field("Папка для файлов:", DirectoryEdit1);
    DirectoryEdit1.SetText("/home/technician/readout");
    const std::string path = std::string(::testing::TempDir()) + "/directory_edit.png";
    ASSERT_TRUE(GrabToPng(form, path));
    QImage picture(ToQ(path));
    ASSERT_FALSE(picture.isNull());
    // The folder glyph's yellow lies inside the button at the right edge of the edit.
    const QPoint corner = DirectoryEdit1.Widget()->mapTo(form.Widget(), QPoint(0, 0));
    bool yellow = false;
    for (int x = DirectoryEdit1.Width() - DirectoryEdit1.ButtonWidth(); x < DirectoryEdit1.Width(); ++x)
        for (int y = 0; y < DirectoryEdit1.Height(); ++y)
            yellow = yellow || PixelAt(picture, corner.x() + x, corner.y() + y) == clYellow;
    EXPECT_TRUE(yellow);
}

class FilenameEditTest : public ControlsTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.Made());
        WriteFile(dir / "report one.txt", "x");
    }
    TempFolder dir;
    TFilenameEdit FilenameEdit1;
};

TEST_F(FilenameEditTest, FileNamesAreCheckedAndQuoted) {
    struct Case {
        std::string name, text;
    } cases[] = {{"", ""},
                 {"/tmp/a.bin", "/tmp/a.bin"},
                 {"/tmp/a b.bin", "\"/tmp/a b.bin\""},
                 {"\"/tmp/a b.bin\"", "\"/tmp/a b.bin\""}};
    for (const Case& c : cases) {
        FilenameEdit1.SetFileName(c.name);
        EXPECT_EQ(FilenameEdit1.Text(), c.text);
    }
    EXPECT_EQ(FilenameEdit1.FileName(), "/tmp/a b.bin") << "taken out of its quotes";
    EXPECT_THROW(FilenameEdit1.SetFileName("a|b"), EComboEditError);
    FilenameEdit1.SetText(dir / "report one.txt");
    EXPECT_EQ(FilenameEdit1.FileName(), dir / "report one.txt") << "an existing file is taken whole";
}

TEST_F(FilenameEditTest, BrowseStartsInTheFilesFolderAndTakesTheChoice) {
    FilenameEdit1.SetText(dir / "report one.txt");
    host.ChooseNextFile(dir / "chosen file.bin");
    FilenameEdit1.DoClick();
    ASSERT_EQ(host.FileRequests().size(), 1u);
    EXPECT_EQ(host.FileRequests()[0].initialDir, dir.Path());
    EXPECT_EQ(host.FileRequests()[0].title, "Список");
    EXPECT_EQ(host.FileRequests()[0].filter, "Все файлы (*.*)|*.*");
    EXPECT_EQ(FilenameEdit1.FileName(), dir / "chosen file.bin");

    FilenameEdit1.SetDialogKind(dkSave);
    host.CancelNextFile();
    FilenameEdit1.DoClick();
    ASSERT_EQ(host.FileRequests().size(), 2u);
    EXPECT_TRUE(host.FileRequests()[1].save);
    EXPECT_EQ(host.FileRequests()[1].title, "Список") << "the new dialog keeps the settings";
    EXPECT_EQ(FilenameEdit1.FileName(), dir / "chosen file.bin");
}

} // namespace
