#include "dialogs/setup/tests/setup_fixture.h"

#include <QApplication>
#include <QHelpEvent>
#include <QLabel>

#include "platform/clock/clock.h"
#include "platform/forms/hint_style.h"
#include "platform/forms/tests/run_until.h"

namespace {
using ClockReminderTest = SetupFixture;

TEST(RegisterDates, DotsAreDroppedAndPutBack) {
    EXPECT_EQ(RegisterDate("06.10.08"), "061008");
    EXPECT_EQ(ShownDate("311208"), "31.12.08");
    EXPECT_EQ(RegisterDate(""), "");
    EXPECT_EQ(ShownDate(""), "");
}

TEST_F(ClockReminderTest, TheClockIsSetAndReadBack) {
    TForm27& form = *Form27;
    form.FormActivate();
    EXPECT_EQ(form.DateEdit1.Text().size(), 8u); // dd.mm.yy
    form.DateEdit1.SetText("06.10.08");
    form.Edit2.SetText("0930");
    form.Button3.Click();
    EXPECT_EQ(LastFrame().Data, "736204;061008;0930;");
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Успешно!"}));
    EXPECT_TRUE(form.Button4.Enabled());

    sim.SetClock({2008, 12, 31, 23, 59, 0}, false);
    form.Button2.Click();
    EXPECT_EQ(form.DateEdit1.Text(), "31.12.08");
    EXPECT_EQ(form.Edit2.Text(), "2359");

    host.Clear();
    form.Button1.Click();
    EXPECT_FALSE(form.Button4.Enabled());
}

// The status button opens only when a command succeeded: a refusal or silence leaves it shut.
TEST_F(ClockReminderTest, TheStatusButtonWaitsForASuccess) {
    TForm27& form = *Form27;
    host.OnModal("TForm27", [&](TForm&) {
        form.Edit2.SetText("2460");
        form.Button3.Click();
        EXPECT_FALSE(form.Button4.Enabled());
        sim.SetOverride(0x21, {.Error = "0006"});
        form.Button2.Click();
        EXPECT_FALSE(form.Button4.Enabled());
        sim.SetOverride(0x21, {.Silent = true});
        form.Button2.Click();
        EXPECT_FALSE(form.Button4.Enabled());
        sim.ClearOverrides();
        form.Button2.Click();
        EXPECT_TRUE(form.Button4.Enabled());
        form.Button1.Click();
    });
    form.ShowModal();
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Ошибка установки времени!", "Ошибка чтения времени!",
                                                      "Таймаут устройства! Ошибка!", "Успешно!"}));
    EXPECT_FALSE(form.Button4.Enabled());
}

TEST_F(ClockReminderTest, TheReminderIsSetWithItsMessageAndReadBack) {
    TForm38& form = *Form38;
    form.FormActivate();
    form.Memo1.SetText("Вызовите мастера\n\nтел. 123-45-67");
    form.Edit3.SetText("1111");
    form.Edit4.SetText("1111");
    form.DateEdit1.SetText("15.03.27");
    form.Edit5.SetText("10");
    form.CheckBox4.SetChecked(true);
    form.CheckBox6.SetChecked(true);
    form.Button3.Click();
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Успешно!"}));
    EXPECT_EQ(FrameData(0x34),
              (std::vector<std::string>{"736204;0;Вызовите мастера;", "736204;1;тел. 123-45-67;"}));
    EXPECT_EQ(FrameData(0x35), (std::vector<std::string>{";1111;150327;10;14;"}));

    form.FormActivate();
    form.CheckBox4.SetChecked(false);
    form.Button4.Click();
    EXPECT_EQ(form.DateEdit1.Text(), "15.03.27");
    EXPECT_EQ(form.Edit5.Text(), "10");
    EXPECT_TRUE(form.CheckBox4.Checked() && form.CheckBox6.Checked());
    EXPECT_FALSE(form.CheckBox2.Checked());
}

TEST_F(ClockReminderTest, AReminderIsRefusedBeforeAnythingIsSentWhenItsInputIsWrong) {
    TForm38& form = *Form38;
    form.FormActivate();
    form.Memo1.SetText("строка");
    form.Edit3.SetText("1");
    form.Edit4.SetText("2");
    form.Button3.Click();
    form.Edit4.SetText("1");
    form.Edit5.SetText("");
    form.Button3.Click();
    EXPECT_EQ(sim.FrameCount(), 0u);
    ASSERT_EQ(host.Messages().size(), 2u);
    EXPECT_EQ(host.Texts()[0], "Неверный пароль. Попробуйте ещё раз!");
    EXPECT_EQ(host.Messages()[1].kind, MessageRequest::Error);

    host.Clear();
    form.Edit2.SetText("999"); // not the reminder's password
    form.Edit5.SetText("5");
    form.Memo1.Clear();
    form.Button3.Click();
    EXPECT_EQ(host.Texts(),
              (std::vector<std::string>{
                  "Установить информацию о сервисном обслуживании:\n  Неверный пароль доступа!"}));
    EXPECT_EQ(FrameData(0x34).size(), 0u);
}
// A refused report still closes its non-fiscal receipt, so the next report prints.
TEST_F(ClockReminderTest, TheReportClosesItsReceiptAlsoWhenRefused) {
    const struct {
        std::optional<regsim::AnswerOverride> report;
        size_t messages;
    } cases[] = {{regsim::AnswerOverride{.Error = "0006"}, 1},
                 {regsim::AnswerOverride{.Silent = true}, 1},
                 {std::nullopt, 0}};
    for (const auto& c : cases) {
        sim.ClearOverrides();
        if (c.report) sim.SetOverride(0x84, *c.report);
        sim.ClearFrames();
        host.Clear();
        host.OnModal("TForm38", [](TForm& form) {
            Form38->Button1.Click();
            form.Close();
        });
        Form38->ShowModal();
        std::vector<int> codes;
        for (const auto& frame : sim.Frames())
            codes.push_back(frame.Code);
        EXPECT_EQ(codes, (std::vector<int>{0x60, 0x84, 0x65}));
        EXPECT_EQ(FrameData(0x84), std::vector<std::string>{"736204;3;"});
        ASSERT_EQ(host.Texts().size(), c.messages);
        if (c.messages) {
            EXPECT_EQ(host.Texts()[0].rfind("Отчет об напоминании ТО:\n  ", 0), 0u) << host.Texts()[0];
        }
    }
}

// The memo's hint shows in aqua, goes after a while and comes back while the pointer rests there.
TEST_F(ClockReminderTest, TheMemoHintIsAquaAndShownAgain) {
    SetTimeScale(0.01); // shown 50 ms, again after 100 ms
    host.OnModal("TForm38", [](TForm& form) {
        QWidget* memo = Form38->Memo1.Widget();
        auto* hint = qobject_cast<QLabel*>(StyledHintWindow(Form38->Memo1));
        ASSERT_NE(hint, nullptr);
        QHelpEvent rest(QEvent::ToolTip, QPoint(5, 5), memo->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(memo, &rest);
        EXPECT_TRUE(hint->isVisible());
        EXPECT_EQ(hint->text().toStdString(), Form38->Memo1.Hint());
        const QImage picture = hint->grab().toImage();
        EXPECT_EQ(picture.pixelColor(picture.width() / 2, 1), QColor(0x00, 0xFF, 0xFF));
        EXPECT_TRUE(RunUntil([&] { return !hint->isVisible(); }));
        const int64_t hidden = MonotonicMs();
        EXPECT_TRUE(RunUntil([&] { return hint->isVisible(); }));
        EXPECT_GE(MonotonicMs() - hidden, 20); // not at once: at the interval

        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(memo, &leave);
        EXPECT_FALSE(hint->isVisible());
        const int64_t later = MonotonicMs() + 300;
        RunUntil([&] { return hint->isVisible() || MonotonicMs() > later; });
        EXPECT_FALSE(hint->isVisible()); // not again once the pointer left
        form.Close();
    });
    Form38->ShowModal();
    SetTimeScale(1);
}
} // namespace
