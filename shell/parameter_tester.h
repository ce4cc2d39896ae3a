#pragma once
// The parameter tester: calls one driver function, chosen by the main window's set-up handlers,
// with up to five typed input parameters and shows up to five answer fields.
#include <array>

#include "platform/forms/forms.h"
#include "shell/parameter_tester_commands.h"
#include "shell/parameter_tester_setup.h"

class TForm4 : public TForm {
public:
    TForm4();

    TEdit Edit1;                                  // password
    TEdit Edit5, Edit6, Edit7, Edit8, Edit9;      // input parameters
    TEdit Edit10, Edit11, Edit12, Edit13, Edit14; // output parameters
    TEdit Edit2;                                  // answer data
    TEdit Edit3;                                  // error field
    TEdit Edit4;                                  // status bytes
    TSpeedButton SpeedButton1, SpeedButton2;
    TButton Button1, Button2;
    TStatusBar StatusBar1;

    std::array<TEdit*, ApiParameterRows> Inputs() { return {&Edit5, &Edit6, &Edit7, &Edit8, &Edit9}; }
    std::array<TEdit*, ApiParameterRows> Outputs() { return {&Edit10, &Edit11, &Edit12, &Edit13, &Edit14}; }

    void FormActivate();
    void FormDeactivate();
    void Button1Click();
    void Button2Click();
    void SpeedButton2Click();

private:
    void LayOut();
    void BindHints();
    bool TypedFieldsAccepted();
    void ShowResult(const TesterResult& result);
    void ShowOutputs(const AnswerRecord& answer);

    TLabel inputsHeading_, outputsHeading_;
};

// Shows the first ApiInputCount input rows and the first ApiOutputCount output rows and hides the
// rest; a count above five leaves the rows as they are.
void setForm4(TForm4& tester);

// A set-up handler of the main window: stores its choice, lays out the tester and shows it.
void RunParameterTesterSetup(const ParameterTesterHandler& handler);
