#include "monitor/taken_lines.h"

#include "shell/command_sequence.h"

void TakenLines::Add(int lineNumber) {
    lines_.insert(lineNumber);
    ++commands_;
}

// Lines in a row are one range: "1-3, 5".
std::string TakenLines::Note() const {
    if (lines_.empty()) return "";
    std::string ranges;
    for (auto line = lines_.begin(); line != lines_.end();) {
        const int first = *line;
        int last = first;
        while (++line != lines_.end() && *line == last + 1)
            ++last;
        ranges += (ranges.empty() ? "" : ", ") + std::to_string(first);
        if (last != first) ranges += "-" + std::to_string(last);
    }
    std::string taken = (lines_.size() == 1 ? "строка " : "строки ") + ranges;
    if (commands_ > static_cast<int64_t>(lines_.size()))
        taken += " (всего команд: " + std::to_string(commands_) + ")";
    return TakenBeforeNote(taken);
}
