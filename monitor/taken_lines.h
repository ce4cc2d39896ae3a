#pragma once
// The lines of a script file (numbered from 1) whose commands the register took during one run. A run that
// ends early names them after its message, so that the technician knows what the register already did before
// the line that failed: "\nРегистратор уже принял: строки 1-3, 5." A loop sends lines again; then the count
// of commands follows the lines: "строки 5-6 (всего команд: 20)".
#include <cstdint>
#include <set>
#include <string>

class TakenLines {
public:
    // The command of this line was taken (answered with no error).
    void Add(int lineNumber);
    // Empty while nothing was taken.
    std::string Note() const;

private:
    std::set<int> lines_;
    int64_t commands_ = 0;
};
