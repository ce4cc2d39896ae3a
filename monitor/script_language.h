#pragma once
// The words of the extended script language: how a line is recognised, how its arguments and
// conditions are cut out, and the tests on operand texts. Pure functions, no state of a run.
#include <optional>
#include <string>
#include <vector>

enum class Statement {
    Comment,      // marker ";"
    ShownComment, // marker "+"
    DeclareBeg,
    New,
    DeclareEnd,
    Delay,
    Set,
    While,
    EndWhile,
    If,
    Then,
    Else,
    EndIf,
    RunCommand,
    Oper,
    Print,
    CommandLine, // anything else
};

struct RecognisedLine {
    Statement statement = Statement::CommandLine;
    std::string rest; // the text after the keyword (after the marker for comments), untrimmed
};

// A trimmed, non-empty line. The comment markers are looked at first, so a comment never runs a
// statement; the declaration group needs the marker "%", the other keywords take any marker. A
// keyword matches as a prefix of the text after the marker.
RecognisedLine Recognise(const std::string& line);
// True for the keywords that open the declarations (the just-declared rule looks for them).
bool OpensDeclaration(const std::string& line);

// Every character a digit (true for an empty text).
bool IsNumb(const std::string& text);
// First and last character '"' (a text of one '"' counts).
bool IsStr(const std::string& text);
// The text between the quotes of a string literal.
std::string Unquote(const std::string& text);
// n for "%Ret" followed only by digits, else -1; "%Ret" with no digits or too many raises the
// library's conversion error.
int GetAnsiString(const std::string& text);

// The trimmed arguments between "(" and the last ")", split at every ","; nothing when the
// parentheses are missing.
std::optional<std::vector<std::string>> SplitArguments(const std::string& rest);

// Operator codes of conditions.
enum ConditionOperator { Less = 0, LessEqual = 1, Equal = 2, Greater = 3, GreaterEqual = 4 };

struct ConditionText {
    int op = -1;
    std::string a, b; // trimmed operand texts
};

// The condition of a While or If: the rest trimmed, its first and last characters dropped, then
// the first of "<=", "==", ">=", "<", ">" found; nothing when none is there.
std::optional<ConditionText> SplitCondition(const std::string& rest);
bool Compare(int op, int a, int b);
