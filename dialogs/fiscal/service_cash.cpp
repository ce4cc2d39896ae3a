#include "dialogs/fiscal/service_cash.h"

#include "dialogs/fiscal/money_amount.h"
#include "driver/driver.h"
#include "platform/text/text.h"
#include "shell/command_sequence.h"
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

// The amount is checked before anything is sent: a withdrawal negates a positive amount, and a
// text the register would read as another amount (or none) is refused, naming the field.
void TForm9::MoveCash(int sign, const Texts& texts) {
    if (!FieldsAccepted({{"Пароль:", Edit5.Text()}})) return;
    const auto typed = ParseMoneyAmount(Edit1.Text());
    if (!typed) {
        ShowMessage(MoneyAmountMessage("Сумма"));
        return;
    }
    const double amount = sign * typed->Value();
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

// The three commands are formed before the receipt is opened, so none of them is left half done
// for a reason known beforehand.
bool TForm9::CashInReceipt(int operatorNumber, double amount, const Texts& texts) {
    const std::string password = Edit5.Text();
    const auto open = [&] { return OpenFiscalReceipt(password, operatorNumber, 0, 2, nullptr); };
    const auto move = [&] { return CashInOutInReceipt(password, 0, amount, nullptr); };
    const auto close = [&] { return CloseNonFiscalReceipt(password, nullptr); };
    CommandSequence sequence;
    if (!sequence.Formable([&] {
            open();
            move();
            close();
        }))
        return false;
    if (!CheckAnswer(open(), AnswerCheck().In(sequence, "открытие чека"))) return false;
    AnswerRecord* answer = move();
    if (!CheckAnswer(answer, AnswerCheck().Decoded(texts.Prefix).In(sequence, "служебная сумма")))
        return false;
    Edit2.SetText(answer->Field(1));
    return CheckAnswer(close(), AnswerCheck().In(sequence, "закрытие чека"));
}
