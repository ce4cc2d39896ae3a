// Qt's own texts and calendars in Russian on any desktop, once the program has set Qt up at start.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <memory>

#include "app/qt_texts.h"
#include "platform/forms/forms.h"

namespace {

class RussianQtTexts : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureApplication();
        ASSERT_TRUE(UseRussianQtTexts())
            << "Qt's Russian translation is missing (package qt6-translations-l10n)";
    }
};

TEST_F(RussianQtTexts, StandardButtonsAndTheEditMenuSpeakRussian) {
    QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Save);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text().toStdString(), "Отмена");
    EXPECT_EQ(buttons.button(QDialogButtonBox::Save)->text().toStdString(), "Сохранить");

    QLineEdit edit("text");
    const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList captions;
    for (const QAction* action : menu->actions())
        captions << action->text();
    EXPECT_TRUE(captions.join('|').contains(QString::fromUtf8("Копировать")))
        << captions.join('|').toStdString();
    EXPECT_TRUE(UseRussianQtTexts()); // a second call installs nothing more
}

TEST_F(RussianQtTexts, TheFileDialogOfTheProgramSpeaksRussian) {
    QtUiHost qt;
    SetUiHost(&qt);
    QString cancel;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        if (auto* box = dialog->findChild<QDialogButtonBox*>())
            cancel = box->button(QDialogButtonBox::Cancel)->text();
        dialog->reject();
    });
    FileRequest request;
    request.filter = "Файлы артикулов (*.art)|*.art";
    EXPECT_EQ(qt.ChooseFile(request), std::nullopt);
    SetUiHost(nullptr);
    EXPECT_EQ(cancel.toStdString(), "Отмена");
}

// The date picker's popup calendar is a window of its own, with the Russian names whatever the
// desktop's language.
TEST_F(RussianQtTexts, TheDatePickersCalendarShowsRussianMonthAndDayNames) {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); // an English desktop
    TDateTimePicker picker;
    picker.SetDate(EncodeDate(2024, 3, 15));
    QCalendarWidget* calendar = static_cast<QDateEdit*>(picker.Widget())->calendarWidget();
    ASSERT_NE(calendar, nullptr);
    calendar->setSelectedDate(QDate(2024, 3, 15));
    auto* month = calendar->findChild<QToolButton*>("qt_calendar_monthbutton");
    ASSERT_NE(month, nullptr);
    EXPECT_EQ(month->text().toStdString(), "март");
    EXPECT_EQ(calendar->locale().dayName(1, QLocale::ShortFormat).toStdString(), "пн");
    UseRussianQtTexts();
}

} // namespace
