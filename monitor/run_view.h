#pragma once
// What a script run shows in the monitor window, put there at most every IntervalMs rather than line
// by line: each insertion into the message list and each new text of an edit lays the control out
// again, which costs more than the exchange with the register, or than a line without a command.
// Outside a run everything shows at once.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/forms/forms.h"

class RunView {
public:
    explicit RunView(TMemo& messages) : messages_(messages) {}

    // Leaving the run shows everything gathered.
    void SetRunning(bool running);
    void AddLine(const std::string& line);
    void SetText(TEdit& edit, const std::string& text);
    // Drops the lines not shown yet (the message list is being cleared).
    void DropLines() { lines_.clear(); }

    // Time to show what was gathered.
    bool Due() const;
    void Flush();

private:
    static constexpr int64_t IntervalMs = 40;
    TMemo& messages_;
    bool running_ = false;
    std::vector<std::string> lines_;
    std::vector<std::pair<TEdit*, std::string>> texts_; // the last text of each edit, in order
    int64_t flushedAt_ = 0;
};
