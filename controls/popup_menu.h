#pragma once
// A pop-up menu of the window's menu items, shown at a point of the screen (a button's drop-down menu).
#include <QObject>
#include <QPointer>
#include <memory>
#include <vector>

#include "platform/forms/menus.h"

class QMenu;
class TControl;

enum TPopupAlignment { paLeft, paRight, paCenter };

class TPopupMenu {
public:
    TPopupMenu();
    TPopupMenu(const TPopupMenu&) = delete;
    TPopupMenu& operator=(const TPopupMenu&) = delete;
    ~TPopupMenu();

    void Add(TMenuItem& item);
    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem& Items(int index) const { return *items_.at(static_cast<size_t>(index)); }
    bool AutoPopup() const { return autoPopup_; }
    void SetAutoPopup(bool autoPopup) { autoPopup_ = autoPopup; }
    TPopupAlignment Alignment() const { return alignment_; }
    void SetAlignment(TPopupAlignment alignment) { alignment_ = alignment; }
    // The control that showed the menu last.
    TControl* PopupComponent() const { return popupComponent_; }
    void SetPopupComponent(TControl* control) { popupComponent_ = control; }

    // Shows the menu with its top-left corner at the screen point; returns at once.
    void Popup(int x, int y);
    // The menu as shown (nullptr before the first Popup); tests pick items through it.
    QMenu* Shown() const { return menu_.get(); }
    // Lives as long as the menu: holders keep a QPointer to it to notice the menu's end.
    QObject* Lifetime() const { return lifetime_.get(); }

private:
    std::vector<TMenuItem*> items_;
    std::unique_ptr<QMenu> menu_;
    std::unique_ptr<QObject> lifetime_;
    TControl* popupComponent_ = nullptr;
    TPopupAlignment alignment_ = paLeft;
    bool autoPopup_ = true;
};
