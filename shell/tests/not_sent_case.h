#pragma once
// A window's button whose command the driver refuses to build (a field longer than a frame carries):
// the window shows the cases' messages, sends nothing and leaves the answer "not sent", however well
// the command before it went. The fiscal and set-up windows' tests list their cases; their sequence
// tests take the over-long field and the refusal message from here too.
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "shell/tests/shell_fixture.h"

// A field longer than a frame carries.
inline const std::string TooLong(230, '7');

// The message of a sequence refused before its first command for a command too long for a frame.
inline std::string Unformable(unsigned code) {
    return UnformableCommandMessage(code, RefusalDataTooLong);
}

struct NotSentCase {
    const char* name;
    TForm* (*window)();
    std::function<void(RecordingUiHost&)> fill; // runs in the shown window, after its activation
    std::function<void()> press;
    std::vector<std::string> messages;
    TEdit* (*codeEdit)() = nullptr; // the window's error-code field, emptied for a command not sent
};

inline void PrintTo(const NotSentCase& c, std::ostream* os) {
    *os << c.name;
}

inline std::string NotSentCaseName(const testing::TestParamInfo<NotSentCase>& info) {
    return info.param.name;
}

// A window object held by a global pointer, as a case's window().
template <class Form> TForm* Shown(Form* const& form) {
    return form;
}

using H = RecordingUiHost&; // a case's fill() takes the test's host

template <class Fixture>
class NotSentTestOf : public Fixture, public testing::WithParamInterface<NotSentCase> {
protected:
    void ShowFillAndPress() {
        const NotSentCase& c = this->GetParam();
        // The success just before: its "0000" must not pass for the refused command's.
        ASSERT_TRUE(GetDiagnosticInfo(DefaultPassword, nullptr)->Succeeded());
        RecordingUiHost& host = this->host;
        std::vector<std::string> texts;
        std::string code = "not looked at";
        size_t frames = 0;
        TForm* window = c.window();
        host.OnModal(window->ClassName(), [&](TForm& form) {
            c.fill(host);
            if (c.codeEdit) c.codeEdit()->SetText("0000");
            this->sim.ClearFrames();
            host.Clear();
            c.press();
            frames = this->sim.FrameCount();
            texts = host.Texts();
            if (c.codeEdit) code = c.codeEdit()->Text();
            form.Close();
        });
        window->ShowModal();
        EXPECT_EQ(texts, c.messages);
        EXPECT_EQ(frames, 0u);
        if (c.codeEdit) {
            EXPECT_EQ(code, "");
        }
        ASSERT_NE(Session.CurrentAnswer, nullptr);
        EXPECT_TRUE(Session.CurrentAnswer->NotSent());
    }
};
