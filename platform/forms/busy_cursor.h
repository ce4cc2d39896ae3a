#pragma once
// The busy cursor. It shows while an event handler runs (every handler runs through RunHandler, so a
// command that waits for the register, or a port probe, shows it without knowing of cursors), and it
// is taken back while a window, message box or file dialog waits for a person. Scopes nest: the
// innermost one decides.
class BusyScope {
public:
    BusyScope();
    ~BusyScope();
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;
};

class PersonWaitsScope {
public:
    PersonWaitsScope();
    ~PersonWaitsScope();
    PersonWaitsScope(const PersonWaitsScope&) = delete;
    PersonWaitsScope& operator=(const PersonWaitsScope&) = delete;
};

// True while the busy cursor is shown.
bool BusyCursorShown();
