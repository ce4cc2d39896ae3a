#include "dialogs/fiscal/daily_reports.h"

#include "dialogs/fiscal/report_steps.h"
#include "driver/driver.h"
#include "shell/command_sequence.h"
#include "shell/session.h"
#include "shell/typed_fields.h"
#include "shell/windows.h"

TForm23* Form23 = nullptr;

TForm23::TForm23() {
    SetCaption("Печать дневных отчетов");
    SetBorderStyle(bsToolWindow);
    SetPosition(poScreenCenter);
    Edit1.SetText(DefaultPassword);
    Edit3.SetReadOnly(true);
    Edit3.SetEnabled(false);
    Button2.SetCaption("X-отчет");
    Button3.SetCaption("Z-отчет");
    Button5.SetCaption("Печать контрольной ленты");
    Button6.SetCaption("Обнуления контрольной ленты");
    Button4.SetCaption("Состояние регистратора");
    Button1.SetCaption("Закрыть");
    Column main(*this);
    main.Field("Пароль:", Edit1).Field("Код ошибки:", Edit3);
    main.Grid(2, {&Button2, &Button3, &Button5, &Button6});
    main.Buttons({&Button4, &Button1});
    Button2.OnClick = [this] { Button2Click(); };
    Button3.OnClick = [this] { Button3Click(); };
    Button5.OnClick = [this] { Button5Click(); };
    Button6.OnClick = [this] { Button6Click(); };
    Button4.OnClick = [this] { Button4Click(); };
    Button1.OnClick = [this] { Button1Click(); };
}

void TForm23::Button2Click() {
    PrintDailyReportStep(drX, {Edit1, Edit3, Button4});
}

void TForm23::Button3Click() {
    PrintDailyReportStep(drZ, {Edit1, Edit3, Button4});
}

void TForm23::Button6Click() {
    if (!FieldsAccepted({{"Пароль:", Edit1.Text()}})) return;
    if (!CheckAnswer(PrintDailyReport(Edit1.Text(), drClearTape, nullptr),
                     AnswerCheck().Decoded("Обнуление контрольной ленты:\n  ").CodeEdit(&Edit3)))
        return;
    MarkReportDone(Button4);
}

// The printout of the control tape, wrapped in a non-fiscal receipt; its four commands are formed
// before the receipt is opened.
void TForm23::Button5Click() {
    if (!FieldsAccepted({{"Пароль:", Edit1.Text()}})) return;
    const std::string password = Edit1.Text();
    const auto open = [&] { return OpenNonFiscalReceipt(password, nullptr); };
    const auto title = [] { return PrintText(DefaultPassword, "%MHJc*** Контрольная лента ***", nullptr); };
    const auto tape = [&] { return PrintExtraDailyReport(password, erControlTape, 0, 0, nullptr); };
    const auto close = [&] { return CloseNonFiscalReceipt(password, nullptr); };
    CommandSequence sequence;
    if (!sequence.Formable([&] {
            open();
            title();
            tape();
            close();
        }))
        return;
    Button4.SetEnabled(true);
    if (!CheckAnswer(open(), AnswerCheck().In(sequence, "открытие чека"))) return;
    if (!CheckAnswer(title(), AnswerCheck().In(sequence, "заголовок ленты"))) return;
    if (!CheckAnswer(
            tape(),
            AnswerCheck().Decoded("Проверка состояния регистратора:\n  ").In(sequence, "контрольная лента")))
        return;
    if (!CheckAnswer(close(), AnswerCheck().In(sequence, "закрытие чека"))) return;
    MarkReportDone(Button4);
}

void TForm23::Button4Click() {
    Form5->ShowModal();
}

void TForm23::Button1Click() {
    CloseReportDialog(*this, {Edit1, Edit3, Button4});
}
