#pragma once
// The texts the extended script interpreter shows, and the error that ends a run.
#include <string>

namespace script_text {
inline const std::string EndOfFile = "Конец файла!";
inline const std::string MisplacedDeclaration = "Ошибка - неверное расположение описания данных.";
inline const std::string RepeatedDeclareBeg = "Ошибка - ошибка в описаниях. DeclareBeg уже был ранее.";
inline const std::string NewOutsideDeclarations =
    "Ошибка - ошибка в описаниях. Оператор New расположен вне секции описаний.";
inline const std::string MisplacedDeclareEnd =
    "Ошибка - ошибка в описаниях. Ошибочное расположение DeclareEnd.";
inline const std::string SetBeforeDeclarations = "Ошибка - ошибка в описаниях. Секция определений неверна.";
inline const std::string SetWithoutEquals = "Ошибка - ошибка в операторе Set.";
inline const std::string SetUndeclared = "Ошибка - присвоение несуществующей переменной.";
inline const std::string IfOutsideDeclarations =
    "Ошибка - ошибка в If-Then. Оператор New расположен вне секции описаний.";
inline const std::string PrintOutsideDeclarations = "Ошибка - ошибка в описаниях.";
inline const std::string BadWhileOperator = "Некорректная операция в операторе While - ошибка!";
inline const std::string BadIfOperator = "Некорректная операция в операторе If - ошибка!";
inline const std::string BadVariable = "Ошибка переменной!";
inline const std::string BadFirstParameter = "Ошибка первого параметра!";
inline const std::string BadSecondParameter = "Ошибка второго параметра!";
inline const std::string BadOperation = "Ошибка операции!";
inline const std::string BadResult = "Ошибка результата операции!";

// The run's own limits and faults.
inline const std::string CannotOpen = "Ошибка - файл скрипта не открывается: ";
inline const std::string LineTooLong = "Ошибка - строка скрипта длиннее 299 символов.";
inline const std::string TooManyVariables = "Ошибка - больше 100 переменных.";
inline const std::string TooManyLoops = "Ошибка - больше 100 циклов While.";
inline const std::string TooManyBranches = "Ошибка - больше 100 условий If.";
inline const std::string NestingTooDeep = "Ошибка - вложенность блоков глубже 100.";
inline const std::string EndWhileWithoutWhile = "Ошибка - EndWhile без открытого While.";
inline const std::string ThenWithoutIf = "Ошибка - Then без открытого If.";
inline const std::string ElseWithoutIf = "Ошибка - Else без открытого If.";
inline const std::string EndIfWithoutIf = "Ошибка - EndIf без открытого If.";
inline const std::string CodeOutOfRange = "Ошибка - код команды вне диапазона 0-255.";
inline const std::string DivisionByZero = "Ошибка - деление на ноль.";
inline const std::string IntegerOverflow = "Ошибка - результат не помещается в целое число.";
inline const std::string FloatOverflow = "Ошибка - переполнение при делении.";
inline const std::string CountTooLarge = "Ошибка - число символов больше 10000.";
inline const std::string TextTooLong = "Ошибка - текст длиннее 10000 символов.";
inline const std::string CharCodeOutOfRange = "Ошибка - код символа вне диапазона 0-255.";
} // namespace script_text

// Ends a run. Plain: only the message. WithLine: the offending line goes to the message list too.
// Fault: a value the run cannot compute; the message names the line number and the line is listed.
struct ScriptError {
    enum Kind { Plain, WithLine, Fault };
    std::string message;
    Kind kind = Plain;
};
