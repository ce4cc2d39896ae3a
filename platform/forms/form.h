#pragma once
// TForm: one window of the program, a Qt dialog underneath.
//
// The pattern of every window:
//
//     class TForm27 : public TForm {
//     public:
//         TForm27();
//         TButton Button1;          // controls are members under their described names
//         TEdit Edit1;
//     private:
//         void Button1Click();      // handlers are named after control and event
//         void FormActivate();
//     };
//
//     TForm27::TForm27() {
//         SetCaption("Дата и время");
//         Button1.SetCaption("Выход");
//         Column main(*this);                         // layout builders, see layout.h
//         main.Field("Пароль:", Edit1);
//         main.Buttons({&Button1});
//         Button1.OnClick = [this] { Button1Click(); };
//         OnActivate = [this] { FormActivate(); };
//     }
//
// Windows are created once (TApplication::CreateForm) and live to the end of the program.
//
// Activation follows the library: OnActivate runs when the window is shown and each time it becomes
// the program's active window again after another window of ours was hidden or closed (so a window
// that showed a modal dialog runs OnActivate again when the dialog closes). Message boxes, questions
// and file or folder dialogs do not count as windows: closing one does not run OnActivate. The layer
// keeps the order of its windows itself, so this is the same offscreen, in tests, and on any desktop.
// Order of events: showing B from A runs B.OnShow, A.OnDeactivate, B.OnActivate; closing B runs
// B.OnClose, B.OnDeactivate, A.OnActivate, all before B's ShowModal returns to A's handler.
// A window shown (without modality) beside a modal one is hidden with it, so closing the modal
// window activates the window below it even while the other was still open.
//
// A handler tells the two kinds of activation apart with ActivatedAgain(): false when the window has
// just appeared, true when it became active again because a window of ours above it closed (or it was
// brought to the front while on the screen). What a handler puts into the fields as defaults goes in
// on show only, so that coming back from a child window (a confirmation, the status viewer) keeps what
// the user typed; what must follow every return (re-reading settings, probing ports) runs either way:
//
//     void TForm27::FormActivate() {
//         if (ActivatedAgain()) return;
//         Edit2.SetText(FormatDateTime("hhnn", Now()));
//     }
#include <functional>
#include <memory>
#include <string>

#include "platform/forms/types.h"

class QWidget;
class QVBoxLayout;
class QEventLoop;
class TControl;
class TMainMenu;
class TStatusBar;
class FormWidget;

class TForm {
public:
    TForm();
    TForm(const TForm&) = delete;
    TForm& operator=(const TForm&) = delete;
    virtual ~TForm();

    std::string Caption() const;
    void SetCaption(const std::string& caption);

    // bsSizeable by default; bsSingle, bsDialog and bsToolWindow keep the size of their contents;
    // bsNone has no frame.
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style);
    // biSystemMenu | biMinimize | biMaximize by default; without biSystemMenu there is no close box.
    TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons icons);
    // poDesigned by default (the desktop places the window); poScreenCenter centres it on each show.
    TPosition Position() const { return position_; }
    void SetPosition(TPosition position) { position_ = position; }
    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle style);

    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void SetLeft(int left);
    void SetTop(int top);
    void SetWidth(int width);
    void SetHeight(int height);

    // Shows the window without modality and makes it the active window.
    void Show();
    // Shows the window modally and returns when ModalResult becomes non-zero; returns that result.
    // The wait goes through the UI host (ui_host.h), so tests can act inside the window. A window
    // already shown is brought to the front instead, and the call returns mrCancel at once.
    int ShowModal();
    // Closes the window: OnClose may refuse (caNone); a modal window ends with mrCancel; closing the
    // main window ends the program.
    void Close();
    void Hide();
    void Repaint();
    bool Visible() const;
    // True while the window is shown modally.
    bool Modal() const { return modal_; }
    // True while the window is the program's active window (of ours).
    bool Active() const;
    // True while OnActivate runs because the window became active again after a window of ours above
    // it closed; false when it has just been shown, and outside the layer's activation.
    bool ActivatedAgain() const;

    TModalResult ModalResult() const { return modalResult_; }
    // A non-zero result ends a modal show.
    void SetModalResult(TModalResult result);

    // The control that has (or will have, once the window is active) the keyboard focus.
    TControl* ActiveControl() const;
    void SetActiveControl(TControl& control);
    void SetFocus();

    // With KeyPreview the window's OnKeyDown sees every key before the focused control; setting the key
    // to 0 swallows it.
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool preview) { keyPreview_ = preview; }

    // The main menu (top) and status bar (bottom) of the window.
    void SetMenu(TMainMenu& menu);
    void SetStatusBar(TStatusBar& bar);

    // "TForm27": the class name, used by the recording host to pick the callback for a modal show.
    std::string ClassName() const;
    // "Form27": the class name without "T", unless SetName gave another.
    std::string Name() const;
    void SetName(const std::string& name) { name_ = name; }

    // OnCreate runs once when the application creates the window (after its constructor).
    std::function<void()> OnCreate;
    std::function<void()> OnShow;
    std::function<void()> OnHide;
    std::function<void()> OnActivate;
    std::function<void()> OnDeactivate;
    std::function<void(TCloseAction& action)> OnClose;
    std::function<void(WORD& key, TShiftState shift)> OnKeyDown;

    QWidget* Widget() const;
    // The widget that holds the window's own controls (below the menu, above the status bar).
    QWidget* ClientWidget() const;
    // The window a widget belongs to, or nullptr.
    static TForm* FormOf(const QWidget* widget);

    // Used by the UI host: runs the event loop until a modal result is set or the program ends.
    void RunModalLoop();
    // Used by the application's event dispatch: offers a key to OnKeyDown when KeyPreview is on;
    // true when the handler swallowed it.
    bool PreviewKey(WORD& key, TShiftState shift);

private:
    friend class FormWidget;
    friend class TApplication;
    void ShowWindow();
    void HideWindow();
    void HideWindowsBeside();
    void CloseModal();
    bool AskClose(TCloseAction& action);
    void ApplyFrame();
    void CenterOnScreen();
    void FitOnScreen();
    void BringToFront();
    void EscapePressed();

    std::unique_ptr<FormWidget> widget_;
    QWidget* client_ = nullptr;
    QVBoxLayout* frameLayout_ = nullptr;
    QEventLoop* modalLoop_ = nullptr;
    TBorderStyle borderStyle_ = bsSizeable;
    TBorderIcons borderIcons_ = biSystemMenu | biMinimize | biMaximize;
    TPosition position_ = poDesigned;
    TFormStyle formStyle_ = fsNormal;
    TModalResult modalResult_ = mrNone;
    bool modal_ = false;
    bool keyPreview_ = false;
    std::string name_;
};
