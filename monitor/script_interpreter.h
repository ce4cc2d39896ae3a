#pragma once
// One run of an extended script. Loops and branches move the read position of the script file:
// each block remembers the offsets of the lines that open and close it, and a block that is not
// to run is passed over forward to its own closing line (nested blocks counted).
//
// The commands of an extended script are built while it runs (from variables, in loops and branches),
// so they cannot be formed whole before the first goes out: a command that cannot be sent is refused
// at its line, and a run that ends early on an error names the lines whose commands the register took.
#include <cstddef>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "monitor/script_file.h"
#include "monitor/script_host.h"
#include "monitor/script_language.h"
#include "monitor/script_messages.h"
#include "monitor/taken_lines.h"

// Every table of a run holds this many entries.
constexpr size_t ScriptTableSize = 100;

struct ScriptVariable {
    std::string name;
    std::string value;
};

// A condition as first parsed: each operand a variable index or, with -1, the literal text.
struct ParsedCondition {
    int op = -1;
    int aVariable = -1, bVariable = -1;
    std::string aLiteral, bLiteral;
};

struct WhileFrame {
    enum Status { New = 0, Looping = 1, Finished = 3 };
    size_t key = 0;                  // offset of the While line
    std::optional<size_t> endOffset; // offset of the EndWhile line, once reached
    Status status = New;
    ParsedCondition condition;
    bool result = false;
};

struct IfFrame {
    size_t key = 0;                                // offset of the If line
    std::optional<size_t> elseOffset, endIfOffset; // once the Else and EndIf lines have run
    size_t level = 0;                              // its place on the branch stack
    ParsedCondition condition;
    bool result = false;
};

class ScriptInterpreter {
public:
    explicit ScriptInterpreter(ScriptHost& host);
    // Runs the file from its first line; the file is closed when the run ends, however it ends.
    void Run(const std::string& path);
    // Runs a script held in memory (the fuzz target's way in).
    void RunText(const std::string& bytes);

    // What a run leaves behind (the variables stay readable until the next run).
    const std::vector<ScriptVariable>& Variables() const { return variables_; }

private:
    enum class Next { Go, End };

    void Begin();
    void RunOpenFile();
    Next RunLines();
    Next RunLine(const std::string& line);
    Next RunStatement(const RecognisedLine& recognised);
    void Report(const ScriptError& error);
    // Shows the message that ends the run, with the lines the register took before.
    void Fail(const std::string& message);
    // The file's number of the line being run (a loop reads its lines again; lineNumber_ counts reads).
    int FileLine() const;

    // Declarations, assignments, printing, pauses.
    void DeclareBeg();
    void New(const std::string& rest);
    void DeclareEnd();
    Next Delay(const std::string& rest);
    void Set(const std::string& rest);
    void Print(const std::string& rest);
    void RequireBody(const std::string& message) const;

    // Loops and branches.
    void While(const std::string& rest);
    void EndWhile();
    void If(const std::string& rest);
    void Then();
    void Else();
    void EndIf();
    ParsedCondition ParseCondition(const std::string& rest, const std::string& badOperator) const;
    bool Evaluate(const ParsedCondition& condition) const;
    void SkipTo(Statement opener, Statement closer, std::initializer_list<Statement> targets);
    IfFrame& TopIf(const std::string& emptyMessage);
    void SkipFalseBranch(const IfFrame& frame);
    void SkipToEndIf(const IfFrame& frame);

    // Register commands and operations.
    Next RunCommand(const std::string& rest);
    void Oper(const std::string& rest);
    std::optional<std::string> ParameterValue(const std::string& text) const;

    int FindVariable(const std::string& name) const;
    std::string AnswerField(int n) const;

    ScriptHost& host_;
    ScriptFile file_;
    std::mt19937_64 random_;
    std::vector<ScriptVariable> variables_;
    std::vector<WhileFrame> whileFrames_;
    std::vector<size_t> whileStack_;
    std::vector<IfFrame> ifFrames_;
    std::vector<size_t> ifStack_;
    int declarationState_ = 0;
    bool justDeclared_ = false;
    size_t linePosition_ = 0;
    int lineNumber_ = 0;
    std::string line_; // the trimmed line being run, for error reports
    TakenLines taken_;
};
