#include <QPushButton>
#include <QTimer>

#include "platform/forms/tests/fixture.h"

namespace {

class ExceptionsTest : public FormsTest {};

TEST_F(ExceptionsTest, HandlerErrorIsShownInTheErrorBoxAndTheProgramGoesOn) {
    TForm form;
    TButton Button1;
    TButton Button2;
    Column(form).Line({&Button1, &Button2});
    int later = 0;
    Button1.OnClick = [] { StrToInt("abc"); };
    Button2.OnClick = [&later] { ++later; };

    static_cast<QPushButton*>(Button1.Widget())->click(); // as the user clicks
    Button1.Click();
    Button2.Click();

    ASSERT_EQ(host.Messages().size(), 2u);
    for (const auto& message : host.Messages()) {
        EXPECT_EQ(message.kind, MessageRequest::Error);
        EXPECT_EQ(message.text, "'abc' is not a valid integer value.");
        EXPECT_EQ(message.caption, Application->Title());
        EXPECT_EQ(message.buttons, std::vector<TMsgDlgBtn>{mbOK});
    }
    EXPECT_EQ(later, 1);
}

TEST_F(ExceptionsTest, ErrorBoxEndsTheMessageWithAPeriodUnlessItEndsInPunctuation) {
    const struct {
        const char* message;
        const char* shown;
    } cases[] = {
        {"List index out of bounds (3)", "List index out of bounds (3)"},
        {"Done.", "Done."},
        {"Ошибка!", "Ошибка!"},
        {"Нет ответа", "Нет ответа."},
        {"", ""},
    };
    for (const auto& c : cases) {
        host.Clear();
        Application->ShowException(Exception(c.message));
        ASSERT_EQ(host.Texts().size(), 1u);
        EXPECT_EQ(host.Texts()[0], c.shown) << c.message;
    }
}

TEST_F(ExceptionsTest, ErrorEscapingAQtEventIsCaughtByTheDispatch) {
    QTimer::singleShot(0, [] { throw EConvertError("'x' is not a valid date"); });
    Application->ProcessMessages();
    EXPECT_EQ(host.Texts(), std::vector<std::string>{"'x' is not a valid date."});
}

TEST_F(ExceptionsTest, ErrorInActivationStillActivatesTheWindow) {
    TForm form;
    form.OnActivate = [] { throw Exception("Сбой"); };
    form.Show();
    EXPECT_TRUE(form.Active());
    EXPECT_EQ(host.Texts(), std::vector<std::string>{"Сбой."});
    form.Hide();
}

} // namespace
