#include "monitor/goods_sale_window.h"

TForm30* Form30 = nullptr;

namespace {
const std::string kNothingToDo = "Не программировать и не продавать. Что тогда надо?";
const std::string kSameGoodsUnsold = "Не не продавать и продавать один и тот же товар. Что тогда надо?";
} // namespace

TForm30::TForm30() : TGoodsForm("Программирование товаров и продажа их в фискальном чеке (сразу)") {
    SetUpCodeEdits({&Edit7});
    CheckBox3.SetCaption("один и тот же товар (первый товар)");
    Button2.SetCaption("Пуск");
    Button3.SetCaption("Закрыть");
    LayOut();
    Button1.OnClick = [this] { Button1Click(); };
    Button2.OnClick = [this] { Button2Click(); };
    Button3.OnClick = [this] { Button3Click(); };
    OnActivate = [this] { FormActivate(); };
}

void TForm30::LayOut() {
    Column main(*this);
    LayOutArticle(main, Edit7);
    LayOutPayment(main);
    main.Add(CheckBox1).Add(CheckBox2).Add(CheckBox3);
    main.Line({&Button1});
    main.Buttons({&Button2, &Button3});
}

void TForm30::FormActivate() {
    Started = false;
}

void TForm30::Button1Click() {
    Edit13.SetText(PaymentText(RangeOfEdits(Edit1, Edit2, Edit7), PriceOfEdit(Edit4)));
}

void TForm30::Button2Click() {
    if (CheckBox1.Checked() && CheckBox2.Checked()) return ShowMessage(kNothingToDo);
    if (CheckBox2.Checked() && CheckBox3.Checked()) return ShowMessage(kSameGoodsUnsold);
    RaisePaymentSum(Edit13, RangeOfEdits(Edit1, Edit2, Edit7), PriceOfEdit(Edit4));
    Started = true;
    Close();
}

void TForm30::Button3Click() {
    Close();
}
