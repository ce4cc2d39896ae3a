#include "monitor/variables_view.h"

#include "monitor/script_monitor.h"

TForm40* Form40 = nullptr;

namespace {
constexpr int NumberColumn = 0, NameColumn = 1, ValueColumn = 2, SpareColumn = 3;
constexpr int ColumnWidths[] = {40, 98, 94, 26};
} // namespace

TForm40::TForm40() {
    SetCaption("Переменные");
    SetFormStyle(fsStayOnTop);
    StringGrid1.SetColCount(4);
    StringGrid1.SetRowCount(2);
    StringGrid1.SetDefaultRowHeight(16);
    for (int col = 0; col < 4; ++col)
        StringGrid1.SetColWidth(col, ColumnWidths[col]);
    Button1.SetCaption("Закрыть");
    Column main(*this);
    main.Add(StringGrid1);
    main.Buttons({&Button1});
    Button1.OnClick = [this] { Button1Click(); };
    OnActivate = [this] { FormActivate(); };
}

// To the right of the monitor.
void TForm40::FormActivate() {
    if (!Form28) return;
    SetLeft(Form28->Left() + Form28->Width());
    SetTop(Form28->Top());
}

void TForm40::Button1Click() {
    Close();
}

void TForm40::ShowHeader(int count) {
    StringGrid1.SetCell(NameColumn, 0, "Переменные");
    StringGrid1.SetCell(ValueColumn, 0, "Значения");
    for (int row = 1; row <= count + 1; ++row)
        StringGrid1.SetCell(NumberColumn, row, IntToStr(row));
}

void TForm40::SetVariableCount(int count) {
    StringGrid1.SetRowCount(count + 1);
}

void TForm40::SetVariableRow(int row, const std::string& name, const std::string& value) {
    StringGrid1.SetCell(NumberColumn, row, IntToStr(row));
    StringGrid1.SetCell(NameColumn, row, name);
    StringGrid1.SetCell(ValueColumn, row, value);
    StringGrid1.SetCell(SpareColumn, row, "");
}

void TForm40::SetVariableValue(int row, const std::string& value) {
    StringGrid1.SetCell(ValueColumn, row, value);
    StringGrid1.Repaint();
}
