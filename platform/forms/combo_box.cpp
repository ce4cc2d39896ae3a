#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>

#include "platform/forms/controls.h"
#include "platform/forms/event_hook.h"
#include "platform/forms/typing_limit.h"

// The items of a combo box. Qt selects the first item put into an empty box; the library does not,
// so the selection and the text are kept as they were around every change.
class TComboBox::ItemList : public TStrings {
public:
    explicit ItemList(QComboBox& combo) : combo_(combo) {}
    int Count() const override { return combo_.count(); }
    std::string Strings(int index) const override {
        CheckIndex(index, Count());
        return FromQ(combo_.itemText(index));
    }
    void Put(int index, const std::string& text) override {
        CheckIndex(index, Count());
        const QSignalBlocker quiet(&combo_);
        combo_.setItemText(index, ToQ(text));
    }
    void Insert(int index, const std::string& text) override {
        CheckIndex(index, Count() + 1);
        const QSignalBlocker quiet(&combo_);
        const int selected = combo_.currentIndex();
        const QString shown = combo_.currentText();
        combo_.insertItem(index, ToQ(text));
        if (selected < 0) {
            combo_.setCurrentIndex(-1);
            if (combo_.isEditable()) combo_.setEditText(shown);
        }
    }
    void Delete(int index) override {
        CheckIndex(index, Count());
        const QSignalBlocker quiet(&combo_);
        const bool wasSelected = combo_.currentIndex() == index;
        combo_.removeItem(index);
        if (wasSelected) combo_.setCurrentIndex(-1);
    }
    void Clear() override {
        const QSignalBlocker quiet(&combo_);
        combo_.clear();
    }

private:
    QComboBox& combo_;
};

TComboBox::TComboBox()
    : TControl(new QComboBox), combo_(static_cast<QComboBox*>(Widget())),
      items_(std::make_unique<ItemList>(*combo_)) {
    combo_->setInsertPolicy(QComboBox::NoInsert);
    combo_->setMaxVisibleItems(12);
    combo_->setEditable(true);
    combo_->setCurrentIndex(-1);
    QObject::connect(combo_, qOverload<int>(&QComboBox::activated), [this] {
        Fire(OnClick);
        Fire(OnChange);
    });
    new EventHook(combo_, [this](QEvent& event) {
        if (event.type() != QEvent::KeyPress || combo_->isEditable()) return false;
        return DispatchKeyPress(static_cast<QKeyEvent&>(event), OnKeyDown, OnKeyPress, nullptr);
    });
    HookEdit();
}

TComboBox::~TComboBox() = default;

void TComboBox::HookEdit() {
    QLineEdit* edit = combo_->lineEdit();
    if (!edit) return;
    LimitTyping(*edit, maxLength_);
    QObject::connect(edit, &QLineEdit::textEdited, [this] { Fire(OnChange); });
    new EventHook(edit, [this, edit](QEvent& event) {
        if (event.type() != QEvent::KeyPress) return false;
        return DispatchKeyPress(static_cast<QKeyEvent&>(event), OnKeyDown, OnKeyPress,
                                [edit](const QString& text) { edit->insert(text); });
    });
}

void TComboBox::SetStyle(TComboBoxStyle style) {
    if (style == style_) return;
    style_ = style;
    const QSignalBlocker quiet(combo_);
    const int selected = combo_->currentIndex();
    combo_->setEditable(style != csDropDownList);
    combo_->setCurrentIndex(selected);
    HookEdit();
}

int TComboBox::ItemIndex() const {
    return combo_->currentIndex();
}

void TComboBox::SetItemIndex(int index) {
    const QSignalBlocker quiet(combo_);
    combo_->setCurrentIndex(index >= 0 && index < combo_->count() ? index : -1);
    if (index < 0 && combo_->isEditable()) combo_->setEditText(QString());
}

std::string TComboBox::Text() const {
    if (combo_->isEditable()) return FromQ(combo_->currentText());
    return combo_->currentIndex() >= 0 ? FromQ(combo_->itemText(combo_->currentIndex())) : std::string();
}

void TComboBox::SetText(const std::string& text) {
    const QSignalBlocker quiet(combo_);
    if (combo_->isEditable())
        combo_->setEditText(ToQ(text));
    else
        combo_->setCurrentIndex(combo_->findText(ToQ(text), Qt::MatchExactly | Qt::MatchCaseSensitive));
}

void TComboBox::SetMaxLength(int length) {
    maxLength_ = length < 0 ? 0 : length;
    if (combo_->lineEdit()) LimitTyping(*combo_->lineEdit(), maxLength_);
}
