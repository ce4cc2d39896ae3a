#include "controls/resources.h"

#include <QApplication>
#include <QPixmap>
#include <map>

#include "controls/resource_strings.h"

// The resources of a static library are registered by hand.
static void RegisterControlResources() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(controls);
        return true;
    }();
    (void)registered;
}

namespace {

QString ResourcePath(const std::string& module, const std::string& name) {
    RegisterControlResources();
    return QString::fromStdString(":/" + module + "/" + name);
}

std::map<int, QCursor>& CursorList() {
    static std::map<int, QCursor> cursors;
    static const bool loaded = [] {
        // The two cursors of the controls, loaded once at the first use of the list.
        for (const auto& [index, name] :
             {std::pair{crHandPoint, "KX_HANDCUR"}, std::pair{crDragHand, "KX_DRAGCUR"}}) {
            const QPixmap picture(ResourcePath("controls", name));
            if (!picture.isNull()) cursors[index] = QCursor(picture, 1, 1);
        }
        return true;
    }();
    (void)loaded;
    return cursors;
}

constexpr int kFirstUserCursor = 100;
constexpr int kLastUserCursor = 0x7FFF;
int waitNesting = 0;

} // namespace

std::string ResourceString(int id) {
    static const char* const kTexts[] = {SInformation,  SLoadLibError,  SIconFileError, SNotImplemented,
                                         SPrevMonth,    SPrevYear,      SNextMonth,     SNextYear,
                                         SDateDlgTitle, SDefaultFilter, SListCaption};
    const int index = id - FirstResourceString;
    if (index < 0 || index >= static_cast<int>(std::size(kTexts))) return "";
    return kTexts[index];
}

QImage MakeModuleBitmap(const std::string& module, const std::string& name) {
    QImage bitmap(ResourcePath(module, name));
    if (bitmap.isNull()) throw EResNotFound("Resource " + name + " not found");
    return bitmap.convertToFormat(QImage::Format_ARGB32);
}

QImage MakeBitmap(const std::string& name) {
    return MakeModuleBitmap("controls", name);
}

QImage MakeBitmapID(int id) {
    return MakeBitmap(std::to_string(id));
}

QIcon MakeModuleIcon(const std::string& module, const std::string& name) {
    const QPixmap picture(ResourcePath(module, name));
    return picture.isNull() ? QIcon() : QIcon(picture);
}

QIcon MakeIcon(const std::string& name) {
    return MakeModuleIcon("controls", name);
}

QIcon MakeIconID(int id) {
    return MakeIcon(std::to_string(id));
}

QCursor ScreenCursor(int index) {
    const auto& cursors = CursorList();
    const auto found = cursors.find(index);
    return found == cursors.end() ? QCursor(Qt::ArrowCursor) : found->second;
}

bool HasScreenCursor(int index) {
    return CursorList().count(index) != 0;
}

int DefineCursor(const std::string& module, const std::string& name) {
    const QPixmap picture(ResourcePath(module, name));
    if (picture.isNull()) throw EResNotFound("Resource " + name + " not found");
    auto& cursors = CursorList();
    for (int index = kFirstUserCursor; index <= kLastUserCursor; ++index)
        if (!cursors.count(index)) {
            cursors[index] = QCursor(picture, 1, 1);
            return index;
        }
    throw EOutOfResources("Too many resources");
}

bool LoadAniCursor(const std::string&, const std::string&, QCursor& cursor) {
    cursor = QCursor();
    return false;
}

void StartWait() {
    if (waitNesting++ == 0) QApplication::setOverrideCursor(Qt::WaitCursor);
}

void StopWait() {
    if (waitNesting == 0) return;
    if (--waitNesting == 0) QApplication::restoreOverrideCursor();
}

int WaitNesting() {
    return waitNesting;
}
