// Numbers that the set-up windows take in decimal: a hexadecimal prefix is a conversion error shown in
// the error box, and nothing reaches the register.
#include <functional>

#include <QColor>
#include <QImage>

#include "dialogs/setup/tests/setup_fixture.h"

namespace {

class DecimalFieldsTest : public SetupFixture {
protected:
    // Shows the window as the menu does, lets `act` work in it, and closes it.
    void InWindow(TForm& form, const std::string& className, const std::function<void()>& act) {
        host.OnModal(className, [&](TForm& shown) {
            act();
            shown.Close();
        });
        form.ShowModal();
    }
};

TEST_F(DecimalFieldsTest, HexadecimalTextIsNeverSent) {
    const std::string picture = (Folder() / "logo.bmp").string();
    QImage white(20, 20, QImage::Format_RGB32);
    white.fill(Qt::white);
    ASSERT_TRUE(white.save(QString::fromStdString(picture), "BMP"));

    struct Case {
        const char* window;
        TForm* form;
        TEdit* edit;
        const char* text;
        TButton* button;
        uint8_t sentCode; // what the button sends once the text is good
    };
    const Case cases[] = {
        {"TForm42", Form42, &Form42->Edit4, "0x10.0.0.1", &Form42->Button2, 0xD0},
        {"TForm42", Form42, &Form42->Edit4, "10.0.0.$1", &Form42->Button2, 0xD0},
        {"TForm42", Form42, &Form42->Edit5, "0x50", &Form42->Button2, 0xD0},
        {"TForm42", Form42, &Form42->Edit5, " 80", &Form42->Button2, 0xD0},
        {"TForm49", Form49, &Form49->Edit1, "x1.2.3.4", &Form49->Button2, 0xFB},
        {"TForm49", Form49, &Form49->Edit5, "$1388", &Form49->Button2, 0xFB},
        {"TForm49", Form49, &Form49->Edit7, "x3C", &Form49->Button2, 0xFB},
        {"TForm49", Form49, &Form49->Edit8, "0x1E", &Form49->Button2, 0xFB},
        {"TForm6", Form6, &Form6->Edit2, "0x0A", &Form6->Button3, 0x31},
        {"TForm6", Form6, &Form6->Edit3, "$3", &Form6->Button3, 0x31},
    };
    for (const Case& c : cases) {
        sim.ClearFrames();
        host.Clear();
        InWindow(*c.form, c.window, [&] {
            // Good values everywhere first, so that only the field under test is wrong.
            for (TEdit* edit : {&Form49->Edit1, &Form49->Edit2, &Form49->Edit3, &Form49->Edit4})
                edit->SetText("10.0.0.1");
            for (TEdit* edit : {&Form42->Edit5, &Form49->Edit5, &Form49->Edit7, &Form49->Edit8})
                edit->SetText("80");
            if (c.form == Form6) {
                host.ChooseNextFile(picture);
                Form6->Button2.Click();
                Form6->Edit2.SetText("10");
                Form6->Edit3.SetText("3");
            }
            host.Clear();
            c.edit->SetText(c.text);
            c.button->Click();
        });
        ASSERT_EQ(host.Messages().size(), 1u) << c.window << " " << c.text;
        EXPECT_EQ(host.Messages()[0].kind, MessageRequest::Error) << c.window << " " << c.text;
        EXPECT_NE(host.Texts()[0].find("is not a valid integer value"), std::string::npos) << host.Texts()[0];
        EXPECT_TRUE(FrameData(c.sentCode).empty()) << c.window << " " << c.text;
        EXPECT_TRUE(FrameData(0x29).empty()) << c.window << " " << c.text;
    }

    // The same windows with decimal text do send.
    InWindow(*Form42, "TForm42", [&] {
        Form42->Edit4.SetText("10.0.0.1");
        Form42->Edit5.SetText("80");
        Form42->Button2.Click();
    });
    EXPECT_EQ(FrameData(0xD0), (std::vector<std::string>{"736204;0A000001;5000;"}));
}

TEST_F(DecimalFieldsTest, DocumentNumbersAreAnyDecimalInteger) {
    const struct {
        const char* number;
        const char* sent; // E7h data; nullptr: refused before anything is sent
    } cases[] = {
        {"1000000000", "736204;1;;1000000000;"},
        {"2147483647", "736204;1;;2147483647;"},
        {"012", "736204;1;;12;"},
        {"2147483648", nullptr},
        {"x1", nullptr},
        {"0x1", nullptr},
        {" 1", nullptr},
        {"", nullptr},
    };
    for (const auto& c : cases) {
        sim.ClearFrames();
        host.Clear();
        InWindow(*Form46, "TForm46", [&] {
            Form46->DirectoryEdit1.SetText(Folder().string());
            Form46->Edit6.SetText(c.number);
            Form46->Button2.Click();
        });
        if (c.sent) {
            EXPECT_EQ(FrameData(0xE7), (std::vector<std::string>{c.sent})) << c.number;
            EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Нет данных!"})) << c.number;
        } else {
            EXPECT_EQ(sim.FrameCount(), 0u) << c.number;
            EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Некорректный номер документа - ошибка!"}))
                << c.number;
        }
    }
}
} // namespace
