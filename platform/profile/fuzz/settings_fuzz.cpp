// Reads arbitrary bytes as a settings file: looks keys up, changes one and reads it back, and reads
// the file through the private-profile functions as the program does.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

#include "platform/profile/ini_document.h"
#include "platform/profile/profile.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

// A file in memory that the profile functions open by path.
const std::string& MemoryFile() {
    static const std::string path = "/proc/self/fd/" + std::to_string(memfd_create("fpinit.ini", 0));
    return path;
}

void WriteMemoryFile(const std::string& bytes) {
    const int fd = std::stoi(MemoryFile().substr(14));
    Require(ftruncate(fd, 0) == 0);
    Require(pwrite(fd, bytes.data(), bytes.size(), 0) == static_cast<ssize_t>(bytes.size()));
}

// A value that reads back as written: no line breaks, quotes or blanks at either end.
std::string PlainValue(std::string text) {
    std::erase_if(text, [](char c) { return c == '\r' || c == '\n' || c == '"' || c == '\''; });
    return TrimBlanks(text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    IniDocument document = IniDocument::Parse(bytes);
    if (document.Exact()) Require(document.Serialize() == bytes);
    for (const char* section : {"Files", "Communication", "A"})
        for (const char* key : {"File1", "Port", "B"})
            (void)document.Value(section, key);

    const std::string value = PlainValue(bytes.substr(0, 40));
    if (document.Exact() && document.Set("Files", "File1", value)) {
        const IniDocument again = IniDocument::Parse(document.Serialize());
        Require(again.Value("Files", "File1") == value);
    }

    WriteMemoryFile(bytes);
    (void)ReadProfileString(MemoryFile(), "Communication", "Port", "", 256);
    (void)ReadProfileInt(MemoryFile(), "Fiscal Printer", "Reply", 1);
    return 0;
}
