#include "dialogs/fiscal/journal_copy.h"

#include "driver/driver.h"
#include "platform/text/text.h"
#include "shell/session.h"

TForm54* Form54 = nullptr;

namespace {
void CopyCaption(const TLabel& label, TEdit& edit) {
    if (!label.Caption().empty()) edit.SetText(label.Caption());
}
} // namespace

bool IsJournalTime(const std::string& text) {
    if (text.size() != 4) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return std::stoi(text.substr(0, 2)) < 24 && std::stoi(text.substr(2)) < 60;
}

TForm54::TForm54() {
    SetCaption("Копия чека (\"КСЕФ\")");
    SetPosition(poScreenCenter);
    GroupBox1.SetCaption("Поиск и печать документов  по датам");
    Edit3.SetText("1200");
    Edit4.SetText("1200");
    CheckBox1.SetCaption("напечатать документы");
    Button1.SetCaption("Выполнить");
    Label3.SetCaption(std::string(13, ' '));
    Label4.SetCaption(std::string(12, ' '));
    GroupBox2.SetCaption("Печать документов по номерам");
    Edit1.SetText("1");
    Edit2.SetText("1");
    Button3.SetCaption("Выполнить");
    Edit5.SetReadOnly(true);
    Button2.SetCaption("Закрыть");
    Column main(*this);
    main.Group(GroupBox1)
        .Field("Начальная дата:", DateTimePicker1)
        .Field("Время:", Edit3)
        .Field("Конечная дата:", DateTimePicker2)
        .Field("Время:", Edit4)
        .Field("Первый документ:", Label3)
        .Field("Последний документ:", Label4)
        .Line({&CheckBox1, &Button1});
    main.Group(GroupBox2)
        .Field("Начальный номер:", Edit1)
        .Field("Конечный номер:", Edit2)
        .Buttons({&Button3});
    main.Field("Код ошибки:", Edit5);
    main.Buttons({&Button2});
    Button1.OnClick = [this] { Button1Click(); };
    Button3.OnClick = [this] { Button3Click(); };
    Button2.OnClick = [this] { Close(); };
    Label3.OnClick = [this] { Label3Click(); };
    Label3.OnDblClick = [this] { Label3DblClick(); };
    Label4.OnClick = [this] { Label4Click(); };
    Label4.OnDblClick = [this] { Label4DblClick(); };
}

bool TForm54::CheckJournalAnswer(AnswerRecord* answer) {
    return CheckAnswer(answer, AnswerCheck()
                                   .Decoded("Печать копии чека :\n  ")
                                   .Timeout("Ошибка! Таймаут устройства!")
                                   .CodeEdit(&Edit5));
}

// The times go to the register as typed, once they are times at all: a wrong one is named here
// rather than sent.
void TForm54::Button1Click() {
    const std::string firstTime = Edit3.Text(), lastTime = Edit4.Text();
    for (const std::string& time : {firstTime, lastTime}) {
        if (IsJournalTime(time)) continue;
        ShowMessage("Неверное время \"" + time + "\": нужны четыре цифры ЧЧММ!");
        return;
    }
    const std::string firstDate = FormatDateTime("ddmmyy", DateTimePicker1.Date());
    const std::string lastDate = FormatDateTime("ddmmyy", DateTimePicker2.Date());
    const int print = CheckBox1.Checked() ? 1 : 0;
    AnswerRecord* answer =
        PrintJournalCopyByDate(DefaultPassword, firstDate, firstTime, lastDate, lastTime, print, nullptr);
    if (!CheckJournalAnswer(answer)) return;
    Label3.SetCaption(answer->Field(1));
    Label4.SetCaption(answer->Field(2));
}

void TForm54::Button3Click() {
    const int first = StrToInt(Edit1.Text());
    const int last = StrToInt(Edit2.Text());
    CheckJournalAnswer(PrintJournalCopyByNumber(DefaultPassword, first, last, nullptr));
}

void TForm54::Label3Click() {
    CopyCaption(Label3, Edit1);
}
void TForm54::Label3DblClick() {
    CopyCaption(Label3, Edit2);
}
void TForm54::Label4Click() {
    CopyCaption(Label4, Edit2);
}
void TForm54::Label4DblClick() {
    CopyCaption(Label4, Edit1);
}
