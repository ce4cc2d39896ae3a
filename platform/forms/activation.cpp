#include "platform/forms/activation.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/forms/events.h"
#include "platform/forms/form.h"

namespace {
std::vector<TForm*>& Stack() {
    static std::vector<TForm*> stack;
    return stack;
}

const TForm*& WindowActiveAgain() {
    static const TForm* form = nullptr;
    return form;
}

// Runs OnActivate and tells the handler why it runs. A handler that shows a window of its own sees
// the activations nested in it answer for themselves, and its own answer again afterwards.
void Activate(TForm& form, bool again) {
    struct Restore {
        const TForm* outer;
        ~Restore() { WindowActiveAgain() = outer; }
    } restore{std::exchange(WindowActiveAgain(), again ? &form : nullptr)};
    Fire(form.OnActivate);
}

void Erase(TForm& form) {
    auto& stack = Stack();
    stack.erase(std::remove(stack.begin(), stack.end(), &form), stack.end());
}
} // namespace

namespace activation {

void Shown(TForm& form, bool appeared) {
    auto& stack = Stack();
    if (!stack.empty() && stack.back() == &form) return;
    TForm* previous = stack.empty() ? nullptr : stack.back();
    Erase(form);
    stack.push_back(&form);
    if (previous) Fire(previous->OnDeactivate);
    Activate(form, !appeared);
}

void Hidden(TForm& form) {
    auto& stack = Stack();
    const bool wasActive = !stack.empty() && stack.back() == &form;
    Erase(form);
    if (!wasActive) return;
    Fire(form.OnDeactivate);
    if (!stack.empty()) Activate(*stack.back(), true);
}

void Forget(TForm& form) {
    Erase(form);
}

TForm* Active() {
    return Stack().empty() ? nullptr : Stack().back();
}

const TForm* ActivatingAgain() {
    return WindowActiveAgain();
}

TForm* TopModal() {
    const auto& stack = Stack();
    for (auto it = stack.rbegin(); it != stack.rend(); ++it)
        if ((*it)->Modal()) return *it;
    return nullptr;
}

} // namespace activation
