#include "dialogs/setup/reminder_dialog.h"

#include "dialogs/setup/clock_dialog.h"
#include "dialogs/setup/hex_text.h"
#include "driver/driver.h"
#include "platform/forms/hint_style.h"
#include "platform/text/text.h"
#include "shell/command_sequence.h"
#include "shell/session.h"
#include "shell/typed_fields.h"
#include "shell/wrapped_printout.h"

TForm38* Form38 = nullptr;

namespace {
// The memo's hint stands out in aqua and comes back every ten seconds while the pointer rests on it.
constexpr HintStyle kMemoHint{clAqua, 5000, 10000};
} // namespace

TForm38::TForm38() {
    SetCaption("Техническое обслуживание");
    SetBorderStyle(bsToolWindow);
    SetBorderIcons({});
    SetPosition(poScreenCenter);
    GroupBox1.SetCaption("Установить сообщение о техническом обслуживании");
    Memo1.SetHint(
        "Введенное сообщение будет использовано при напоминании о ТО, если \r\nВы не ввели текст, то "
        "сообщения не будет перезаписано в РРО.");
    SetHintStyle(Memo1, kMemoHint);
    GroupBox2.SetCaption("Напоминание о техническом обслуживании");
    for (TEdit* edit : {&Edit2, &Edit3, &Edit4}) {
        edit->SetMaxLength(6);
        edit->SetPasswordChar('*');
    }
    DateEdit1.SetYearDigits(dyTwo);
    GroupBox3.SetCaption("Маска события");
    CheckBox2.SetCaption("напоминание сделается один раз после включения регистратора");
    CheckBox3.SetCaption("вывести сообщение на дисплей ");
    CheckBox4.SetCaption("вывести сообщение на принтер");
    CheckBox5.SetCaption("дождаться нажатия клавиши регистратора");
    CheckBox6.SetCaption("звуковой сигнал");
    Button3.SetCaption("Установить");
    Button3.SetHint("Установить напоминание ТО");
    Button4.SetCaption("Прочитать");
    Button4.SetHint("Прочитать информацию об напоминании ТО");
    Button1.SetCaption("Отчет");
    Button1.SetHint("Отчет ТО");
    Button2.SetCaption("Закрыть");

    Column main(*this);
    main.Group(GroupBox1).Add(Memo1);
    Column reminder = main.Group(GroupBox2);
    reminder.Field("Старый пароль:", Edit2)
        .Field("Новый пароль:", Edit3)
        .Field("Повторить новый пароль:", Edit4)
        .Field("Дата события:", DateEdit1)
        .Field("Напоминать за (дней):", Edit5);
    Column mask = reminder.Group(GroupBox3);
    for (const Bit& bit : MaskBits())
        mask.Add(*bit.Box);
    reminder.Line({&Button3, &Button4, &Button1});
    main.Buttons({&Button2});
    Button3.OnClick = [this] { Button3Click(); };
    Button4.OnClick = [this] { Button4Click(); };
    Button1.OnClick = [this] { Button1Click(); };
    Button2.OnClick = [this] { Button2Click(); };
    OnActivate = [this] { FormActivate(); };
}

std::vector<TForm38::Bit> TForm38::MaskBits() {
    return {
        {0x01, &CheckBox2}, {0x02, &CheckBox3}, {0x04, &CheckBox4}, {0x08, &CheckBox5}, {0x10, &CheckBox6}};
}

void TForm38::FormActivate() {
    if (ActivatedAgain()) return;
    DateEdit1.SetDate(Date());
}

// The first line opens the message, each later non-empty line is added to it, each named by its
// number from 1; an empty memo keeps the register's message.
void TForm38::AddMessageLines(CommandSequence& sequence) {
    if (Memo1.Text().empty()) return;
    const TStrings& lines = Memo1.Lines();
    for (int i = 0; i < lines.Count(); ++i) {
        if (i > 0 && lines[i].empty()) continue;
        sequence.Add(
            "строка сообщения " + std::to_string(i + 1),
            [line = lines[i], i](int* error) {
                return AddTmpBuffLine(DefaultPassword, i == 0 ? 0 : 1, line, error);
            },
            AnswerCheck().Decoded("Добавить строку во временный буфер:\n  "));
    }
}

// The passwords and every message line that would be sent, the lines named by their number from 1.
bool TForm38::TypedFieldsAccepted() {
    std::vector<TypedField> fields = {{"Старый пароль:", Edit2.Text()}, {"Новый пароль:", Edit3.Text()}};
    const TStrings& lines = Memo1.Lines();
    for (int i = 0; i < lines.Count(); ++i)
        fields.push_back({GroupBox1.Caption() + ", строка " + std::to_string(i + 1), lines[i]});
    return FieldsAccepted(fields);
}

// Everything typed is checked and every command formed before the first message line goes out, so a
// reminder that cannot be set leaves the register's message as it was.
void TForm38::Button3Click() {
    if (!TypedFieldsAccepted()) return;
    if (Edit4.Text() != Edit3.Text()) {
        ShowMessage("Неверный пароль. Попробуйте ещё раз!");
        return;
    }
    const int days = StrToInt(Edit5.Text());
    const std::string date = RegisterDate(DateEdit1.Text());
    int mask = 0;
    for (const Bit& bit : MaskBits())
        if (bit.Box->Checked()) mask |= bit.Mask;
    CommandSequence sequence;
    AddMessageLines(sequence);
    sequence.Add(
        "напоминание",
        [oldPassword = Edit2.Text(), newPassword = Edit3.Text(), date, days, mask](int* error) {
            return SetServiceInfo(oldPassword, newPassword, date, days, mask, error);
        },
        AnswerCheck().Decoded("Установить информацию о сервисном обслуживании:\n  "));
    if (!sequence.Run()) return;
    ShowMessage(SuccessMessage);
}

void TForm38::Button4Click() {
    AnswerRecord* answer = GetServiceInfo(DefaultPassword, nullptr);
    const AnswerCheck check =
        AnswerCheck().Decoded("Чтение информации о напоминании сервисного обслуживания:\n  ");
    if (!CheckAnswer(answer, check)) return;
    DateEdit1.SetText(ShownDate(answer->Field(1)));
    Edit5.SetText(answer->Field(2));
    const int mask = LeadingHex(answer->Field(3), false);
    for (const Bit& bit : MaskBits())
        bit.Box->SetChecked((mask & bit.Mask) != 0);
    ShowMessage(SuccessMessage);
}

// A refused report still closes the wrapping receipt, so the next document can be opened.
void TForm38::Button1Click() {
    PrintInsideReceipt({.Print = [] { return PrintServiceReport(DefaultPassword, 3, nullptr); },
                        .Step = "отчет ТО",
                        .PrintCaption = "Отчет об напоминании ТО:\n  ",
                        .ClosedAfterFailure = true});
}

void TForm38::Button2Click() {
    Close();
}
