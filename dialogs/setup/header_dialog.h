#pragma once
// Receipt header (register lines 0..9) and advertising text (lines 10..13): program, read or clear
// them one line per command, each line single or double width, optionally centred on the paper.
#include <string>
#include <vector>

#include "driver/answer_record.h"
#include "platform/forms/forms.h"
#include "shell/command_sequence.h"
#include "shell/window_links.h"

// The blanks that centre a text of `length` characters on paper `width` characters wide.
int CentringBlanks(int width, int length, bool doubleWidth);

class TForm11 : public TPaperWidthForm {
public:
    TForm11();

    // Edit2 (paper width) and ComboBox2 (its replacement) come with TPaperWidthForm.
    TGroupBox GroupBox1, GroupBox2; // "Заголовок чека", "Рекламный текст"
    TStringGrid StringGrid1, StringGrid2;
    TCheckBox CheckBox2, CheckBox3, CheckBox4, CheckBox5, CheckBox6, CheckBox7, CheckBox8, CheckBox9,
        CheckBox10,
        CheckBox11;                                           // centre header rows 0..9
    TCheckBox CheckBox12, CheckBox13, CheckBox14, CheckBox15; // centre advertising rows 0..3
    TComboBox ComboBox1;                                      // the operation
    TCheckBox CheckBox1;               // "Записать  только непустые поля "
    TEdit Edit1;                       // password
    TButton Button2;                   // "Выполнить"
    TButton Button3, Button5, Button6; // header: clear, centre, uncentre
    TButton Button4, Button8, Button7; // advertising: clear, centre, uncentre
    TButton Button1;

    void FormActivate();
    void ComboBox1Change();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();
    void Button7Click();
    void Button8Click();
    void Button1Click();

private:
    // One of the two blocks: its grid, centring boxes, first register line and message texts.
    struct Block {
        TStringGrid* Grid;
        std::vector<TCheckBox*> Centre;
        int FirstLine;
        std::string Title; // "Заголовок" / "Рекламный текст"
        std::string Step;  // a line as the technician is told it was taken: "строка заголовка"
        bool Header;
    };
    Block HeaderBlock();
    Block AdvertisingBlock();
    void LayOut();
    void SetUpGrid(TStringGrid& grid, int rows);
    void ResetGrid(TStringGrid& grid, int rows);
    void SelectCell(TStringGrid& grid, int col, int row, bool& canSelect);
    int PaperWidth() const;
    bool TypedTextsAccepted(const std::vector<Block>& blocks, bool programming);
    // The lines of an operation on a block, in order, each a command of the sequence.
    void AddProgramming(CommandSequence& sequence, const Block& block, int width);
    void AddClearing(CommandSequence& sequence, const Block& block);
    void AddReading(CommandSequence& sequence, const Block& block);
    void AddLine(CommandSequence& sequence, const Block& block, int row, bool byRegisterLine,
                 CommandCall call);
    static void ShowReadLine(TStringGrid& grid, int row, const AnswerRecord* answer);
};

extern TForm11* Form11;
