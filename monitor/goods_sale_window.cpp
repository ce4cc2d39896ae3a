#include "monitor/goods_sale_window.h"

#include "monitor/goods_fields.h"

TForm30* Form30 = nullptr;

namespace {
const std::string kNothingToDo = "Не программировать и не продавать. Что тогда надо?";
const std::string kSameGoodsUnsold = "Не не продавать и продавать один и тот же товар. Что тогда надо?";
} // namespace

TForm30::TForm30() {
    SetCaption("Программирование товаров и продажа их в фискальном чеке (сразу)");
    SetBorderStyle(bsToolWindow);
    SetPosition(poScreenCenter);
    struct Default {
        TEdit& edit;
        const char* text;
        int maxLength;
    };
    for (const Default& d : {Default{Edit1, "1", 9},
                             {Edit2, "1", 9},
                             {Edit7, "1", 0},
                             {Edit3, "Товар для продажи", 66},
                             {Edit4, "0.01", 0},
                             {Edit5, "0", 1},
                             {Edit6, "1", 2},
                             {Edit10, "736204", 6},
                             {Edit11, "736204", 6},
                             {Edit12, "1", 0},
                             {Edit13, "0.01", 0},
                             {Edit14, "0", 1}}) {
        d.edit.SetText(d.text);
        d.edit.SetMaxLength(d.maxLength);
    }
    Edit3.SetWidth(300); // room for the prefix
    CheckBox1.SetCaption("не программировать товары");
    CheckBox2.SetCaption("не продавать товары");
    CheckBox3.SetCaption("один и тот же товар (первый товар)");
    Button1.SetCaption("Расчитать (только вложенный налог)");
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
    main.Field("Начальный код товара (до 9 цифр):", Edit1)
        .Field("Конечный код товара (до 9 цифр):", Edit2)
        .Field("Инкремент для номера следующего товара:", Edit7)
        .Field("Префикс имени товара (до 66 символов):", Edit3)
        .Field("Цена:", Edit4)
        .Field("Налоговая группа (0-4):", Edit5)
        .Field("Товарная группа (1-99):", Edit6)
        .Field("Пароль для программирования: ", Edit10)
        .Field("Пароль для продажи:", Edit11)
        .Field("Номер оператора:", Edit12)
        .Field("Сумма для оплаты: ", Edit13)
        .Field("Тип оплаты (0-9): ", Edit14);
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
