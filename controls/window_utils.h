#pragma once
// Window, program and memory helpers: centring and activating windows, one running copy of the
// program, message boxes, the screen's work area, blocks of memory, command lines and system errors.
#include <QEvent>
#include <cstddef>
#include <string>
#include <vector>

#include "controls/drawing_utils.h"
#include "platform/forms/types.h"
#include "platform/text/text.h"

class QWidget;
class QObject;
class TControl;
class TForm;

// ---- Windows -------------------------------------------------------------------------------
// The screen's work area (the primary screen's available geometry).
TRect ScreenWorkArea();
// Centres a control in its parent, or a window on the screen; never at negative coordinates.
void CenterControl(TControl& control);
void CenterForm(TForm& form);
// Centres a window on the screen, then moves it back inside where it sticks out.
void CenterWindow(QWidget& window);
// Puts a window without its frame into a container, filling it, and shows it when asked.
void MergeForm(TControl& container, TForm& form, bool show);
// There are no MDI client windows here: nothing to change.
inline void ShowMDIClientEdge(QWidget& /*window*/, bool /*show*/) {}
// The Qt class name of the widget ("QLineEdit").
std::string WindowClassName(const QWidget& window);
// Shows (true) or hides the window; the desktop here animates nothing.
void ShowWinNoAnimate(QWidget& window, bool show);
// Brings the window to the front and activates it, restoring it from minimised when asked.
void SwitchToWindow(QWidget& window, bool restore);
void ActivateWindow(QWidget& window);
// One running copy: the first caller with this class and title holds a lock in the user's runtime
// folder ($XDG_RUNTIME_DIR, else the temporary folder) for the rest of its life; later copies find
// it. ActivatePrevInstance answers the same: another copy runs (its window cannot be raised from here).
bool FindPrevInstance(const std::string& mainFormClass, const std::string& title);
bool ActivatePrevInstance(const std::string& mainFormClass, const std::string& title);
// True when one of our windows is the active window.
bool IsForegroundTask();
// Removes the pending events of that type for the receiver; a quit is never removed.
void KillMessage(QObject& receiver, QEvent::Type type);
int MsgBox(const std::string& caption, const std::string& text, unsigned flags);
int MsgDlg(const std::string& text, TMsgDlgType type, const std::vector<TMsgDlgBtn>& buttons,
           int helpContext);

// ---- Memory ---------------------------------------------------------------------------------
// Zero-filled blocks that know their size; nullptr for a size below 1.
void* AllocMemo(long size);
void* ReallocMemo(void* block, long size); // a grown block's new bytes are zero
void FreeMemo(void*& block);
long GetMemoSize(const void* block);
bool CompareMem(const void* a, const void* b, size_t size);
inline void* HugeInc(void* p, long offset) {
    return static_cast<char*>(p) + offset;
}
inline void* HugeDec(void* p, long offset) {
    return static_cast<char*>(p) - offset;
}
inline void* HugeOffset(void* p, long offset) {
    return HugeInc(p, offset);
}
void HMemCpy(void* destination, const void* source, size_t count);
// Moves count 4-byte items inside one array, from index source to index destination.
void HugeMove(void* base, long destination, long source, long count);

// ---- Texts of the program ---------------------------------------------------------------------
// The environment variable's whole value, "" when it is not set.
std::string GetEnvVar(const std::string& name);
// The first token (which may be in double quotes) and the rest; rest parameters that contain a
// blank are put back in double quotes.
void SplitCommandLine(const std::string& commandLine, std::string& executable, std::string& parameters);
std::string AnsiUpperFirstChar(const std::string& text);
// A C-string copy of the text.
std::vector<char> StrPAlloc(const std::string& text);
inline std::vector<char> StringToPChar(const std::string& text) {
    return StrPAlloc(text);
}
// A leading "T" or "t" removed from a text longer than one character.
std::string DropT(const std::string& text);

// ---- System ----------------------------------------------------------------------------------------
// Loads a shared library; raises EOSError with the loader's message when it cannot.
void* LoadDLL(const std::string& name);
// Registering components in the system is a Windows matter: always false.
bool RegisterServer(const std::string& name);
void Beep();
// Nothing to free here.
void FreeUnusedOle();
// Shows "Функция не реализована" as an error, then ends the current operation silently (EAbort).
[[noreturn]] void NotImplemented();
// Lets the message loop run until ms milliseconds have passed (through the clock's time scale).
void Delay(unsigned ms);
// Not Windows: "".
std::string GetWindowsVersion();
// The class library's system error with the system's text for the code (errno here).
class EOSError : public Exception {
public:
    EOSError(const std::string& message, int code) : Exception(message), ErrorCode(code) {}
    int ErrorCode;
};
// The library's silent abort: ends an operation without a message.
class EAbort : public Exception {
public:
    using Exception::Exception;
};
void RaiseWin32Error(int code);
void CheckWin32(bool ok);
inline std::string ResStr(const std::string& text) {
    return text;
}
