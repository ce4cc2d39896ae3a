// Measures the extended script interpreter: a loop of 100 000 passes over Oper statements, no
// register commands. Prints the lines run and the lines per second.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "monitor/extended_script.h"
#include "platform/clock/clock.h"

namespace {

constexpr int Passes = 100000;

// Counts the lines and answers nothing: what the interpreter costs by itself.
class CountingHost : public ScriptHost {
public:
    int lines = 0;
    int messages = 0;
    std::string lastError;

    AnswerRecord* SendScriptCommand(unsigned, const std::string&) override { return &answer_; }
    const AnswerRecord* CurrentAnswer() const override { return nullptr; }
    void AddMessage(const std::string&) override { ++messages; }
    void AddExchange(const AnswerRecord&) override {}
    bool HideData() const override { return false; }
    void ShowError(const std::string& message) override { lastError = message; }
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

} // namespace

int main() {
    const auto path =
        std::filesystem::temp_directory_path() / ("kaltor-script-bench-" + std::to_string(getpid()));
    std::ofstream(path) << BenchScript();
    CountingHost host;
    const int64_t start = MonotonicMs();
    RunExtendedScript(path.string(), host);
    const int64_t elapsed = std::max<int64_t>(MonotonicMs() - start, 1);
    std::filesystem::remove(path);
    std::printf("script_bench: %d lines in %lld ms, %.0f lines per second (%s)\n", host.lines,
                static_cast<long long>(elapsed), host.lines * 1000.0 / elapsed, host.lastError.c_str());
    return host.messages == 2 ? 0 : 1;
}
