#pragma once
// Which of our windows is the active one (internal to the form layer). The windows shown form a stack:
// showing a window puts it on top and runs its OnActivate; hiding the top window runs OnActivate of
// the window below it.
class TForm;

namespace activation {
// `appeared`: the window was hidden until now. A window already on the screen that is brought to the
// front is active again, as after a child window closed: it keeps what it holds.
void Shown(TForm& form, bool appeared);
void Hidden(TForm& form);
// Drops a window being destroyed, without running any event.
void Forget(TForm& form);
TForm* Active();
// The window whose OnActivate runs now because it became active again, or nullptr.
const TForm* ActivatingAgain();
// The top window that is shown modally, or nullptr.
TForm* TopModal();
} // namespace activation
