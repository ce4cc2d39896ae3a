#pragma once
// The status-bytes viewer: the six status bytes of the last answer as 48 ticked or cleared boxes,
// and the receipt state from S2. Every status button of the program opens it with ShowStatusViewer.
#include <array>
#include <string>

#include "driver/answer_record.h"
#include "platform/forms/forms.h"

class TForm5 : public TForm {
public:
    TForm5();

    TGroupBox GroupBox1, GroupBox2, GroupBox3, GroupBox4, GroupBox5, GroupBox6;
    TCheckBox CheckBox1, CheckBox2, CheckBox3, CheckBox4, CheckBox5, CheckBox6, CheckBox7, CheckBox8;
    TCheckBox CheckBox9, CheckBox10, CheckBox11, CheckBox12, CheckBox13, CheckBox14, CheckBox15, CheckBox16;
    TCheckBox CheckBox17, CheckBox18, CheckBox19, CheckBox20, CheckBox21, CheckBox22, CheckBox23, CheckBox24;
    TCheckBox CheckBox25, CheckBox26, CheckBox27, CheckBox28, CheckBox29, CheckBox30, CheckBox31, CheckBox32;
    TCheckBox CheckBox33, CheckBox34, CheckBox35, CheckBox36, CheckBox37, CheckBox38, CheckBox39, CheckBox40;
    TCheckBox CheckBox41, CheckBox42, CheckBox43, CheckBox44, CheckBox45, CheckBox46, CheckBox47, CheckBox48;
    TComboBox ComboBox1;
    TButton Button2; // "Обновить"
    TButton Button1; // "Закрыть"

    // The box of bit (0..7) of status byte (0..5).
    TCheckBox& BitBox(int statusByte, int bit);

    void FormActivate();
    void Button1Click();
    void Button2Click();

private:
    void LayOut();
    void ShowStatus(const AnswerRecord* answer);

    // Per status byte, its eight boxes, bit 0 first.
    std::array<std::array<TCheckBox*, 8>, 6> bits_;
};

// Opens the status-bytes viewer modally: what every status button does.
void ShowStatusViewer();

// S0..S5 as two upper-case hexadecimal digits each, with one blank between them, and with one more
// after the last when trailingBlank is set.
std::string StatusBytesText(const AnswerRecord& answer, bool trailingBlank);
