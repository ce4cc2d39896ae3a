#include "platform/forms/activation.h"

#include <algorithm>
#include <vector>

#include "platform/forms/events.h"
#include "platform/forms/form.h"

namespace {
std::vector<TForm*>& Stack() {
    static std::vector<TForm*> stack;
    return stack;
}

void Erase(TForm& form) {
    auto& stack = Stack();
    stack.erase(std::remove(stack.begin(), stack.end(), &form), stack.end());
}
} // namespace

namespace activation {

void Shown(TForm& form) {
    auto& stack = Stack();
    if (!stack.empty() && stack.back() == &form) return;
    TForm* previous = stack.empty() ? nullptr : stack.back();
    Erase(form);
    stack.push_back(&form);
    if (previous) Fire(previous->OnDeactivate);
    Fire(form.OnActivate);
}

void Hidden(TForm& form) {
    auto& stack = Stack();
    const bool wasActive = !stack.empty() && stack.back() == &form;
    Erase(form);
    if (!wasActive) return;
    Fire(form.OnDeactivate);
    if (!stack.empty()) Fire(stack.back()->OnActivate);
}

void Forget(TForm& form) {
    Erase(form);
}

TForm* Active() {
    return Stack().empty() ? nullptr : Stack().back();
}

TForm* TopModal() {
    const auto& stack = Stack();
    for (auto it = stack.rbegin(); it != stack.rend(); ++it)
        if ((*it)->Modal()) return *it;
    return nullptr;
}

} // namespace activation
