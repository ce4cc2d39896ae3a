#include "dialogs/fiscal/service_cash.h"

#include "driver/driver.h"
#include "platform/text/text.h"
#include "shell/session.h"
#include "shell/typed_fields.h"

TForm9* Form9 = nullptr;

bool CashTakesOneCommand(const std::string& firmware, bool highPriority) {
    return (firmware == "2.01" || firmware == "2.02" || firmware == "2.03") && !highPriority;
}

TForm9::TForm9() {
    SetCaption("Служебное внесение и изъятие денег");
    SetPosition(poScreenCenter);
    Edit5.SetText(DefaultPassword);
    Edit1.SetText("1.00");
    Edit3.SetText("1");
    Edit2.SetReadOnly(true);
    Button3.SetCaption("Служебный внос");
    Button2.SetCaption("Служебное изъятие");
    Button1.SetCaption("Закрыть");
    Column main(*this);
    main.Field("Пароль:", Edit5)
        .Field("Сумма:    ", Edit1)
        .Field("Номер оператора:", Edit3)
        .Field("Денег в кассе:", Edit2);
    main.Line({&Button3, &Button2});
    main.Buttons({&Button1});
    Button3.OnClick = [this] { Button3Click(); };
    Button2.OnClick = [this] { Button2Click(); };
    Button1.OnClick = [this] { Close(); };
}

void TForm9::Button3Click() {
    MoveCash(1, {"Служебный внос денег:\n  ", "Служебный внос денег - Успешно!"});
}

void TForm9::Button2Click() {
    MoveCash(-1, {"Служебное изъятие денег:\n  ", "Служебное изъятие денег - Успешно!"});
}

void TForm9::MoveCash(double sign, const Texts& texts) {
    if (!FieldsAccepted({{"Пароль:", Edit5.Text()}})) return;
    DecimalSeparator = '.';
    const double amount = sign * StrToFloat(Edit1.Text());
    const int operatorNumber = StrToInt(Edit3.Text());
    const bool done = CashTakesOneCommand(Session.FirmwareVersion, Session.HighPriority())
                          ? CashInOneCommand(operatorNumber, amount, texts)
                          : CashInReceipt(operatorNumber, amount, texts);
    if (done) ShowMessage(texts.Success);
}

bool TForm9::CashInOneCommand(int operatorNumber, double amount, const Texts& texts) {
    AnswerRecord* answer = CashInOut(Edit5.Text(), operatorNumber, amount, nullptr);
    if (!CheckAnswer(answer, AnswerCheck().Decoded(texts.Prefix))) return false;
    Edit2.SetText(answer->Field(1));
    return true;
}

bool TForm9::CashInReceipt(int operatorNumber, double amount, const Texts& texts) {
    const std::string password = Edit5.Text();
    if (!CheckAnswer(OpenFiscalReceipt(password, operatorNumber, 0, 2, nullptr))) return false;
    AnswerRecord* answer = CashInOutInReceipt(password, 0, amount, nullptr);
    if (!CheckAnswer(answer, AnswerCheck().Decoded(texts.Prefix))) return false;
    Edit2.SetText(answer->Field(1));
    return CheckAnswer(CloseNonFiscalReceipt(password, nullptr));
}
