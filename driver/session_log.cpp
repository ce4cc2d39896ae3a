#include "driver/session_log.h"

#include <cstdio>
#include <filesystem>

#include "driver/link.h"
#include "platform/text/text.h"

namespace {

constexpr size_t MaxLogNameChars = 299;
// Any non-empty text with an empty second text asks for the session-end line.
const std::string SessionEndRequest = "end";

std::string logFileName;
std::string logPath;
bool logFailed = false;

// The path is fixed at the first line: the current folder at that moment and the name.
bool EnsureLogPath() {
    if (!logPath.empty()) return true;
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::current_path(error);
    if (error) return false;
    logPath = folder.string() + "/" + logFileName;
    return true;
}

std::string SessionLine(const char* title) {
    return std::string(title) + FormatLogTimeStamp(LocalNow()) + " \n";
}

std::string EntryLines(const std::string& text, const std::string& secondText) {
    return ";" + FormatLogTimeStamp(LocalNow()) + "  " + text + "\n" + secondText + "\n";
}

// The file is opened and closed for every call, so that it is complete on disk after each one.
void AppendToLog(const std::string& lines) {
    std::FILE* file = std::fopen(logPath.c_str(), "a");
    logFailed = !file;
    if (!file) return;
    const bool written = std::fwrite(lines.data(), 1, lines.size(), file) == lines.size();
    logFailed = std::fclose(file) != 0 || !written;
}

} // namespace

std::string FormatLogTimeStamp(const LocalDateTime& time) {
    char text[64];
    std::snprintf(text, sizeof text, "%2d-%02d-%4d %2d:%02d:%02d", time.Day, time.Month, time.Year, time.Hour,
                  time.Minute, time.Second);
    return text;
}

const std::string& SessionLogPath() {
    return logPath;
}

void ResetSessionLog() {
    logFileName.clear();
    logPath.clear();
    logFailed = false;
}

bool SessionLogFailed() {
    return logFailed;
}

void SetLogFileName(const std::string& name) {
    logFileName = CharLeft(name, MaxLogNameChars);
    if (logFileName.empty()) logFailed = false;
}

bool SessionLogOn() {
    return !logFileName.empty();
}

void WriteSessionLog(const std::string& text, const std::string& secondText) {
    if (logFileName.empty()) return;
    if (!EnsureLogPath()) {
        logFailed = true;
        return;
    }
    if (text.empty())
        AppendToLog(SessionLine(";Начало сеанса   "));
    else if (!secondText.empty())
        AppendToLog(EntryLines(text, secondText));
    else
        AppendToLog(SessionLine(";Конец Сеанса   "));
}

void LogSessionStart() {
    WriteSessionLog("", "");
}
void LogSessionEnd() {
    WriteSessionLog(SessionEndRequest, "");
}
