// Coming back to a tester from the status viewer keeps what the technician typed and the answer
// shown: the next command carries the same data.
#include <functional>

#include "shell/tests/shell_fixture.h"

namespace {

using Texts = std::vector<std::string>;

class ReturnToWindowTest : public ShellFixture {
protected:
    void SetUp() override {
        ShellFixture::SetUp();
        ASSERT_TRUE(OpenLink(sim.PortPath(), 9600));
    }
    void TearDown() override {
        ApiSetup = {};
        ShellFixture::TearDown();
    }
    std::vector<std::string> DataOf(int code) const {
        std::vector<std::string> data;
        for (const auto& frame : sim.Frames())
            if (frame.Code == code) data.push_back(frame.Data);
        return data;
    }
};

struct TesterCase {
    const char* window;
    std::function<void()> type;            // what the technician types
    std::function<void()> send;            // "Выполнить"
    std::function<TSpeedButton&()> status; // the "?" of the status bytes
    std::function<Texts()> shown;          // the fields that must survive the viewer
    std::function<void()> show;            // opens the window as the program does
    int code;
    std::string data;
};

TEST_F(ReturnToWindowTest, EachTesterSendsWhatWasTypedAfterTheStatusViewer) {
    const TesterCase cases[] = {
        {"TForm2", [] { Form2->Edit1.SetText("010203;1200"); }, [] { Form2->Button1.Click(); },
         []() -> TSpeedButton& { return Form2->SpeedButton2; },
         [] {
             return Texts{Form2->Edit1.Text(), Form2->Edit3.Text()};
         },
         [] { DoIt(0x20); }, 0x20, "736204;010203;1200"},
        {"TForm14",
         [] {
             Form14->Edit6.SetText("21");
             Form14->Edit1.SetText("0");
         },
         [] { Form14->Button1.Click(); }, []() -> TSpeedButton& { return Form14->SpeedButton2; },
         [] {
             return Texts{Form14->Edit6.Text(), Form14->Edit1.Text(), Form14->Edit3.Text()};
         },
         [] { Form14->ShowModal(); }, 0x21, "736204;0"},
        {"TForm4", [] { Form4->Edit5.SetText("2"); }, [] { Form4->Button1.Click(); },
         []() -> TSpeedButton& { return Form4->SpeedButton2; },
         [] {
             return Texts{Form4->Edit5.Text(), Form4->Edit3.Text()};
         },
         [] { RunParameterTesterSetup(*FindParameterTesterHandler("GetTaxes1Click")); }, 0x48, "736204;2;"},
    };
    for (const TesterCase& c : cases) {
        for (const bool closeBox : {false, true}) {
            SCOPED_TRACE(testing::Message() << c.window << (closeBox ? " close box" : " button"));
            sim.ClearFrames();
            host.Clear();
            Texts before, after;
            bool statusEnabled = false;
            host.OnModal(c.window, [&](TForm&) {
                c.type();
                c.send();
                before = c.shown();
                host.OnModal("TForm5", [closeBox](TForm& viewer) {
                    if (closeBox)
                        viewer.Widget()->close();
                    else
                        Form5->Button1.Click();
                });
                c.status().Click();
                after = c.shown();
                statusEnabled = c.status().Enabled();
                c.send();
            });
            c.show();
            EXPECT_EQ(host.ModalShown(), (Texts{c.window, "TForm5"}));
            EXPECT_EQ(after, before);
            EXPECT_TRUE(statusEnabled);
            EXPECT_EQ(DataOf(c.code), (Texts{c.data, c.data}));
            EXPECT_TRUE(host.Texts().empty()) << host.Texts().front();
        }
    }
}

} // namespace
