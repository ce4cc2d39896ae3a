#include "shell/command_tester.h"

#include "driver/driver.h"
#include "shell/command_dialog.h"
#include "shell/session.h"
#include "shell/status_viewer.h"

namespace {

constexpr int AnswerWidthChars = 100;

} // namespace

TForm14::TForm14() {
    SetCaption("Тест команд:");
    SetBorderStyle(bsSizeToolWin); // may grow for a long answer
    SetPosition(poScreenCenter);
    Edit5.SetText(DefaultPassword);
    for (TEdit* edit : {&Edit2, &Edit3, &Edit4})
        edit->SetReadOnly(true);
    // A typical answer (to 80h, about a hundred characters) shows whole, and so does a long command line.
    Edit2.SetMinWidthChars(AnswerWidthChars);
    Edit1.SetMinWidthChars(AnswerWidthChars);
    SpeedButton2.SetCaption("?");
    Button1.SetCaption("Выполнить");
    Button2.SetCaption("Выход");
    StatusBar1.AddPanel(50);
    LayOut();
    Button1.OnClick = [this] { Button1Click(); };
    Button2.OnClick = [this] { Button2Click(); };
    SpeedButton2.OnClick = [this] { SpeedButton2Click(); };
    Edit1.OnKeyDown = [this](WORD& key, TShiftState shift) { Edit1KeyDown(key, shift); };
    OnActivate = [this] { FormActivate(); };
}

void TForm14::LayOut() {
    Column main(*this);
    main.Field("Код команды:", Edit6).Field("Пароль: ", Edit5).Field("Командная строка:", Edit1);
    main.Field("Результат выполнения команды:", Edit2).Field("Код ошибки:", Edit3);
    main.Field("Статус регистратора:", Edit4).Line({&SpeedButton2});
    main.Buttons({&Button1, &Button2});
    SetStatusBar(StatusBar1);
}

void TForm14::FormActivate() {
    if (ActivatedAgain()) return;
    SpeedButton2.SetEnabled(false);
    Edit3.Clear();
    Edit4.Clear();
    Edit1.SetFocus();
}

void TForm14::Button1Click() {
    for (TEdit* edit : {&Edit2, &Edit3, &Edit4})
        edit->Clear();
    unsigned code = 0;
    if (!ParseCommandCode(Edit6.Text(), code)) {
        ShowMessage(InvalidCommandCodeMessage);
        return;
    }
    StoreAnswer(SendCommand(code, Edit5.Text() + ";" + Edit1.Text()));
    if (ShowAnswerInEdits(*Session.CurrentAnswer, {Edit2, Edit3, Edit4, true})) SpeedButton2.SetEnabled(true);
}

void TForm14::Edit1KeyDown(WORD& key, TShiftState) {
    if (key == VK_RETURN) Button1Click();
}

void TForm14::SpeedButton2Click() {
    ShowStatusViewer();
}

void TForm14::Button2Click() {
    Close();
}
