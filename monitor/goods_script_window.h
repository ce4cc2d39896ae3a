#pragma once
// Goods script preparation: writes a plain script that programs a range of articles and sells a range
// of them in one fiscal receipt, into the script file chosen in the script monitor.
#include "monitor/goods_script.h"
#include "platform/forms/forms.h"

class TForm33 : public TForm {
public:
    TForm33();

    TEdit Edit1, Edit2, Edit15; // programming range: first, last code, step
    TEdit Edit3;                // name prefix
    TEdit Edit4;                // price
    TEdit Edit5, Edit6;         // tax group, goods group
    TEdit Edit7;                // file name (must not be empty)
    TEdit Edit8, Edit9, Edit16; // sale range: first, last code, step
    TEdit Edit10, Edit11;       // programming and sale passwords
    TEdit Edit12;               // operator number
    TEdit Edit13, Edit14;       // payment sum, payment type
    TCheckBox CheckBox1;        // "не программировать товары"
    TCheckBox CheckBox2;        // "не продавать товары"
    TProgressBar ProgressBar1;
    TLabel Label15; // stage text
    TButton Button1, Button2, Button4;

    void Button1Click();
    void Button2Click();
    void Button4Click();

private:
    void LayOut();
    // The script as the edits describe it; nothing when a value is refused (the message was shown).
    std::optional<GoodsScript> ScriptOfEdits();
    void ShowProgress(GoodsStage stage, int64_t done, int64_t total);
};

extern TForm33* Form33;
