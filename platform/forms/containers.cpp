#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

#include "platform/forms/controls.h"
#include "platform/forms/errors.h"
#include "platform/forms/event_hook.h"

TGroupBox::TGroupBox() : TControl(new QGroupBox), box_(static_cast<QGroupBox*>(Widget())) {}

std::string TGroupBox::Caption() const {
    return FromQ(box_->title());
}
void TGroupBox::SetCaption(const std::string& caption) {
    box_->setTitle(ToQ(caption));
}

TPanel::TPanel() : TControl(new QFrame), frame_(static_cast<QFrame*>(Widget())) {
    captionLabel_ = new QLabel(frame_);
    captionLabel_->setAlignment(Qt::AlignCenter);
    captionLabel_->hide();
    // The caption covers the whole panel, whatever size the layout gives it.
    new EventHook(frame_, [this](QEvent& event) {
        if (event.type() == QEvent::Resize) captionLabel_->setGeometry(frame_->rect());
        return false;
    });
    SetBevel(true);
}

void TPanel::SetCaption(const std::string& caption) {
    caption_ = caption;
    captionLabel_->setText(ToQ(caption));
    captionLabel_->setVisible(!caption.empty());
    captionLabel_->setGeometry(frame_->rect());
    frame_->setMinimumSize(frame_->minimumSize().expandedTo(captionLabel_->sizeHint()));
}

void TPanel::SetBevel(bool raised) {
    frame_->setFrameStyle(raised ? QFrame::Panel | QFrame::Raised : QFrame::NoFrame);
}

// The items of a radio group; every change rebuilds its buttons.
class TRadioGroup::ItemList : public TStrings {
public:
    explicit ItemList(TRadioGroup& group) : group_(group) {}
    int Count() const override { return static_cast<int>(group_.texts_.size()); }
    std::string Strings(int index) const override {
        CheckIndex(index, Count());
        return group_.texts_[index];
    }
    void Put(int index, const std::string& text) override {
        CheckIndex(index, Count());
        group_.texts_[index] = text;
        group_.Rebuild();
    }
    void Insert(int index, const std::string& text) override {
        CheckIndex(index, Count() + 1);
        group_.texts_.insert(group_.texts_.begin() + index, text);
        group_.Rebuild();
    }
    void Delete(int index) override {
        CheckIndex(index, Count());
        group_.texts_.erase(group_.texts_.begin() + index);
        if (group_.itemIndex_ >= Count()) group_.itemIndex_ = -1;
        group_.Rebuild();
    }
    void Clear() override {
        group_.texts_.clear();
        group_.itemIndex_ = -1;
        group_.Rebuild();
    }

private:
    TRadioGroup& group_;
};

TRadioGroup::TRadioGroup()
    : TControl(new QGroupBox), box_(static_cast<QGroupBox*>(Widget())), group_(new QButtonGroup(box_)),
      items_(std::make_unique<ItemList>(*this)) {
    new QGridLayout(box_);
    QObject::connect(group_, &QButtonGroup::idToggled,
                     [this](int id, bool checked) { ButtonToggled(id, checked); });
}

TRadioGroup::~TRadioGroup() = default;

std::string TRadioGroup::Caption() const {
    return FromQ(box_->title());
}
void TRadioGroup::SetCaption(const std::string& caption) {
    box_->setTitle(ToQ(caption));
}

void TRadioGroup::SetItemIndex(int index) {
    if (index < -1 || index >= static_cast<int>(texts_.size())) index = -1;
    if (index == itemIndex_) return;
    itemIndex_ = index;
    if (index >= 0) {
        group_->button(index)->setChecked(true);
    } else if (group_->checkedButton()) {
        group_->setExclusive(false);
        group_->checkedButton()->setChecked(false);
        group_->setExclusive(true);
    }
    Fire(OnClick);
}

void TRadioGroup::SetColumns(int columns) {
    columns_ = columns < 1 ? 1 : columns;
    Rebuild();
}

void TRadioGroup::ButtonToggled(int index, bool checked) {
    if (!checked || index == itemIndex_) return;
    itemIndex_ = index;
    Fire(OnClick);
}

void TRadioGroup::Rebuild() {
    for (auto* button : group_->buttons())
        delete button;
    auto* grid = static_cast<QGridLayout*>(box_->layout());
    const int count = static_cast<int>(texts_.size());
    const int rows = (count + columns_ - 1) / columns_;
    for (int i = 0; i < count; ++i) {
        auto* button = new QRadioButton(ToQ(texts_[i]), box_);
        group_->addButton(button, i);
        grid->addWidget(button, rows ? i % rows : 0, rows ? i / rows : 0);
        if (i == itemIndex_) button->setChecked(true);
    }
}
