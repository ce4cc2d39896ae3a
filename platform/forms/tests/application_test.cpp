// The application object: window creation, the message loop, modal shows in the real loop, timers.
#include <QGuiApplication>
#include <QTimer>

#include "platform/clock/clock.h"
#include "platform/forms/tests/fixture.h"

namespace {

std::vector<std::string> created;

class TForm1 : public TForm {
public:
    TForm1() {
        created.push_back("TForm1");
        Column(*this).Buttons({&Button1});
        Button1.SetCaption("Закрыть");
        Button1.OnClick = [this] { Close(); };
        OnCreate = [] { created.push_back("Form1.OnCreate"); };
    }
    TButton Button1;
};

class TForm2 : public TForm {
public:
    TForm2() {
        created.push_back("TForm2");
        Column(*this).Buttons({&Button1});
        Button1.SetModalResult(mrOk);
    }
    TButton Button1;
};

TForm1* Form1 = nullptr;
TForm2* Form2 = nullptr;

class ApplicationTest : public FormsTest {
protected:
    ~ApplicationTest() override { Application->DestroyForms(); }
};

TEST_F(ApplicationTest, FirstWindowCreatedIsTheMainWindowAndTheLoopEndsWhenItCloses) {
    created.clear();
    Application->CreateForm(Form1);
    Application->CreateForm(Form2);
    EXPECT_EQ(created, (std::vector<std::string>{"TForm1", "Form1.OnCreate", "TForm2"}));
    EXPECT_EQ(Application->MainForm(), Form1);

    int activations = 0;
    Form1->OnActivate = [&] {
        if (++activations == 1) QTimer::singleShot(0, [] { Form1->Button1.Click(); });
    };
    Application->Run();
    EXPECT_EQ(activations, 1);
    EXPECT_TRUE(Application->Terminated());
    EXPECT_FALSE(Form1->Visible());
}

TEST_F(ApplicationTest, ModalResultEndsTheRealModalLoop) {
    QtUiHost qt;
    SetUiHost(&qt);
    TForm2 dialog;
    QTimer::singleShot(0, [&] { dialog.Button1.Click(); });
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    EXPECT_FALSE(dialog.Visible());
    EXPECT_FALSE(dialog.Modal());
    SetUiHost(&host);
}

TEST_F(ApplicationTest, OnCloseCanRefuseToEndAModalShow) {
    QtUiHost qt;
    SetUiHost(&qt);
    TForm2 dialog;
    int asked = 0;
    dialog.OnClose = [&](TCloseAction& action) {
        if (++asked == 1) action = caNone;
    };
    QTimer::singleShot(0, [&] {
        dialog.Close();
        QTimer::singleShot(0, [&] { dialog.Close(); });
    });
    EXPECT_EQ(dialog.ShowModal(), mrCancel);
    EXPECT_EQ(asked, 2);
    SetUiHost(&host);
}

TEST_F(ApplicationTest, ShowingAVisibleWindowModallyBringsItToTheFront) {
    TForm2 dialog, other;
    dialog.Show();
    other.Show();
    EXPECT_EQ(dialog.ShowModal(), mrCancel);
    EXPECT_TRUE(dialog.Active());
    EXPECT_FALSE(dialog.Modal());
    EXPECT_TRUE(host.Messages().empty());
    other.Hide();
    dialog.Hide();
}

TEST_F(ApplicationTest, ProcessMessagesGoesThroughTheHost) {
    int hooked = 0;
    host.OnProcessMessages = [&] { ++hooked; };
    Application->ProcessMessages();
    Application->ProcessMessages();
    EXPECT_EQ(host.ProcessMessagesCount(), 2);
    EXPECT_EQ(hooked, 2);
}

TEST_F(ApplicationTest, TimerIntervalRunsOnTheClocksScale) {
    SetTimeScale(0.01);
    TTimer Timer1;
    int ticks = 0;
    Timer1.OnTimer = [&] { ++ticks; };
    Timer1.SetInterval(1000); // 10 ms at this scale
    const int64_t start = MonotonicMs();
    while (ticks < 2 && MonotonicMs() - start < 2000)
        Application->ProcessMessages();
    Timer1.SetEnabled(false);
    SetTimeScale(1.0);
    EXPECT_GE(ticks, 2);
    EXPECT_LT(MonotonicMs() - start, 1000);
}

TEST_F(ApplicationTest, WindowShownBesideAModalOneActivatesItAgainWhenClosed) {
    TForm2 monitor;
    TForm1 variables;
    int monitorActivations = 0;
    monitor.OnActivate = [&] { ++monitorActivations; };
    host.OnModal("TForm2", [&](TForm&) {
        variables.Show();
        EXPECT_TRUE(variables.Active());
        variables.Close();
        EXPECT_TRUE(monitor.Active());
    });
    monitor.ShowModal();
    EXPECT_EQ(monitorActivations, 2);
}

} // namespace

TEST_F(ApplicationTest, TheBusyCursorShowsWhileAHandlerRunsButNotWhileAPersonIsAsked) {
    TForm2 dialog;
    TButton Button1;
    Column(dialog).Buttons({&Button1});
    std::vector<bool> seen;
    TForm2 asking;
    QtUiHost qt;
    Button1.OnClick = [&] {
        seen.push_back(BusyCursorShown()); // e.g. a command waiting for the register
        SetUiHost(&qt);
        QTimer::singleShot(0, [&] {
            seen.push_back(BusyCursorShown()); // the window waits for a person
            asking.Close();
        });
        asking.ShowModal();
        SetUiHost(&host);
        seen.push_back(BusyCursorShown());
        throw Exception("failed");
    };
    Button1.Click();
    EXPECT_EQ(seen, (std::vector<bool>{true, false, true}));
    EXPECT_FALSE(BusyCursorShown()); // also after the handler failed
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}
