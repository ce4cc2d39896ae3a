#include "dialogs/fiscal/daily_reports.h"

#include "dialogs/fiscal/report_steps.h"
#include "driver/driver.h"
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

void TForm23::Button5Click() {
    if (!FieldsAccepted({{"Пароль:", Edit1.Text()}})) return;
    const std::string password = Edit1.Text();
    Button4.SetEnabled(true);
    if (!CheckAnswer(OpenNonFiscalReceipt(password, nullptr))) return;
    if (!CheckAnswer(PrintText(DefaultPassword, "%MHJc*** Контрольная лента ***", nullptr))) return;
    if (!CheckAnswer(PrintExtraDailyReport(password, erControlTape, 0, 0, nullptr),
                     AnswerCheck().Decoded("Проверка состояния регистратора:\n  ")))
        return;
    if (!CheckAnswer(CloseNonFiscalReceipt(password, nullptr))) return;
    MarkReportDone(Button4);
}

void TForm23::Button4Click() {
    Form5->ShowModal();
}

void TForm23::Button1Click() {
    CloseReportDialog(*this, {Edit1, Edit3, Button4});
}
