// Coming back to a set-up window from the status viewer keeps what the technician typed: the next
// command carries it, not the window's defaults.
#include <functional>
#include <map>

#include "dialogs/setup/tests/setup_fixture.h"

namespace {

using Texts = std::vector<std::string>;
using ReturnToWindowTest = SetupFixture;

struct SetupCase {
    const char* window;
    std::function<void()> type;   // what the technician types
    std::function<void()> send;   // the button that sends it
    std::function<void()> status; // "Состояние регистратора"
    std::function<void()> leave;  // the window's own close button
    int code;
    std::string data; // the command's data, as typed
};

TEST_F(ReturnToWindowTest, EachSetupWindowSendsWhatWasTypedAfterTheStatusViewer) {
    const SetupCase cases[] = {
        {"TForm27",
         [] {
             Form27->DateEdit1.SetText("06.10.08");
             Form27->Edit2.SetText("0930");
         },
         [] { Form27->Button3.Click(); }, [] { Form27->Button4.Click(); }, [] { Form27->Button1.Click(); },
         0x20, "736204;061008;0930;"},
        {"TForm32", [] { Form32->ComboBox1.SetItemIndex(3); }, [] { Form32->Button2.Click(); },
         [] { Form32->Button4.Click(); }, [] { Form32->Button1.Click(); }, 0x49, "736204;3;"},
        {"TForm26",
         [] {
             Form26->ComboBox2.SetItemIndex(11); // "Не изменять"
             Form26->ComboBox1.SetItemIndex(3);
             Form26->Edit4.SetText("29");
         },
         [] { Form26->Button6.Click(); }, [] { Form26->Button8.Click(); }, [] { Form26->Button5.Click(); },
         0x27, "736204;0;3;0000;00;00;00;29;"},
    };
    const std::map<std::string, TForm*> windows = {
        {"TForm27", Form27}, {"TForm32", Form32}, {"TForm26", Form26}};
    for (const SetupCase& c : cases) {
        for (const bool closeBox : {false, true}) {
            SCOPED_TRACE(testing::Message() << c.window << (closeBox ? " close box" : " button"));
            sim.ClearFrames();
            host.Clear();
            host.OnModal(c.window, [&](TForm&) {
                c.type();
                c.send();
                host.OnModal("TForm5", [closeBox](TForm& viewer) {
                    if (closeBox)
                        viewer.Widget()->close();
                    else
                        Form5->Button1.Click();
                });
                c.status();
                c.send();
                c.leave();
            });
            windows.at(c.window)->ShowModal();
            EXPECT_EQ(host.ModalShown(), (Texts{c.window, "TForm5"}));
            EXPECT_EQ(FrameData(static_cast<uint8_t>(c.code)), (Texts{c.data, c.data}));
            for (const std::string& text : host.Texts())
                EXPECT_EQ(text, "Успешно!");
        }
    }
}

} // namespace
