// Runs arbitrary bytes as an extended script against a fake register that answers every command,
// now with fields, now with an error code, now not at all. A run that loops or pauses for long is
// stopped the way the stop button would stop it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "monitor/script_interpreter.h"
#include "monitor/tests/fake_script_host.h"
#include "platform/clock/clock.h"

namespace {

constexpr int MaxLines = 3000;
constexpr int MaxPauseSteps = 20;

class FuzzHost : public FakeScriptHost {
public:
    FuzzHost() {
        answerRule = [this](const SentCommand& command, AnswerRecord& answer) {
            switch ((command.code + sent.size()) % 4) {
            case 0:
                answer.StatusWord = StatusNoAnswer;
                break;
            case 1:
                answer.ErrorField = "0006";
                break;
            default:
                answer.FieldCount = 3;
                answer.Fields[0] = command.data;
                answer.Fields[1] = "12";
                answer.Fields[2] = "-2147483648";
            }
        };
    }
    void ProcessMessages() override { ++pumps_; }
    bool StopRequested() const override {
        return linesShown >= MaxLines || pumps_ - linesShown > MaxPauseSteps;
    }
    // Keeps the recorded lists small over millions of runs.
    void AddMessage(const std::string& line) override {
        if (messages.size() < 100) messages.push_back(line);
    }

private:
    int pumps_ = 0;
};

void Require(bool condition) {
    if (!condition) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool scaled = (SetTimeScale(1e-6), true);
    (void)scaled;
    FuzzHost host;
    ScriptInterpreter interpreter(host);
    interpreter.RunText(std::string(reinterpret_cast<const char*>(data), size));
    Require(interpreter.Variables().size() <= ScriptTableSize);
    Require(host.linesShown <= MaxLines);
    for (const SentCommand& command : host.sent)
        Require(command.code <= 255);
    return 0;
}
