#include "dialogs/fiscal/pq_daily_reports.h"

#include "dialogs/fiscal/daily_reports.h"
#include "dialogs/fiscal/report_steps.h"
#include "driver/driver.h"
#include "shell/command_sequence.h"
#include "shell/session.h"
#include "shell/typed_fields.h"

TForm48* Form48 = nullptr;

namespace {
constexpr unsigned kClearArticles = 0x3B;
} // namespace

bool UnloadsControlTape(const std::string& firmware, bool highPriority) {
    return firmware == "3.02" || highPriority;
}

TForm48::TForm48() {
    SetCaption("PQ-3 дневные отчеты");
    SetBorderStyle(bsToolWindow);
    SetPosition(poScreenCenter);
    Edit1.SetText(DefaultPassword);
    Edit3.SetReadOnly(true);
    Edit3.SetEnabled(false);
    Button2.SetCaption("X-отчет");
    Button3.SetCaption("Z-отчет");
    Button4.SetCaption("Состояние регистратора");
    Button6.SetCaption("Выгрузка и обнуления контрольной ленты");
    CheckBox1.SetCaption("Обнулить базу товаров");
    Button1.SetCaption("Закрыть");
    Column main(*this);
    main.Field("Пароль:", Edit1).Field("Код ошибки:", Edit3);
    main.Line({&Button2, &Button3});
    main.Panel(Panel1).Add(Button6).Add(CheckBox1);
    main.Buttons({&Button4, &Button1});
    Button2.OnClick = [this] { Button2Click(); };
    Button3.OnClick = [this] { Button3Click(); };
    Button4.OnClick = [this] { Button4Click(); };
    Button6.OnClick = [this] { Button6Click(); };
    Button1.OnClick = [this] { Button1Click(); };
}

void TForm48::Button2Click() {
    PrintDailyReportStep(drX, {Edit1, Edit3, Button4});
}

void TForm48::Button3Click() {
    PrintDailyReportStep(drZ, {Edit1, Edit3, Button4});
}

void TForm48::Button1Click() {
    CloseReportDialog(*this, {Edit1, Edit3, Button4});
}

void TForm48::Button4Click() {
    Button4.SetEnabled(Session.StatusReady != 0);
    Edit3.Clear();
    Button6.SetVisible(UnloadsControlTape(Session.FirmwareVersion, Session.HighPriority()));
}

// Unloading and clearing the control tape, and the article base when ticked: every command is
// formed before the first goes out.
void TForm48::Button6Click() {
    if (!FieldsAccepted({{"Пароль:", Edit1.Text()}})) return;
    const bool clearArticles = CheckBox1.Checked();
    const auto report = [this](int type) { return PrintDailyReport(Edit1.Text(), type, nullptr); };
    const auto clear = [] { return SendPrepared(kClearArticles, DefaultPassword + ";", nullptr); };
    CommandSequence sequence;
    if (!sequence.Formable([&] {
            report(drUnloadTape);
            report(drClearTape);
            if (clearArticles) clear();
        }))
        return;
    Button4.SetEnabled(true);
    Session.StatusReady = 1;
    Edit3.Clear();
    const AnswerCheck reportCheck = AnswerCheck().Decoded("Печать дневных отчетов:\n  ").CodeEdit(&Edit3);
    if (!CheckAnswer(report(drUnloadTape),
                     AnswerCheck(reportCheck).In(sequence, "выгрузка контрольной ленты")))
        return;
    if (!CheckAnswer(report(drClearTape),
                     AnswerCheck(reportCheck).In(sequence, "обнуление контрольной ленты")))
        return;
    if (clearArticles && !CheckAnswer(clear(), AnswerCheck()
                                                   .Timeout("Таймаут устройства! Ошибка!")
                                                   .Error("Ошибка ")
                                                   .CodeEdit(&Edit3)
                                                   .In(sequence, "обнуление базы товаров")))
        return;
    Button4.SetEnabled(true);
}
