#pragma once
// A script host without a window: records what a run shows and sends, and answers every command
// from a rule (by default: success, no data). Used by the tests and by the fuzz target.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "monitor/script_host.h"

struct SentCommand {
    unsigned code = 0;
    std::string data;
    bool operator==(const SentCommand&) const = default;
};

struct VariableRow {
    std::string name;
    std::string value;
    bool operator==(const VariableRow&) const = default;
};

class FakeScriptHost : public ScriptHost {
public:
    // Fills the answer to a command; the record starts as a success with no data.
    std::function<void(const SentCommand&, AnswerRecord&)> answerRule;
    // The stop button is pressed once this many lines were read (0: never).
    int stopAtLine = 0;
    bool hideData = false;

    std::vector<SentCommand> sent;
    std::vector<std::string> messages; // the message list
    std::vector<std::string> errors;   // message boxes
    int exchanges = 0;
    int lineNumber = -1;
    int linesShown = 0;
    int variableCount = 0;
    std::map<int, VariableRow> grid;

    AnswerRecord* SendScriptCommand(unsigned code, const std::string& data) override {
        sent.push_back({code, data});
        answer_ = AnswerRecord{};
        answer_.SentCode = code;
        answer_.SentData = data;
        answer_.ErrorField = "0000";
        if (answerRule) answerRule(sent.back(), answer_);
        current_ = &answer_;
        return &answer_;
    }
    const AnswerRecord* CurrentAnswer() const override { return current_; }
    void AddMessage(const std::string& line) override { messages.push_back(line); }
    void AddExchange(const AnswerRecord&) override { ++exchanges; }
    bool HideData() const override { return hideData; }
    void ShowError(const std::string& message) override { errors.push_back(message); }
    void ShowLineNumber(int number) override {
        lineNumber = number;
        if (number > 0) ++linesShown;
    }
    void ShowCommand(const std::string&, const std::string&, const std::string&) override {}
    void ShowAnswer(const AnswerRecord&) override {}
    void Refresh() override {}
    void SetVariableCount(int count) override { variableCount = count; }
    void SetVariableRow(int row, const std::string& name, const std::string& value) override {
        grid[row] = {name, value};
    }
    void SetVariableValue(int row, const std::string& value) override { grid[row].value = value; }
    void ProcessMessages() override {}
    bool StopRequested() const override { return stopAtLine > 0 && linesShown >= stopAtLine; }
    void ClearStopRequest() override {}

    // Answers with these fields (joined by ";") from now on.
    void AnswerFields(const std::vector<std::string>& fields) {
        answerRule = [fields](const SentCommand&, AnswerRecord& answer) {
            answer.FieldCount = static_cast<uint32_t>(fields.size());
            for (size_t i = 0; i < fields.size() && i < AnswerFieldSlots; ++i)
                answer.Fields[i] = fields[i];
        };
    }

private:
    AnswerRecord answer_;
    const AnswerRecord* current_ = nullptr;
};
