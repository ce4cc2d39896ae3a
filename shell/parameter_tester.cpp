#include "shell/parameter_tester.h"

#include "shell/command_dialog.h"
#include "shell/session.h"
#include "shell/status_viewer.h"
#include "shell/typed_fields.h"
#include "shell/windows.h"

namespace {
const std::string kBadErrorLength =
    "Ошибка! Регистратор вернул неверный результат \n  (длина кода ошибки неверна)";
}

TForm4::TForm4() {
    SetCaption("Form4");
    SetBorderStyle(bsToolWindow);
    SetPosition(poScreenCenter);
    Edit1.SetText(DefaultPassword);
    for (TEdit* edit : Outputs())
        edit->SetReadOnly(true);
    for (TEdit* edit : {&Edit2, &Edit3, &Edit4})
        edit->SetReadOnly(true);
    SpeedButton1.SetCaption("?");
    SpeedButton2.SetCaption("?");
    Button1.SetCaption("Выполнить");
    Button2.SetCaption("Выход");
    StatusBar1.AddPanel(50);
    LayOut();
    BindHints();
    Button1.OnClick = [this] { Button1Click(); };
    Button2.OnClick = [this] { Button2Click(); };
    SpeedButton2.OnClick = [this] { SpeedButton2Click(); };
    OnActivate = [this] { FormActivate(); };
    // The hints go when the window closes; looking at the status bytes meanwhile keeps them.
    OnHide = [this] { FormDeactivate(); };
}

void TForm4::LayOut() {
    Column main(*this);
    main.Field("Пароль: ", Edit1);
    auto sides = main.Columns(2);
    inputsHeading_.SetCaption("Входные параметры:");
    outputsHeading_.SetCaption("Выходные параметры:");
    sides[0].Add(inputsHeading_);
    sides[1].Add(outputsHeading_);
    for (int row = 0; row < ApiParameterRows; ++row) {
        const std::string caption = "Параметр " + std::to_string(row + 1) + ":";
        sides[0].Field(caption, *Inputs()[row]);
        sides[1].Field(caption, *Outputs()[row]);
    }
    main.Field("Результат выполнения \r\nфункции:", Edit2).Field("Код ошибки:", Edit3);
    main.Field("Статус регистратора:", Edit4).Line({&SpeedButton1, &SpeedButton2});
    main.Buttons({&Button1, &Button2});
    SetStatusBar(StatusBar1);
}

// While a parameter edit has the focus, the status panel shows that parameter's hint.
void TForm4::BindHints() {
    for (int row = 0; row < ApiParameterRows; ++row) {
        Inputs()[row]->OnEnter = [this, row] { StatusBar1.SetPanelText(0, ApiSetup.ApiInputHints[row]); };
        Outputs()[row]->OnEnter = [this, row] { StatusBar1.SetPanelText(0, ApiSetup.ApiOutputHints[row]); };
        for (TEdit* edit : {Inputs()[row], Outputs()[row]})
            edit->OnExit = [this] { StatusBar1.SetPanelText(0, ""); };
    }
}

void TForm4::FormActivate() {
    if (ActivatedAgain()) return;
    for (TEdit* edit : Inputs())
        edit->Clear();
    for (TEdit* edit : Outputs())
        edit->Clear();
    for (TEdit* edit : {&Edit2, &Edit3, &Edit4})
        edit->Clear();
    SpeedButton1.SetEnabled(false);
    SpeedButton2.SetEnabled(false);
}

void TForm4::FormDeactivate() {
    ApiSetup.ApiInputHints = {};
    ApiSetup.ApiOutputHints = {};
}

void TForm4::Button1Click() {
    if (!TypedFieldsAccepted()) return;
    for (TEdit* edit : Outputs())
        edit->Clear();
    for (TEdit* edit : {&Edit2, &Edit3, &Edit4})
        edit->Clear();
    ApiInputs inputs;
    for (int row = 0; row < ApiParameterRows; ++row)
        inputs[row] = Inputs()[row]->Text();
    ShowResult(RunTesterCommand(ApiSetup.ApiCode, Edit1.Text(), inputs));
}

// The password and the input parameters the command takes, as the window names them.
bool TForm4::TypedFieldsAccepted() {
    std::vector<TypedField> fields = {{"Пароль: ", Edit1.Text()}};
    for (int row = 0; row < ApiSetup.ApiInputCount && row < ApiParameterRows; ++row)
        fields.push_back({"Входные параметры: Параметр " + std::to_string(row + 1), Inputs()[row]->Text()});
    return FieldsAccepted(fields);
}

// Nothing sent (a refusal, or a code the tester has no call for) shows why and leaves the result
// edits empty: no earlier answer passes for this one's.
void TForm4::ShowResult(const TesterResult& result) {
    StoreAnswer(result.Answer);
    if (result.Outcome != TesterOutcome::Sent) {
        ShowMessage(result.Message);
        return;
    }
    if (!ShowAnswerInEdits(*result.Answer, {Edit2, Edit3, Edit4, true})) return;
    SpeedButton1.SetEnabled(true);
    SpeedButton2.SetEnabled(true);
    if (result.Answer->ErrorField.size() != 4) {
        ShowMessage(kBadErrorLength);
        return;
    }
    ShowOutputs(*result.Answer);
}

void TForm4::ShowOutputs(const AnswerRecord& answer) {
    const int count = ApiSetup.ApiOutputCount;
    for (int row = 0; row < count && row < ApiParameterRows; ++row)
        Outputs()[row]->SetText(answer.Field(row + 1));
}

void TForm4::Button2Click() {
    Close();
}

void TForm4::SpeedButton2Click() {
    ShowStatusViewer();
}

void setForm4(TForm4& tester) {
    auto showRows = [](std::array<TEdit*, ApiParameterRows> rows, int count) {
        if (count > ApiParameterRows) return;
        for (int row = 0; row < ApiParameterRows; ++row)
            rows[row]->SetVisible(row < count);
    };
    showRows(tester.Inputs(), ApiSetup.ApiInputCount);
    showRows(tester.Outputs(), ApiSetup.ApiOutputCount);
}

void RunParameterTesterSetup(const ParameterTesterHandler& handler) {
    ApplyParameterTesterSetup(handler);
    setForm4(*Form4);
    Form4->ShowModal();
}
