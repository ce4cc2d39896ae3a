#include <memory>

#include "platform/forms/forms.h"
#include "platform/forms/tests/fixture.h"

namespace {

// A window whose edit, on losing the focus, reads a control declared after it.
class FocusWindow : public TForm {
public:
    FocusWindow() {
        Column main(*this);
        main.Add(Box).Add(Later);
        Column inside(Box);
        inside.Add(First);
        First.OnExit = [this] { Later.SetText(First.Text()); };
    }
    TGroupBox Box;
    TEdit First;
    TEdit Later;
};

TEST_F(FormsTest, AWindowIsDestroyedWithItsEditFocusedAndNoHandlerRuns) {
    for (int round = 0; round < 2; ++round) {
        auto window = std::make_unique<FocusWindow>();
        window->Show();
        window->First.SetFocus();
        Application->ProcessMessages();
        window.reset(); // under the sanitizers a handler run here reads freed memory
    }
    SUCCEED();
}
} // namespace
