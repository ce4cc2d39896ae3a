// The program's own host: Qt's message box, answered here by pressing its buttons.
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "platform/forms/tests/fixture.h"

namespace {

class QtHostTest : public FormsTest {
protected:
    QtHostTest() { SetUiHost(&qt); }
    ~QtHostTest() override { SetUiHost(&host); }

    // Presses the button with this caption in the message box that opens next.
    static void PressWhenShown(const QString& caption, QString* text = nullptr) {
        QTimer::singleShot(0, [caption, text] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            if (text) *text = box->text();
            for (auto* button : box->buttons())
                if (button->text() == caption) button->click();
        });
    }
    QtUiHost qt;
};

TEST_F(QtHostTest, MessageBoxShowsTheTextAndReturnsThePressedButton) {
    QString shown;
    PressWhenShown(QString::fromUtf8("Отмена"), &shown);
    EXPECT_EQ(MessageBox("Данные будут записаны в флеш-память регистратора. Продолжать?", "", MB_OKCANCEL),
              IDCANCEL);
    EXPECT_EQ(shown, QString::fromUtf8("Данные будут записаны в флеш-память регистратора. Продолжать?"));
    PressWhenShown(QString::fromUtf8("&Нет"));
    EXPECT_EQ(MessageDlg("?", mtConfirmation, {mbYes, mbNo}), mrNo);
}

TEST_F(QtHostTest, EscapeAnswersCancelOrTheOnlyButton) {
    QTimer::singleShot(0, [] {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(QApplication::activeModalWidget(), &escape);
    });
    EXPECT_EQ(MessageBox("Продолжать?", "", MB_YESNOCANCEL), IDCANCEL);
    QTimer::singleShot(0, [] {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(QApplication::activeModalWidget(), &escape);
    });
    EXPECT_EQ(MessageBox("Успешно!", "", MB_OK), IDOK);
}

} // namespace
