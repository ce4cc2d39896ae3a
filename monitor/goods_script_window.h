#pragma once
// Goods script preparation: writes a plain script that programs a range of articles and sells a range
// of them in one fiscal receipt, into the script file chosen in the script monitor.
#include <optional>

#include "monitor/goods_fields.h"
#include "shell/typed_fields.h"

class TForm33 : public TGoodsForm {
public:
    TForm33();

    TEdit Edit15;               // programming range: step
    TEdit Edit7;                // file name (must not be empty)
    TEdit Edit8, Edit9, Edit16; // sale range: first, last code, step
    TProgressBar ProgressBar1;
    TLabel Label15; // stage text
    TButton Button2, Button4;

    void Button1Click();
    void Button2Click();
    void Button4Click();

private:
    void LayOut();
    // The script as the edits describe it; nothing when a value is refused (the message was shown).
    // Every value is checked here, before the file is opened.
    std::optional<GoodsScript> ScriptOfEdits();
    std::vector<TypedField> TypedTexts(const GoodsScript& script) const;
    void ShowProgress(GoodsStage stage, int64_t done, int64_t total);
};

extern TForm33* Form33;
