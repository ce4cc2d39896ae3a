// Form placement and storage through both stores, with the files edited by hand in between.
#include <QGuiApplication>
#include <QScreen>
#include <cstdlib>

#include "controls/tests/temp_folder.h"
#include "kit/app_utils.h"
#include "kit/placement.h"
#include "platform/forms/tests/fixture.h"

namespace {

class TPlaced : public TForm {
public:
    TPlaced() {
        SetCaption("Окно");
        Edit1.SetName("Edit1");
        CheckBox1.SetName("CheckBox1");
        CheckBox1.SetCaption("Флаг");
        Column(*this).Field("Текст:", Edit1).Add(CheckBox1);
        FormStorage1.StoredProps = {{"Edit1.Text"}, {"CheckBox1.Checked"}};
        FormStorage1.StoredValues.Add("Counter").Value = TVariant{int64_t{0}};
        FormStorage1.Loaded();
    }
    TEdit Edit1;
    TCheckBox CheckBox1;
    TFormStorage FormStorage1{*this};
};

class PlacementTest : public FormsTest {
protected:
    PlacementTest() {
        const char* previous = std::getenv("XDG_CONFIG_HOME");
        previousConfig_ = previous ? previous : "";
        setenv("XDG_CONFIG_HOME", dir.Path().c_str(), 1);
    }
    ~PlacementTest() override {
        if (previousConfig_.empty())
            unsetenv("XDG_CONFIG_HOME");
        else
            setenv("XDG_CONFIG_HOME", previousConfig_.c_str(), 1);
    }
    // The file behind a store: the initialisation file, or the registry key's file.
    std::string FileOf(bool useRegistry) {
        return useRegistry ? TRegIniFile::KeyFileName("Software\\Kaltor\\Tests", prCurrentUser)
                           : dir / "placed.ini";
    }
    void Configure(TFormPlacement& placement, bool useRegistry) {
        placement.SetUseRegistry(useRegistry);
        placement.SetIniFileName(useRegistry ? "Software\\Kaltor\\Tests" : dir / "placed.ini");
    }
    static void Replace(std::string& text, const std::string& from, const std::string& to) {
        const size_t at = text.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        text.replace(at, from.size(), to);
    }
    TempFolder dir;
    std::string previousConfig_;
};

TEST_F(PlacementTest, PlacementAndValuesRoundTripThroughBothStoresWithAHandEditInBetween) {
    for (bool useRegistry : {false, true}) {
        {
            TPlaced form;
            Configure(form.FormStorage1, useRegistry);
            form.Show();
            form.Widget()->move(40, 50);
            form.Widget()->resize(300, 200);
            form.Edit1.SetText("Сервисный режим");
            form.CheckBox1.SetChecked(true);
            form.FormStorage1.SetStoredValue("Counter", TVariant{int64_t{7}});
            form.Close();
        }
        std::string text = ReadFile(FileOf(useRegistry));
        for (const char* line :
             {"[TPlaced]", "FormVersion=0", "ShowCmd=1", "NormPos=40,50,340,250", "Visible=0",
              "Edit1_Text=Сервисный режим", "CheckBox1_Checked=True", "Counter=7"})
            EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
        EXPECT_NE(text.find("NormPos("), std::string::npos);

        // By hand: another text, another place, and the plain position key only.
        Replace(text, "Edit1_Text=Сервисный режим", "Edit1_Text=Правка вручную");
        Replace(text, "NormPos=40,50,340,250", "NormPos=60, 70, 460, 370");
        const size_t suffixed = text.find("NormPos(");
        text.erase(suffixed, text.find('\n', suffixed) - suffixed + 1);
        WriteFile(FileOf(useRegistry), text);

        TPlaced again;
        Configure(again.FormStorage1, useRegistry);
        again.Show();
        EXPECT_EQ(again.Edit1.Text(), "Правка вручную") << useRegistry;
        EXPECT_TRUE(again.CheckBox1.Checked());
        EXPECT_EQ(again.FormStorage1.GetStoredValue("Counter"), TVariant{std::string("7")});
        EXPECT_EQ(again.Left(), 60);
        EXPECT_EQ(again.Top(), 70);
        EXPECT_EQ(again.Width(), 400);
        EXPECT_EQ(again.Height(), 300);
        again.Hide();
    }
}

TEST_F(PlacementTest, AFormDestroyedWithoutClosingSavesEverythingThroughBothStores) {
    for (bool useRegistry : {false, true}) {
        {
            TPlaced form;
            Configure(form.FormStorage1, useRegistry);
            form.Show();
            form.Edit1.SetText("Без закрытия");
            form.CheckBox1.SetChecked(true);
            form.FormStorage1.SetStoredValue("Counter", TVariant{int64_t{9}});
        } // destroyed while shown
        const std::string text = ReadFile(FileOf(useRegistry));
        EXPECT_NE(text.find("Visible=1"), std::string::npos) << text;
        TPlaced again;
        Configure(again.FormStorage1, useRegistry);
        again.Show();
        EXPECT_EQ(again.Edit1.Text(), "Без закрытия") << useRegistry;
        EXPECT_TRUE(again.CheckBox1.Checked()) << useRegistry;
        EXPECT_EQ(again.FormStorage1.GetStoredValue("Counter"), TVariant{std::string("9")}) << useRegistry;
        again.Hide();
    }
}

// The registry keeps any text; the file shows escapes only where the settings file would lose something.
TEST_F(PlacementTest, RegistryValuesComeBackExactly) {
    const std::string file = TRegIniFile::KeyFileName("Software\\Kaltor\\Values", prCurrentUser);
    TRegIniFile key("Software\\Kaltor\\Values");
    const std::string values[] = {"'quoted'",   "\"double\"",    "  blanks  ", "line1\r\nline2\nline3",
                                  "tab\tend\t", "C:\\temp\\new", "back\\",     "\"",
                                  "",           "\x01\x7f",      "\"one side", "Сервис = режим"};
    for (const std::string& value : values) {
        ASSERT_TRUE(key.WriteString("S", "Key", value)) << value;
        EXPECT_EQ(TRegIniFile("Software\\Kaltor\\Values", prCurrentUser, true).ReadString("S", "Key", "-"),
                  value);
    }
    key.WriteString("S", "Path", "C:\\temp\\new");
    EXPECT_NE(ReadFile(file).find("Path=C:\\temp\\new\n"), std::string::npos) << "a plain value stays plain";
    // Written by hand without the quotes: read as the settings file reads it.
    WriteFile(file, "[S]\nA=  spaced  \nB='single'\nC=\"in \\t quotes\"\n");
    EXPECT_EQ(key.ReadString("S", "A", ""), "spaced");
    EXPECT_EQ(key.ReadString("S", "B", ""), "single");
    EXPECT_EQ(key.ReadString("S", "C", ""), "in \t quotes");
    EXPECT_EQ(key.ReadString("S", "Missing", " fallback "), " fallback ");
}

class TFixed : public TForm {
public:
    TFixed() {
        SetBorderStyle(bsDialog);
        FormPlacement1.Loaded();
    }
    TFormPlacement FormPlacement1{*this};
};

class TSizeable : public TForm {
public:
    TSizeable() { FormPlacement1.Loaded(); }
    TFormPlacement FormPlacement1{*this};
};

TEST_F(PlacementTest, APlacementKeepsTheFormsOwnSizeLimits) {
    TFixed fixed;
    fixed.Show();
    const QSize natural = fixed.Widget()->size();
    fixed.Widget()->resize(20, 20);
    EXPECT_EQ(fixed.Widget()->size(), natural) << "a fixed border keeps its size";
    fixed.FormPlacement1.MinMaxInfo().Set(TWinMinMaxInfo::MinTrackWidth, 10);
    fixed.Widget()->resize(20, 20);
    EXPECT_EQ(fixed.Widget()->size(), natural);
    fixed.Hide();

    TSizeable form;
    form.Show();
    form.Widget()->resize(20, 20);
    const QSize least = form.Widget()->size();
    EXPECT_GE(least.width(), 240);
    EXPECT_GE(least.height(), 80);
    TWinMinMaxInfo& info = form.FormPlacement1.MinMaxInfo();
    info.Set(TWinMinMaxInfo::MinTrackWidth, 100); // below the form's own: the form's own counts
    form.Widget()->resize(20, 20);
    EXPECT_EQ(form.Widget()->size(), least);
    info.Set(TWinMinMaxInfo::MinTrackWidth, 400);
    info.Set(TWinMinMaxInfo::MaxTrackHeight, 500);
    form.Widget()->resize(20, 900);
    EXPECT_EQ(form.Widget()->size(), QSize(400, 500));
    info.Set(TWinMinMaxInfo::MinTrackWidth, 0);
    info.Set(TWinMinMaxInfo::MaxTrackHeight, 0);
    form.Widget()->resize(20, 20);
    EXPECT_EQ(form.Widget()->size(), least) << "no limits of the placement: the form's own again";
    form.Hide();
}

TEST_F(PlacementTest, DefaultIniDataAndFindingForms) {
    TPlaced form;
    Configure(form.FormStorage1, false);
    std::string file, section;
    GetDefaultIniData(&form.Edit1, file, section, false);
    EXPECT_EQ(file, dir / "placed.ini") << "the window's placement names the file";
    EXPECT_EQ(section, "TPlacedEdit1");
    TEdit loose;
    loose.SetName("Loose");
    GetDefaultIniData(&loose, file, section, true);
    EXPECT_EQ(file, GetDefaultIniRegKey());
    EXPECT_EQ(section, "Loose");
    GetDefaultIniData(&form, file, section, false);
    EXPECT_EQ(section, "TPlaced");

    TSizeable* made = nullptr;
    InstantiateForm(made);
    ASSERT_NE(made, nullptr);
    TSizeable* same = made;
    InstantiateForm(made);
    EXPECT_EQ(made, same) << "an existing reference is kept";
    made->Widget()->showMinimized();
    EXPECT_EQ(FindShowForm<TSizeable>(), made);
    EXPECT_FALSE(made->Widget()->isMinimized());
    EXPECT_TRUE(made->Widget()->isVisible());
    TSizeable* titled = FindShowForm<TSizeable>("Второе");
    EXPECT_NE(titled, made) << "another caption: a new window";
    EXPECT_EQ(titled->Caption(), "Второе");
    EXPECT_EQ(FindShowForm<TSizeable>("Второе"), titled);
    Application->DestroyForms();
}

TEST_F(PlacementTest, AnOlderVersionSkipsTheRestoreButTheNextSaveWritesTheNewVersion) {
    {
        TPlaced form;
        Configure(form.FormStorage1, false);
        form.Show();
        form.Edit1.SetText("old");
        form.Close();
    }
    TPlaced form;
    Configure(form.FormStorage1, false);
    form.FormStorage1.SetVersion(2);
    form.Show();
    EXPECT_EQ(form.Edit1.Text(), "");
    EXPECT_TRUE(form.FormStorage1.Restored());
    form.Close();
    TIniFile ini(dir / "placed.ini");
    EXPECT_EQ(ini.ReadInteger("TPlaced", "FormVersion", -1), 2);
}

TEST_F(PlacementTest, PositionNeedsTheSamePixelsPerInchAndAFixedBorderKeepsTheSize) {
    TIniFile ini(dir / "placed.ini");
    ini.WriteString("TPlaced", "NormPos", "10,20,510,420");
    struct Case {
        int pixelsPerInch;
        TBorderStyle border;
        int left, width;
    } cases[] = {{0, bsSizeable, 10, 500}, {0, bsDialog, 10, -1}, {1, bsSizeable, 99, -1}};
    for (const Case& c : cases) {
        TPlaced form;
        Configure(form.FormStorage1, false);
        form.SetBorderStyle(c.border);
        form.Widget()->move(99, 99);
        const int naturalWidth = form.Width();
        ini.WriteString(
            "TPlaced", "PixelsPerInch",
            IntToStr(c.pixelsPerInch ? 1 : qRound(QGuiApplication::primaryScreen()->logicalDotsPerInch())));
        ReadFormPlacement(form, &ini, "TPlaced", false, true);
        EXPECT_EQ(form.Left(), c.left);
        EXPECT_EQ(form.Width(), c.width < 0 ? naturalWidth : c.width);
    }
}

TEST_F(PlacementTest, QuotedValuesReadBackAsTheyWere) {
    TIniFile ini(dir / "quotes.ini");
    struct Case {
        std::string value, inFile;
    } cases[] = {
        {"'both'", "\"'both'\""}, {"\"double\"", "\"\"double\"\""}, {"'one", "'one"}, {"plain", "plain"}};
    for (const Case& c : cases) {
        ini.WriteString("S", "Key", c.value);
        EXPECT_NE(ReadFile(dir / "quotes.ini").find("Key=" + c.inFile), std::string::npos) << c.value;
        EXPECT_EQ(ini.ReadString("S", "Key", ""), c.value);
    }
}

TEST_F(PlacementTest, EraseSectionsTakesTheSectionAndItsChildrenOnly) {
    TPlaced form;
    Configure(form.FormStorage1, false);
    WriteFile(dir / "placed.ini",
              "[TPlaced]\na=1\n[TPlaced.Sub]\nb=2\n[TPlaced\\Sub]\nc=3\n[TPlacedX]\nd=4\n");
    form.FormStorage1.EraseSections();
    EXPECT_EQ(ReadFile(dir / "placed.ini"), "[TPlacedX]\nd=4\n");
}

TEST_F(PlacementTest, StoredValuesNamesAndScrambledTexts) {
    TPlaced form;
    Configure(form.FormStorage1, false);
    EXPECT_THROW(form.FormStorage1.StoredValues.Add("COUNTER"), Exception);
    EXPECT_EQ(form.FormStorage1.StoredValues.Count(), 1);
    EXPECT_TRUE(VarIsNull(form.FormStorage1.GetStoredValue("Missing")));
    TStoredValue& secret = form.FormStorage1.StoredValues.Add("Password");
    secret.KeyString = "key";
    secret.Value = TVariant{std::string("736204")};
    form.FormStorage1.SaveFormPlacement(); // not restored yet: nothing is written
    EXPECT_FALSE(Exists(dir / "placed.ini"));
    form.FormStorage1.RestoreFormPlacement();
    form.FormStorage1.SaveFormPlacement();
    const std::string stored = TIniFile(dir / "placed.ini").ReadString("TPlaced", "Password", "");
    EXPECT_FALSE(stored.empty());
    EXPECT_NE(stored, "736204");
    secret.Value = Unassigned;
    form.FormStorage1.RestoreFormPlacement();
    EXPECT_EQ(secret.Value, TVariant{std::string("736204")});
}

TEST(AppUtilsTest, TextsNamesAndUniqueFiles) {
    EXPECT_EQ(StrToIniStr("a\r\nb\n\rc\rd\ne"), "a\\nb\\nc\\nd\\ne");
    EXPECT_EQ(IniStrToStr("a\\nb"), "a\r\nb");
    EXPECT_THROW(StrToIniStr(std::string(4097, 'x')), Exception);
    EXPECT_EQ(IniReadString(nullptr, "S", "K", "fallback"), "fallback");

    TempFolder dir;
    WriteFile(dir / "log0.txt", "");
    WriteFile(dir / "log1.txt", "");
    EXPECT_EQ(GetUniqueFileNameInDir(dir.Path(), "log%d.txt"), "log2.txt");
    EXPECT_EQ(GetUniqueFileNameInDir(dir.Path(), "log0.txt"), "");
    WriteFile(dir / "LOG000.TXT", "");
    EXPECT_EQ(GetUniqueFileNameInDir(dir.Path(), "LOG%3.3d.TXT"), "LOG001.TXT");
    EXPECT_EQ(GetUniqueFileNameInDir(dir.Path(), "a%3d|%-3d|%x%%"), "a  0|0  |0%");
    EXPECT_EQ(GetUniqueFileNameInDir(dir.Path(), "log%s.txt"), "log%s.txt");
    SetAppCompanyName("Kivrel");
    EXPECT_TRUE(GetDefaultIniRegKey().starts_with("Software\\Kivrel\\"));
    SetAppCompanyName("");
}

} // namespace
