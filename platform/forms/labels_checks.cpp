#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>

#include "platform/forms/controls.h"
#include "platform/forms/event_hook.h"

TLabel::TLabel() : TControl(new QLabel), label_(static_cast<QLabel*>(Widget())) {
    label_->setTextFormat(Qt::PlainText);
    new EventHook(label_, [this](QEvent& event) {
        if (event.type() == QEvent::MouseButtonRelease) Fire(OnClick);
        if (event.type() == QEvent::MouseButtonDblClick) Fire(OnDblClick);
        return false;
    });
}

std::string TLabel::Caption() const {
    return FromQ(label_->text());
}
void TLabel::SetCaption(const std::string& caption) {
    label_->setText(ToQ(caption));
}
bool TLabel::WordWrap() const {
    return label_->wordWrap();
}
void TLabel::SetWordWrap(bool wrap) {
    label_->setWordWrap(wrap);
}

void TLabel::SetAlignment(TAlignment alignment) {
    const Qt::Alignment horizontal = alignment == taCenter         ? Qt::AlignHCenter
                                     : alignment == taRightJustify ? Qt::AlignRight
                                                                   : Qt::AlignLeft;
    label_->setAlignment(horizontal | Qt::AlignVCenter);
}

void TLabel::SetFontColor(TColor color) {
    QPalette palette = label_->palette();
    palette.setColor(QPalette::WindowText, ToQColor(color));
    label_->setPalette(palette);
}

void TLabel::SetFontBold(bool bold) {
    QFont font = label_->font();
    font.setBold(bold);
    label_->setFont(font);
}

TCheckBox::TCheckBox() : TControl(new QCheckBox), box_(static_cast<QCheckBox*>(Widget())) {
    QObject::connect(box_, &QCheckBox::toggled, [this] { Fire(OnClick); });
}

std::string TCheckBox::Caption() const {
    return FromQ(box_->text());
}
void TCheckBox::SetCaption(const std::string& caption) {
    box_->setText(ToQ(caption));
}
bool TCheckBox::Checked() const {
    return box_->isChecked();
}
void TCheckBox::SetChecked(bool checked) {
    box_->setChecked(checked);
}

TRadioButton::TRadioButton() : TControl(new QRadioButton), button_(static_cast<QRadioButton*>(Widget())) {
    QObject::connect(button_, &QRadioButton::toggled, [this](bool checked) {
        if (checked) Fire(OnClick);
    });
}

std::string TRadioButton::Caption() const {
    return FromQ(button_->text());
}
void TRadioButton::SetCaption(const std::string& caption) {
    button_->setText(ToQ(caption));
}
bool TRadioButton::Checked() const {
    return button_->isChecked();
}
void TRadioButton::SetChecked(bool checked) {
    button_->setChecked(checked);
}
