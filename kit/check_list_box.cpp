#include "kit/check_list_box.h"

#include <QApplication>
#include <QDrag>
#include <QKeyEvent>
#include <QListWidget>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTextOption>

#include "kit/app_utils.h"
#include "platform/forms/errors.h"
#include "platform/forms/event_hook.h"

namespace {

constexpr int kStateRole = Qt::UserRole + 1;
constexpr int kEnabledRole = Qt::UserRole + 2;
constexpr int kCellWidth = 16;

} // namespace

// ---- TTextListBox --------------------------------------------------------------------------------------

void TTextListBox::SetAutoScroll(bool autoScroll) {
    autoScroll_ = autoScroll;
    if (auto* list = qobject_cast<QListWidget*>(Widget()))
        list->setHorizontalScrollBarPolicy(autoScroll ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

// ---- TKxCustomListBox ----------------------------------------------------------------------------------

// The items of the box, read from and written to the widget itself.
class TKxCustomListBox::ItemList : public TStrings {
public:
    explicit ItemList(QListWidget& list) : list_(list) {}
    int Count() const override { return list_.count(); }
    std::string Strings(int index) const override {
        CheckIndex(index, Count());
        return FromQ(list_.item(index)->text());
    }
    void Put(int index, const std::string& text) override {
        CheckIndex(index, Count());
        list_.item(index)->setText(ToQ(text));
    }
    void Insert(int index, const std::string& text) override {
        CheckIndex(index, Count() + 1);
        list_.insertItem(index, ToQ(text));
        if (list_.isSortingEnabled()) list_.sortItems();
    }
    void Delete(int index) override {
        CheckIndex(index, Count());
        delete list_.takeItem(index);
    }
    void Clear() override { list_.clear(); }

private:
    QListWidget& list_;
};

// The list widget of the box: a drag of its own that tells the box when it starts and how it ends.
class TKxCustomListBox::ListWidget : public QListWidget {
public:
    TKxCustomListBox* owner_ = nullptr; // set once the box is made

protected:
    void startDrag(Qt::DropActions) override {
        QMimeData* data = model()->mimeData(selectedIndexes());
        if (!owner_ || !data) {
            delete data;
            return;
        }
        owner_->dragging_ = true;
        Fire(owner_->OnStartDrag);
        auto* drag = new QDrag(this);
        drag->setMimeData(data);
        const bool dropped = drag->exec(Qt::CopyAction) != Qt::IgnoreAction;
        owner_->dragging_ = false;
        if (owner_->OnEndDrag) RunHandler([&] { owner_->OnEndDrag(dropped); });
    }
};

// Draws and measures item texts with the box's tab stops, at least ItemHeight high.
class TKxCustomListBox::ItemDelegate : public QStyledItemDelegate {
public:
    explicit ItemDelegate(TKxCustomListBox& box) : QStyledItemDelegate(&box.List()), listBox_(box) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        if (listBox_.TabWidth() == 0) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        const QString text = item.text;
        item.text.clear();
        QStyle* style = listBox_.List().style();
        style->drawControl(QStyle::CE_ItemViewItem, &item, painter, &listBox_.List());
        const bool selected = item.state & QStyle::State_Selected;
        const QPalette::ColorGroup group =
            (item.state & QStyle::State_Active) ? QPalette::Active : QPalette::Inactive;
        painter->save();
        painter->setPen(item.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
        painter->setFont(item.font);
        QTextOption layout(Qt::AlignLeft | Qt::AlignVCenter);
        layout.setWrapMode(QTextOption::NoWrap);
        layout.setTabStopDistance(listBox_.TabStop());
        painter->drawText(QRectF(item.rect.adjusted(2, 0, 0, 0)), text, layout);
        painter->restore();
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        if (listBox_.TabWidth() != 0) {
            const QFontMetrics metrics(option.font);
            const QString text = index.data(Qt::DisplayRole).toString();
            size.setWidth(
                metrics.size(Qt::TextSingleLine | Qt::TextExpandTabs, text, listBox_.TabStop()).width() +
                metrics.horizontalAdvance(QLatin1Char('x')));
        }
        return {size.width(), std::max(size.height(), listBox_.itemHeight_)};
    }

protected:
    TKxCustomListBox& listBox_;
};

TKxCustomListBox::TKxCustomListBox()
    : TControl(new ListWidget), list_(static_cast<QListWidget*>(Widget())),
      items_(std::make_unique<ItemList>(*list_)) {
    static_cast<ListWidget*>(list_)->owner_ = this;
    list_->setItemDelegate(new ItemDelegate(*this));
    list_->setUniformItemSizes(false);
    new EventHook(list_, [this](QEvent& event) {
        if (event.type() == QEvent::Resize && integralHeight_) ApplyIntegralHeight();
        return false;
    });
    list_->resize(121, 97);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    QObject::connect(list_, &QListWidget::currentRowChanged, [this](int) { Fire(OnClick); });
    QObject::connect(list_, &QListWidget::itemDoubleClicked, [this](QListWidgetItem*) { Fire(OnDblClick); });
    ApplySelectionMode();
}

TKxCustomListBox::~TKxCustomListBox() = default;

void TKxCustomListBox::CheckIndex(int index) const {
    if (index < 0 || index >= list_->count()) throw EStringListError(ListIndexError(index));
}

QListWidgetItem& TKxCustomListBox::Item(int index) const {
    CheckIndex(index);
    return *list_->item(index);
}

intptr_t TKxCustomListBox::ItemData(int index) const {
    return static_cast<intptr_t>(Item(index).data(Qt::UserRole).toLongLong());
}

void TKxCustomListBox::SetItemData(int index, intptr_t data) {
    Item(index).setData(Qt::UserRole, QVariant::fromValue(static_cast<qlonglong>(data)));
}

int TKxCustomListBox::ItemIndex() const {
    return list_->currentRow();
}

void TKxCustomListBox::SetItemIndex(int index) {
    list_->setCurrentRow(index);
}

int TKxCustomListBox::TopIndex() const {
    const QListWidgetItem* top = list_->itemAt(2, 2);
    return top ? list_->row(top) : 0;
}

bool TKxCustomListBox::Selected(int index) const {
    return Item(index).isSelected();
}

void TKxCustomListBox::SetSelected(int index, bool selected) {
    Item(index).setSelected(selected);
}

int TKxCustomListBox::SelCount() const {
    return multiSelect_ ? static_cast<int>(list_->selectedItems().size()) : -1;
}

int TKxCustomListBox::ItemAtPos(int x, int y, bool existing) const {
    const QListWidgetItem* item = list_->itemAt(x, y);
    if (item) return list_->row(item);
    return existing ? -1 : list_->count();
}

void TKxCustomListBox::SetMultiSelect(bool multi) {
    multiSelect_ = multi;
    ApplySelectionMode();
}

void TKxCustomListBox::SetExtendedSelect(bool extended) {
    extendedSelect_ = extended;
    ApplySelectionMode();
}

void TKxCustomListBox::ApplySelectionMode() {
    if (!multiSelect_)
        list_->setSelectionMode(QAbstractItemView::SingleSelection);
    else
        list_->setSelectionMode(extendedSelect_ ? QAbstractItemView::ExtendedSelection
                                                : QAbstractItemView::MultiSelection);
}

void TKxCustomListBox::SetSorted(bool sorted) {
    sorted_ = sorted;
    list_->setSortingEnabled(sorted);
    if (sorted) list_->sortItems();
}

void TKxCustomListBox::SetColumns(int columns) {
    columns_ = std::max(0, columns);
    if (columns_ == 0) {
        list_->setFlow(QListView::TopToBottom);
        list_->setWrapping(false);
        list_->setGridSize(QSize());
        return;
    }
    list_->setFlow(QListView::TopToBottom);
    list_->setWrapping(true);
    const int width = (Width() + columns_ - 3) / columns_;
    list_->setGridSize(QSize(width, list_->sizeHintForRow(0) > 0 ? list_->sizeHintForRow(0) : 16));
}

void TKxCustomListBox::SetAutoScroll(bool autoScroll) {
    autoScroll_ = autoScroll;
    list_->setHorizontalScrollBarPolicy(autoScroll ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

// An unfocused box shows its selection on the button face colour.
void TKxCustomListBox::SetGraySelection(bool gray) {
    graySelection_ = gray;
    QPalette palette = list_->palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight,
                     gray ? ToQColor(clBtnFace)
                          : QApplication::palette().color(QPalette::Inactive, QPalette::Highlight));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     gray ? ToQColor(clBtnText)
                          : QApplication::palette().color(QPalette::Inactive, QPalette::HighlightedText));
    list_->setPalette(palette);
}

void TKxCustomListBox::SetTabWidth(int width) {
    tabWidth_ = std::max(0, width);
    list_->doItemsLayout();
    list_->viewport()->update();
}

// round(width of "0" x TabWidth / 4) pixels.
int TKxCustomListBox::TabStop() const {
    return qRound(QFontMetricsF(list_->font()).horizontalAdvance(QLatin1Char('0')) * tabWidth_ * 0.25);
}

int TKxCustomListBox::ItemHeight() const {
    return itemHeight_;
}

void TKxCustomListBox::SetItemHeight(int height) {
    itemHeight_ = std::max(1, height);
    list_->doItemsLayout();
    if (integralHeight_) ApplyIntegralHeight();
}

void TKxCustomListBox::SetIntegralHeight(bool integral) {
    integralHeight_ = integral;
    if (integral) ApplyIntegralHeight();
}

// The height of whole items (at least one) within the height the box has now.
void TKxCustomListBox::ApplyIntegralHeight() {
    const int row = list_->count() > 0 ? std::max(1, list_->sizeHintForRow(0)) : itemHeight_;
    const int frame = 2 * list_->frameWidth();
    const int rows = std::max(1, (list_->height() - frame) / row);
    const int height = frame + rows * row;
    if (height != list_->height()) list_->resize(list_->width(), height);
}

QRect TKxCustomListBox::ItemRect(int index) const {
    const int count = list_->count();
    if (index >= 0 && index < count) return list_->visualItemRect(list_->item(index));
    if (index != count) return {};
    if (count == 0) return {0, 0, list_->viewport()->width(), itemHeight_};
    const QRect last = list_->visualItemRect(list_->item(count - 1));
    return {last.left(), last.bottom() + 1, last.width(), last.height()};
}

void TKxCustomListBox::SetDragMode(TDragMode mode) {
    dragMode_ = mode;
    list_->setDragEnabled(mode == dmAutomatic);
    list_->setDragDropMode(mode == dmAutomatic ? QAbstractItemView::DragOnly : QAbstractItemView::NoDragDrop);
}

// ---- TKxCheckListBox -----------------------------------------------------------------------------------

// Paints each item's check in the box's look at the item's left, and the text beside it.
class TKxCheckListBox::CheckDelegate : public ItemDelegate {
public:
    explicit CheckDelegate(TKxCheckListBox& box) : ItemDelegate(box), box_(box) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const int row = index.row();
        const bool enabled = box_.ItemEnabled(row);
        const TCheckBoxState state = box_.State(row);
        QRect check = option.rect;
        check.setWidth(CheckWidth());
        painter->fillRect(check, option.palette.base());
        PaintCheck(*painter, check, state, enabled, option);
        QStyleOptionViewItem text = option;
        text.rect.setLeft(check.right() + 1);
        if (!enabled) {
            const TColor color = (option.state & QStyle::State_Selected) ? clInactiveCaptionText : clGrayText;
            text.palette.setColor(QPalette::Text, ToQColor(color));
            text.palette.setColor(QPalette::HighlightedText, ToQColor(color));
        }
        ItemDelegate::paint(painter, text, index);
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = ItemDelegate::sizeHint(option, index);
        return {size.width() + CheckWidth(), std::max(size.height(), 13)};
    }

private:
    void PaintCheck(QPainter& painter, const QRect& area, TCheckBoxState state, bool enabled,
                    const QStyleOptionViewItem& item) const {
        QStyleOptionButton option;
        option.rect =
            QRect(area.left() + (area.width() - 13) / 2, area.top() + (area.height() - 13) / 2, 13, 13);
        option.state = enabled ? QStyle::State_Enabled : QStyle::State_None;
        option.state |= state == cbChecked  ? QStyle::State_On
                        : state == cbGrayed ? QStyle::State_NoChange
                                            : QStyle::State_Off;
        option.palette = item.palette;
        QStyle* style = box_.List().style();
        switch (box_.CheckKind()) {
        case ckCheckBoxes:
            style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter, &box_.List());
            break;
        case ckRadioButtons:
            style->drawPrimitive(QStyle::PE_IndicatorRadioButton, &option, &painter, &box_.List());
            break;
        case ckCheckMarks:
            if (state == cbUnchecked) break;
            painter.save();
            painter.setPen(QPen(ToQColor(enabled ? (state == cbGrayed ? clGray : clBlack) : clGrayText), 2));
            const QRect r = option.rect;
            painter.drawPolyline(
                QPolygon({QPoint(r.left() + 2, r.center().y()), QPoint(r.left() + 5, r.bottom() - 2),
                          QPoint(r.right() - 1, r.top() + 2)}));
            painter.restore();
            break;
        }
    }
    TKxCheckListBox& box_;
};

TKxCheckListBox::TKxCheckListBox() {
    List().setItemDelegate(new CheckDelegate(*this));
    link_.OnSave = [this] { IniSave(); };
    link_.OnLoad = [this] { IniLoad(); };
    new EventHook(List().viewport(), [this](QEvent& event) {
        if (event.type() != QEvent::MouseButtonPress) return false;
        auto& mouse = static_cast<QMouseEvent&>(event);
        const QPoint at = mouse.position().toPoint();
        QListWidgetItem* item = List().itemAt(at);
        if (mouse.button() != Qt::LeftButton || !item) return false;
        if (at.x() - List().visualItemRect(item).left() < CheckWidth())
            RunHandler([&] { ToggleClickCheck(List().row(item)); });
        return false;
    });
    new EventHook(&List(), [this](QEvent& event) {
        if (event.type() != QEvent::KeyPress) return false;
        const auto& key = static_cast<QKeyEvent&>(event);
        if (key.key() == Qt::Key_Space) {
            if (ItemIndex() >= 0) RunHandler([this] { ToggleClickCheck(ItemIndex()); });
            return true;
        }
        if (key.text() == "+" || key.text() == "-") {
            RunHandler([&] {
                ApplyState(key.text() == "+" ? cbChecked : cbUnchecked, true);
                ClickCheck();
            });
            return true;
        }
        return false;
    });
}

TKxCheckListBox::~TKxCheckListBox() = default;

int TKxCheckListBox::CheckWidth() {
    return kCellWidth + 2;
}

void TKxCheckListBox::SetCheckKind(TCheckKind kind) {
    checkKind_ = kind;
    List().viewport()->update();
}

bool TKxCheckListBox::GrayedAllowed() const {
    return allowGrayed_ && checkKind_ != ckRadioButtons;
}

TCheckBoxState TKxCheckListBox::State(int index) const {
    const QVariant stored = Item(index).data(kStateRole);
    const auto state = stored.isValid() ? static_cast<TCheckBoxState>(stored.toInt()) : cbUnchecked;
    if (checkKind_ == ckRadioButtons && state == cbGrayed) return cbUnchecked;
    return state;
}

void TKxCheckListBox::SetState(int index, TCheckBoxState state) {
    if (State(index) == state) return;
    if (checkKind_ == ckRadioButtons) {
        if (state != cbChecked) return; // the checked item of a radio list cannot be unchecked
        for (int i = 0; i < Items().Count(); ++i)
            if (i != index) Item(i).setData(kStateRole, cbUnchecked);
    }
    Item(index).setData(kStateRole, state);
    List().viewport()->update();
    if (OnStateChange) RunHandler([&] { OnStateChange(*this, index); });
}

bool TKxCheckListBox::ItemEnabled(int index) const {
    const QVariant stored = Item(index).data(kEnabledRole);
    return !stored.isValid() || stored.toBool();
}

void TKxCheckListBox::SetItemEnabled(int index, bool enabled) {
    Item(index).setData(kEnabledRole, enabled);
    List().viewport()->update();
}

int TKxCheckListBox::CheckedIndex() const {
    for (int i = 0; i < Items().Count(); ++i)
        if (State(i) == cbChecked) return i;
    return -1;
}

void TKxCheckListBox::SetCheckedIndex(int index) {
    SetChecked(std::max(index, 0), true);
}

void TKxCheckListBox::ApplyState(TCheckBoxState state, bool enabledOnly) {
    if (checkKind_ == ckRadioButtons) return;
    for (int i = 0; i < Items().Count(); ++i)
        if (!enabledOnly || ItemEnabled(i)) SetState(i, state);
}

void TKxCheckListBox::ToggleClickCheck(int index) {
    if (index < 0 || index >= Items().Count() || !ItemEnabled(index)) return;
    switch (State(index)) {
    case cbUnchecked:
        SetState(index, GrayedAllowed() ? cbGrayed : cbChecked);
        break;
    case cbChecked:
        SetState(index, cbUnchecked);
        break;
    case cbGrayed:
        SetState(index, cbChecked);
        break;
    }
    ClickCheck();
}

void TKxCheckListBox::SaveStatesTo(TCustomIniFile* ini, const std::string& section) const {
    IniEraseSection(ini, section);
    IniWriteInteger(ini, section, "Count", Items().Count());
    for (int i = 0; i < Items().Count(); ++i)
        IniWriteInteger(ini, section, "Item" + std::to_string(i), State(i));
}

void TKxCheckListBox::RestoreStatesFrom(TCustomIniFile* ini, const std::string& section) {
    const int count = std::min(IniReadInteger(ini, section, "Count", 0), Items().Count());
    for (int i = 0; i < count; ++i) {
        const int stored = IniReadInteger(ini, section, "Item" + std::to_string(i), cbUnchecked);
        // A radio list takes the first stored choice, wherever its checked item is now.
        if (checkKind_ == ckRadioButtons) {
            if (stored != cbChecked) continue;
            SetState(i, cbChecked);
            break;
        }
        SetState(i, stored == cbChecked ? cbChecked : stored == cbGrayed ? cbGrayed : cbUnchecked);
    }
}

void TKxCheckListBox::SaveStates(TCustomIniFile* ini) const {
    SaveStatesTo(ini, GetDefaultSection(this));
}

void TKxCheckListBox::RestoreStates(TCustomIniFile* ini) {
    RestoreStatesFrom(ini, GetDefaultSection(this));
}

void TKxCheckListBox::IniSave() {
    if (!Name().empty() && link_.IniObject())
        SaveStatesTo(link_.IniObject(), link_.RootSection() + GetDefaultSection(this));
}

void TKxCheckListBox::IniLoad() {
    if (!Name().empty() && link_.IniObject())
        RestoreStatesFrom(link_.IniObject(), link_.RootSection() + GetDefaultSection(this));
}
