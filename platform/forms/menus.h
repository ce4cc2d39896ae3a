#pragma once
// The main menu of a window and its items.
//
// Items are members of the window like controls; the constructor builds the tree and gives the menu
// to the window:
//
//     MainMenu1.Add(N6);               // a top-level item ("&Продажа")
//     N6.Add(N7);                      // an item of its drop-down menu
//     N6.Add(N8);
//     SetMenu(MainMenu1);
//
// A caption "-" makes a separator line. Items can be added, hidden or disabled at any time. Menu
// and items may be destroyed in any order.
#include <QPointer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/events.h"

class QMenuBar;
class QMenu;
class QAction;
class TMainMenu;

class TMenuItem {
public:
    TMenuItem();
    explicit TMenuItem(const std::string& caption);
    TMenuItem(const TMenuItem&) = delete;
    TMenuItem& operator=(const TMenuItem&) = delete;
    ~TMenuItem();

    std::string Caption() const { return caption_; } // "&" marks the accelerator
    void SetCaption(const std::string& caption);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    std::string Hint() const { return hint_; }
    void SetHint(const std::string& hint);

    void Add(TMenuItem& item);
    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem& Items(int index) const;
    TMenuItem* Parent() const { return parent_; }

    // Runs OnClick, unless this item or any item above it is disabled.
    void Click();
    TNotifyEvent OnClick;

private:
    friend class TMainMenu;
    void Changed();
    void Build(QMenu& into);
    QAction* Action(QMenu* menu);
    TMainMenu* Menu() const;

    std::string caption_;
    std::string hint_;
    bool enabled_ = true;
    bool visible_ = true;
    bool checked_ = false;
    TMenuItem* parent_ = nullptr;
    TMainMenu* menu_ = nullptr;
    std::vector<TMenuItem*> items_;
    QPointer<QAction> action_; // null until built, and once the bar is gone
};

class TMainMenu {
public:
    TMainMenu();
    TMainMenu(const TMainMenu&) = delete;
    TMainMenu& operator=(const TMainMenu&) = delete;
    ~TMainMenu();

    void Add(TMenuItem& item);
    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem& Items(int index) const;
    // The Qt menu bar (TForm::SetMenu puts it into the window).
    QMenuBar* Bar() const;

private:
    friend class TMenuItem;
    void Rebuild();
    // The window takes the bar as its child; whichever of the two goes first, the other knows.
    QPointer<QMenuBar> bar_;
    std::vector<TMenuItem*> items_;
};
