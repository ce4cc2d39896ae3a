#pragma once
// The script monitor: sends any command typed by hand, repeats the last one, keeps favourite
// commands, and runs a script file step by step, from a line to the end, or in the extended language.
// Every exchange shows as a "PC: " and an "FP: " line in the message list. The window is the host of
// both script runners.
#include <cstdint>
#include <string>

#include "monitor/run_view.h"
#include "monitor/script_host.h"
#include "platform/forms/forms.h"

class TForm28 : public TForm, public ScriptHost {
public:
    TForm28();

    TMemo Memo1; // the message list
    TGroupBox GroupBox2;
    TEdit Edit1; // command code, two hexadecimal digits
    TEdit Edit2; // password
    TEdit Edit3; // data after the password and ";"
    TButton Button2, Button9, Button3;
    TListBox ListBox1; // favourites: code "->" data
    TEdit Edit5;       // error field of the last answer
    TEdit Edit6;       // status bytes of the last answer
    TSpeedButton SpeedButton1;
    TLabel Label11;
    TComboBox ComboBox1; // the last five script files
    TButton Button5;
    TLabel Label4;
    TEdit Edit4; // number of the last script line read
    TButton Button6, Button8, Button11, Button7, Button10;
    TCheckBox CheckBox1; // "Не перерисовывать форму"
    TCheckBox CheckBox2; // "Не выводить данные"
    TButton Button4, Button1;
    TOpenDialog OpenDialog1;

    unsigned CurrentCode = 0;
    std::string ScriptFileName;
    int LineNumber = 0;
    uint8_t StopFlag = 0;

    void FormActivate();
    void Edit1Change();
    void Edit2Change();
    void Edit1KeyDown(WORD& key, TShiftState shift);
    void Edit3KeyDown(WORD& key, TShiftState shift);
    void Button2Click();
    void Button9Click();
    void Button3Click();
    void ListBox1DblClick();
    void SpeedButton1Click();
    void Button5Click();
    void ComboBox1Change();
    void Button6Click();
    void Button8Click();
    void Button11Click();
    void Button7Click();
    void Button10Click();
    void Button4Click();
    void Button1Click();

    // True while a script runs.
    bool Running() const { return running_; }

    // ScriptHost
    AnswerRecord* SendScriptCommand(unsigned code, const std::string& data) override;
    const AnswerRecord* CurrentAnswer() const override;
    void AddMessage(const std::string& line) override;
    void AddExchange(const AnswerRecord& answer) override;
    bool HideData() const override;
    void ShowError(const std::string& message) override;
    void ShowLineNumber(int lineNumber) override;
    void ShowCommand(const std::string& code, const std::string& password, const std::string& data) override;
    void ShowAnswer(const AnswerRecord& answer) override;
    void Refresh() override;
    void SetVariableCount(int count) override;
    void SetVariableRow(int row, const std::string& name, const std::string& value) override;
    void SetVariableValue(int row, const std::string& value) override;
    void ProcessMessages() override;
    bool StopRequested() const override;
    void ClearStopRequest() override;

private:
    void LayOut();
    // Shows what the run gathered (a script line's code is not reported again).
    void FlushView();
    void UpdateSendButton();
    void LoadRecentFiles();
    void AddRecentFile(const std::string& fileName);
    void ChooseScript(const std::string& fileName);
    // Sends the code edit's command with the password and data edits; null (after the message) when
    // the code is not valid or no good answer came.
    AnswerRecord* SendTypedCommand();
    // Runs a script unless one is running already, with the run buttons off meanwhile.
    template <class Run> void RunScript(Run run);
    void SetRunning(bool running);

    bool codeValid_ = false;
    bool quietCode_ = false; // a script line is being shown: its runner judges the code
    bool running_ = false;
    TPanel scriptPanel_;
    RunView view_{Memo1};
};

extern TForm28* Form28;
