#include "controls/window_utils.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QLayout>
#include <QLockFile>
#include <QScreen>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <map>
#include <memory>
#include <thread>

#include "controls/file_utils.h"
#include "controls/resource_strings.h"
#include "platform/clock/clock.h"
#include "platform/forms/application.h"
#include "platform/forms/control.h"
#include "platform/forms/dialogs.h"
#include "platform/forms/form.h"

// ---- Windows ----------------------------------------------------------------------------------

TRect ScreenWorkArea() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? FromQRect(screen->availableGeometry()) : TRect{};
}

namespace {
QPoint CentredIn(const QRect& area, const QSize& size) {
    return QPoint(std::max(0, area.x() + (area.width() - size.width()) / 2),
                  std::max(0, area.y() + (area.height() - size.height()) / 2));
}
} // namespace

void CenterControl(TControl& control) {
    QWidget* widget = control.Widget();
    if (!widget) return;
    const QWidget* parent = widget->parentWidget();
    const QRect area = parent ? QRect(QPoint(0, 0), parent->size()) : ToQRect(ScreenWorkArea());
    widget->move(CentredIn(area, widget->size()));
}

void CenterForm(TForm& form) {
    CenterWindow(*form.Widget());
}

void CenterWindow(QWidget& window) {
    const QRect area = ToQRect(ScreenWorkArea());
    QPoint at = CentredIn(area, window.frameSize());
    at.setX(std::max(area.left(), std::min(at.x(), area.right() + 1 - window.frameSize().width())));
    at.setY(std::max(area.top(), std::min(at.y(), area.bottom() + 1 - window.frameSize().height())));
    window.move(at);
}

void MergeForm(TControl& container, TForm& form, bool show) {
    QWidget* holder = container.Widget();
    QWidget* window = form.Widget();
    if (!holder || !window) return;
    if (!holder->layout()) {
        auto* layout = new QVBoxLayout(holder);
        layout->setContentsMargins(0, 0, 0, 0);
    }
    window->setParent(holder, Qt::Widget);
    holder->layout()->addWidget(window);
    window->setVisible(show);
}

std::string WindowClassName(const QWidget& window) {
    return window.metaObject()->className();
}

void ShowWinNoAnimate(QWidget& window, bool show) {
    window.setVisible(show);
}

void SwitchToWindow(QWidget& window, bool restore) {
    if (restore && window.isMinimized()) window.showNormal();
    window.raise();
    window.activateWindow();
}

void ActivateWindow(QWidget& window) {
    SwitchToWindow(window, false);
}

namespace {
std::string RuntimeFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    return runtime && *runtime ? runtime : RemoveBackSlash(GetTempDir());
}

std::string LockName(const std::string& mainFormClass, const std::string& title) {
    std::string name = "kaltor-" + mainFormClass + "-" + title;
    for (char& c : name)
        if (c == '/' || c == ' ') c = '_';
    return RuntimeFolder() + "/" + name + ".lock";
}

std::map<std::string, std::unique_ptr<QLockFile>>& HeldLocks() {
    static std::map<std::string, std::unique_ptr<QLockFile>> locks;
    return locks;
}
} // namespace

bool FindPrevInstance(const std::string& mainFormClass, const std::string& title) {
    const std::string path = LockName(mainFormClass, title);
    if (HeldLocks().count(path)) return false; // the lock is ours: we are the first copy
    auto lock = std::make_unique<QLockFile>(QString::fromStdString(path));
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) return true;
    HeldLocks()[path] = std::move(lock);
    return false;
}

bool ActivatePrevInstance(const std::string& mainFormClass, const std::string& title) {
    return FindPrevInstance(mainFormClass, title);
}

bool IsForegroundTask() {
    return QApplication::activeWindow() != nullptr;
}

void KillMessage(QObject& receiver, QEvent::Type type) {
    if (type == QEvent::Quit) return;
    QCoreApplication::removePostedEvents(&receiver, type);
}

int MsgBox(const std::string& caption, const std::string& text, unsigned flags) {
    return MessageBox(text, caption, flags);
}

int MsgDlg(const std::string& text, TMsgDlgType type, const std::vector<TMsgDlgBtn>& buttons,
           int helpContext) {
    return MessageDlg(text, type, buttons, helpContext);
}

// ---- Memory -------------------------------------------------------------------------------------
// Each block starts with its size, so that its size can be told and a grown block zero-filled.

namespace {
constexpr size_t kHeader = sizeof(std::max_align_t);
char* HeaderOf(const void* block) {
    return const_cast<char*>(static_cast<const char*>(block)) - kHeader;
}
} // namespace

void* AllocMemo(long size) {
    if (size < 1) return nullptr;
    char* raw = static_cast<char*>(std::calloc(1, kHeader + static_cast<size_t>(size)));
    if (!raw) return nullptr;
    std::memcpy(raw, &size, sizeof size);
    return raw + kHeader;
}

void* ReallocMemo(void* block, long size) {
    if (!block) return AllocMemo(size);
    if (size < 1) {
        FreeMemo(block);
        return nullptr;
    }
    const long old = GetMemoSize(block);
    char* raw = static_cast<char*>(std::realloc(HeaderOf(block), kHeader + static_cast<size_t>(size)));
    if (!raw) return nullptr;
    if (size > old) std::memset(raw + kHeader + old, 0, static_cast<size_t>(size - old));
    std::memcpy(raw, &size, sizeof size);
    return raw + kHeader;
}

void FreeMemo(void*& block) {
    if (!block) return;
    std::free(HeaderOf(block));
    block = nullptr;
}

long GetMemoSize(const void* block) {
    if (!block) return 0;
    long size = 0;
    std::memcpy(&size, HeaderOf(block), sizeof size);
    return size;
}

bool CompareMem(const void* a, const void* b, size_t size) {
    return size == 0 || std::memcmp(a, b, size) == 0;
}

void HMemCpy(void* destination, const void* source, size_t count) {
    std::memmove(destination, source, count);
}

void HugeMove(void* base, long destination, long source, long count) {
    if (count <= 0) return;
    auto* items = static_cast<char*>(base);
    std::memmove(items + destination * 4, items + source * 4, static_cast<size_t>(count) * 4);
}

// ---- Texts of the program ----------------------------------------------------------------------

std::string GetEnvVar(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    return value ? value : "";
}

void SplitCommandLine(const std::string& commandLine, std::string& executable, std::string& parameters) {
    size_t pos = commandLine.find_first_not_of(' ');
    executable.clear();
    parameters.clear();
    if (pos == std::string::npos) return;
    if (commandLine[pos] == '"') {
        const size_t close = commandLine.find('"', pos + 1);
        executable =
            commandLine.substr(pos + 1, close == std::string::npos ? std::string::npos : close - pos - 1);
        pos = close == std::string::npos ? commandLine.size() : close + 1;
    } else {
        const size_t end = std::min(commandLine.find(' ', pos), commandLine.size());
        executable = commandLine.substr(pos, end - pos);
        pos = end;
    }
    // The rest, token by token; a token with a blank inside (it was quoted) is quoted again.
    std::vector<std::string> tokens;
    while (pos < commandLine.size()) {
        pos = commandLine.find_first_not_of(' ', pos);
        if (pos == std::string::npos) break;
        std::string token;
        if (commandLine[pos] == '"') {
            const size_t close = commandLine.find('"', pos + 1);
            token =
                commandLine.substr(pos + 1, close == std::string::npos ? std::string::npos : close - pos - 1);
            pos = close == std::string::npos ? commandLine.size() : close + 1;
        } else {
            const size_t end = std::min(commandLine.find(' ', pos), commandLine.size());
            token = commandLine.substr(pos, end - pos);
            pos = end;
        }
        tokens.push_back(token.find(' ') != std::string::npos ? "\"" + token + "\"" : token);
    }
    for (size_t i = 0; i < tokens.size(); ++i)
        parameters += (i ? " " : "") + tokens[i];
}

std::string AnsiUpperFirstChar(const std::string& text) {
    QString q = QString::fromStdString(text);
    if (!q.isEmpty()) q[0] = q[0].toUpper();
    return q.toStdString();
}

std::vector<char> StrPAlloc(const std::string& text) {
    std::vector<char> copy(text.begin(), text.end());
    copy.push_back('\0');
    return copy;
}

std::string DropT(const std::string& text) {
    if (text.size() > 1 && (text[0] == 'T' || text[0] == 't')) return text.substr(1);
    return text;
}

// ---- System ---------------------------------------------------------------------------------------

void* LoadDLL(const std::string& name) {
    void* handle = dlopen(name.c_str(), RTLD_NOW);
    if (!handle) {
        const char* reason = dlerror();
        throw EOSError(reason ? reason : "Невозможно загрузить библиотеку '" + name + "'", ENOENT);
    }
    return handle;
}

bool RegisterServer(const std::string&) {
    return false;
}

void Beep() {
    QApplication::beep();
}

void FreeUnusedOle() {}

void NotImplemented() {
    QApplication::restoreOverrideCursor();
    MessageDlg(SNotImplemented, mtError, {mbOK}, 0);
    throw EAbort("Operation aborted");
}

void Delay(unsigned ms) {
    const int64_t until = MonotonicMs() + ScaledMs(ms);
    do {
        if (Application)
            Application->ProcessMessages();
        else
            QCoreApplication::processEvents();
        if (MonotonicMs() < until) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    } while (MonotonicMs() < until);
}

std::string GetWindowsVersion() {
    return "";
}

void RaiseWin32Error(int code) {
    if (code == 0) return;
    throw EOSError(std::strerror(code), code);
}

void CheckWin32(bool ok) {
    if (!ok) RaiseWin32Error(errno != 0 ? errno : EINVAL);
}
