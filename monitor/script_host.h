#pragma once
// What a script runner needs of the monitor window: the register, the message list, the line-number
// edit, the single-command panel and the variables grid, the stop button and the message loop.
// The monitor window implements it; tests and the fuzz target use fakes, so both runners (the plain
// one and the extended-language interpreter) run without a window being shown.
//
// The steps both runners share are built on it: script_file.h reads the script's lines,
// command_line.h runs one plain command line and shows a comment line.
#include <string>

#include "driver/answer_record.h"

class ScriptHost {
public:
    virtual ~ScriptHost() = default;

    // ---- The register ----
    // Sends one command (code 0-255; data: password, separator and the rest, UTF-8) and stores the
    // record as the session's current answer. Never null.
    virtual AnswerRecord* SendScriptCommand(unsigned code, const std::string& data) = 0;
    // The session's current answer (the last command of any window); null before the first.
    virtual const AnswerRecord* CurrentAnswer() const = 0;

    // ---- The window ----
    // Adds one line to the message list.
    virtual void AddMessage(const std::string& line) = 0;
    // Adds the "PC: " line (sent frame) and the "FP: " line (answer) of an exchange, both from their
    // length byte onward. The caller has already looked at HideData().
    virtual void AddExchange(const AnswerRecord& answer) = 0;
    // "Не выводить данные" is ticked: no exchange lines and no comment lines.
    virtual bool HideData() const = 0;
    // Shows a message box and waits for it to be closed.
    virtual void ShowError(const std::string& message) = 0;
    // Number of the last script line read, shown in its edit and repainted at once.
    virtual void ShowLineNumber(int lineNumber) = 0;
    // Puts a command line's parts into the single-command panel (code, password, data edits). The
    // runner judges the code itself; the window must not report it a second time.
    virtual void ShowCommand(const std::string& code, const std::string& password,
                             const std::string& data) = 0;
    // The error field and the status bytes of an answer in their edits.
    virtual void ShowAnswer(const AnswerRecord& answer) = 0;
    // Repaints the window unless "Не перерисовывать форму" is ticked.
    virtual void Refresh() = 0;

    // ---- The variables grid (row 0 is the header) ----
    // Row count := count + 1.
    virtual void SetVariableCount(int count) = 0;
    // Row `row`: its number, the name, the value and an empty fourth cell.
    virtual void SetVariableRow(int row, const std::string& name, const std::string& value) = 0;
    // The value cell of row `row`, repainted.
    virtual void SetVariableValue(int row, const std::string& value) = 0;

    // ---- Run control ----
    // Lets the message loop handle what is waiting (so the stop button can be pressed).
    virtual void ProcessMessages() = 0;
    // The stop button was pressed since the run started.
    virtual bool StopRequested() const = 0;
    // Clears the stop request; a run calls it when it starts.
    virtual void ClearStopRequest() = 0;
};
