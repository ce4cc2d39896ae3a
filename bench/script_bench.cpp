// Measures the extended script interpreter: a loop of 100 000 passes over Oper statements, no
// register commands, run by the monitor window's "Выполнить" button with the window shown
// offscreen (every line numbered in the window and the message loop let run). For comparison the
// same script runs through a host that does nothing. Prints lines per second for both.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "bench/fixed.h"
#include "monitor/extended_script.h"
#include "monitor/monitor_windows.h"
#include "platform/clock/clock.h"
#include "platform/forms/forms.h"

namespace {

// Passes of the loop; a first argument may ask for another number.
int Passes = 100000;

// Counts the lines and does nothing else: what the interpreter costs by itself.
class CountingHost : public ScriptHost {
public:
    int lines = 0;

    AnswerRecord* SendScriptCommand(unsigned, const std::string&) override { return &answer_; }
    const AnswerRecord* CurrentAnswer() const override { return nullptr; }
    void AddMessage(const std::string&) override {}
    void AddExchange(const AnswerRecord&) override {}
    bool HideData() const override { return false; }
    void ShowError(const std::string&) override {}
    void ShowLineNumber(int number) override {
        if (number > 0) ++lines;
    }
    void ShowCommand(const std::string&, const std::string&, const std::string&) override {}
    void ShowAnswer(const AnswerRecord&) override {}
    void Refresh() override {}
    void SetVariableCount(int) override {}
    void SetVariableRow(int, const std::string&, const std::string&) override {}
    void SetVariableValue(int, const std::string&) override {}
    void ProcessMessages() override {}
    bool StopRequested() const override { return false; }
    void ClearStopRequest() override {}

private:
    AnswerRecord answer_;
};

// Six lines a pass: the While line, four Oper lines and the EndWhile line.
constexpr int LinesPerPass = 6;

std::string BenchScript() {
    return "%DeclareBeg\n%New i\n%New sum\n%New text\n%DeclareEnd\n"
           "%Set i=\"0\"\n%Set sum=\"0\"\n%Set text=\"\"\n"
           "%While (i<" +
           std::to_string(Passes) +
           ")\n"
           "%Oper(sum,i,0,sum)\n"
           "%Oper(sum,1000,4,sum)\n"
           "%Oper(i,2,2,text)\n"
           "%Oper(i,1,0,i)\n"
           "%EndWhile\n"
           "%Print i\n%Print sum\n";
}

double LinesPerSecond(int lines, int64_t elapsedMs) {
    return lines * 1000.0 / std::max<int64_t>(elapsedMs, 1);
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1) Passes = std::max(1, std::atoi(argv[1]));
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const auto path =
        std::filesystem::temp_directory_path() / ("kaltor-script-bench-" + std::to_string(getpid()));
    std::ofstream(path) << BenchScript();

    CountingHost bare;
    int64_t start = MonotonicMs();
    RunExtendedScript(path.string(), bare);
    const int64_t bareMs = MonotonicMs() - start;

    TApplication app(argc, argv);
    RecordingUiHost answers; // answers the "Конец файла!" box
    Application->CreateForm(Form28);
    Application->CreateForm(Form40);
    Form28->Show();
    Form28->ScriptFileName = path.string();
    start = MonotonicMs();
    Form28->Button6.Click();
    const int64_t windowMs = MonotonicMs() - start;
    Form28->Hide(); // a shown window keeps the focus, which must be gone before the windows are
    std::filesystem::remove(path);

    const int lines = bare.lines;
    const bool finished = answers.Texts() == std::vector<std::string>{"Конец файла!"} &&
                          Form28->Memo1.Lines().Count() == 2 && lines >= Passes * LinesPerPass;
    std::printf("script_bench: %d passes, %d lines\n", Passes, lines);
    std::printf("  monitor window (offscreen): %lld ms, %s lines per second\n",
                static_cast<long long>(windowMs), Fixed(LinesPerSecond(lines, windowMs), 0).c_str());
    std::printf("  interpreter alone:          %lld ms, %s lines per second\n",
                static_cast<long long>(bareMs), Fixed(LinesPerSecond(lines, bareMs), 0).c_str());
    if (!finished) std::printf("  the window's run did not end as the script says\n");
    return finished ? 0 : 1;
}
