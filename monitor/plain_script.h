#pragma once
// The plain script run of the monitor's "Продолжить" and "Шаг": one command per line, ";" lines
// skipped, "+" lines shown as comments. Everything it shows or sends goes through a ScriptHost, so it
// runs without a window being shown.
//
// A plain script is a fixed list of commands: before "Продолжить" sends its first line, every line
// from there to the end is checked as the run would check it, and one that could not be sent stops
// the run with nothing sent, naming the line. A command that fails later names the lines the register
// took. "Шаг" sends one line, so it checks that one: a technician steps up to a faulty line, is told
// why it cannot go out, and the next step goes on after it, as after a failed command.
#include <string>

#include "monitor/script_file.h"
#include "monitor/script_host.h"
#include "monitor/taken_lines.h"

class PlainScriptRun {
public:
    explicit PlainScriptRun(ScriptHost& host) : host_(host) {}
    PlainScriptRun(const PlainScriptRun&) = delete;
    PlainScriptRun& operator=(const PlainScriptRun&) = delete;

    // Runs the lines after the first `linesDone` to the end of the file, the first failure or a
    // stop request (looked at after every line).
    void Continue(const std::string& path, int linesDone);
    // Runs the one line after the first `linesDone`; blank lines are passed over to the next.
    void Step(const std::string& path, int linesDone);

private:
    enum class Outcome { Blank, Comment, Command, Failed, End };

    bool Open(const std::string& path, int linesDone);
    // Every line after the current one can be sent; else the first that cannot is reported.
    bool RestSendable();
    Outcome NextLine();
    Outcome RunLine(const std::string& line);
    void Finish();

    ScriptHost& host_;
    ScriptFile file_;
    int lineNumber_ = 0;
    TakenLines taken_;
};
