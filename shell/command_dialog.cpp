#include "shell/command_dialog.h"

#include "driver/driver.h"
#include "shell/session.h"
#include "shell/status_viewer.h"
#include "shell/windows.h"

std::string CommandDescriptionBuffer;

const std::array<CommandDescriptionHandler, 48> CommandDescriptionHandlers = {{
    {"N20h1Click", 0x20}, {"N21h1Click", 0x21}, {"N22h1Click", 0x22}, {"N23h1Click", 0x23},
    {"N24h1Click", 0x24}, {"N25h1Click", 0x25}, {"N26h1Click", 0x26}, {"N27h1Click", 0x27},
    {"N28h1Click", 0x28}, {"N29h1Click", 0x29}, {"N2Bh1Click", 0x2B}, {"N2Ch1Click", 0x2C},
    {"N2Dh1Click", 0x2D}, {"N2Eh1Click", 0x2E}, {"N2Fh1Click", 0x2F}, {"N30h1Click", 0x30},
    {"N40h1Click", 0x40}, {"N41h1Click", 0x41}, {"N42h1Click", 0x42}, {"N43h1Click", 0x43},
    {"N44h1Click", 0x44}, {"N45h1Click", 0x45}, {"N46h1Click", 0x46}, {"N47h1Click", 0x47},
    {"N48h1Click", 0x48}, {"N60h1Click", 0x60}, {"N61h1Click", 0x61}, {"N62h1Click", 0x62},
    {"N63h1Click", 0x63}, {"N64h1Click", 0x64}, {"N65h1Click", 0x65}, {"N66h1Click", 0x66},
    {"N67h1Click", 0x67}, {"N68h1Click", 0x68}, {"N69h1Click", 0x69}, {"N6Ah1Click", 0x6A},
    {"N6Bh1Click", 0x6B}, {"N6Ch1Click", 0x6C}, {"N6Dh1Click", 0x6D}, {"N6Eh1Click", 0x6E},
    {"N6Fh1Click", 0x6F}, {"N80h1Click", 0x80}, {"N82h1Click", 0x82}, {"N83h1Click", 0x83},
    {"A0h1Click", 0xA0},  {"A1h1Click", 0xA1},  {"A2h1Click", 0xA2},  {"A3h1Click", 0xA3},
}};

TForm2::TForm2() {
    Label1.SetCaption("Коммандная строка:");
    Label5.SetCaption("Пароль: ");
    Label2.SetCaption("Результат выполнения команды:");
    Label3.SetCaption("Код ошибки:");
    Label4.SetCaption("Статус регистратора:");
    Edit5.SetText(DefaultPassword);
    for (TEdit* edit : {&Edit2, &Edit3, &Edit4})
        edit->SetReadOnly(true);
    Button1.SetCaption("Выполнить");
    Button3.SetCaption("Очистить");
    Button2.SetCaption("Выход");
    SpeedButton2.SetCaption("?");
    StatusBar1.AddPanel();
    LayOut();
    Button1.OnClick = [this] { Button1Click(); };
    Button2.OnClick = [this] { Button2Click(); };
    Button3.OnClick = [this] { Button3Click(); };
    SpeedButton2.OnClick = [this] { SpeedButton2Click(); };
    OnActivate = [this] { FormActivate(); };
}

void TForm2::LayOut() {
    Column main(*this);
    main.Field(Label1, Edit1).Field(Label5, Edit5).Field(Label2, Edit2).Field(Label3, Edit3);
    main.Field(Label4, Edit4).Line({&SpeedButton2});
    main.Buttons({&Button1, &Button3, &Button2});
    SetStatusBar(StatusBar1);
}

void TForm2::FormActivate() {
    if (ActivatedAgain()) return;
    SpeedButton2.SetEnabled(false);
    for (TEdit* edit : {&Edit1, &Edit2, &Edit3, &Edit4})
        edit->Clear();
    Edit1.SetFocus();
}

// The command line goes out unchanged behind the password and one ";".
void TForm2::Button1Click() {
    for (TEdit* edit : {&Edit2, &Edit3, &Edit4})
        edit->Clear();
    StoreAnswer(SendCommand(CommandCode, Edit5.Text() + ";" + Edit1.Text()));
    if (ShowAnswerInEdits(*Session.CurrentAnswer, {Edit2, Edit3, Edit4, false}))
        SpeedButton2.SetEnabled(true);
}

void TForm2::Button3Click() {
    for (TEdit* edit : {&Edit1, &Edit2, &Edit3, &Edit4})
        edit->Clear();
}

void TForm2::SpeedButton2Click() {
    ShowStatusViewer();
}

void TForm2::Button2Click() {
    Close();
}

bool ShowAnswerInEdits(const AnswerRecord& answer, const AnswerEdits& edits) {
    // A failed exchange leaves a stale or untrustworthy error field: say what failed instead.
    if (!answer.Answered()) {
        ShowMessage(ExchangeFailureMessage(&answer));
        return false;
    }
    edits.Error.SetText(answer.ErrorField);
    edits.Data.SetText(answer.DataCopy);
    edits.Status.SetText(StatusBytesText(answer, edits.TrailingBlank));
    return true;
}

void DoIt(int code) {
    std::string syntax;
    if (!GetCommandInfo(code, CommandDescriptionBuffer, syntax)) {
        ShowMessage(CommandDescriptionBuffer);
        return;
    }
    Form2->CommandCode = code;
    Form2->SetCaption(CommandDescriptionBuffer);
    Form2->StatusBar1.SetPanelText(0, "   Формат поля команды:  " + syntax);
    Form2->ShowModal();
}

void DoIt1() {
    Form14->SetCaption(CommandDescriptionBuffer);
    Form14->StatusBar1.SetPanelText(0, "   Тест команд:  ");
    Form14->ShowModal();
}

void OpenCommandTester() {
    CommandDescriptionBuffer = "Тест команд";
    DoIt1();
}
