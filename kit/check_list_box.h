#pragma once
// List boxes: TTextListBox (the form layer's list box, scrolling sideways when an item is wider than
// the box), TKxCustomListBox (a list box of its own: items with data, several columns, selection of
// several items) and TKxCheckListBox, which adds a check mark to each item in one of three looks,
// three-state items, items that can be disabled, a radio-button mode, toggling by mouse and keys, and
// the storing of the states through a form placement.
#include <functional>
#include <memory>
#include <string>

#include "kit/placement.h"
#include "platform/forms/controls.h"

class QListWidget;
class QListWidgetItem;
class QRect;

class TTextListBox : public TListBox {
public:
    // On by default: a horizontal scroll bar appears when an item is wider than the box.
    bool AutoScroll() const { return autoScroll_; }
    void SetAutoScroll(bool autoScroll);

private:
    bool autoScroll_ = true;
};

enum TDragMode { dmManual, dmAutomatic };

class TKxCustomListBox : public TControl {
public:
    TKxCustomListBox();
    ~TKxCustomListBox() override;

    TStrings& Items() { return *items_; }
    const TStrings& Items() const { return *items_; }
    // The caller's data of an item.
    intptr_t ItemData(int index) const;
    void SetItemData(int index, intptr_t data);
    int ItemIndex() const;
    void SetItemIndex(int index);
    int TopIndex() const;
    bool Selected(int index) const;
    void SetSelected(int index, bool selected);
    int SelCount() const;
    void Clear() { items_->Clear(); }
    // The item under a point of the box; -1 when none (or, unless existing, the count).
    int ItemAtPos(int x, int y, bool existing) const;
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool multi);
    bool ExtendedSelect() const { return extendedSelect_; }
    void SetExtendedSelect(bool extended);
    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted);
    // 0: one column scrolling down; more: items flow into columns of the box's width / Columns.
    int Columns() const { return columns_; }
    void SetColumns(int columns);
    bool AutoScroll() const { return autoScroll_; }
    void SetAutoScroll(bool autoScroll);
    bool GraySelection() const { return graySelection_; }
    void SetGraySelection(bool gray);
    // 0: tabs in item texts are blanks' width apart as usual; more: a tab stop every TabWidth
    // quarters of the width of "0".
    int TabWidth() const { return tabWidth_; }
    void SetTabWidth(int width);
    // The least height of an item (16 by default); items are never lower than their text.
    int ItemHeight() const;
    void SetItemHeight(int height);
    // On: the box's height is cut to whole items.
    bool IntegralHeight() const { return integralHeight_; }
    void SetIntegralHeight(bool integral);
    // The item's rectangle in the box; the count gives the place after the last item; any other
    // index an empty rectangle.
    QRect ItemRect(int index) const;
    // dmAutomatic: pressing the left button on an item and moving starts dragging the selected items
    // (a press on an item of a multiple selection keeps the selection for the drag).
    TDragMode DragMode() const { return dragMode_; }
    void SetDragMode(TDragMode mode);
    bool Dragging() const { return dragging_; }

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnStartDrag;
    // With whether the items were dropped somewhere (false: the drag was cancelled).
    std::function<void(bool dropped)> OnEndDrag;

protected:
    QListWidget& List() const { return *list_; }
    QListWidgetItem& Item(int index) const;
    void CheckIndex(int index) const;
    class ItemDelegate;

private:
    class ItemList;
    class ListWidget;
    void ApplySelectionMode();
    void ApplyIntegralHeight();
    int TabStop() const;
    QListWidget* list_;
    std::unique_ptr<TStrings> items_;
    bool multiSelect_ = false;
    bool extendedSelect_ = true;
    bool sorted_ = false;
    int columns_ = 0;
    bool autoScroll_ = true;
    bool graySelection_ = false;
    int tabWidth_ = 0;
    int itemHeight_ = 16;
    bool integralHeight_ = false;
    TDragMode dragMode_ = dmManual;
    bool dragging_ = false;
};

enum TCheckKind { ckCheckBoxes, ckRadioButtons, ckCheckMarks };
enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TKxCheckListBox : public TKxCustomListBox {
public:
    TKxCheckListBox();
    ~TKxCheckListBox() override;

    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool allow) { allowGrayed_ = allow; }
    TCheckKind CheckKind() const { return checkKind_; }
    void SetCheckKind(TCheckKind kind);
    // The first checked item, or -1; setting it checks that item (item 0 for a negative value).
    int CheckedIndex() const;
    void SetCheckedIndex(int index);
    // Where the states are stored with the form's placement (nullptr: nowhere).
    TFormPlacement* IniStorage() const { return link_.Storage(); }
    void SetIniStorage(TFormPlacement* storage) { link_.SetStorage(storage); }

    // Indexes outside the list raise "List index out of bounds (%d)".
    bool Checked(int index) const { return State(index) == cbChecked; }
    void SetChecked(int index, bool checked) { SetState(index, checked ? cbChecked : cbUnchecked); }
    // In radio mode only checked and unchecked are reported.
    TCheckBoxState State(int index) const;
    void SetState(int index, TCheckBoxState state);
    bool ItemEnabled(int index) const;
    void SetItemEnabled(int index, bool enabled);
    // Every item (every enabled one with enabledOnly) takes the state; nothing in radio mode.
    void ApplyState(TCheckBoxState state, bool enabledOnly);
    // Changes the state of an enabled item as a click on its check does; then OnClickCheck.
    void ToggleClickCheck(int index);

    // "Count" and "Item0"... in the list box's default section (erased first).
    void SaveStates(TCustomIniFile* ini) const;
    void RestoreStates(TCustomIniFile* ini);
    void SaveStatesTo(TCustomIniFile* ini, const std::string& section) const;
    void RestoreStatesFrom(TCustomIniFile* ini, const std::string& section);

    // The width of the check area at the left of each item.
    static int CheckWidth();

    TNotifyEvent OnClickCheck;
    std::function<void(TKxCheckListBox& sender, int index)> OnStateChange;

private:
    class CheckDelegate;
    bool GrayedAllowed() const;
    void ClickCheck() { Fire(OnClickCheck); }
    void IniSave();
    void IniLoad();

    bool allowGrayed_ = false;
    TCheckKind checkKind_ = ckCheckBoxes;
    TIniLink link_;
};
