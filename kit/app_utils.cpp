#include "kit/app_utils.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QScreen>
#include <QWidget>
#include <cctype>
#include <cstdlib>
#include <sys/stat.h>

#include "controls/file_utils.h"
#include "kit/placement.h"
#include "platform/forms/application.h"
#include "platform/forms/control.h"
#include "platform/forms/grid.h"

namespace {

constexpr size_t kMaxIniLine = 4096;

std::function<std::string()>& IniNameHook() {
    static std::function<std::string()> hook;
    return hook;
}
std::string& CompanyName() {
    static std::string company;
    return company;
}
bool& UseTitle() {
    static bool use = false;
    return use;
}

std::string ProgramBaseName() {
    return FromQ(QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName());
}

std::string ConfigFolder() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && *config == '/') return config;
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : "/tmp") + "/.config";
}

std::string ScreenSuffix() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize size = screen ? screen->size() : QSize(0, 0);
    return "(" + std::to_string(size.width()) + "x" + std::to_string(size.height()) + ")";
}

int PixelsPerInch() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? qRound(screen->logicalDotsPerInch()) : 96;
}

// Numbers split at blanks and commas; missing ones keep their fallback.
std::vector<int> Numbers(const std::string& text, std::vector<int> fallback) {
    size_t index = 0;
    std::string word;
    for (char c : text + ",") {
        if (c == ' ' || c == ',') {
            if (!word.empty() && index < fallback.size())
                fallback[index] = StrToIntDef(word, fallback[index]);
            if (!word.empty()) ++index;
            word.clear();
        } else {
            word += c;
        }
    }
    return fallback;
}

std::string Joined(const std::vector<int>& numbers) {
    std::string text;
    for (int n : numbers)
        text += (text.empty() ? "" : ",") + std::to_string(n);
    return text;
}

// Written first under the key with the screen size, then under the plain key; read in the same order.
void WritePosition(TCustomIniFile* ini, const std::string& section, const std::string& key,
                   const std::string& value) {
    IniWriteString(ini, section, key + ScreenSuffix(), value);
    IniWriteString(ini, section, key, value);
}
std::string ReadPosition(TCustomIniFile* ini, const std::string& section, const std::string& key) {
    std::string value = IniReadString(ini, section, key + ScreenSuffix(), "");
    return value.empty() ? IniReadString(ini, section, key, "") : value;
}

int ShowCommandOf(const TForm& form) {
    const QWidget* widget = form.Widget();
    if (widget->isMinimized()) return 2;
    if (widget->isMaximized()) return 3;
    return 1;
}

bool Sizeable(const TForm& form) {
    return form.BorderStyle() == bsSizeable || form.BorderStyle() == bsSizeToolWin;
}

void LoadPosition(TForm& form, TCustomIniFile* ini, const std::string& section) {
    const std::string minMax = ReadPosition(ini, section, "MinMaxPos");
    const std::string normal = ReadPosition(ini, section, "NormPos");
    const bool found = (!minMax.empty() || !normal.empty()) &&
                       IniReadInteger(ini, section, "PixelsPerInch", PixelsPerInch()) == PixelsPerInch();
    if (!found) return;
    std::vector<int> rect =
        Numbers(normal, {form.Left(), form.Top(), form.Left() + form.Width(), form.Top() + form.Height()});
    if (!Sizeable(form)) {
        rect[2] = rect[0] + form.Width();
        rect[3] = rect[1] + form.Height();
    }
    if (rect[2] <= rect[0]) return;
    if (form.Position() == poScreenCenter || form.Position() == poDesktopCenter) form.SetPosition(poDesigned);
    form.Widget()->move(rect[0], rect[1]);
    form.Widget()->resize(rect[2] - rect[0], rect[3] - rect[1]);
}

void LoadState(TForm& form, TCustomIniFile* ini, const std::string& section) {
    const TForm* mainForm = Application ? Application->MainForm() : nullptr;
    Qt::WindowStates state = Qt::WindowNoState;
    if ((!mainForm || mainForm == &form) && form.Position() == poDefault) state = Qt::WindowMaximized;
    switch (IniReadInteger(ini, section, "ShowCmd", 0)) {
    case 1:
    case 5:
    case 9:
        state = Qt::WindowNoState;
        break;
    case 2:
    case 6:
    case 7:
        state = Qt::WindowMinimized;
        break;
    case 3:
        state = Qt::WindowMaximized;
        break;
    default:
        break;
    }
    form.Widget()->setWindowState(state);
}

} // namespace

std::string GetDefaultSection(const TForm* form) {
    return form ? form->ClassName() : "";
}

std::string GetDefaultSection(const TControl* control) {
    if (!control) return "";
    if (const TForm* form = control->ParentForm()) return form->ClassName() + control->Name();
    return control->Name();
}

std::string GetDefaultIniName() {
    if (IniNameHook()) return IniNameHook()();
    return ConfigFolder() + "/" + ProgramBaseName() + ".ini";
}

void SetDefaultIniNameHook(std::function<std::string()> hook) {
    IniNameHook() = std::move(hook);
}

std::string GetDefaultIniRegKey() {
    std::string key = "Software\\";
    if (!CompanyName().empty()) key += CompanyName() + "\\";
    const std::string title = Application ? Application->Title() : "";
    return key + (UseTitle() && !title.empty() ? title : ProgramBaseName());
}

void SetAppCompanyName(const std::string& company) {
    CompanyName() = company;
}

void SetUseAppTitle(bool useTitle) {
    UseTitle() = useTitle;
}

std::string StrToIniStr(const std::string& text) {
    if (text.size() > kMaxIniLine) throw Exception("Line too long");
    std::string result;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            result += c;
            continue;
        }
        result += "\\n";
        const char next = i + 1 < text.size() ? text[i + 1] : 0;
        if ((next == '\r' || next == '\n') && next != c) ++i; // CR LF and LF CR are one break
    }
    return result;
}

std::string IniStrToStr(const std::string& text) {
    if (text.size() > kMaxIniLine) throw Exception("Line too long");
    std::string result;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            result += "\r\n";
            ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}

std::string IniReadString(TCustomIniFile* ini, const std::string& section, const std::string& ident,
                          const std::string& fallback) {
    return ini ? ini->ReadString(section, ident, fallback) : fallback;
}
void IniWriteString(TCustomIniFile* ini, const std::string& section, const std::string& ident,
                    const std::string& value) {
    if (ini) ini->WriteString(section, ident, value);
}
int IniReadInteger(TCustomIniFile* ini, const std::string& section, const std::string& ident, int fallback) {
    return ini ? ini->ReadInteger(section, ident, fallback) : fallback;
}
void IniWriteInteger(TCustomIniFile* ini, const std::string& section, const std::string& ident, int value) {
    if (ini) ini->WriteInteger(section, ident, value);
}
bool IniReadBool(TCustomIniFile* ini, const std::string& section, const std::string& ident, bool fallback) {
    return ini ? ini->ReadBool(section, ident, fallback) : fallback;
}
void IniWriteBool(TCustomIniFile* ini, const std::string& section, const std::string& ident, bool value) {
    if (ini) ini->WriteBool(section, ident, value);
}
void IniEraseSection(TCustomIniFile* ini, const std::string& section) {
    if (ini) ini->EraseSection(section);
}
void IniDeleteKey(TCustomIniFile* ini, const std::string& section, const std::string& ident) {
    if (ini) ini->DeleteKey(section, ident);
}
std::vector<std::string> IniReadSections(TCustomIniFile* ini) {
    return ini ? ini->ReadSections() : std::vector<std::string>{};
}

void WriteFormPlacement(TForm& form, TCustomIniFile* ini, const std::string& section) {
    IniWriteInteger(ini, section, "Flags", 0);
    IniWriteInteger(ini, section, "ShowCmd", ShowCommandOf(form));
    IniWriteInteger(ini, section, "PixelsPerInch", PixelsPerInch());
    // This desktop keeps no minimised or maximised positions of its own.
    WritePosition(ini, section, "MinMaxPos", "-1,-1,-1,-1");
    WritePosition(ini, section, "NormPos",
                  Joined({form.Left(), form.Top(), form.Left() + form.Width(), form.Top() + form.Height()}));
}

void ReadFormPlacement(TForm& form, TCustomIniFile* ini, const std::string& section, bool loadState,
                       bool loadPosition) {
    if (!loadState && !loadPosition) return;
    if (loadPosition) LoadPosition(form, ini, section);
    if (loadState) LoadState(form, ini, section);
    form.Repaint();
}

void SaveFormPlacement(TForm& form, const std::string& iniFileName, bool useRegistry) {
    if (useRegistry) {
        TRegIniFile ini(iniFileName);
        WriteFormPlacement(form, &ini, form.ClassName());
    } else {
        TIniFile ini(iniFileName);
        WriteFormPlacement(form, &ini, form.ClassName());
    }
}

void RestoreFormPlacement(TForm& form, const std::string& iniFileName, bool useRegistry) {
    if (useRegistry) {
        TRegIniFile ini(iniFileName, prCurrentUser, true);
        ReadFormPlacement(form, &ini, form.ClassName(), true, true);
    } else {
        TIniFile ini(iniFileName);
        ReadFormPlacement(form, &ini, form.ClassName(), true, true);
    }
}

void SaveMDIChildren(TForm&, TCustomIniFile*) {
    throw EInvalidOperation("Cannot create form. No MDI forms are currently active");
}

void RestoreMDIChildren(TForm&, TCustomIniFile*) {
    throw EInvalidOperation("Cannot create form. No MDI forms are currently active");
}

void SaveGridLayout(TStringGrid& grid, TCustomIniFile* ini) {
    const std::string section = GetDefaultSection(&grid);
    for (int col = 0; col < grid.ColCount(); ++col)
        IniWriteInteger(ini, section, "Item" + std::to_string(col), grid.ColWidth(col));
}

void RestoreGridLayout(TStringGrid& grid, TCustomIniFile* ini) {
    const std::string section = GetDefaultSection(&grid);
    for (int col = 0; col < grid.ColCount(); ++col)
        grid.SetColWidth(col, IniReadInteger(ini, section, "Item" + std::to_string(col), grid.ColWidth(col)));
}

namespace {

// One integer placeholder of a name mask, "%[-][width][.precision]d" (also "u", and "x" for upper-case
// hexadecimal): at least precision digits, padded with zeros; then at least width characters, padded
// with blanks on the left (on the right with "-"). Locale-free.
std::string FormattedNumber(int64_t n, bool leftJustify, int width, int precision, char kind) {
    std::string digits;
    if (kind == 'x') {
        static const char hex[] = "0123456789ABCDEF";
        for (uint64_t v = static_cast<uint64_t>(n); v != 0 || digits.empty(); v /= 16)
            digits.insert(digits.begin(), hex[v % 16]);
    } else {
        digits = std::to_string(n);
    }
    if (static_cast<int>(digits.size()) < precision) digits.insert(0, precision - digits.size(), '0');
    if (static_cast<int>(digits.size()) < width)
        digits.insert(leftJustify ? digits.end() : digits.begin(), width - digits.size(), ' ');
    return digits;
}

// The mask with every integer placeholder replaced by n and "%%" by "%"; anything else stays as written.
std::string FormatMask(const std::string& mask, int64_t n) {
    std::string name;
    for (size_t i = 0; i < mask.size(); ++i) {
        if (mask[i] != '%') {
            name += mask[i];
            continue;
        }
        if (mask.compare(i, 2, "%%") == 0) {
            name += '%';
            ++i;
            continue;
        }
        size_t at = i + 1;
        const bool left = at < mask.size() && mask[at] == '-';
        if (left) ++at;
        const auto number = [&] {
            int value = 0;
            while (at < mask.size() && std::isdigit(static_cast<unsigned char>(mask[at])) && value < 1000)
                value = value * 10 + (mask[at++] - '0');
            return value;
        };
        const int width = number();
        int precision = 0;
        if (at < mask.size() && mask[at] == '.') {
            ++at;
            precision = number();
        }
        const char kind =
            at < mask.size() ? static_cast<char>(std::tolower(static_cast<unsigned char>(mask[at]))) : 0;
        if (kind != 'd' && kind != 'u' && kind != 'x') {
            name += mask[i];
            continue;
        }
        name += FormattedNumber(n, left, width, precision, kind);
        i = at;
    }
    return name;
}

} // namespace

std::string GetUniqueFileNameInDir(const std::string& path, const std::string& fileNameMask) {
    const std::string folder = NormalDir(path);
    std::string previous;
    for (int64_t n = 0; n < (int64_t{1} << 31); ++n) {
        const std::string name = FormatMask(fileNameMask, n);
        struct stat info {};
        if (lstat((folder + name).c_str(), &info) != 0) return name;
        if (name == previous) break; // no placeholder: one name only
        previous = name;
    }
    return "";
}

namespace {

void DefaultIniData(const TForm* form, std::string& iniFileName, bool useRegistry) {
    const TFormPlacement* placement = form ? FirstPlacementOf(*form) : nullptr;
    iniFileName = placement ? placement->IniFileName() : "";
    if (iniFileName.empty()) iniFileName = useRegistry ? GetDefaultIniRegKey() : GetDefaultIniName();
}

} // namespace

void GetDefaultIniData(const TControl* control, std::string& iniFileName, std::string& section,
                       bool useRegistry) {
    DefaultIniData(control ? control->ParentForm() : nullptr, iniFileName, useRegistry);
    section = GetDefaultSection(control);
}

void GetDefaultIniData(const TForm* form, std::string& iniFileName, std::string& section, bool useRegistry) {
    DefaultIniData(form, iniFileName, useRegistry);
    section = GetDefaultSection(form);
}

void RestoreFromMinimised(TForm& form) {
    QWidget* widget = form.Widget();
    if (widget && widget->isMinimized()) widget->setWindowState(widget->windowState() & ~Qt::WindowMinimized);
}

std::vector<TForm*> ScreenForms() {
    std::vector<TForm*> forms;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (TForm* form = TForm::FormOf(widget); form && form->Widget() == widget) forms.push_back(form);
    return forms;
}
