// Reads arbitrary bytes as an article file, judges every line and takes its code, as article loading
// does.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "dialogs/fiscal/article_file.h"
#include "platform/forms/errors.h"

namespace {
void Require(bool condition) {
    if (!condition) std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = ArticleLinesOfBytes(bytes);
    Require(lines.size() <= size + 1);
    int number = 0;
    for (const std::string& line : lines) {
        Require(line.find('\n') == std::string::npos);
        if (!ArticleLineParses(line)) Require(!ArticleLineRefusal(line, ++number).empty());
        try {
            (void)ArticleCode(line);
        } catch (const EConvertError&) {
        }
    }
    return 0;
}
