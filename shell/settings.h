#pragma once
// The settings file fpinit.ini. There is no copy in memory: every reader asks the file when it
// needs a value and every writer changes one key at once. The file is Session.IniFileName; when
// that is empty, reads give the defaults and writes fail.
#include <climits>
#include <cstddef>
#include <string>

struct TextSetting {
    const char* Section;
    const char* Key;
    const char* Default; // when the file or the key is missing
    size_t BufferSize;   // a value is cut to BufferSize - 1 characters
};

struct IntSetting {
    const char* Section;
    const char* Key;
    int Default;
    int Min = INT_MIN; // a value read outside Min..Max is taken as the nearer bound
    int Max = INT_MAX;
};

namespace settings {
inline constexpr IntSetting CountryCode{"CountryMode", "Country code", 0};
inline constexpr IntSetting ExtendedTax{"Fiscal Printer", "ExtendedTax", 0};
// Resends per command. Each resend blocks the window for 2 s (3 s on the USB port) plus up to 5 s of
// silence, so ten bound one command to about a minute; a link that needs more is broken anyway.
inline constexpr IntSetting Reply{"Fiscal Printer", "Reply", 1, 0, 10};
inline constexpr IntSetting Log{"LogFile", "Log", 0};
inline constexpr TextSetting LogName{"LogFile", "LogName", "Kaltor.log", 300};
inline constexpr TextSetting Terminal{"Communication", "Terminal", "", 10};
// Port names here may be paths (pseudo-terminals, links), so the port keys hold a whole path.
inline constexpr TextSetting Port{"Communication", "Port", "", 256};
inline constexpr TextSetting Speed{"Communication", "Speed", "", 10};
inline constexpr TextSetting PriorityLevel{"Priority", "Level", "medium", 20};
inline constexpr TextSetting ElJournal{"Priority", "ElJournal", "", 20};
inline constexpr IntSetting UkrVersion{"UkrVer", "Version", -1};

inline constexpr int RecentFileCount = 5;
// [Files] File1 to File5, the script monitor's recent files; n from 1.
TextSetting RecentFile(int n);
} // namespace settings

std::string ReadSetting(const TextSetting& setting);
int ReadSetting(const IntSetting& setting);
// False when the key could not be written; the user is then told (once for the file).
bool WriteSetting(const TextSetting& setting, const std::string& value);
// Tells the user, once for each settings file, that it cannot be created or written and that the
// defaults are used.
void TellSettingsUnwritable();

bool SettingsFileExists();
// Creates the file empty and writes the four keys a new file starts with; false when it cannot.
bool CreateSettingsFile();
