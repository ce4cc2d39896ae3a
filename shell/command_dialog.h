#pragma once
// The command dialog: sends one register command typed as a line of parameters, after showing its
// description and parameter syntax. Its instance also serves as the holder of the shared state
// (kept in Session, session.h). DoIt opens it for a command code.
#include <array>
#include <string>

#include "driver/answer_record.h"
#include "platform/forms/forms.h"

class TForm2 : public TForm {
public:
    TForm2();

    TLabel Label1, Label5, Label2, Label3, Label4;
    TEdit Edit1; // the command line
    TEdit Edit5; // the password
    TEdit Edit2; // the answer data
    TEdit Edit3; // the error field
    TEdit Edit4; // the status bytes
    TButton Button1, Button3, Button2;
    TSpeedButton SpeedButton2;
    TStatusBar StatusBar1;

    // The code the dialog sends, chosen by DoIt.
    int CommandCode = 0;

    void FormActivate();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void SpeedButton2Click();

private:
    void LayOut();
};

// The description text shared by DoIt, DoIt1 and the command tester's menu item.
extern std::string CommandDescriptionBuffer;

// Shows the command dialog for a described code; for another code the message "Неверная команда".
void DoIt(int code);
// Shows the command tester with the description buffer as its caption.
void DoIt1();
// The main window's "Тест команд": the tester captioned "Тест команд".
void OpenCommandTester();

// The main window's command-description handlers: each runs DoIt with its code.
struct CommandDescriptionHandler {
    const char* Name; // "N20h1Click"
    int Code;
};
extern const std::array<CommandDescriptionHandler, 48> CommandDescriptionHandlers;

// Shows an answer in a dialog's three result edits: the data as received, the error field and the
// status bytes. After a time-out the edits stay empty and the time-out message is shown, so a
// previous answer's error field never passes for this one's. True when an answer came.
struct AnswerEdits {
    TEdit& Data;
    TEdit& Error;
    TEdit& Status;
    bool TrailingBlank; // status bytes each followed by a blank
};
bool ShowAnswerInEdits(const AnswerRecord& answer, const AnswerEdits& edits);
