// The program's file and folder dialogs, really shown: sizes and dates in Russian and whole on any
// desktop, each filter named once, and file names matched whatever their case.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QFileDialog>
#include <QHeaderView>
#include <QTimer>
#include <QTreeView>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/qt_texts.h"
#include "platform/forms/forms.h"
#include "platform/forms/tests/run_until.h"

namespace {

// Qt's file dialogs keep their column widths in the user's Qt settings. These tests keep theirs in a
// folder of their own, chosen before Qt reads any setting and removed at the end, so that they
// neither read nor change the user's.
class OwnQtSettings {
public:
    OwnQtSettings()
        : folder_(std::filesystem::temp_directory_path() /
                  ("kaltor-qt-settings-" + std::to_string(::getpid()))) {
        ::setenv("XDG_CONFIG_HOME", folder_.c_str(), 1);
    }
    ~OwnQtSettings() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    OwnQtSettings(const OwnQtSettings&) = delete;
    OwnQtSettings& operator=(const OwnQtSettings&) = delete;

private:
    std::filesystem::path folder_;
};
const OwnQtSettings kOwnQtSettings;

// What Qt's file dialog keeps when a user made its size and date columns narrow: it keeps its state
// when it goes.
void SaveNarrowColumns() {
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAttribute(Qt::WA_DontShowOnScreen);
    dialog.show();
    QHeaderView* header = dialog.findChild<QTreeView*>()->header();
    header->resizeSection(1, 12);
    header->resizeSection(3, 12);
    dialog.reject();
}

// The texts of one row of the detail view, and whether its name, size and date columns show theirs
// whole.
struct Row {
    std::string type, size, date;
    bool whole = false;
};

// What a test saw in a dialog while it was shown.
struct Seen {
    std::map<std::string, Row> rows; // by file name
    std::vector<std::string> filters;
};

// Sets a file's or folder's modification time to this local time.
void SetModified(const std::filesystem::path& path, const QDateTime& when) {
    const timespec time{static_cast<time_t>(when.toSecsSinceEpoch()), 0};
    const timespec times[2] = {time, time};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0) << path;
}

// A column shows its texts whole when it is as wide as its widest text and its caption, and lies in
// the visible part of the view.
bool ColumnWhole(QTreeView& view, int column) {
    const QHeaderView& header = *view.header();
    const int width = header.sectionSize(column);
    const QAbstractItemView& items = view; // the tree view's own widest text, through the public base
    return width >= items.sizeHintForColumn(column) && width >= header.sectionSizeHint(column) &&
           header.sectionViewportPosition(column) >= 0 &&
           header.sectionViewportPosition(column) + width <= view.viewport()->width();
}

// The rows of the dialog's detail view, once the files named are all in it.
Seen Look(QFileDialog& dialog, const std::vector<std::string>& expected) {
    Seen seen;
    auto* view = dialog.findChild<QTreeView*>();
    if (!view) return seen;
    auto rows = [&] {
        std::map<std::string, Row> found;
        QAbstractItemModel* model = view->model();
        for (int row = 0; row < model->rowCount(view->rootIndex()); ++row) {
            auto text = [&](int column) {
                return model->index(row, column, view->rootIndex()).data().toString().toStdString();
            };
            found[text(0)] = {text(2), text(1), text(3),
                              ColumnWhole(*view, 0) && ColumnWhole(*view, 1) && ColumnWhole(*view, 3)};
        }
        return found;
    };
    // The file system model reads the folder on a thread of its own.
    RunUntil(
        [&] {
            const auto found = rows();
            for (const auto& name : expected)
                if (!found.count(name) || !found.at(name).whole) return false;
            return true;
        },
        5000);
    seen.rows = rows();
    if (auto* types = dialog.findChild<QComboBox*>("fileTypeCombo"))
        for (int i = 0; i < types->count(); ++i)
            seen.filters.push_back(types->itemText(i).toStdString());
    if (const char* folder = std::getenv("KALTOR_PICTURES")) {
        const std::string name = dialog.fileMode() == QFileDialog::Directory ? "FolderDialog" : "FileDialog";
        GrabToPng(dialog,
                  std::string(folder) + "/" + name + "-" + QLocale::system().name().toStdString() + ".png");
    }
    return seen;
}

class FileDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureApplication();
        ASSERT_TRUE(UseRussianQtTexts())
            << "Qt's Russian translation is missing (package qt6-translations-l10n)";
        folder_ =
            std::filesystem::temp_directory_path() / ("kaltor-file-dialog-" + std::to_string(::getpid()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_ / "Архив");
        std::ofstream(folder_ / "known.txt") << std::string(44, 'x');
        std::ofstream(folder_ / "UPPER.TXT") << std::string(1536, 'x');
        std::ofstream(folder_ / "image.bin") << "x";
        for (const char* name : {"known.txt", "UPPER.TXT", "image.bin", "Архив"})
            SetModified(folder_ / name, QDateTime(QDate(2024, 12, 7), QTime(10, 5)));
        SaveNarrowColumns();
        SetUiHost(&qt_);
    }
    void TearDown() override {
        SetUiHost(nullptr);
        std::filesystem::remove_all(folder_);
    }

    // Shows the dialog through the host, looks at it once the files named are in it, and cancels it.
    Seen Show(const std::function<void()>& show, const std::vector<std::string>& expected) {
        Seen seen;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            seen = Look(*dialog, expected);
            dialog->reject();
        });
        show();
        return seen;
    }

    std::filesystem::path folder_;
    QtUiHost qt_;
};

TEST_F(FileDialogTest, TheFileDialogShowsRussianSizesAndDatesWholeAndEachFilterOnce) {
    // A size under a kilobyte takes the noun in the form its number asks for.
    const std::pair<int, std::string> small[] = {{0, "0 байт"},    {1, "1 байт"},     {2, "2 байта"},
                                                 {5, "5 байт"},    {11, "11 байт"},   {21, "21 байт"},
                                                 {22, "22 байта"}, {111, "111 байт"}, {112, "112 байт"}};
    std::vector<std::string> names = {"known.txt", "UPPER.TXT"};
    for (const auto& [bytes, text] : small) {
        names.push_back("size" + std::to_string(bytes) + ".txt");
        std::ofstream(folder_ / names.back()) << std::string(bytes, 'x');
    }
    FileRequest request;
    request.filter = "Текстовые файлы (*.txt)|*.txt|Все файлы (*.*)|*.*|Образы|*.bin;*.img||*.log";
    request.initialDir = folder_.string();
    const Seen seen = Show([&] { EXPECT_EQ(qt_.ChooseFile(request), std::nullopt); }, names);

    EXPECT_EQ(seen.filters,
              (std::vector<std::string>{"Текстовые файлы (*.txt)", "Все файлы (*.*)", "Образы", "*.log"}));
    // The first filter matches either case and nothing else.
    ASSERT_EQ(seen.rows.size(), 12u) << (seen.rows.empty() ? "" : seen.rows.begin()->first);
    for (const auto& [bytes, text] : small)
        EXPECT_EQ(seen.rows.at("size" + std::to_string(bytes) + ".txt").size, text);
    const struct {
        std::string name, size, date;
    } expected[] = {
        {"known.txt", "44 байта", "07.12.2024 10:05"},
        {"UPPER.TXT", "1,50 кБ", "07.12.2024 10:05"},
        {"Архив", "", "07.12.2024 10:05"},
    };
    for (const auto& file : expected) {
        ASSERT_TRUE(seen.rows.count(file.name)) << file.name;
        const Row& row = seen.rows.at(file.name);
        EXPECT_EQ(row.size, file.size) << file.name;
        EXPECT_EQ(row.date, file.date) << file.name;
        EXPECT_TRUE(row.whole) << file.name
                               << ": the name, size or date column does not show its texts whole";
    }
    EXPECT_EQ(seen.rows.at("Архив").type, "Папка");
}

TEST_F(FileDialogTest, TheFolderDialogShowsRussianDatesWhole) {
    std::string chosen = folder_.string();
    const Seen seen = Show([&] { EXPECT_FALSE(SelectDirectory("Выбор каталога", "", chosen)); }, {"Архив"});
    ASSERT_EQ(seen.rows.size(), 1u);
    const Row& row = seen.rows.at("Архив");
    EXPECT_EQ(row.type, "Папка");
    EXPECT_EQ(row.size, "");
    EXPECT_EQ(row.date, "07.12.2024 10:05");
    EXPECT_TRUE(row.whole);
}

} // namespace
