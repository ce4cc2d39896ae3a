// Oper: every operation code, its refusals, and the integer faults that must end a run cleanly.
#include "monitor/script_messages.h"
#include "monitor/tests/script_fixture.h"

namespace {

struct OperCase {
    const char* name;
    std::string x;      // value given to x first ("" leaves it empty)
    std::string oper;   // the Oper line
    std::string result; // r printed after it; empty when the run ends
    std::string error; // the first line of the message box ending the run ("" none but "Конец файла!")
};

std::string FirstLine(const std::string& text) {
    return text.substr(0, text.find('\n'));
}

class OperTest : public ::testing::TestWithParam<OperCase> {};

TEST_P(OperTest, ComputesOrEndsTheRunWithAMessage) {
    const OperCase& c = GetParam();
    FakeScriptHost host;
    std::string body = "%Set r=\"old\"\n";
    if (!c.x.empty()) body += "%Set x=\"" + c.x + "\"\n";
    body += "%Set y=\"-1\"\n";
    body += c.oper + "\n%Print r\n";
    RunScriptText(Declared({"x", "y", "r"}, body), host);
    ASSERT_FALSE(host.errors.empty());
    if (c.error.empty()) {
        EXPECT_EQ(host.errors, std::vector<std::string>{script_text::EndOfFile});
        EXPECT_EQ(host.messages, std::vector<std::string>{";r=" + c.result});
    } else {
        EXPECT_EQ(FirstLine(host.errors[0]), c.error);
        const std::string failingLine = c.oper.substr(c.oper.rfind('\n') + 1);
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0], failingLine) << "the failing line goes to the message list";
    }
}

const std::string Overflow = script_text::IntegerOverflow;
const std::string ZeroDivision = script_text::DivisionByZero;

INSTANTIATE_TEST_SUITE_P(
    Codes, OperTest,
    ::testing::Values(
        OperCase{"Add", "40", "%Oper(x,2,0,r)", "42", ""},
        OperCase{"Subtract", "40", "%Oper(x,50,1,r)", "-10", ""},
        OperCase{"Multiply", "-7", "%Oper(x,6,2,r)", "-42", ""},
        OperCase{"QuotientTowardZero", "-7", "%Oper(x,2,3,r)", "-3", ""},
        OperCase{"RemainderHasTheSignOfA", "-7", "%Oper(x,2,4,r)", "-1", ""},
        OperCase{"Concatenate", "ab", "%Oper(x,\"abc\",5,r)", "ababc", ""},
        OperCase{"ConcatenateNumbers", "", "%Oper(12,34,5,r)", "1234", ""},
        OperCase{"FloatQuotientInRussianFormat", "", "%Oper(7,2,6,r)", "3,5", ""},
        OperCase{"RepeatCharacter", "", "%Oper(65,3,8,r)", "AAA", ""},
        OperCase{"RepeatCyrillicCharacter", "", "%Oper(192,2,8,r)", "АА", ""},
        OperCase{"RepeatNegativeCountIsEmpty", "-2", "%Oper(65,x,8,r)", "", ""},
        OperCase{"LengthInCharacters", "Привет", "%Oper(x,0,9,r)", "6", ""},
        OperCase{"Equal", "abc", "%Oper(x,\"abc\",10,r)", "1", ""},
        OperCase{"NotEqual", "abc", "%Oper(x,\"abd\",10,r)", "0", ""},
        OperCase{"UnknownCodeLeavesTheResult", "", "%Oper(1,2,11,r)", "old", ""},
        OperCase{"RandomOfOneValue", "", "%Oper(5,5,7,r)", "5", ""},
        OperCase{"RandomWithBJustBelowA", "", "%Oper(5,4,7,r)", "5", ""},
        OperCase{"StringWithArithmetic", "", "%Oper(1,\"abc\",0,r)", "", script_text::BadOperation},
        OperCase{"StringWithFloatQuotient", "", "%Oper(\"6\",2,6,r)", "", script_text::BadOperation},
        OperCase{"BadFirstParameter", "", "%Oper(z,2,0,r)", "", script_text::BadFirstParameter},
        OperCase{"BadSecondParameter", "", "%Oper(1,z,0,r)", "", script_text::BadSecondParameter},
        OperCase{"OperationNotDigits", "", "%Oper(1,2,a,r)", "", script_text::BadOperation},
        OperCase{"OperationMissing", "", "%Oper(1,2)", "", script_text::BadOperation},
        OperCase{"ResultUndeclared", "", "%Oper(1,2,0,z)", "", script_text::BadResult},
        OperCase{"AddOverflows", "2147483647", "%Oper(x,1,0,r)", "", Overflow},
        OperCase{"SubtractOverflows", "-2147483648", "%Oper(x,1,1,r)", "", Overflow},
        OperCase{"MultiplyOverflows", "65536", "%Oper(x,65536,2,r)", "", Overflow},
        OperCase{"MinimumDividedByMinusOne", "-2147483648", "%Oper(x,y,3,r)", "", Overflow},
        OperCase{"MinimumRemainderByMinusOne", "-2147483648", "%Oper(x,y,4,r)", "0", ""},
        OperCase{"DivisionByZero", "7", "%Oper(x,0,3,r)", "", ZeroDivision},
        OperCase{"RemainderByZero", "7", "%Oper(x,0,4,r)", "", ZeroDivision},
        OperCase{"FloatDivisionByZero", "7", "%Oper(x,0,6,r)", "", ZeroDivision},
        OperCase{"NotAnInteger", "1,5", "%Oper(x,1,0,r)", "", "'1,5' is not a valid integer value"},
        OperCase{"HugeRepeatCount", "", "%Oper(65,2000000000,8,r)", "", script_text::CountTooLarge},
        OperCase{"RepeatOfTheLongestText", "", "%Oper(65,10000,8,r)\n%Oper(r,0,9,r)", "10000", ""},
        OperCase{"ConcatenationBeyondTheLongestText", "", "%Oper(65,10000,8,r)\n%Oper(r,\"!\",5,r)", "",
                 script_text::TextTooLong},
        OperCase{"CharacterCodeOutsideTheCodePage", "", "%Oper(256,1,8,r)", "",
                 script_text::CharCodeOutOfRange}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
