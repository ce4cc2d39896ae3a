#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>

#include "platform/forms/controls.h"
#include "platform/forms/event_hook.h"

// The lines of a memo, read from and written to the widget's text. A final line break does not
// start another line, as in the library. Counting, reading a line and adding one at the end go by
// the document's blocks (one per line), so a memo that collects a long log stays fast.
class TMemo::LineList : public TStrings {
public:
    explicit LineList(QPlainTextEdit& edit) : edit_(edit) {}
    int Count() const override {
        const QTextDocument& document = *edit_.document();
        if (document.isEmpty()) return 0;
        return document.blockCount() - (EndsWithBreak() ? 1 : 0);
    }
    std::string Strings(int index) const override {
        CheckIndex(index, Count());
        return FromQ(edit_.document()->findBlockByNumber(index).text());
    }
    void Put(int index, const std::string& text) override {
        auto lines = All();
        CheckIndex(index, static_cast<int>(lines.size()));
        lines[index] = text;
        Store(lines);
    }
    void Insert(int index, const std::string& text) override {
        const int count = Count();
        CheckIndex(index, count + 1);
        if (index == count) {
            Append(text, count == 0);
            return;
        }
        auto lines = All();
        lines.insert(lines.begin() + index, text);
        Store(lines);
    }
    void Delete(int index) override {
        auto lines = All();
        CheckIndex(index, static_cast<int>(lines.size()));
        lines.erase(lines.begin() + index);
        Store(lines);
    }
    void Clear() override { edit_.clear(); }

private:
    std::vector<std::string> All() const {
        const QString text = edit_.toPlainText();
        std::vector<std::string> lines;
        if (text.isEmpty()) return lines;
        for (const QString& line : text.split('\n'))
            lines.push_back(FromQ(line));
        if (text.endsWith('\n')) lines.pop_back();
        return lines;
    }
    void Store(const std::vector<std::string>& lines) {
        QStringList texts;
        for (const auto& line : lines)
            texts << ToQ(line);
        QString text = texts.join('\n');
        if (!lines.empty() && lines.back().empty()) text += FinalBreak;
        edit_.setPlainText(text);
    }
    // A last line that is empty needs a line break of its own: without it, it would read as the
    // ignored final line break of the line before.
    static constexpr char FinalBreak = '\n';
    // Adds a line at the end and scrolls to it, without rewriting the whole text.
    void Append(const std::string& text, bool empty) {
        QTextCursor cursor(edit_.document());
        cursor.movePosition(QTextCursor::End);
        cursor.insertText((empty || EndsWithBreak() ? QString() : QString("\n")) + ToQ(text) +
                          (text.empty() ? QString(FinalBreak) : QString()));
        edit_.verticalScrollBar()->setValue(edit_.verticalScrollBar()->maximum());
    }
    // The text ends with a line break: its last block is empty and follows another.
    bool EndsWithBreak() const {
        const QTextDocument& document = *edit_.document();
        return document.blockCount() > 1 && document.lastBlock().text().isEmpty();
    }
    QPlainTextEdit& edit_;
};

TMemo::TMemo()
    : TControl(new QPlainTextEdit), edit_(static_cast<QPlainTextEdit*>(Widget())),
      lines_(std::make_unique<LineList>(*edit_)) {
    QObject::connect(edit_, &QPlainTextEdit::textChanged, [this] { Fire(OnChange); });
    new EventHook(edit_, [this](QEvent& event) {
        if (event.type() != QEvent::KeyPress) return false;
        return DispatchKeyPress(static_cast<QKeyEvent&>(event), OnKeyDown, OnKeyPress,
                                [this](const QString& text) { edit_->insertPlainText(text); });
    });
    SetScrollBars(ssNone);
}

TMemo::~TMemo() = default;

std::string TMemo::Text() const {
    return FromQ(edit_->toPlainText());
}
void TMemo::SetText(const std::string& text) {
    edit_->setPlainText(ToQ(text));
}
bool TMemo::ReadOnly() const {
    return edit_->isReadOnly();
}
void TMemo::SetReadOnly(bool readOnly) {
    edit_->setReadOnly(readOnly);
}

void TMemo::SetScrollBars(TScrollStyle bars) {
    scrollBars_ = bars;
    const bool vertical = bars == ssVertical || bars == ssBoth;
    const bool horizontal = bars == ssHorizontal || bars == ssBoth;
    edit_->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    edit_->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    ApplyWrap();
}

void TMemo::SetWordWrap(bool wrap) {
    wordWrap_ = wrap;
    ApplyWrap();
}

// A horizontal scroll bar turns wrapping off, as in the library.
void TMemo::ApplyWrap() {
    const bool horizontal = scrollBars_ == ssHorizontal || scrollBars_ == ssBoth;
    edit_->setLineWrapMode(wordWrap_ && !horizontal ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}
