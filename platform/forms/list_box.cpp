#include <QListWidget>
#include <QMouseEvent>
#include <QSignalBlocker>

#include "platform/forms/controls.h"
#include "platform/forms/event_hook.h"

class TListBox::ItemList : public TStrings {
public:
    ItemList(QListWidget& list, bool& quiet) : list_(list), quiet_(quiet) {}
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
        Quietly([&] { list_.insertItem(index, ToQ(text)); });
    }
    void Delete(int index) override {
        CheckIndex(index, Count());
        Quietly([&] { delete list_.takeItem(index); });
    }
    void Clear() override {
        Quietly([&] { list_.clear(); });
    }

private:
    template <class Change> void Quietly(Change change) {
        quiet_ = true;
        change();
        quiet_ = false;
    }
    QListWidget& list_;
    bool& quiet_;
};

TListBox::TListBox()
    : TControl(new QListWidget), list_(static_cast<QListWidget*>(Widget())),
      items_(std::make_unique<ItemList>(*list_, quiet_)) {
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    QObject::connect(list_, &QListWidget::currentRowChanged, [this] {
        if (!quiet_) Fire(OnClick);
    });
    // A click on the item that was already selected changes nothing in Qt, yet is a click.
    new EventHook(list_->viewport(), [this](QEvent& event) {
        if (event.type() == QEvent::MouseButtonPress) rowAtPress_ = list_->currentRow();
        if (event.type() == QEvent::MouseButtonDblClick) Fire(OnDblClick);
        return false;
    });
    QObject::connect(list_, &QListWidget::itemClicked, [this](QListWidgetItem* item) {
        if (list_->row(item) == rowAtPress_) Fire(OnClick);
    });
}

TListBox::~TListBox() = default;

int TListBox::ItemIndex() const {
    return list_->currentRow();
}

void TListBox::SetItemIndex(int index) {
    quiet_ = true;
    list_->setCurrentRow(index >= 0 && index < list_->count() ? index : -1);
    if (index < 0) list_->clearSelection();
    quiet_ = false;
}
