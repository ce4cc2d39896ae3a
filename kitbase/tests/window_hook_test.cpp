// The window hook: events seen before and after the control's own processing, by several hooks.
#include <QCoreApplication>
#include <QKeyEvent>

#include "kitbase/window_hook.h"
#include "platform/forms/tests/fixture.h"

namespace {

class WindowHookTest : public FormsTest {
protected:
    // Records what each hook saw of key presses, with the edit's text at that moment.
    void Watch(TKxWindowHook& hook, const std::string& name, TEdit& edit, bool swallow = false) {
        hook.BeforeMessage = [=, this, &edit](TKxWindowHook&, QEvent& msg, bool& handled) {
            if (msg.type() != QEvent::KeyPress) return;
            seen.push_back(name + " before '" + edit.Text() + "'");
            handled = swallow;
        };
        hook.AfterMessage = [=, this, &edit](TKxWindowHook&, QEvent& msg, bool&) {
            if (msg.type() == QEvent::KeyPress) seen.push_back(name + " after '" + edit.Text() + "'");
        };
        hook.SetWinControl(edit);
    }
    static void Type(TEdit& edit, const QString& text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
        QCoreApplication::sendEvent(edit.Widget(), &press);
    }
    std::vector<std::string> seen;
};

TEST_F(WindowHookTest, TwoHooksSeeEveryEventBeforeAndAfterTheControl) {
    TEdit Edit1;
    std::string keysOfTheEdit;
    Edit1.OnKeyPress = [&](char32_t& key) { keysOfTheEdit += static_cast<char>(key); };
    TKxWindowHook first, second;
    Watch(first, "first", Edit1);
    Watch(second, "second", Edit1);
    Type(Edit1, "a");
    EXPECT_EQ(seen, (std::vector<std::string>{"second before ''", "first before ''", "second after 'a'",
                                              "first after 'a'"}));
    EXPECT_EQ(keysOfTheEdit, "a") << "the control's own key handling still runs once";
}

// Counts the key presses that reach it.
class KeyCounter : public QObject {
public:
    int presses = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) ++presses;
        return false;
    }
};

TEST_F(WindowHookTest, FiltersOfTheControlSeeEachEventOnceWhereverTheyWereAdded) {
    TEdit Edit1;
    KeyCounter before, after;
    Edit1.Widget()->installEventFilter(&before);
    TKxWindowHook hook;
    Watch(hook, "hook", Edit1);
    Edit1.Widget()->installEventFilter(&after);
    Type(Edit1, "a");
    EXPECT_EQ(before.presses, 1);
    EXPECT_EQ(after.presses, 1);
    EXPECT_EQ(Edit1.Text(), "a");
    EXPECT_EQ(seen, (std::vector<std::string>{"hook before ''", "hook after 'a'"}));
}

TEST_F(WindowHookTest, HandledBeforeKeepsTheEventFromTheControlAndTheOtherHooks) {
    TEdit Edit1;
    TKxWindowHook first, second;
    Watch(first, "first", Edit1);
    Watch(second, "second", Edit1, true);
    Type(Edit1, "a");
    EXPECT_EQ(seen, std::vector<std::string>{"second before ''"});
    EXPECT_EQ(Edit1.Text(), "");
}

TEST_F(WindowHookTest, UnhookingAndSwitchingControls) {
    TEdit Edit1, Edit2;
    TKxWindowHook first, second;
    Watch(first, "first", Edit1);
    Watch(second, "second", Edit1);
    second.SetActive(false);
    Type(Edit1, "a");
    EXPECT_EQ(seen, (std::vector<std::string>{"first before ''", "first after 'a'"}));
    first.SetActive(false);
    seen.clear();
    Type(Edit1, "b");
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(Edit1.Text(), "ab");

    first.SetActive(true);
    Watch(first, "first", Edit2);
    Type(Edit1, "c");
    Type(Edit2, "x");
    EXPECT_EQ(seen, (std::vector<std::string>{"first before ''", "first after 'x'"}));
}

TEST_F(WindowHookTest, FreeingTheControlClearsWinControlOfEveryHook) {
    auto edit = std::make_unique<TEdit>();
    TKxWindowHook first, second;
    first.SetWinControl(*edit);
    second.SetWinControl(*edit);
    EXPECT_EQ(first.WinControl(), edit->Widget());
    edit.reset();
    EXPECT_EQ(first.WinControl(), nullptr);
    EXPECT_EQ(second.WinControl(), nullptr);
}

TEST_F(WindowHookTest, AHookDestroyedInsideItsOwnHandlerIsSafe) {
    TEdit Edit1;
    TKxWindowHook first;
    auto second = std::make_unique<TKxWindowHook>();
    Watch(first, "first", Edit1);
    second->BeforeMessage = [&](TKxWindowHook&, QEvent& msg, bool&) {
        if (msg.type() == QEvent::KeyPress) second.reset();
    };
    second->SetWinControl(Edit1);
    Type(Edit1, "a");
    EXPECT_EQ(seen, (std::vector<std::string>{"first before ''", "first after 'a'"}));
}

} // namespace
