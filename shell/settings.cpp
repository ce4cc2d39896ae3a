#include "shell/settings.h"

#include <algorithm>
#include <array>
#include <climits>

#include "platform/forms/dialogs.h"
#include "platform/profile/profile.h"
#include "shell/session.h"

namespace settings {
TextSetting RecentFile(int n) {
    static const std::array<const char*, RecentFileCount> keys{"File1", "File2", "File3", "File4", "File5"};
    const int index = (n >= 1 && n <= RecentFileCount) ? n - 1 : 0;
    return {"Files", keys[index], "", PATH_MAX}; // any path the system can open comes back whole
}
} // namespace settings

std::string ReadSetting(const TextSetting& setting) {
    return ReadProfileString(Session.IniFileName, setting.Section, setting.Key, setting.Default,
                             setting.BufferSize);
}

int ReadSetting(const IntSetting& setting) {
    const int value = ReadProfileInt(Session.IniFileName, setting.Section, setting.Key, setting.Default);
    return std::clamp(value, setting.Min, setting.Max);
}

bool WriteSetting(const TextSetting& setting, const std::string& value) {
    const bool written = WriteProfileString(Session.IniFileName, setting.Section, setting.Key, value);
    if (!written) TellSettingsUnwritable();
    return written;
}

void TellSettingsUnwritable() {
    // Told once per file: the activation after every dialog and every connect would repeat it.
    static std::string toldFor;
    const std::string& file = Session.IniFileName;
    if (file.empty() || file == toldFor) return;
    toldFor = file;
    ShowMessage("Файл настроек fpinit.ini не может быть создан или записан:\n" + file +
                "\nИспользуются значения по умолчанию, выбранные настройки не сохраняются.");
}

bool SettingsFileExists() {
    return FileExists(Session.IniFileName);
}

bool CreateSettingsFile() {
    const std::string& file = Session.IniFileName;
    if (!CreateEmptyFile(file)) return false;
    // The written values differ from the read defaults on purpose ("1", "kaltor.log").
    return WriteProfileString(file, "CountryMode", "Country code", "0") &&
           WriteProfileString(file, "Fiscal Printer", "ExtendedTax", "1") &&
           WriteProfileString(file, "LogFile", "Log", "0") &&
           WriteProfileString(file, "LogFile", "LogName", "kaltor.log");
}
