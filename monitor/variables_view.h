#pragma once
// The variables view: the script variables of the extended language in a grid beside the script
// monitor. Shown without modality and kept above our other windows; the interpreter writes its rows
// while a script runs.
#include <string>

#include "platform/forms/forms.h"

class TForm40 : public TForm {
public:
    TForm40();

    TStringGrid StringGrid1; // row 0 the header; columns: number, name, value, (empty)
    TButton Button1;         // "Закрыть"

    void FormActivate();
    void Button1Click();

    // The header texts and the row numbers 1 to count + 1 (the monitor's "Переменные" button).
    void ShowHeader(int count);
    // Row count := count + 1.
    void SetVariableCount(int count);
    // Row `row`: its number, the name, the value and an empty fourth cell.
    void SetVariableRow(int row, const std::string& name, const std::string& value);
    // The value cell of row `row`, repainted.
    void SetVariableValue(int row, const std::string& value);
};

extern TForm40* Form40;
