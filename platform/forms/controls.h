#pragma once
// The standard controls: buttons, edits, labels, check and radio buttons, group boxes and panels,
// combo and list boxes, memos and the date picker. Texts are UTF-8; lengths count characters.
//
// Defaults are the library's: edits, memos and combo boxes start empty, check boxes unticked,
// item indexes at -1, controls enabled and visible. Events are std::function members, bound in the
// window's constructor, and run through RunHandler (events.h).
#include <functional>
#include <memory>
#include <string>

#include "platform/forms/control.h"
#include "platform/forms/events.h"
#include "platform/forms/strings.h"
#include "platform/forms/types.h"
#include "platform/text/text.h"

class QPushButton;
class QToolButton;
class QLineEdit;
class QLabel;
class QCheckBox;
class QRadioButton;
class QGroupBox;
class QFrame;
class QComboBox;
class QListWidget;
class QPlainTextEdit;
class QDateEdit;
class QButtonGroup;

using TKeyEvent = std::function<void(WORD& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(char32_t& key)>;

// ---- Buttons --------------------------------------------------------------------------
class TButton : public TControl {
public:
    TButton();
    std::string Caption() const; // "&" marks the accelerator
    void SetCaption(const std::string& caption);
    // Enter presses the default button of a window; Escape presses its cancel button.
    bool Default() const;
    void SetDefault(bool isDefault);
    bool Cancel() const;
    void SetCancel(bool isCancel);
    // A non-zero ModalResult is given to the window on a click (before OnClick), ending a modal show.
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult result) { modalResult_ = result; }
    // Runs a click (the modal result, then OnClick) whether or not the button is enabled, as the
    // library does; a user can only press an enabled button (see CanOperate()).
    void Click();
    TNotifyEvent OnClick;

private:
    QPushButton* button_;
    TModalResult modalResult_ = mrNone;
};

// A small button (the status buttons "?" and ".?."); Flat hides its frame until the mouse is over it,
// Down keeps it pressed.
class TSpeedButton : public TControl {
public:
    TSpeedButton();
    std::string Caption() const;
    void SetCaption(const std::string& caption);
    bool Flat() const;
    void SetFlat(bool flat);
    bool Down() const;
    void SetDown(bool down);
    void Click();
    TNotifyEvent OnClick;

private:
    QToolButton* button_;
};

// ---- Edits -----------------------------------------------------------------------------
class TEdit : public TControl {
public:
    TEdit();
    virtual std::string Text() const;
    // OnChange runs on every change of the text, also one made here.
    virtual void SetText(const std::string& text);
    void Clear() { SetText(""); }
    // Characters the user may type; 0 = no limit. SetText is not limited by it (as in the library).
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int length);
    bool ReadOnly() const;
    void SetReadOnly(bool readOnly);
    // 0 shows the text; any other character hides it.
    char PasswordChar() const { return passwordChar_; }
    void SetPasswordChar(char passwordChar);
    void SelectAll();

    TNotifyEvent OnChange;
    // Keys of the focused edit: OnKeyDown first (key set to 0 swallows it), then OnKeyPress for a
    // typed character (0 swallows it, another character is typed instead).
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnEnter; // the edit receives the focus
    TNotifyEvent OnExit;  // the edit loses the focus
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;

protected:
    QLineEdit* Line() const { return line_; }
    // The library's steps behind the events: each fires its event; a derived edit adds its own
    // handling around them (a key or character set to 0 is swallowed).
    virtual void Change();
    virtual void KeyDown(WORD& key, TShiftState shift);
    virtual void KeyPress(char32_t& key);
    virtual void DoEnter();
    virtual void DoExit();

private:
    QLineEdit* line_;
    int maxLength_ = 0;
    char passwordChar_ = 0;
};

// An edit with an input mask in the library's syntax "mask;save-literals;blank":
// '0' digit required, '9' digit optional, '#' digit or sign, 'L'/'l' letter, 'A'/'a' letter or digit,
// 'C'/'c' any character, '>' '<' case, '\' next character literal, '/' the date separator ".",
// ':' the time separator, '!' accepted and ignored; other characters are literals.
// With save-literals 1 (the usual "!99/99/99;1; ") Text() holds the literals and shows the blank
// character in empty positions, e.g. "  .  .  " for an empty date.
class TMaskEdit : public TEdit {
public:
    TMaskEdit() = default;
    std::string EditMask() const { return editMask_; }
    void SetEditMask(const std::string& mask);
    std::string Text() const override;
    void SetText(const std::string& text) override;

private:
    std::string editMask_;
};

// The parts of a mask in the library's syntax, and the same mask in Qt's input-mask syntax.
struct ParsedMask {
    std::string qtMask;                 // "" when the library mask is empty
    std::vector<bool> literalPositions; // one per position of the text
    bool saveLiterals = true;
    char32_t blank = U'_';
};
ParsedMask ParseEditMask(const std::string& mask);

// ---- Labels ----------------------------------------------------------------------------
class TLabel : public TControl {
public:
    TLabel();
    std::string Caption() const;
    void SetCaption(const std::string& caption);
    bool WordWrap() const;
    void SetWordWrap(bool wrap);
    void SetAlignment(TAlignment alignment);
    void SetFontColor(TColor color);
    void SetFontBold(bool bold);
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;

private:
    QLabel* label_;
};

// ---- Check boxes and radio buttons -------------------------------------------------------
class TCheckBox : public TControl {
public:
    TCheckBox();
    std::string Caption() const;
    void SetCaption(const std::string& caption);
    bool Checked() const;
    // OnClick runs whenever Checked changes, by the user or here (as in the library).
    void SetChecked(bool checked);
    TNotifyEvent OnClick;

private:
    QCheckBox* box_;
};

// Radio buttons of one parent (group box, panel, window) exclude one another.
class TRadioButton : public TControl {
public:
    TRadioButton();
    std::string Caption() const;
    void SetCaption(const std::string& caption);
    bool Checked() const;
    // OnClick runs when the button becomes checked, by the user or here.
    void SetChecked(bool checked);
    TNotifyEvent OnClick;

private:
    QRadioButton* button_;
};

// ---- Containers ----------------------------------------------------------------------------
// Disabling a group box or panel disables every control inside; their own Enabled() stays as set.
class TGroupBox : public TControl {
public:
    TGroupBox();
    std::string Caption() const;
    void SetCaption(const std::string& caption);

private:
    QGroupBox* box_;
};

class TPanel : public TControl {
public:
    TPanel();
    // Shown in the middle of the panel (a panel holding controls usually has none).
    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    // A raised bevel by default; false gives a flat panel.
    void SetBevel(bool raised);

private:
    QFrame* frame_;
    QLabel* captionLabel_;
    std::string caption_;
};

// A group box of radio buttons, one per item; ItemIndex -1 is none checked.
class TRadioGroup : public TControl {
public:
    TRadioGroup();
    ~TRadioGroup() override;
    std::string Caption() const;
    void SetCaption(const std::string& caption);
    TStrings& Items() { return *items_; }
    const TStrings& Items() const { return *items_; }
    int ItemIndex() const { return itemIndex_; }
    // OnClick runs when ItemIndex changes, by the user or here (as in the library).
    void SetItemIndex(int index);
    int Columns() const { return columns_; }
    void SetColumns(int columns);
    TNotifyEvent OnClick;

private:
    class ItemList;
    void Rebuild();
    void ButtonToggled(int index, bool checked);

    QGroupBox* box_;
    QButtonGroup* group_;
    std::unique_ptr<TStrings> items_;
    std::vector<std::string> texts_;
    int itemIndex_ = -1;
    int columns_ = 1;
};

// ---- Lists ---------------------------------------------------------------------------------
class TComboBox : public TControl {
public:
    TComboBox();
    ~TComboBox() override;
    // csDropDown (the default) lets the user type; csDropDownList only choose an item.
    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle style);
    TStrings& Items() { return *items_; }
    const TStrings& Items() const { return *items_; }
    int ItemIndex() const;
    void SetItemIndex(int index); // -1 selects nothing and empties the text
    // The edit's text (csDropDown) or the selected item's (csDropDownList, "" when none).
    std::string Text() const;
    // csDropDown: puts the text in the edit; csDropDownList: selects the item of that text, if any.
    void SetText(const std::string& text);
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int length);
    // OnChange runs only on a change by the user: choosing an item or typing; never on changes made
    // here. OnClick runs before it when the user chooses an item.
    TNotifyEvent OnChange;
    TNotifyEvent OnClick;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;

private:
    class ItemList;
    void HookEdit();
    QComboBox* combo_;
    std::unique_ptr<TStrings> items_;
    TComboBoxStyle style_ = csDropDown;
    int maxLength_ = 0;
};

class TListBox : public TControl {
public:
    TListBox();
    ~TListBox() override;
    TStrings& Items() { return *items_; }
    const TStrings& Items() const { return *items_; }
    int ItemIndex() const;
    void SetItemIndex(int index);
    // OnClick runs when the user selects an item (mouse or keys), not on changes made here.
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;

private:
    class ItemList;
    QListWidget* list_;
    std::unique_ptr<TStrings> items_;
    bool quiet_ = false;
    int rowAtPress_ = -1;
};

class TMemo : public TControl {
public:
    TMemo();
    ~TMemo() override;
    // One item per line; Lines().Add shows the new last line.
    TStrings& Lines() { return *lines_; }
    const TStrings& Lines() const { return *lines_; }
    std::string Text() const;
    void SetText(const std::string& text);
    void Clear() { SetText(""); }
    bool ReadOnly() const;
    void SetReadOnly(bool readOnly);
    // ssNone by default (no scroll bars; long lines wrap).
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle bars);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wrap);
    TNotifyEvent OnChange;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;

private:
    class LineList;
    void ApplyWrap();
    QPlainTextEdit* edit_;
    std::unique_ptr<TStrings> lines_;
    TScrollStyle scrollBars_ = ssNone;
    bool wordWrap_ = true;
};

// ---- Date picker ------------------------------------------------------------------------------
// A date with a drop-down calendar; today at the start.
class TDateTimePicker : public TControl {
public:
    TDateTimePicker();
    TDateTime Date() const; // the whole day, no time
    void SetDate(TDateTime date);
    TNotifyEvent OnChange; // by the user only

private:
    QDateEdit* edit_;
    bool quiet_ = false;
};
