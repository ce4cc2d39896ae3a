#include <QAbstractScrollArea>
#include <QEvent>
#include <QLayout>
#include <QMenuBar>
#include <QStatusBar>
#include <functional>
#include <thread>

#include "shell/tests/shell_fixture.h"

namespace {
using StartupTest = ShellFixture;

// The 54 windows in the order of their creation.
std::vector<TForm*> AllWindows() {
    return {Form1,  Form2,  Form3,  Form4,  Form5,  Form6,  Form7,  Form8,  Form9,  Form10, Form11,
            Form12, Form13, Form14, Form15, Form16, Form17, Form18, Form19, Form20, Form21, Form22,
            Form23, Form24, Form25, Form26, Form27, Form28, Form29, Form30, Form31, Form32, Form33,
            Form34, Form35, Form36, Form37, Form38, Form39, Form40, Form41, Form42, Form43, Form44,
            Form45, Form46, Form47, Form48, Form49, Form50, Form51, Form52, Form53, Form54};
}

TEST_F(StartupTest, AllWindowsExistBeforeTheMainWindowIsActivated) {
    EXPECT_EQ(Application->MainForm(), Form1);
    const std::vector<TForm*> windows = AllWindows();
    for (size_t i = 0; i < windows.size(); ++i) {
        ASSERT_NE(windows[i], nullptr) << "Form" << i + 1;
        EXPECT_EQ(windows[i]->ClassName(), "TForm" + std::to_string(i + 1));
        EXPECT_FALSE(windows[i]->Visible());
    }
    EXPECT_EQ(Form1->Caption(), "Kaltor");
    EXPECT_EQ(Form3->Caption(), "О программе Kaltor");
    EXPECT_EQ(Form25->Caption(), "Печать периодического отчета ");
    EXPECT_EQ(Form44->Caption(), "Состояние модема для ");
    EXPECT_EQ(sim.FrameCount(), 0u); // no window talks to the register while being created
}

// A widget whose place is drawn by another: inside a scrolled view (clipped by it) or a menu bar.
bool DrawnByAnother(const QWidget& widget, const QWidget& window) {
    for (QWidget* up = widget.parentWidget(); up && up != &window; up = up->parentWidget())
        if (qobject_cast<QAbstractScrollArea*>(up) || qobject_cast<QMenuBar*>(up)) return true;
    return false;
}

// The visible widgets of a laid-out window that come closer than margin to its edge, each with its
// place. The window's own strips are left out: the client area, the menu bar and the status bar run
// from edge to edge (what is inside the status bar is not).
std::vector<std::string> WidgetsAtTheEdge(TForm& form, int margin) {
    QWidget* window = form.Widget();
    const QRect inside = window->rect().marginsRemoved({margin, margin, margin, margin});
    std::vector<std::string> found;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(window) || widget->isWindow() || widget == form.ClientWidget() ||
            qobject_cast<QMenuBar*>(widget) || qobject_cast<QStatusBar*>(widget) ||
            DrawnByAnother(*widget, *window))
            continue;
        const QRect place(widget->mapTo(window, QPoint(0, 0)), widget->size());
        if (inside.contains(place)) continue;
        const QString text = widget->property("text").toString() + widget->property("title").toString();
        std::ostringstream line;
        line << widget->metaObject()->className() << " \"" << text.toStdString() << "\" at (" << place.x()
             << ", " << place.y() << ") " << place.width() << " x " << place.height() << " in "
             << window->width() << " x " << window->height();
        found.push_back(line.str());
    }
    return found;
}

// Lays the window out at its natural size, as it is shown, without putting it on a screen.
class LaidOut {
public:
    explicit LaidOut(TForm& form) : window_(*form.Widget()) {
        window_.setAttribute(Qt::WA_DontShowOnScreen, true);
        window_.show();
        window_.layout()->activate();
        window_.adjustSize();
    }
    ~LaidOut() {
        window_.hide();
        window_.setAttribute(Qt::WA_DontShowOnScreen, false);
    }
    LaidOut(const LaidOut&) = delete;
    LaidOut& operator=(const LaidOut&) = delete;

private:
    QWidget& window_;
};

// Every window fits on a 1366 x 768 screen and keeps its controls clear of its edges (a frame line
// drawn on the window's last pixel counts as touching it). KALTOR_PICTURES=<folder> also writes a
// picture of each window there, to look at.
TEST_F(StartupTest, EveryWindowFitsASmallScreen) {
    // 1366 x 768, less a panel and the window's title bar.
    const QSize room(1366, 768 - 64);
    constexpr int kEdgeMargin = 2;
    for (TForm* form : AllWindows()) {
        SCOPED_TRACE(form->ClassName());
        const QSize size = form->Widget()->sizeHint();
        EXPECT_LE(size.width(), room.width());
        EXPECT_LE(size.height(), room.height());
        {
            const LaidOut shown(*form);
            EXPECT_EQ(WidgetsAtTheEdge(*form, kEdgeMargin), std::vector<std::string>{});
        }
        if (const char* folder = std::getenv("KALTOR_PICTURES")) {
            EXPECT_TRUE(GrabToPng(*form, std::string(folder) + "/" + form->ClassName() + ".png"));
        }
    }
}

TEST_F(StartupTest, FirstStartInAnEmptyFolderCreatesTheSettingsFileOnce) {
    Form1->Show(); // the first activation
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Файл fpinit.ini отсутствует.\n Создание файла!"}));
    EXPECT_EQ(Session.StartFolder, std::filesystem::current_path().string());
    EXPECT_EQ(Session.IniFileName, Session.StartFolder + "/fpinit.ini");
    const std::string text = FileText("fpinit.ini");
    EXPECT_EQ(std::count(text.begin(), text.end(), '='), 4);
    for (const char* key : {"Country code=0", "ExtendedTax=1", "Log=0", "LogName=kaltor.log"})
        EXPECT_NE(text.find(key), std::string::npos) << key;

    host.Clear();
    Form1->FormActivate();
    EXPECT_TRUE(host.Texts().empty());
}

TEST_F(StartupTest, ASettingsFileThatCannotBeMadeOrWrittenIsReportedOnce) {
    const std::string unwritable = "Файл настроек fpinit.ini не может быть создан или записан:\n";
    struct Case {
        const char* name;
        std::function<void()> prepare; // a start folder where the file cannot be made, or a read-only file
    };
    const Case cases[] = {
        {"no such folder", [&] { Session.StartFolder = (Folder() / "gone").string(); }},
        {"read-only file",
         [&] {
             std::ofstream(Folder() / "fpinit.ini") << "[LogFile]\nLog=0\n";
             std::filesystem::permissions(Folder() / "fpinit.ini", std::filesystem::perms::owner_read);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResetSession();
        std::filesystem::remove(Folder() / "fpinit.ini");
        c.prepare();
        host.Clear();
        Form1->FormActivate();  // the first start
        Form1->FormActivate();  // a dialog closed
        Form1->Button3.Click(); // connect saves the port and speed
        Form1->Button3.Click();
        Form1->Button3.Click();
        Form1->FormActivate();
        // The read-only file says nothing until the connect's write; then the same one message.
        ASSERT_EQ(host.Messages().size(), 1u);
        EXPECT_EQ(host.Messages()[0].text.rfind(unwritable + Session.IniFileName, 0), 0u)
            << host.Messages()[0].text;
        EXPECT_EQ(host.Messages()[0].caption, "Kaltor");
        EXPECT_EQ(ReadSetting(settings::Port), ""); // nothing was saved
        Form1->Button3.Click();                     // leave disconnected for the next case
    }
}

// Counts the paints of a window.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* window) { window->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

TEST_F(StartupTest, TheWindowIsPaintedBeforeEveryWaitAndTheCursorShowsTheWait) {
    PaintCounter counter(Form1->Widget());
    struct Wait {
        int paints;
        bool busy;
    };
    std::vector<Wait> waits;
    const auto uiThread = std::this_thread::get_id();
    SetSleepHook([&](unsigned) {
        if (std::this_thread::get_id() == uiThread) waits.push_back({counter.paints, BusyCursorShown()});
    });
    Application->ResetTerminated();
    Form1->Show(); // the first start: the probe runs at once
    ASSERT_FALSE(waits.empty());
    EXPECT_GT(waits.front().paints, 0); // painted before the first sleep, not after it
    for (const Wait& wait : waits)
        EXPECT_TRUE(wait.busy);
    EXPECT_FALSE(BusyCursorShown()); // the probe is over

    // A command that waits for the register shows the busy cursor too; a message box does not.
    waits.clear();
    Form1->Button3.Click(); // connect waits before it asks the register
    ASSERT_FALSE(waits.empty());
    for (const Wait& wait : waits)
        EXPECT_TRUE(wait.busy);
    SetSleepHook(nullptr);
    EXPECT_FALSE(BusyCursorShown());
    Form1->Hide();
}

TEST_F(StartupTest, ActivationListsThePortsAndSelectsTheSavedChoices) {
    OfferPorts(sim.PortPath() + ":ttyFake0");
    const struct {
        std::string port, speed;
        std::string selectedPort, selectedSpeed;
    } cases[] = {
        {"", "", sim.PortPath(), "9600"},
        {"ttyFake0", "4800", "ttyFake0", "4800"},
        {"ttyGone9", "14400", sim.PortPath(), "9600"}, // neither is in the lists
    };
    for (const auto& c : cases) {
        Activate({{settings::Port, c.port}, {settings::Speed, c.speed}});
        EXPECT_EQ(Form1->ComboBox1.Items().ToVector(),
                  (std::vector<std::string>{sim.PortPath(), "ttyFake0"}));
        EXPECT_EQ(Form1->ComboBox3.Items().ToVector(), Form1->ComboBox1.Items().ToVector());
        EXPECT_EQ(Form1->ComboBox1.Text(), c.selectedPort) << c.port;
        EXPECT_EQ(Form1->ComboBox2.Text(), c.selectedSpeed) << c.speed;
    }
    EXPECT_EQ(Form1->ComboBox3.ItemIndex(), 0);
    EXPECT_EQ(Form1->ComboBox4.Text(), "115200");
    EXPECT_EQ(Form1->Caption(), "Kaltor");
    EXPECT_TRUE(Form1->Button1.Enabled() && Form1->Button3.Enabled() && Form1->N5.Enabled());
    EXPECT_EQ(DecimalSeparator, '.');
}

TEST_F(StartupTest, NoPortsAtAllLeavesTheListsEmpty) {
    ::unsetenv("KALTOR_EXTRA_PORTS");
    Activate();
    EXPECT_EQ(Form1->ComboBox1.Items().Count(), 0);
    EXPECT_EQ(Form1->ComboBox1.ItemIndex(), -1);
    EXPECT_EQ(Form1->ComboBox3.ItemIndex(), -1);
    EXPECT_EQ(Form1->UsbComName, "");
    EXPECT_EQ(Form1->UsbFound, 1);
}

TEST_F(StartupTest, TheTerminalGroupShowsOnlyWithATerminalSetting) {
    Activate();
    EXPECT_FALSE(Form1->GroupBox2.Visible());
    Activate({{settings::Terminal, "Ingenico"}});
    EXPECT_TRUE(Form1->GroupBox2.Visible());
}

TEST_F(StartupTest, ActivationResetsTheHeaderPaperWidth) {
    Form11->Edit2.SetText("36");
    Form11->Edit2.Hide();
    Form11->ComboBox2.Show();
    Activate();
    EXPECT_EQ(Form11->Edit2.Text(), "40");
    EXPECT_TRUE(Form11->Edit2.Visible());
    EXPECT_FALSE(Form11->ComboBox2.Visible());
}

TEST_F(StartupTest, ActivationWhileConnectedKeepsThePortInUse) {
    OfferPorts("ttyFake0:" + sim.PortPath());
    sim.SetOverride(0x80, {.Silent = true}); // nothing is saved
    Activate();
    Form1->ComboBox1.SetItemIndex(1);
    Form1->ComboBox2.SetItemIndex(7);
    Form1->Button3.Click();
    ASSERT_TRUE(LinkIsOpen());

    Form1->FormActivate(); // a dialog closed
    EXPECT_EQ(Form1->ComboBox1.Text(), sim.PortPath());
    EXPECT_EQ(Form1->ComboBox2.Text(), "19200");
}

TEST_F(StartupTest, AnActivationDuringTheProbeDoesNotStartASecondOne) {
    OfferPorts(sim.PortPath() + ":ttyFake0");
    int nested = 0;
    host.OnProcessMessages = [&] {
        if (nested++ == 0) Form1->FormActivate(); // a dialog opened and closed meanwhile
    };
    Activate();
    EXPECT_EQ(Form1->ComboBox1.Items().ToVector(), (std::vector<std::string>{sim.PortPath(), "ttyFake0"}));
}

TEST_F(StartupTest, ActivationWhileConnectedKeepsTheRegistersPaperWidth) {
    SetModel("RM-4S");
    Connect();
    ASSERT_EQ(Form11->Edit2.Text(), "32");
    Form1->FormActivate();
    EXPECT_EQ(Form11->Edit2.Text(), "32");
    Form1->Button3.Click(); // disconnected: back to the default
    Form1->FormActivate();
    EXPECT_EQ(Form11->Edit2.Text(), "40");
}
TEST_F(StartupTest, AStepThatFailsStillEndsTheProbe) {
    host.OnProcessMessages = [] { throw Exception("probe step failed"); };
    EXPECT_THROW(Form1->FormActivate(), Exception);
    host.OnProcessMessages = nullptr;
    EXPECT_TRUE(Form1->Button1.Enabled());
    EXPECT_TRUE(Form1->Button3.Enabled());
    Activate(); // and the next activation runs in full
    EXPECT_EQ(Form1->Caption(), "Kaltor");
}
} // namespace
