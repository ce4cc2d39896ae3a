#include "platform/forms/busy_cursor.h"

#include <QCursor>
#include <QGuiApplication>
#include <vector>

namespace {

std::vector<bool>& Scopes() {
    static std::vector<bool> scopes; // true: busy, false: a person is asked
    return scopes;
}

bool shown = false;

// Qt keeps a stack of override cursors of its own; ours is at most one entry on it.
void Apply() {
    const bool wanted = !Scopes().empty() && Scopes().back();
    if (wanted == shown || !QGuiApplication::instance()) return;
    if (wanted)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    else
        QGuiApplication::restoreOverrideCursor();
    shown = wanted;
}

void Push(bool busy) {
    Scopes().push_back(busy);
    Apply();
}

void Pop() {
    Scopes().pop_back();
    Apply();
}

} // namespace

BusyScope::BusyScope() {
    Push(true);
}
BusyScope::~BusyScope() {
    Pop();
}

PersonWaitsScope::PersonWaitsScope() {
    Push(false);
}
PersonWaitsScope::~PersonWaitsScope() {
    Pop();
}

bool BusyCursorShown() {
    return shown;
}
