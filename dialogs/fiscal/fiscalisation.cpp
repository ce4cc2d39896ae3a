#include "dialogs/fiscal/fiscalisation.h"

#include "driver/driver.h"
#include "platform/clock/clock.h"
#include "platform/text/text.h"
#include "shell/command_sequence.h"
#include "shell/session.h"
#include "shell/typed_fields.h"

TForm19* Form19 = nullptr;

namespace {
const std::string kCaption = "Фіскаліз. реєстратора:\n  ";
const std::string kConfirmation = "РЕЄСТРАТОР ФІСКАЛІЗОВАНО УСПІШНО!";
// The register writes its fiscal memory after 40h; it is asked again at this pace, for at most this long.
constexpr unsigned kWaitPauseMs = 500;
constexpr unsigned kWaitLimitMs = 60000;

AnswerCheck Judged(TEdit& codeEdit, const std::string& caption, const int& error) {
    return AnswerCheck()
        .Timeout(caption + TimeoutMessage)
        .Caption(caption)
        .CodeEdit(&codeEdit)
        .Refusal(&error);
}
} // namespace

TForm19::TForm19() {
    SetCaption("Фискализация");
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    Edit4.SetMaxLength(11);
    Edit1.SetMaxLength(6);
    Edit1.SetPasswordChar('*');
    Edit2.SetMaxLength(6);
    Edit2.SetPasswordChar('*');
    Edit3.SetText(DefaultPassword);
    Edit5.SetReadOnly(true);
    Button2.SetCaption("Фискализация");
    Button1.SetCaption("Закрыть");
    Button1.SetCancel(true);
    Column main(*this);
    main.Field("Заводской номер ККМ:", Edit4)
        .Field("Пароль налогового инспектора:", Edit1)
        .Field("Повторите ввод пароля:", Edit2)
        .Field("Пароль:", Edit3)
        .Field("Код ошибки:", Edit5);
    main.Buttons({&Button2, &Button1});
    Button2.OnClick = [this] { Button2Click(); };
    Button1.OnClick = [this] { Button1Click(); };
}

bool TForm19::PasswordsAccepted() {
    if (CharCount(Edit1.Text()) < 6 || CharCount(Edit2.Text()) != 6) {
        ShowMessage("Довжина пароля - 6!");
        return false;
    }
    if (Edit2.Text() != Edit1.Text()) {
        ShowMessage("Повторно зроби ввод паролей та фіскалізацію");
        return false;
    }
    return true;
}

// Every command of the fiscalisation and of its confirming receipt is formed before 40h goes out.
void TForm19::Button2Click() {
    if (!FieldsAccepted({{"Заводской номер ККМ:", Edit4.Text()},
                         {"Пароль налогового инспектора:", Edit1.Text()},
                         {"Пароль:", Edit3.Text()}}))
        return;
    if (!PasswordsAccepted()) return;
    CommandSequence sequence;
    if (!sequence.Formable([&] {
            Fiscalize(Edit3.Text(), Edit4.Text(), Edit1.Text(), nullptr);
            GetDiagnosticInfo(DefaultPassword, nullptr);
            OpenNonFiscalReceipt(DefaultPassword, nullptr);
            PrintServiceReport(DefaultPassword, 1, nullptr);
            PrintText(DefaultPassword, kConfirmation, nullptr);
            CloseNonFiscalReceipt(DefaultPassword, nullptr);
        }))
        return;
    int error = 0;
    AnswerRecord* answer = Fiscalize(Edit3.Text(), Edit4.Text(), Edit1.Text(), &error);
    if (!CheckAnswer(answer, Judged(Edit5, kCaption, error).In(sequence, "фискализация"))) return;
    if (!WaitForRegister()) return;
    PrintConfirmation(sequence);
}

// Asks 80h until the register answers without error; the message loop runs between the questions,
// so "Закрыть" can give the wait up, and the wait ends by itself after kWaitLimitMs.
bool TForm19::WaitForRegister() {
    waiting_ = true;
    givenUp_ = false;
    Button2.SetEnabled(false);
    const int64_t deadline = MonotonicMs() + ScaledMs(kWaitLimitMs);
    bool ready = false;
    while (!ready && !givenUp_ && MonotonicMs() < deadline) {
        AnswerRecord* answer = GetDiagnosticInfo(DefaultPassword, nullptr);
        StoreAnswer(answer);
        std::string ignored;
        ready = DecodeAnswerError(ignored, answer);
        if (ready) break;
        Sleep(kWaitPauseMs);
        Application->ProcessMessages();
    }
    waiting_ = false;
    Button2.SetEnabled(true);
    if (!ready)
        ShowMessage(
            "Реєстратор фіскалізовано, але він не відповідає без помилки. Очікування припинено, чек не "
            "надруковано.");
    return ready;
}

// The confirming receipt goes out with the default password; a failed service line does not stop it.
void TForm19::PrintConfirmation(CommandSequence& sequence) {
    int error = 0;
    if (!CheckAnswer(OpenNonFiscalReceipt(DefaultPassword, &error),
                     Judged(Edit5, kCaption, error).In(sequence, "открытие чека")))
        return;
    CheckAnswer(PrintServiceReport(DefaultPassword, 1, &error),
                Judged(Edit5, "Фискализация регистратора:\n  ", error).In(sequence, "служебный отчет"));
    if (!CheckAnswer(PrintText(DefaultPassword, kConfirmation, &error),
                     Judged(Edit5, kCaption, error).In(sequence, "строка подтверждения")))
        return;
    if (!CheckAnswer(CloseNonFiscalReceipt(DefaultPassword, &error),
                     Judged(Edit5, kCaption, error).In(sequence, "закрытие чека")))
        return;
    ShowMessage("Фіскаліз. реєстратора - Успішно!");
}

void TForm19::Button1Click() {
    if (waiting_) {
        givenUp_ = true;
        return;
    }
    Close();
}
