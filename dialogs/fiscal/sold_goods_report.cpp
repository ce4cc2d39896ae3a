#include "dialogs/fiscal/sold_goods_report.h"

#include "driver/driver.h"
#include "platform/text/text.h"
#include "shell/main_window.h"
#include "shell/session.h"
#include "shell/typed_fields.h"
#include "shell/windows.h"
#include "shell/wrapped_printout.h"

TForm24* Form24 = nullptr;

namespace {
const char* const kCaption = "Отчет по реализованным товарам:\n  ";
} // namespace

std::string LastArticleCode(const std::string& firmware, bool highPriority) {
    const bool longCodes = firmware == "2.02" || firmware == "2.03" || firmware == "3.00" || highPriority;
    return std::string(longCodes ? 14 : 9, '9');
}

TForm24::TForm24() {
    SetCaption("Отчет по реализованным товарам");
    SetBorderStyle(bsToolWindow);
    SetBorderIcons(biSystemMenu | biMinimize);
    SetPosition(poScreenCenter);
    Edit2.SetText("0");
    Edit2.SetMaxLength(9);
    Edit4.SetText("99999999999999");
    Edit1.SetText(DefaultPassword);
    Edit3.SetReadOnly(true);
    Button2.SetCaption("Сделать отчет");
    Button4.SetCaption("Состояние регистратора");
    Button1.SetCaption("Закрыть");
    Column main(*this);
    main.Field("Код первого товара:", Edit2)
        .Field("Код последнего товара:", Edit4)
        .Field("Пароль:", Edit1)
        .Field("Код ошибки:", Edit3);
    main.Buttons({&Button2, &Button4, &Button1});
    OnActivate = [this] { FormActivate(); };
    Button2.OnClick = [this] { Button2Click(); };
    Button4.OnClick = [this] { Button4Click(); };
    Button1.OnClick = [this] { Button1Click(); };
}

void TForm24::FormActivate() {
    if (ActivatedAgain()) return;
    Edit4.SetText(LastArticleCode(Session.FirmwareVersion, Session.HighPriority()));
    Edit3.Clear();
    Button4.SetEnabled(false);
}

// The codes are converted and the three commands formed before anything is sent, so that nothing
// mistyped leaves a non-fiscal receipt open. A refused report still closes the receipt.
void TForm24::Button2Click() {
    if (!FieldsAccepted({{"Пароль:", Edit1.Text()}})) return;
    const int64_t last = StrToInt64(Edit4.Text());
    const int64_t first = StrToInt64(Edit2.Text());
    const std::string password = Edit1.Text();
    PrintInsideReceipt({[=] { return PrintArticulReport(password, first, last, nullptr); }, "отчет", kCaption,
                        kCaption, &Edit3, &Button4, true});
}

void TForm24::Button4Click() {
    AnswerRecord* answer = GetDiagnosticInfo(DefaultPassword, nullptr);
    if (!CheckAnswer(answer, AnswerCheck().Decoded("Проверка состояния регистратора:\n  "))) return;
    Session.PaymentCount = PaymentCountFromField(answer->Field(11));
    Form1->SetStatusLine(StatusLineText(*answer));
    Form5->ShowModal();
}

void TForm24::Button1Click() {
    Button4.SetEnabled(false);
    Close();
}
