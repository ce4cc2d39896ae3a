#include "platform/forms/menus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "platform/forms/control.h"
#include "platform/forms/errors.h"

// The Qt menus are rebuilt from the item tree whenever its shape changes; a change of caption,
// state or visibility only updates the item's action.

TMenuItem::TMenuItem() = default;
TMenuItem::TMenuItem(const std::string& caption) : caption_(caption) {}
// An item that goes first leaves the lists that hold it and the action that would call it.
TMenuItem::~TMenuItem() {
    if (action_) QObject::disconnect(action_, &QAction::triggered, nullptr, nullptr);
    if (parent_) std::erase(parent_->items_, this);
    if (menu_) std::erase(menu_->items_, this);
    for (TMenuItem* item : items_)
        item->parent_ = nullptr;
}

void TMenuItem::SetCaption(const std::string& caption) {
    const bool separatorChanged = (caption == "-") != (caption_ == "-");
    caption_ = caption;
    if (separatorChanged) {
        if (TMainMenu* menu = Menu()) menu->Rebuild();
        return;
    }
    Changed();
}

void TMenuItem::SetEnabled(bool enabled) {
    enabled_ = enabled;
    Changed();
}

void TMenuItem::SetVisible(bool visible) {
    visible_ = visible;
    Changed();
}

void TMenuItem::SetChecked(bool checked) {
    checked_ = checked;
    Changed();
}

void TMenuItem::SetHint(const std::string& hint) {
    hint_ = hint;
    Changed();
}

void TMenuItem::Add(TMenuItem& item) {
    item.parent_ = this;
    items_.push_back(&item);
    if (TMainMenu* menu = Menu()) menu->Rebuild();
}

TMenuItem& TMenuItem::Items(int index) const {
    if (index < 0 || index >= Count()) throw EStringListError(ListIndexError(index));
    return *items_[index];
}

TMainMenu* TMenuItem::Menu() const {
    const TMenuItem* top = this;
    while (top->parent_)
        top = top->parent_;
    return top->menu_;
}

void TMenuItem::Click() {
    for (const TMenuItem* item = this; item; item = item->parent_)
        if (!item->enabled_) return;
    Fire(OnClick);
}

void TMenuItem::Changed() {
    if (!action_) return;
    action_->setText(ToQ(caption_));
    action_->setEnabled(enabled_);
    action_->setVisible(visible_);
    action_->setCheckable(checked_);
    action_->setChecked(checked_);
    action_->setToolTip(ToQ(hint_));
    action_->setStatusTip(ToQ(hint_));
}

// Builds this item into a Qt menu: a separator, an action, or a sub-menu with its items.
void TMenuItem::Build(QMenu& into) {
    if (caption_ == "-") {
        action_ = into.addSeparator();
        action_->setVisible(visible_);
        return;
    }
    if (items_.empty()) {
        action_ = into.addAction(ToQ(caption_));
        QObject::connect(action_, &QAction::triggered, [this] { Click(); });
    } else {
        QMenu* submenu = into.addMenu(ToQ(caption_));
        action_ = submenu->menuAction();
        for (TMenuItem* item : items_)
            item->Build(*submenu);
    }
    Changed();
}

TMainMenu::TMainMenu() : bar_(new QMenuBar) {}

TMainMenu::~TMainMenu() {
    for (TMenuItem* item : items_)
        item->menu_ = nullptr;
    delete bar_.data();
}

QMenuBar* TMainMenu::Bar() const {
    return bar_;
}

void TMainMenu::Add(TMenuItem& item) {
    item.menu_ = this;
    items_.push_back(&item);
    Rebuild();
}

TMenuItem& TMainMenu::Items(int index) const {
    if (index < 0 || index >= Count()) throw EStringListError(ListIndexError(index));
    return *items_[index];
}

void TMainMenu::Rebuild() {
    if (!bar_) return; // went with its window
    // The old menus and actions go later: a rebuild may start inside one of their own signals.
    for (QAction* action : bar_->actions()) {
        if (QMenu* menu = action->menu<QMenu*>())
            menu->deleteLater();
        else if (action->parent() == bar_)
            action->deleteLater();
    }
    bar_->clear();
    for (TMenuItem* item : items_) {
        // A top-level item is a drop-down menu of the bar, or a command of its own when it has no items.
        if (item->items_.empty()) {
            item->action_ = bar_->addAction(ToQ(item->caption_));
            QObject::connect(item->action_, &QAction::triggered, [item] { item->Click(); });
            item->Changed();
            continue;
        }
        QMenu* menu = bar_->addMenu(ToQ(item->caption_));
        item->action_ = menu->menuAction();
        for (TMenuItem* child : item->items_)
            child->Build(*menu);
        item->Changed();
    }
}
