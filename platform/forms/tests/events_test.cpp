// When the events of edits, combo boxes, list boxes, check boxes and windows run.
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>

#include "platform/forms/tests/fixture.h"

namespace {

class EventsTest : public FormsTest {
protected:
    // Sends a key to a widget the way the window system does (through the application's dispatch).
    static void Type(QWidget* widget, int key, const QString& text = QString(),
                     Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
        QCoreApplication::sendEvent(widget, &press);
    }
    static void Type(QWidget* widget, const QString& text) {
        for (QChar c : text)
            Type(widget, Qt::Key_unknown, QString(c));
    }
};

TEST_F(EventsTest, EditChangeRunsOnEveryChangeOfTheText) {
    TEdit Edit1;
    int changes = 0;
    Edit1.OnChange = [&] { ++changes; };
    Edit1.SetText("736204");
    Edit1.SetText("736204"); // no change
    Type(Edit1.Widget(), "1");
    Edit1.Clear();
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(Edit1.Text(), "");
}

TEST_F(EventsTest, EditMaxLengthCountsCharacters) {
    TEdit Edit1;
    Edit1.SetMaxLength(3);
    Type(Edit1.Widget(), QString::fromUtf8("ЖЖЖЖ"));
    EXPECT_EQ(Edit1.Text(), "ЖЖЖ");
    Edit1.SetText("7362041"); // the program may put more
    EXPECT_EQ(Edit1.Text(), "7362041");
    Type(Edit1.Widget(), Qt::Key_Backspace); // and the user can still shorten it
    EXPECT_EQ(Edit1.Text(), "736204");
}

TEST_F(EventsTest, KeyPressCanSwallowOrReplaceTheCharacter) {
    TEdit Edit1;
    Edit1.OnKeyPress = [](char32_t& key) {
        if (key == U';') key = 0;
        if (key == U'a') key = U'б';
    };
    Type(Edit1.Widget(), "x;a");
    EXPECT_EQ(Edit1.Text(), "xб");
}

TEST_F(EventsTest, KeyDownSeesEnterAndCanSwallowKeys) {
    TEdit Edit1;
    std::vector<WORD> keys;
    Edit1.OnKeyDown = [&](WORD& key, TShiftState) {
        keys.push_back(key);
        if (key == 'Q') key = 0;
    };
    Type(Edit1.Widget(), Qt::Key_Return, "\r");
    Type(Edit1.Widget(), Qt::Key_Q, "q");
    EXPECT_EQ(keys, (std::vector<WORD>{VK_RETURN, 'Q'}));
    EXPECT_EQ(Edit1.Text(), "");
}

TEST_F(EventsTest, KeyPreviewLetsTheWindowSeeKeysFirst) {
    TForm form;
    TEdit Edit1;
    Column(form).Add(Edit1);
    std::vector<std::string> order;
    form.SetKeyPreview(true);
    form.OnKeyDown = [&](WORD& key, TShiftState) {
        order.push_back("form");
        if (key == VK_ESCAPE) key = 0;
    };
    Edit1.OnKeyDown = [&](WORD&, TShiftState) { order.push_back("edit"); };
    Type(Edit1.Widget(), Qt::Key_F2);
    Type(Edit1.Widget(), Qt::Key_Escape);
    EXPECT_EQ(order, (std::vector<std::string>{"form", "edit", "form"}));
}

TEST_F(EventsTest, ComboBoxChangeRunsOnlyOnTheUsersChanges) {
    TComboBox ComboBox1;
    int changes = 0, clicks = 0;
    ComboBox1.OnChange = [&] { ++changes; };
    ComboBox1.OnClick = [&] { ++clicks; };
    ComboBox1.Items().AddStrings({"9600", "19200"});
    ComboBox1.SetItemIndex(1);
    ComboBox1.SetText("4800");
    ComboBox1.Items().Clear();
    EXPECT_EQ(changes, 0);

    ComboBox1.Items().AddStrings({"9600", "19200"});
    auto* combo = static_cast<QComboBox*>(ComboBox1.Widget());
    combo->setCurrentIndex(0);
    emit combo->activated(0); // the user picks an item
    Type(combo->lineEdit(), "0");
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(ComboBox1.Text(), "96000");
}

TEST_F(EventsTest, ListBoxClickRunsForTheUserOnly) {
    TListBox ListBox1;
    int clicks = 0;
    ListBox1.OnClick = [&] { ++clicks; };
    ListBox1.Items().AddStrings({"1;Хлеб;", "2;Молоко;"});
    ListBox1.SetItemIndex(1);
    EXPECT_EQ(clicks, 0);
    static_cast<QListWidget*>(ListBox1.Widget())->setCurrentRow(0); // as by the arrow keys
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(ListBox1.ItemIndex(), 0);
}

TEST_F(EventsTest, CheckBoxAndRadioGroupClickAlsoOnChangesInCode) {
    TCheckBox CheckBox1;
    TRadioGroup RadioGroup1;
    int checkClicks = 0, groupClicks = 0;
    CheckBox1.OnClick = [&] { ++checkClicks; };
    RadioGroup1.OnClick = [&] { ++groupClicks; };
    CheckBox1.SetChecked(true);
    CheckBox1.SetChecked(true);
    CheckBox1.SetChecked(false);
    RadioGroup1.Items().AddStrings({"Z-отчет", "X-отчет"});
    RadioGroup1.SetItemIndex(1);
    RadioGroup1.SetItemIndex(1);
    EXPECT_EQ(checkClicks, 2);
    EXPECT_EQ(groupClicks, 1);
    EXPECT_EQ(RadioGroup1.ItemIndex(), 1);
}

TEST_F(EventsTest, EnterAndExitFollowTheFocus) {
    TForm form;
    TEdit Edit1, Edit2;
    Column(form).Add(Edit1).Add(Edit2);
    std::vector<std::string> order;
    Edit1.OnEnter = [&] { order.push_back("enter1"); };
    Edit1.OnExit = [&] { order.push_back("exit1"); };
    form.Show();
    Application->ProcessMessages();
    Edit1.SetFocus();
    Edit2.SetFocus();
    EXPECT_EQ(order, (std::vector<std::string>{"enter1", "exit1"}));
    EXPECT_EQ(form.ActiveControl(), &Edit2);
    form.Hide();
}

} // namespace
