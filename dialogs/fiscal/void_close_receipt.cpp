#include "dialogs/fiscal/void_close_receipt.h"

#include "driver/driver.h"
#include "shell/session.h"
#include "shell/windows.h"

TForm35* Form35 = nullptr;

namespace {
const char* const kNoReceipt = "Нет открытых чеков";
constexpr uint8_t kRefund = 0x10, kMayClose = 0x04;
} // namespace

ReceiptState ReceiptStateOf(uint8_t s2) {
    if ((s2 & 0x0F) == 0) return {kNoReceipt, false, false};
    if ((s2 & 0x0F) == 5) return {"Открыт нефискальный чек", true, false};
    const bool mayClose = (s2 & kMayClose) != 0;
    return {(s2 & kRefund) ? "Открыт чек возврата" : "Открыт фискальный чек", mayClose, true};
}

TForm35::TForm35() {
    SetCaption("Аннулирование и закрытие чека");
    SetPosition(poScreenCenter);
    Button3.SetCaption("Аннулировать чек");
    Button2.SetCaption("Закрыть чек");
    Button4.SetCaption("Состояние регистратора");
    Button1.SetCaption("Выход");
    Edit1.SetReadOnly(true);
    StatusBar1.SetSimplePanel(true);
    Column main(*this);
    main.Line({&Button3, &Button2});
    main.Field("Код ошибки:", Edit1);
    main.Buttons({&Button4, &Button1});
    SetStatusBar(StatusBar1);
    OnActivate = [this] { FormActivate(); };
    Button4.OnClick = [this] { Button4Click(); };
    Button3.OnClick = [this] { Button3Click(); };
    Button2.OnClick = [this] { Button2Click(); };
    Button1.OnClick = [this] { Close(); };
}

// Asks the register for its state; the answer stays the current one. A failure shows its message once
// and leaves the buttons as they were: closing a message box does not activate the window again.
bool TForm35::CheckRegister() {
    AnswerRecord* answer = GetDiagnosticInfo(DefaultPassword, nullptr);
    if (!CheckAnswer(answer, AnswerCheck().Decoded("Проверка состояния регистратора:\n  ").CodeEdit(&Edit1)))
        return false;
    Session.PaymentCount = PaymentCountFromField(answer->Field(11));
    StatusBar1.SetSimpleText(StatusLineText(*answer));
    return true;
}

void TForm35::FormActivate() {
    if (!CheckRegister()) return;
    const ReceiptState state = ReceiptStateOf(Session.CurrentAnswer->StatusBytes[2]);
    Button2.SetEnabled(state.MayClose);
    Button3.SetEnabled(state.MayVoid);
    StatusBar1.SetSimpleText(state.Text);
}

void TForm35::Button4Click() {
    if (CheckRegister()) Form5->ShowModal();
}

void TForm35::ShowNoReceipt() {
    StatusBar1.SetSimpleText(kNoReceipt);
    Button2.SetEnabled(false);
    Button3.SetEnabled(false);
}

void TForm35::Button3Click() {
    if (!CheckAnswer(CancelOperation(DefaultPassword, 0, nullptr),
                     AnswerCheck()
                         .Timeout("Таймаут устройства! Ошибка аннулирования!")
                         .Error("Ошибка аннулирования")
                         .CodeEdit(&Edit1)))
        return;
    ShowNoReceipt();
}

void TForm35::Button2Click() {
    if (!CheckAnswer(CloseFiscalReceipt(DefaultPassword, 0, nullptr),
                     AnswerCheck()
                         .Timeout("Таймаут устройства! Ошибка закрыиия чека!")
                         .Error("Ошибка закрытия чека")
                         .CodeEdit(&Edit1)))
        return;
    ShowNoReceipt();
}
