// The recording host's queues, nested modal windows, and the frame of a window.
#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>

#include "platform/forms/tests/fixture.h"

namespace {

class TForm5 : public TForm {
public:
    TForm5() { SetCaption("Байты состояния регистратора"); }
};

class TForm7 : public TForm {
public:
    TForm7() {
        Column(*this).Buttons({&Button4});
        Button4.OnClick = [this] { viewerResult = viewer.ShowModal(); };
    }
    TButton Button4;
    TForm5 viewer;
    int viewerResult = -1;
};

class HostAndWindowTest : public FormsTest {};

TEST_F(HostAndWindowTest, ModalActionsAreQueuedPerWindowAndFoundByClassOrName) {
    TForm5 viewer;
    std::vector<int> runs;
    host.OnModal("TForm5", [&](TForm& f) {
        runs.push_back(1);
        f.SetModalResult(mrOk);
    });
    host.OnModal("Form5", [&](TForm& f) {
        runs.push_back(2);
        f.SetModalResult(mrYes);
    });
    EXPECT_EQ(viewer.ShowModal(), mrOk);
    EXPECT_EQ(viewer.ShowModal(), mrYes);
    EXPECT_EQ(viewer.ShowModal(), mrCancel); // nothing queued: closed at once
    EXPECT_EQ(runs, (std::vector<int>{1, 2}));
    EXPECT_EQ(host.ModalShown(), (std::vector<std::string>{"TForm5", "TForm5", "TForm5"}));
    EXPECT_EQ(viewer.Name(), "Form5");
}

TEST_F(HostAndWindowTest, ModalWindowsNestAndActivateTheirOpenerOnClosing) {
    TForm7 dialog;
    std::vector<std::string> order;
    dialog.OnActivate = [&] { order.push_back("Form7"); };
    dialog.viewer.OnActivate = [&] { order.push_back("Form5"); };
    host.OnModal("TForm7", [&](TForm&) {
        host.OnModal("TForm5", [&](TForm& viewer) {
            EXPECT_TRUE(viewer.Active());
            EXPECT_TRUE(viewer.Modal());
            viewer.Close();
        });
        dialog.Button4.Click();
        EXPECT_TRUE(dialog.Active());
    });
    dialog.ShowModal();
    EXPECT_EQ(dialog.viewerResult, mrCancel);
    EXPECT_EQ(order, (std::vector<std::string>{"Form7", "Form5", "Form7"}));
    EXPECT_EQ(Application->ActiveForm(), nullptr);
}

TEST_F(HostAndWindowTest, ClosingAWindowBesideAnotherActivatesTheOther) {
    TForm5 first, second;
    int firstActivations = 0;
    first.OnActivate = [&] { ++firstActivations; };
    first.Show();
    second.Show();
    second.Close();
    EXPECT_FALSE(second.Visible());
    EXPECT_TRUE(first.Active());
    EXPECT_EQ(firstActivations, 2);
    second.OnClose = [](TCloseAction& action) { action = caNone; };
    second.Show();
    second.Close(); // refused
    EXPECT_TRUE(second.Visible());
    second.Hide();
    first.Hide();
}

TEST_F(HostAndWindowTest, BorderStyleAndIconsShapeTheFrame) {
    TForm5 form;
    form.SetBorderStyle(bsToolWindow);
    form.SetBorderIcons(0);
    form.SetFormStyle(fsStayOnTop);
    const Qt::WindowFlags flags = form.Widget()->windowFlags();
    EXPECT_FALSE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(form.Caption(), "Байты состояния регистратора");
    form.SetBorderStyle(bsSizeable);
    form.SetBorderIcons(biSystemMenu | biMinimize | biMaximize);
    EXPECT_TRUE(form.Widget()->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(form.Widget()->windowFlags() & Qt::WindowMaximizeButtonHint);
}

TEST_F(HostAndWindowTest, ScreenCentredWindowIsCentred) {
    TForm7 form;
    form.SetPosition(poScreenCenter);
    form.Show();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QPoint centre = form.Widget()->geometry().center();
    EXPECT_LE(std::abs(centre.x() - screen.center().x()), 2);
    EXPECT_LE(std::abs(centre.y() - screen.center().y()), 2);
    form.Hide();
}

TEST_F(HostAndWindowTest, DatePickerHoldsWholeDays) {
    TDateTimePicker picker;
    int changes = 0;
    picker.OnChange = [&] { ++changes; };
    picker.SetDate(EncodeDate(2008, 10, 6) + 0.75);
    EXPECT_EQ(picker.Date(), EncodeDate(2008, 10, 6));
    EXPECT_EQ(changes, 0);
}

} // namespace

namespace {
class TForm9 : public TForm {}; // no controls at all
} // namespace

TEST_F(HostAndWindowTest, EveryWindowIsLargeEnoughToBeSeenAndClosed) {
    TForm9 empty;
    TForm5 captioned;
    for (TBorderStyle style : {bsSizeable, bsDialog, bsToolWindow}) {
        for (TForm* form : std::initializer_list<TForm*>{&empty, &captioned}) {
            form->SetBorderStyle(style);
            host.OnModal(form->ClassName(), [](TForm& shown) {
                EXPECT_GE(shown.Width(), 240);
                EXPECT_GE(shown.Height(), 80);
                shown.Close();
            });
            EXPECT_EQ(form->ShowModal(), mrCancel);
            EXPECT_FALSE(form->Visible());
        }
    }
    // The caption stays readable beside the frame's buttons.
    const QFontMetrics metrics(captioned.ClientWidget()->font());
    EXPECT_GT(captioned.Width(), metrics.horizontalAdvance(QString::fromUtf8(captioned.Caption().c_str())));
}

TEST_F(HostAndWindowTest, ASecondModalShowOfTheSameWindowBringsItToTheFront) {
    TForm7 dialog;
    int inner = -1;
    host.OnModal("TForm7", [&](TForm& shown) {
        inner = shown.ShowModal(); // e.g. a second press of the menu item that opened it
        EXPECT_TRUE(shown.Modal());
        EXPECT_TRUE(shown.Visible());
        EXPECT_TRUE(shown.Active());
        shown.SetModalResult(mrOk);
    });
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    EXPECT_EQ(inner, mrCancel);
    EXPECT_TRUE(host.Messages().empty());
    EXPECT_EQ(host.ModalShown(), (std::vector<std::string>{"TForm7"}));
}

TEST_F(HostAndWindowTest, APlacedWindowIsMovedInsideTheScreen) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    TForm7 form;
    struct Case {
        int left, top;
    };
    for (const Case& c : {Case{screen.right() + 500, 10}, Case{-400, -300}, Case{10, screen.bottom() + 50}}) {
        form.SetLeft(c.left);
        form.SetTop(c.top);
        form.Show();
        EXPECT_TRUE(screen.contains(form.Widget()->frameGeometry())) << c.left << "," << c.top;
        form.Hide();
    }
    // A resizable window larger than the screen is made to fit.
    form.SetWidth(screen.width() + 300);
    form.SetHeight(screen.height() + 300);
    form.Show();
    EXPECT_TRUE(screen.contains(form.Widget()->frameGeometry()));
    form.Hide();
}

namespace {
void ClickAtCentre(QWidget* widget) {
    const QPointF centre = QRectF(widget->rect()).center();
    const QPointF global = widget->mapToGlobal(centre);
    QMouseEvent press(QEvent::MouseButtonPress, centre, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, centre, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
}
} // namespace

TEST_F(HostAndWindowTest, DisplayOnlyControlsShowTheirValuesButTakeNoInput) {
    TForm9 form;
    TGroupBox GroupBox1;
    TCheckBox CheckBox1;
    TEdit Edit1;
    Column inside = Column(form).Group(GroupBox1);
    inside.Add(CheckBox1).Add(Edit1);
    GroupBox1.SetDisplayOnly(true);
    form.Show();
    for (TControl* control : std::initializer_list<TControl*>{&CheckBox1, &Edit1}) {
        EXPECT_FALSE(control->CanOperate());
        EXPECT_TRUE(control->Widget()->isEnabled()); // so in the normal colours
        EXPECT_EQ(control->Widget()->focusPolicy(), Qt::NoFocus);
    }
    ClickAtCentre(CheckBox1.Widget());
    EXPECT_FALSE(CheckBox1.Checked());
    CheckBox1.SetChecked(true); // the program still shows values
    EXPECT_TRUE(CheckBox1.Checked());

    GroupBox1.SetDisplayOnly(false);
    EXPECT_TRUE(CheckBox1.CanOperate());
    EXPECT_NE(CheckBox1.Widget()->focusPolicy(), Qt::NoFocus);
    form.Hide();
}
