#pragma once
// Programming goods and selling them in one fiscal receipt at once: collects the parameters, checks
// them and closes. Nothing sends these values.
#include "monitor/goods_fields.h"

class TForm30 : public TGoodsForm {
public:
    TForm30();

    TEdit Edit7;         // step of the range
    TCheckBox CheckBox3; // "один и тот же товар (первый товар)"
    TButton Button2, Button3;
    bool Started = false;

    void FormActivate();
    void Button1Click();
    void Button2Click();
    void Button3Click();

private:
    void LayOut();
};

extern TForm30* Form30;
