#include "platform/forms/layout.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/forms/controls.h"
#include "platform/forms/event_hook.h"
#include "platform/forms/form.h"

namespace {

// Buttons of a button row are at least this wide, so that a row of them looks even.
constexpr int kMinButtonWidth = 96;

void Place(TControl& control) {
    control.Placed();
}

// A caption of the layout's own shows and hides with its control.
void FollowVisibility(QLabel* caption, TControl& control) {
    caption->setVisible(control.Visible());
    // The caption may go first when the window is destroyed.
    new EventHook(control.Widget(), [caption = QPointer<QLabel>(caption)](QEvent& event) {
        if (caption && event.type() == QEvent::ShowToParent) caption->show();
        if (caption && event.type() == QEvent::HideToParent) caption->hide();
        return false;
    });
}

QLabel* CaptionLabel(const std::string& caption, QWidget* parent) {
    auto* label = new QLabel(ToQ(caption), parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QHBoxLayout* Row(std::initializer_list<TControl*> controls) {
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    for (TControl* control : controls)
        if (control) row->addWidget(control->Widget());
    return row;
}

void PlaceAll(std::initializer_list<TControl*> controls) {
    for (TControl* control : controls)
        if (control) Place(*control);
}

} // namespace

struct Column::State {
    QWidget* parent = nullptr;
    QVBoxLayout* layout = nullptr;
    QFormLayout* fields = nullptr;
};

Column::Column(QWidget* parent) : state_(std::make_shared<State>()) {
    state_->parent = parent;
    state_->layout = qobject_cast<QVBoxLayout*>(parent->layout());
    if (!state_->layout) state_->layout = new QVBoxLayout(parent);
}

Column::Column(TForm& form) : Column(form.ClientWidget()) {}
Column::Column(TGroupBox& box) : Column(box.Widget()) {}
Column::Column(TPanel& panel) : Column(panel.Widget()) {}

QWidget* Column::Parent() const {
    return state_->parent;
}

QFormLayout& Column::Fields() {
    if (!state_->fields) {
        state_->fields = new QFormLayout;
        state_->fields->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        state_->fields->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
        state_->fields->setRowWrapPolicy(QFormLayout::DontWrapRows);
        state_->layout->addLayout(state_->fields);
    }
    return *state_->fields;
}

void Column::EndFields() {
    state_->fields = nullptr;
}

Column& Column::Field(const std::string& caption, TControl& control) {
    QLabel* label = CaptionLabel(caption, Parent());
    label->setBuddy(control.Widget());
    Fields().addRow(label, control.Widget());
    Place(control);
    FollowVisibility(label, control);
    return *this;
}

Column& Column::Field(TLabel& caption, TControl& control) {
    Fields().addRow(caption.Widget(), control.Widget());
    Place(caption);
    Place(control);
    return *this;
}

Column& Column::Field(const std::string& caption, std::initializer_list<TControl*> controls) {
    Fields().addRow(CaptionLabel(caption, Parent()), Row(controls));
    PlaceAll(controls);
    return *this;
}

Column& Column::Dense() {
    state_->layout->setSpacing(0);
    const QMargins margins = state_->layout->contentsMargins();
    state_->layout->setContentsMargins(margins.left(), margins.top() / 2, margins.right(),
                                       margins.bottom() / 2);
    return *this;
}

Column& Column::Add(TControl& control) {
    EndFields();
    state_->layout->addWidget(control.Widget());
    Place(control);
    return *this;
}

Column& Column::Line(std::initializer_list<TControl*> controls) {
    EndFields();
    QHBoxLayout* row = Row(controls);
    row->addStretch(1);
    state_->layout->addLayout(row);
    PlaceAll(controls);
    return *this;
}

Column& Column::Buttons(std::initializer_list<TControl*> buttons) {
    EndFields();
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 6, 0, 0);
    row->addStretch(1);
    for (TControl* button : buttons) {
        if (!button) continue;
        QWidget* widget = button->Widget();
        widget->setMinimumWidth(std::max(kMinButtonWidth, widget->minimumSizeHint().width()));
        row->addWidget(widget);
    }
    state_->layout->addLayout(row);
    PlaceAll(buttons);
    return *this;
}

Column& Column::Grid(int columns, std::initializer_list<TControl*> controls) {
    EndFields();
    auto* grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    const int width = columns < 1 ? 1 : columns;
    int cell = 0;
    for (TControl* control : controls) {
        if (control) grid->addWidget(control->Widget(), cell / width, cell % width);
        ++cell;
    }
    state_->layout->addLayout(grid);
    PlaceAll(controls);
    return *this;
}

Column Column::Group(TGroupBox& box) {
    Add(box);
    return Column(box);
}

Column Column::Panel(TPanel& panel) {
    Add(panel);
    return Column(panel);
}

std::vector<Column> Column::Columns(int count) {
    EndFields();
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    std::vector<Column> columns;
    for (int i = 0; i < count; ++i) {
        auto* holder = new QWidget(Parent());
        auto* inner = new QVBoxLayout(holder);
        inner->setContentsMargins(0, 0, 0, 0);
        row->addWidget(holder, 1, Qt::AlignTop);
        columns.push_back(Column(holder));
    }
    state_->layout->addLayout(row);
    return columns;
}

Column& Column::Stretch() {
    EndFields();
    state_->layout->addStretch(1);
    return *this;
}

Column& Column::Space(int pixels) {
    EndFields();
    state_->layout->addSpacing(pixels);
    return *this;
}
