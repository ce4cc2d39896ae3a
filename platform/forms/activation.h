#pragma once
// Which of our windows is the active one (internal to the form layer). The windows shown form a stack:
// showing a window puts it on top and runs its OnActivate; hiding the top window runs OnActivate of
// the window below it.
class TForm;

namespace activation {
void Shown(TForm& form);
void Hidden(TForm& form);
// Drops a window being destroyed, without running any event.
void Forget(TForm& form);
TForm* Active();
// The top window that is shown modally, or nullptr.
TForm* TopModal();
} // namespace activation
