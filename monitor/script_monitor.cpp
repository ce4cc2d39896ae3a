#include "monitor/script_monitor.h"

#include "driver/driver.h"
#include "monitor/exchange_lines.h"
#include "monitor/variables_view.h"
#include "platform/clock/clock.h"
#include "shell/session.h"
#include "shell/status_viewer.h"

TForm28* Form28 = nullptr;

TForm28::TForm28() {
    SetCaption("Монитор для фискального регистратора + запуск скриптов");
    SetBorderStyle(bsToolWindow);
    SetBorderIcons(biSystemMenu | biMinimize);
    Memo1.SetReadOnly(true);
    Memo1.SetScrollBars(ssVertical);
    Memo1.SetWidth(420);
    Memo1.SetHeight(560);
    ListBox1.SetHeight(110);
    GroupBox2.SetCaption("Выполнение команды");
    GroupBox2.SetEnabled(false);
    Edit1.SetMaxLength(2);
    Edit2.SetText(DefaultPassword);
    Edit2.SetMaxLength(6);
    Button2.SetCaption("Выполнить");
    Button9.SetCaption("Повторить команду");
    Button3.SetCaption("В список");
    Edit5.SetReadOnly(true);
    Edit6.SetReadOnly(true);
    SpeedButton1.SetCaption(".?.");
    Label11.SetCaption("Имя  файла:");
    ComboBox1.SetStyle(csDropDownList);
    Button5.SetCaption("Открыть файл");
    Label4.SetCaption("Ном. стр. скрипта:");
    Edit4.SetText("0");
    Button6.SetCaption("Выполнить");
    Button8.SetCaption("Продолжить");
    Button11.SetCaption("Шаг");
    Button7.SetCaption("Стоп");
    Button10.SetCaption("Переменные");
    CheckBox1.SetCaption("Не перерисовывать форму");
    CheckBox2.SetCaption("Не выводить данные");
    Button4.SetCaption("Очистить сообщения");
    Button1.SetCaption("Выход");
    OpenDialog1.SetDefaultExt("txt");
    OpenDialog1.SetFilter("Текстовые файлы (*.txt)|*.TXT|Все|*.*");
    LayOut();

    OnActivate = [this] { FormActivate(); };
    // Closing the window ends a run that is under way.
    OnClose = [this](TCloseAction&) { StopFlag = 1; };
    Edit1.OnChange = [this] { Edit1Change(); };
    Edit2.OnChange = [this] { Edit2Change(); };
    Edit1.OnKeyDown = [this](WORD& key, TShiftState shift) { Edit1KeyDown(key, shift); };
    Edit3.OnKeyDown = [this](WORD& key, TShiftState shift) { Edit3KeyDown(key, shift); };
    Button2.OnClick = [this] { Button2Click(); };
    Button9.OnClick = [this] { Button9Click(); };
    Button3.OnClick = [this] { Button3Click(); };
    ListBox1.OnDblClick = [this] { ListBox1DblClick(); };
    SpeedButton1.OnClick = [this] { SpeedButton1Click(); };
    Button5.OnClick = [this] { Button5Click(); };
    ComboBox1.OnChange = [this] { ComboBox1Change(); };
    Button6.OnClick = [this] { Button6Click(); };
    Button8.OnClick = [this] { Button8Click(); };
    Button11.OnClick = [this] { Button11Click(); };
    Button7.OnClick = [this] { Button7Click(); };
    Button10.OnClick = [this] { Button10Click(); };
    Button4.OnClick = [this] { Button4Click(); };
    Button1.OnClick = [this] { Button1Click(); };
}

void TForm28::LayOut() {
    Column main(*this);
    auto sides = main.Columns(2);
    sides[0].Add(Memo1).Line({&Button4});
    Column command = sides[1].Group(GroupBox2);
    command.Field("Код команды: ", Edit1).Field("Пароль: ", Edit2).Field("Данные:", Edit3);
    command.Line({&Button2, &Button9, &Button3});
    command.Add(ListBox1);
    command.Field("Код ошибки:", Edit5).Field("Статус:", {&Edit6, &SpeedButton1});
    Column script = sides[1].Panel(scriptPanel_);
    script.Field(Label11, ComboBox1).Line({&Button5});
    script.Field(Label4, Edit4);
    script.Line({&Button6, &Button8, &Button11, &Button7});
    script.Line({&Button10});
    script.Add(CheckBox1).Add(CheckBox2);
    main.Buttons({&Button1});
}

void TForm28::FormActivate() {
    if (ActivatedAgain()) return;
    GroupBox2.SetEnabled(true);
    UpdateSendButton();
    Button3.SetEnabled(true);
    Button5.SetEnabled(true);
    Edit1.SetFocus();
    StopFlag = 0;
    LoadRecentFiles();
}

void TForm28::SpeedButton1Click() {
    if (Session.StatusReady) ShowStatusViewer();
}

void TForm28::Button7Click() {
    StopFlag = 1;
}

void TForm28::Button10Click() {
    if (!Form40) return;
    Form40->ShowHeader(Form40->StringGrid1.RowCount() - 1);
    Form40->Show();
}

void TForm28::Button4Click() {
    view_.DropLines();
    Memo1.Clear();
    Repaint();
}

void TForm28::Button1Click() {
    Close();
}

// ---- The host of the script runners -------------------------------------------------------------

AnswerRecord* TForm28::SendScriptCommand(unsigned code, const std::string& data) {
    Session.CurrentAnswer = SendCommand(code, data);
    return Session.CurrentAnswer;
}

const AnswerRecord* TForm28::CurrentAnswer() const {
    return Session.CurrentAnswer;
}

void TForm28::AddMessage(const std::string& line) {
    view_.AddLine(line);
}

void TForm28::AddExchange(const AnswerRecord& answer) {
    AddMessage(SentFrameLine(answer));
    AddMessage(AnswerFrameLine(answer));
}

void TForm28::FlushView() {
    quietCode_ = true;
    view_.Flush();
    quietCode_ = false;
    Edit4.Repaint();
}

bool TForm28::HideData() const {
    return CheckBox2.Checked();
}

void TForm28::ShowError(const std::string& message) {
    FlushView();
    ShowMessage(message);
}

void TForm28::ShowLineNumber(int lineNumber) {
    LineNumber = lineNumber;
    view_.SetText(Edit4, IntToStr(lineNumber));
    if (!running_) Edit4.Repaint();
}

void TForm28::ShowCommand(const std::string& code, const std::string& password, const std::string& data) {
    quietCode_ = true;
    view_.SetText(Edit1, code);
    view_.SetText(Edit2, password);
    quietCode_ = false;
    view_.SetText(Edit3, data);
}

void TForm28::ShowAnswer(const AnswerRecord& answer) {
    view_.SetText(Edit5, answer.ErrorField);
    view_.SetText(Edit6, StatusBytesText(answer, true));
}

void TForm28::Refresh() {
    if (!CheckBox1.Checked()) Repaint();
}

void TForm28::SetVariableCount(int count) {
    if (Form40) Form40->SetVariableCount(count);
}

void TForm28::SetVariableRow(int row, const std::string& name, const std::string& value) {
    if (Form40) Form40->SetVariableRow(row, name, value);
}

void TForm28::SetVariableValue(int row, const std::string& value) {
    if (Form40) Form40->SetVariableValue(row, value);
}

void TForm28::ProcessMessages() {
    if (view_.Due()) FlushView();
    Application->ProcessMessages();
}

bool TForm28::StopRequested() const {
    return StopFlag != 0;
}

void TForm28::ClearStopRequest() {
    StopFlag = 0;
}
