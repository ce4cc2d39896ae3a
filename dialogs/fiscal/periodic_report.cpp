#include "dialogs/fiscal/periodic_report.h"

#include <functional>

#include "driver/driver.h"
#include "platform/text/text.h"
#include "shell/session.h"
#include "shell/typed_fields.h"
#include "shell/windows.h"
#include "shell/wrapped_printout.h"

TForm25* Form25 = nullptr;

namespace {
constexpr int kByDate = 0;
} // namespace

std::string ReportDate(std::string text) {
    if (text.size() > 5) text.erase(5, 1);
    if (text.size() > 2) text.erase(2, 1);
    return text;
}

TForm25::TForm25() {
    SetCaption("Печать периодического отчета ");
    SetBorderStyle(bsToolWindow);
    SetBorderIcons(biSystemMenu | biMinimize);
    SetPosition(poScreenCenter);
    GroupBox1.SetCaption("Тип отчета");
    RadioGroup1.SetCaption("По дате/номеру");
    RadioGroup1.Items().Assign({"По дате", "По номеру"});
    RadioGroup1.SetItemIndex(kByDate);
    RadioGroup2.SetCaption("Полный/сокращенный");
    RadioGroup2.Items().Assign({"Сокращенный", "Полный"});
    RadioGroup2.SetItemIndex(0);
    GroupBox2.SetCaption("Дата");
    for (TDateEdit* edit : {&DateEdit1, &DateEdit2}) {
        edit->SetYearDigits(dyTwo);
        edit->SetDefaultToday(true);
    }
    GroupBox3.SetCaption("Номер");
    GroupBox3.SetVisible(false);
    Edit3.SetText(DefaultPassword);
    Edit8.SetReadOnly(true);
    Button2.SetCaption("Сделать отчет");
    Button3.SetCaption("Состояние регистратора");
    Button3.SetEnabled(false);
    Button1.SetCaption("Выход");
    Column main(*this);
    main.Group(GroupBox1).Line({&RadioGroup1, &RadioGroup2});
    main.Group(GroupBox2)
        .Field("Дата первого отчета:", DateEdit1)
        .Field("Дата последнего отчета:", DateEdit2);
    main.Group(GroupBox3).Field("Номер первого отчета:", Edit1).Field("Номер последнего отчета:", Edit2);
    main.Field("Пароль:", Edit3).Field("Код ошибки:", Edit8);
    main.Buttons({&Button2, &Button3, &Button1});
    OnActivate = [this] { FormActivate(); };
    RadioGroup1.OnClick = [this] { RadioGroup1Click(); };
    Button2.OnClick = [this] { Button2Click(); };
    Button3.OnClick = [this] { Button3Click(); };
    Button1.OnClick = [this] { Close(); };
}

void TForm25::FormActivate() {
    if (ActivatedAgain()) return;
    Button3.SetEnabled(false);
    const std::string today = FormatDateTime("dd.mm.yy", Date());
    DateEdit1.SetText(today);
    DateEdit2.SetText(today);
}

void TForm25::RadioGroup1Click() {
    const bool byDate = RadioGroup1.ItemIndex() == kByDate;
    GroupBox2.SetVisible(byDate);
    GroupBox3.SetVisible(!byDate);
}

// The report numbers are converted and the three commands formed before anything is sent, so that
// nothing mistyped leaves a non-fiscal receipt open. A refused report still closes the receipt.
void TForm25::Button2Click() {
    if (!FieldsAccepted({{"Пароль:", Edit3.Text()}})) return;
    const std::string password = Edit3.Text();
    const int type = RadioGroup2.ItemIndex();
    std::function<AnswerRecord*()> report;
    if (RadioGroup1.ItemIndex() == kByDate) {
        const std::string first = ReportDate(DateEdit1.Text()), last = ReportDate(DateEdit2.Text());
        report = [=] { return PrintPeriodicReportByDate(password, first, last, type, nullptr); };
    } else {
        const int first = StrToInt(Edit1.Text()), last = StrToInt(Edit2.Text());
        report = [=] { return PrintPeriodicReportByNumber(password, first, last, type, nullptr); };
    }
    const std::string caption = "Печать периодического отчета :\n  ";
    PrintInsideReceipt({report, "отчет", caption, caption, &Edit8, &Button3, true});
}

void TForm25::Button3Click() {
    Form5->ShowModal();
}
