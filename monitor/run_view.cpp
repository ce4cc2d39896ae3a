#include "monitor/run_view.h"

#include <algorithm>

#include "platform/clock/clock.h"

void RunView::SetRunning(bool running) {
    running_ = running;
    if (!running) Flush();
}

void RunView::AddLine(const std::string& line) {
    lines_.push_back(line);
    if (!running_ || Due()) Flush();
}

void RunView::SetText(TEdit& edit, const std::string& text) {
    auto known =
        std::find_if(texts_.begin(), texts_.end(), [&](const auto& shown) { return shown.first == &edit; });
    if (known != texts_.end())
        known->second = text;
    else
        texts_.emplace_back(&edit, text);
    if (!running_ || Due()) Flush();
}

bool RunView::Due() const {
    return MonotonicMs() - flushedAt_ >= IntervalMs;
}

void RunView::Flush() {
    flushedAt_ = MonotonicMs();
    for (const auto& [edit, text] : texts_)
        edit->SetText(text);
    texts_.clear();
    if (lines_.empty()) return;
    std::string text;
    for (const std::string& line : lines_)
        text += (text.empty() ? "" : "\n") + line;
    lines_.clear();
    messages_.Lines().Add(text); // one line per "\n", in one insertion
}
