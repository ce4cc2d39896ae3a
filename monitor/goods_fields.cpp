#include "monitor/goods_fields.h"

#include "driver/formatters_common.h"

TGoodsForm::TGoodsForm(const std::string& caption) {
    SetCaption(caption);
    SetBorderStyle(bsToolWindow);
    SetPosition(poScreenCenter);
    struct Default {
        TEdit& edit;
        const char* text;
        int maxLength;
    };
    SetUpCodeEdits({&Edit1, &Edit2});
    for (const Default& d : {Default{Edit3, "Товар для продажи", 66},
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
    Button1.SetCaption("Расчитать (только вложенный налог)");
}

void TGoodsForm::SetUpCodeEdits(std::initializer_list<TEdit*> edits) {
    for (TEdit* edit : edits) {
        edit->SetText("1");
        edit->SetMaxLength(GoodsCodeChars);
    }
}

void TGoodsForm::LayOutArticle(Column& column, TEdit& step) {
    column.Field("Начальный код товара (до 9 цифр):", Edit1)
        .Field("Конечный код товара (до 9 цифр):", Edit2)
        .Field("Инкремент для номера следующего товара:", step)
        .Field(goods_label::Prefix, Edit3)
        .Field(goods_label::Price, Edit4)
        .Field("Налоговая группа (0-4):", Edit5)
        .Field("Товарная группа (1-99):", Edit6);
}

void TGoodsForm::LayOutPayment(Column& column) {
    column.Field(goods_label::ProgrammingPassword, Edit10)
        .Field(goods_label::SalePassword, Edit11)
        .Field("Номер оператора:", Edit12)
        .Field(goods_label::PaymentSum, Edit13)
        .Field("Тип оплаты (0-9): ", Edit14);
}

GoodsRange RangeOfEdits(const TEdit& first, const TEdit& last, const TEdit& step) {
    return {StrToInt64(first.Text()), StrToInt64(last.Text()), StrToInt64(step.Text())};
}

double PriceOfEdit(const TEdit& price) {
    DecimalSeparator = '.';
    return StrToFloat(FixedText(StrToFloat(price.Text()), 2));
}

std::string PaymentText(const GoodsRange& sold, double price) {
    return FixedText(PaymentForRange(sold, price), 2);
}

void RaisePaymentSum(TEdit& payment, const GoodsRange& sold, double price) {
    DecimalSeparator = '.';
    const std::string sum = PaymentText(sold, price);
    if (StrToFloat(payment.Text()) < StrToFloat(sum)) payment.SetText(sum);
}
