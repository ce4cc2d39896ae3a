#pragma once
// Layout without coordinates: a window is a column of rows, built in its constructor.
//
//     TForm27::TForm27() {
//         SetCaption("Дата и время");
//         Column main(*this);
//         main.Field("Дата (DDMMYY): ", DateEdit1)      // caption and control; the captions of
//             .Field("Время (HHMM):", Edit2)             // consecutive fields line up
//             .Field("Пароль:", Edit3);
//         Column box = main.Group(GroupBox1);            // a group box of rows
//         box.Field("Код ошибки:", Edit4).Add(CheckBox1);
//         auto sides = main.Columns(2);                  // columns side by side
//         sides[0].Group(GroupBox2);
//         sides[1].Add(Memo1);
//         main.Line({&Button3, &Button2});               // controls side by side, from the left
//         main.Buttons({&Button4, &Button1});            // the main buttons, bottom right
//     }
//
// Captions given as text are labels of the layout's own; a caption follows its control when the
// control is hidden or shown (unless the row holds several controls). Every control is parented
// here, so a control laid out nowhere never appears.
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

class QWidget;
class QVBoxLayout;
class QFormLayout;
class TForm;
class TControl;
class TGroupBox;
class TPanel;
class TLabel;

class Column {
public:
    explicit Column(TForm& form); // the window's client area
    explicit Column(TGroupBox& box);
    explicit Column(TPanel& panel);

    Column& Field(const std::string& caption, TControl& control);
    Column& Field(TLabel& caption, TControl& control);
    // A caption and several controls side by side (e.g. an edit and the combo box that replaces it).
    Column& Field(const std::string& caption, std::initializer_list<TControl*> controls);
    // A control over the whole width of the column.
    Column& Add(TControl& control);
    // Controls side by side, from the left.
    Column& Line(std::initializer_list<TControl*> controls);
    // Buttons side by side, to the right.
    Column& Buttons(std::initializer_list<TControl*> buttons);
    // Controls in a grid of the given number of columns, row after row; nullptr leaves a cell empty.
    Column& Grid(int columns, std::initializer_list<TControl*> controls);
    // A group box or panel as the next row; returns the column inside it.
    Column Group(TGroupBox& box);
    Column Panel(TPanel& panel);
    // Columns side by side as the next row.
    std::vector<Column> Columns(int count);
    // Rows close together, for long lists such as a group of check boxes.
    Column& Dense();
    // Empty space that takes the rest of the height, or a fixed gap.
    Column& Stretch();
    Column& Space(int pixels);

private:
    struct State;
    explicit Column(QWidget* parent);
    QFormLayout& Fields();
    void EndFields();
    QWidget* Parent() const;
    std::shared_ptr<State> state_;
};
