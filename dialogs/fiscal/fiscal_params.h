#pragma once
// Fiscal parameters: the factory, fiscal, identification and tax numbers and the five tax groups,
// read from the register and programmed into it. Two windows of one caption: the standard one
// (four kinds of tax) and the extended-tax one (eight kinds, a linked group per tax, length checks).
#include <array>
#include <cstdint>
#include <string>

#include "driver/answer_record.h"
#include "platform/forms/forms.h"

class CommandSequence;

class TFiscalParamsForm : public TForm {
public:
    TEdit Edit8;                                                     // password
    TEdit Edit2;                                                     // factory number, read only
    TEdit Edit3;                                                     // identification number
    TEdit Edit1;                                                     // tax number
    TEdit Edit15;                                                    // fiscal number
    TComboBox ComboBox1, ComboBox2, ComboBox3, ComboBox4, ComboBox5; // kind of tax, rows А..Д
    TEdit Edit4, Edit5, Edit6, Edit7, Edit13;                        // rates
    TEdit Edit9, Edit10, Edit11, Edit12, Edit14;                     // names
    TButton Button1, Button5, Button4;

    int32_t CountryCode = 0;

    void FormActivate();
    void Button1Click(); // read
    void Button5Click(); // program
    void Button4Click(); // close

protected:
    // Extended: eight kinds of tax, the linked-group combos, length checks before programming.
    explicit TFiscalParamsForm(bool extended);
    void LayOut();
    // The linked-group combos of rows А..Д; null in the standard window.
    std::array<TComboBox*, 5> linked_{};

private:
    struct TaxRow {
        TComboBox& kind;
        TEdit& rate;
        TEdit& name;
        TComboBox* linked;
    };
    TaxRow Row(int row);

    // The parts ticked in the confirmation window.
    struct Parts {
        bool Taxes, FiscalNumber, TaxIds;
    };

    bool ReadNumbers();
    bool ReadTax(int row);
    bool PartsAccepted(const Parts& parts);
    bool TaxesAccepted();
    bool FiscalNumberLengthAccepted();
    bool TaxIdLengthsAccepted();
    void FormParts(const Parts& parts);
    AnswerRecord* SendTax(int row, int* error);
    AnswerRecord* SendFiscalNumber(int* error);
    AnswerRecord* SendTaxIdNumbers(int* error);
    int ProgramTaxes(CommandSequence& sequence);
    int ProgramFiscalNumber(CommandSequence& sequence);
    int ProgramTaxIdNumbers(CommandSequence& sequence);

    const bool extended_;
    std::array<TLabel, 5> rowLabels_;
    TLabel kindHeading_, rateHeading_, nameHeading_, linkedHeading_;
};

class TForm18 : public TFiscalParamsForm {
public:
    TForm18();
};

class TForm37 : public TFiscalParamsForm {
public:
    TForm37();
    TComboBox ComboBox6, ComboBox7, ComboBox8, ComboBox9, ComboBox10; // linked groups, rows А..Д
};

// "Налог А:\n  " .. "Налог Д:\n  ": the caption of a tax row's failure.
std::string TaxRowCaption(int row);
// The rows' letters А..Д.
std::string TaxLetter(int row);

extern TForm18* Form18;
extern TForm37* Form37;
