#include "dialogs/fiscal/fiscal_receipt.h"

#include "dialogs/fiscal/article_file.h"
#include "dialogs/fiscal/article_loading.h"
#include "driver/driver.h"
#include "shell/command_sequence.h"
#include "shell/status_viewer.h"
#include "shell/typed_fields.h"

TForm21* Form21 = nullptr;

namespace {
constexpr int BarHeight = 50;
const char* const kDisplayFunctions[] = {"Очистить", "Верхняя строка", "Нижняя строка", "Дата и время"};
const std::string kDiscountTimeout = "Таймаут устройства! Ошибка надбавки-скидки!";
const std::string kDiscountError = "Ошибка надбавки-скидки";
const std::string kCancelTimeout = "Таймаут устройства! Ошибка аннулирования!";
const std::string kCancelError = "Ошибка аннулирования";
} // namespace

TForm21::TForm21() {
    SetCaption("Фискальный чек");
    SetPosition(poScreenCenter);
    SetUpControls();
    LayOut();
    BindHandlers();
}

void TForm21::SetUpControls() {
    Edit1.SetText(DefaultPassword);
    Label1.SetCaption("Товары");
    Edit9.SetText("1.00");
    Edit10.SetText("1.000");
    Edit12.SetText("1");
    CheckBox1.SetCaption("Чек возврата");
    Edit2.SetText("Comment for printing");
    CheckBox2.SetCaption("Выводить информацию на дисплей");
    CheckBox2.SetChecked(true);
    GroupBox1.SetCaption("Скидка процентная");
    GroupBox2.SetCaption("Скидка абсолютная");
    for (TEdit* value : {&Edit4, &Edit5})
        value->SetText("-5.00");
    for (TEdit* group : {&Edit6, &Edit15})
        group->SetText("0");
    for (TButton* item : {&Button3, &Button4})
        item->SetCaption(" на товар");
    for (TButton* subtotal : {&Button6, &Button7})
        subtotal->SetCaption("на подсумму");
    for (TButton* taxGroup : {&Button19, &Button20})
        taxGroup->SetCaption("с налоговой группы");
    Label6.SetCaption("Сумма по чеку:");
    Label5.SetCaption(std::string(27, ' '));
    Label5.SetFontBold(true);
    Edit11.SetMaxLength(12);
    Edit11.SetText("012345678901");
    ComboBox2.SetStyle(csDropDownList);
    for (const char* function : kDisplayFunctions)
        ComboBox2.Items().Add(function);
    ComboBox1.SetStyle(csDropDownList);
    for (int type = 0; type < 10; ++type)
        ComboBox1.Items().Add(IntToStr(type));
    ComboBox1.SetHint("Номер типа оплаты");
    Edit8.SetHint("Величина оплаты");
    Edit8.SetText("0.00");
    GroupBox3.SetCaption("Оплата");
    CheckBox3.SetCaption("Использовать указанный идентификатор транзакций");
    Edit13.SetMaxLength(20);
    CheckBox4.SetCaption("Не выводить дополнительную информацию для банковской карты");
    Label10.SetCaption("Код ошибки:");
    Edit7.SetText("0000");
    Edit7.SetReadOnly(true);
    Button1.SetCaption("Открыть чек");
    Button2.SetCaption("Продать");
    Button10.SetCaption("Печать комментария");
    Button13.SetCaption("Печать итога");
    Button12.SetCaption("Аннулирование всего чека");
    Button5.SetCaption("Начало аннулирования");
    Button14.SetCaption("Конец аннулирования");
    Button15.SetCaption("Отмена аннулирования");
    Button9.SetCaption("Закрыть чек");
    Button17.SetCaption("Штрих-код EAN-13");
    Button18.SetCaption("Вывод на индикатор");
    Button8.SetCaption("Оплатить");
    Button16.SetCaption("Состояние регистратора");
    Button16.SetEnabled(false);
    Button11.SetCaption("Закрыть");
}

// The sale on the left, discounts and the printing of lines on the right, the receipt's end below, so
// that the window fits a small screen.
void TForm21::LayOut() {
    Edit2.SetWidth(300);
    ListBox1.SetWidth(320); // room for an article's line
    Column main(*this);
    auto sides = main.Columns(2);
    sides[0].Line({&Button1, &CheckBox1});
    sides[0].Field("Пароль:", Edit1).Field("Номер оператора:", Edit12);
    sides[0].Add(Label1).Add(ListBox1).Add(Edit3);
    sides[0].Field("Цена за ед.:", Edit9).Field("Кол-во:", Edit10);
    sides[0].Line({&Button2});
    Column percent = sides[1].Group(GroupBox1);
    percent.Field("Значение:", Edit4).Field("Номер \nналоговой \nгруппы:", Edit6);
    percent.Line({&Button3, &Button6, &Button19});
    Column absolute = sides[1].Group(GroupBox2);
    absolute.Field("Значение:", Edit5).Field("Номер \nналоговой \nгруппы:", Edit15);
    absolute.Line({&Button4, &Button7, &Button20});
    sides[1].Line({&Edit2, &Button10});
    sides[1].Line({&ComboBox2, &Button18});
    sides[1].Line({&Edit11, &Button17});
    main.Line({&CheckBox2, &Button13, &Label6, &Label5});
    main.Line({&Button12, &Button5, &Button14, &Button15});
    Column payment = main.Group(GroupBox3);
    payment.Line({&ComboBox1, &Edit8, &Button8});
    payment.Line({&CheckBox3, &Edit13});
    payment.Add(CheckBox4);
    main.Field(Label10, Edit7);
    main.Buttons({&Button16, &Button9, &Button11});
}

void TForm21::BindHandlers() {
    OnActivate = [this] { FormActivate(); };
    ListBox1.OnClick = [this] { ListBox1Click(); };
    Label5.OnClick = [this] { Label5Click(); };
    Button1.OnClick = [this] { Button1Click(); };
    Button2.OnClick = [this] { Button2Click(); };
    Button10.OnClick = [this] { Button10Click(); };
    Button3.OnClick = [this] { Button3Click(); };
    Button6.OnClick = [this] { Button6Click(); };
    Button19.OnClick = [this] { Button19Click(); };
    Button4.OnClick = [this] { Button4Click(); };
    Button7.OnClick = [this] { Button7Click(); };
    Button20.OnClick = [this] { Button20Click(); };
    Button13.OnClick = [this] { Button13Click(); };
    Button12.OnClick = [this] { Button12Click(); };
    Button5.OnClick = [this] { Button5Click(); };
    Button14.OnClick = [this] { Button14Click(); };
    Button15.OnClick = [this] { Button15Click(); };
    Button9.OnClick = [this] { Button9Click(); };
    Button17.OnClick = [this] { Button17Click(); };
    Button18.OnClick = [this] { Button18Click(); };
    Button8.OnClick = [this] { Button8Click(); };
    Button16.OnClick = [this] { Button16Click(); };
    Button11.OnClick = [this] { Button11Click(); };
}

void TForm21::FormActivate() {
    if (ActivatedAgain()) return;
    FillLists();
    if (Form20->Label3.Caption().empty()) Form20->ChooseAndLoadFile();
    ListBox1.Items().Assign(Form20->Memo1.Lines());
}

void TForm21::FillLists() {
    ListBox1.Items().Clear();
    ComboBox1.Items().Clear();
    for (int type = 0; type < Session.PaymentCount; ++type)
        ComboBox1.Items().Add(IntToStr(type));
    ComboBox1.SetItemIndex(0);
    ComboBox2.SetItemIndex(1);
}

void TForm21::ListBox1Click() {
    const int index = ListBox1.ItemIndex();
    if (index >= 0) Edit3.SetText(ListBox1.Items()[index]);
}

void TForm21::Label5Click() {
    Edit8.SetText(Label5.Caption());
}

// A call the driver refused sent nothing: it is reported, and no earlier answer is judged for it.
bool TForm21::Judge(AnswerRecord* answer, int refused, const std::string& timeoutText,
                    const std::string& errorText, CommandSequence* sequence, const std::string& step) {
    if (refused < 0) {
        StoreAnswer(answer);
        Edit7.Clear();
        ShowMessage(errorText + (sequence ? sequence->TakenNote() : ""));
        return false;
    }
    AnswerCheck check =
        AnswerCheck{}.Timeout(timeoutText).Error(errorText).CodeEdit(&Edit7).Status(&Button16);
    if (sequence) check.In(*sequence, step);
    return CheckAnswer(answer, check);
}

void TForm21::Button1Click() {
    if (!FieldsAccepted({{"Пароль:", Edit1.Text()}})) return;
    int refused = 0;
    AnswerRecord* answer =
        OpenFiscalReceipt(Edit1.Text(), StrToInt(Edit12.Text()), 1, CheckBox1.Checked() ? 1 : 0, &refused);
    Judge(answer, refused, "Таймаут устройства! Ошибка открытия чека!", "Ошибка открытия чека");
}

// Everything typed for the sale is converted, and both its commands formed, before the article is
// programmed: a sale that cannot go out leaves the goods base as it was.
void TForm21::Button2Click() {
    if (Edit3.Text().empty()) {
        ShowMessage("Не выбран товар!");
        return;
    }
    const bool programArticle = Session.PqVariant == 0;
    if (programArticle && !ArticleAccepted()) return;
    const int64_t code = ArticleCode(Edit3.Text());
    DecimalSeparator = '.';
    const double quantity = StrToFloat(Edit10.Text());
    const double price = StrToFloat(Edit9.Text());
    // The register learns the article line as it stands before selling it.
    const auto program = [this] {
        return SendPrepared(AddArticleCommand, ArticleCommandData(Edit1.Text(), Edit3.Text()), nullptr);
    };
    const auto sell = [&](int* refused) { return SellItem(DefaultPassword, code, price, quantity, refused); };
    CommandSequence sequence;
    if (!sequence.Formable([&] {
            if (programArticle) program();
            sell(nullptr);
        }))
        return;
    if (programArticle && !Judge(program(), 0, TimeoutMessage, "Ошибка ", &sequence, "запись товара")) return;
    int refused = 0;
    AnswerRecord* answer = sell(&refused);
    Judge(answer, refused, "Таймаут устройства! Ошибка продажи!", "Ошибка продажи", &sequence, "продажа");
}

bool TForm21::ArticleAccepted() {
    if (!FieldsAccepted({{"Пароль:", Edit1.Text()}})) return false;
    if (ArticleLineParses(Edit3.Text())) return true;
    ShowMessage(ArticleLineRefusal(Edit3.Text()));
    return false;
}

void TForm21::Button10Click() {
    if (!FieldsAccepted({{"Пароль:", Edit1.Text()}, {"Комментарий", Edit2.Text()}})) return;
    int refused = 0;
    AnswerRecord* answer = PrintText(Edit1.Text(), Edit2.Text(), &refused);
    Judge(answer, refused, "Таймаут устройства! Ошибка печати комментария!", "Ошибка печати комментария");
}

void TForm21::Discount(AnswerRecord* (*command)(const std::string&, double, int*), TEdit& value) {
    if (!FieldsAccepted({{"Пароль:", Edit1.Text()}})) return;
    DecimalSeparator = '.';
    const double amount = StrToFloat(value.Text());
    int refused = 0;
    AnswerRecord* answer = command(Edit1.Text(), amount, &refused);
    Judge(answer, refused, kDiscountTimeout, kDiscountError);
}

void TForm21::TaxGroupDiscount(AnswerRecord* (*command)(const std::string&, double, int, int*), TEdit& value,
                               TEdit& group) {
    if (!FieldsAccepted({{"Пароль:", Edit1.Text()}})) return;
    DecimalSeparator = '.';
    const double amount = StrToFloat(value.Text());
    const int taxGroup = StrToInt(group.Text());
    int refused = 0;
    AnswerRecord* answer = command(Edit1.Text(), amount, taxGroup, &refused);
    Judge(answer, refused, kDiscountTimeout, kDiscountError);
}

void TForm21::Button3Click() {
    Discount(DiscountItemPercent, Edit4);
}
void TForm21::Button6Click() {
    Discount(DiscountSubtotalPercent, Edit4);
}
void TForm21::Button19Click() {
    TaxGroupDiscount(DiscountTaxGroupPercent, Edit4, Edit6);
}
void TForm21::Button4Click() {
    Discount(DiscountItemAbsolute, Edit5);
}
void TForm21::Button7Click() {
    Discount(DiscountSubtotalAbsolute, Edit5);
}
void TForm21::Button20Click() {
    TaxGroupDiscount(DiscountTaxGroupAbsolute, Edit5, Edit15);
}

void TForm21::Button13Click() {
    if (!FieldsAccepted({{"Пароль:", Edit1.Text()}})) return;
    int refused = 0;
    AnswerRecord* answer = PrintTotal(Edit1.Text(), CheckBox2.Checked() ? 1 : 0, &refused);
    if (Judge(answer, refused, "Таймаут устройства! Ошибка печати итога!", "Ошибка печати итога"))
        Label5.SetCaption(answer->Field(1));
}

void TForm21::Cancel(int type) {
    if (!FieldsAccepted({{"Пароль:", Edit1.Text()}})) return;
    int refused = 0;
    AnswerRecord* answer = CancelOperation(Edit1.Text(), type, &refused);
    Judge(answer, refused, kCancelTimeout, kCancelError);
}

void TForm21::Button12Click() {
    Cancel(0);
}
void TForm21::Button5Click() {
    Cancel(1);
}
void TForm21::Button14Click() {
    Cancel(2);
}
void TForm21::Button15Click() {
    Cancel(3);
}

void TForm21::Button9Click() {
    if (!FieldsAccepted({{"Пароль:", Edit1.Text()}})) return;
    int refused = 0;
    AnswerRecord* answer = CloseFiscalReceipt(Edit1.Text(), CheckBox2.Checked() ? 1 : 0, &refused);
    Judge(answer, refused, "Таймаут устройства! Ошибка закрыиия чека!", "Ошибка закрытия чека");
}

// Bar code and display show only the error field; a command the driver refuses (a code not all
// digits, a text too long) is not sent, says so and leaves the field empty rather than showing an
// earlier command's code.
void TForm21::Button17Click() {
    if (CharCount(Edit11.Text()) != 12) {
        ShowMessage("Длина штрих-кода не равна 12 символов! Ошибка!");
        return;
    }
    int refused = 0;
    AnswerRecord* answer = PrintEAN13Code(DefaultPassword, BarHeight, Edit11.Text(), &refused);
    ShowErrorField(answer, refused);
}

void TForm21::Button18Click() {
    if (!FieldsAccepted({{"Комментарий", Edit2.Text()}})) return;
    int refused = 0;
    AnswerRecord* answer = ShowOnDisplay(DefaultPassword, Edit2.Text(), ComboBox2.ItemIndex(), 0, &refused);
    ShowErrorField(answer, refused);
}

void TForm21::ShowErrorField(AnswerRecord* answer, int refused) {
    if (refused < 0) answer = nullptr;
    StoreAnswer(answer);
    Edit7.SetText(answer == nullptr || answer->NoAnswer() ? "" : answer->ErrorField);
    if (answer == nullptr) ShowMessage(NotSentMessage);
}

void TForm21::Button16Click() {
    ShowStatusViewer();
}

void TForm21::Button11Click() {
    Button16.SetEnabled(false);
    Close();
}
