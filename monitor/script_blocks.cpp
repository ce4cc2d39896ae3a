// While loops and If/Then/Else/EndIf branches of the extended script language.
#include <algorithm>

#include "monitor/script_interpreter.h"
#include "platform/text/text.h"

ParsedCondition ScriptInterpreter::ParseCondition(const std::string& rest,
                                                  const std::string& badOperator) const {
    const auto text = SplitCondition(rest);
    if (!text) throw ScriptError{badOperator, ScriptError::WithLine};
    ParsedCondition condition;
    condition.op = text->op;
    auto resolve = [&](const std::string& operand, int& variable, std::string& literal) {
        variable = FindVariable(operand);
        if (variable < 0 && !IsNumb(operand))
            throw ScriptError{script_text::BadVariable, ScriptError::WithLine};
        literal = operand;
    };
    resolve(text->a, condition.aVariable, condition.aLiteral);
    resolve(text->b, condition.bVariable, condition.bLiteral);
    return condition;
}

bool ScriptInterpreter::Evaluate(const ParsedCondition& condition) const {
    auto value = [&](int variable, const std::string& literal) {
        return StrToInt(variable >= 0 ? variables_[variable].value : literal);
    };
    return Compare(condition.op, value(condition.aVariable, condition.aLiteral),
                   value(condition.bVariable, condition.bLiteral));
}

// Reads forward from the current position to the first line at the level of the block just
// entered whose statement is one of targets, and puts the position at its start, so that it runs
// next. Blocks opened on the way are counted and passed over whole. No such line: the file's end.
void ScriptInterpreter::SkipTo(Statement opener, Statement closer, std::initializer_list<Statement> targets) {
    int depth = 0;
    std::string raw;
    while (true) {
        const size_t start = file_.Offset();
        const ScriptFile::Read read = file_.ReadLine(raw);
        if (read == ScriptFile::Read::End) return;
        if (read == ScriptFile::Read::TooLong) continue;
        const std::string line = TrimLine(raw);
        if (line.empty()) continue;
        const Statement statement = Recognise(line).statement;
        if (depth == 0 && std::find(targets.begin(), targets.end(), statement) != targets.end()) {
            file_.Seek(start);
            return;
        }
        if (statement == opener) ++depth;
        if (statement == closer) --depth;
    }
}

void ScriptInterpreter::While(const std::string& rest) {
    RequireBody(script_text::NewOutsideDeclarations);
    justDeclared_ = false;
    auto found = std::find_if(whileFrames_.begin(), whileFrames_.end(),
                              [&](const WhileFrame& frame) { return frame.key == linePosition_; });
    size_t index;
    if (found != whileFrames_.end()) {
        index = static_cast<size_t>(found - whileFrames_.begin());
        if (found->status == WhileFrame::Finished) {
            if (whileStack_.size() >= ScriptTableSize)
                throw ScriptError{script_text::NestingTooDeep, ScriptError::WithLine};
            whileStack_.push_back(index);
        }
    } else {
        if (whileFrames_.size() >= ScriptTableSize)
            throw ScriptError{script_text::TooManyLoops, ScriptError::WithLine};
        if (whileStack_.size() >= ScriptTableSize)
            throw ScriptError{script_text::NestingTooDeep, ScriptError::WithLine};
        WhileFrame frame;
        frame.key = linePosition_;
        frame.condition = ParseCondition(rest, script_text::BadWhileOperator);
        index = whileFrames_.size();
        whileFrames_.push_back(frame);
        whileStack_.push_back(index);
    }
    WhileFrame& frame = whileFrames_[index];
    frame.result = Evaluate(frame.condition);
    if (frame.result) return;
    // A loop whose condition fails goes to its own EndWhile, which closes it.
    if (frame.endOffset)
        file_.Seek(*frame.endOffset);
    else
        SkipTo(Statement::While, Statement::EndWhile, {Statement::EndWhile});
}

void ScriptInterpreter::EndWhile() {
    RequireBody(script_text::NewOutsideDeclarations);
    justDeclared_ = false;
    if (whileStack_.empty()) throw ScriptError{script_text::EndWhileWithoutWhile, ScriptError::WithLine};
    WhileFrame& frame = whileFrames_[whileStack_.back()];
    if (!frame.endOffset) frame.endOffset = linePosition_;
    if (!frame.result) {
        frame.status = WhileFrame::Finished;
        whileStack_.pop_back();
        return;
    }
    file_.Seek(frame.key);
    frame.status = WhileFrame::Looping;
}

void ScriptInterpreter::If(const std::string& rest) {
    RequireBody(script_text::IfOutsideDeclarations);
    justDeclared_ = false;
    auto found = std::find_if(ifFrames_.begin(), ifFrames_.end(),
                              [&](const IfFrame& frame) { return frame.key == linePosition_; });
    size_t index;
    if (found != ifFrames_.end()) {
        index = static_cast<size_t>(found - ifFrames_.begin());
        // Back at its own level: what a jump left open above it is dropped.
        if (found->level < ifStack_.size()) ifStack_.resize(found->level);
    } else {
        if (ifFrames_.size() >= ScriptTableSize)
            throw ScriptError{script_text::TooManyBranches, ScriptError::WithLine};
        IfFrame frame;
        frame.key = linePosition_;
        frame.condition = ParseCondition(rest, script_text::BadIfOperator);
        index = ifFrames_.size();
        ifFrames_.push_back(frame);
    }
    if (ifStack_.size() >= ScriptTableSize)
        throw ScriptError{script_text::NestingTooDeep, ScriptError::WithLine};
    IfFrame& frame = ifFrames_[index];
    frame.level = ifStack_.size();
    ifStack_.push_back(index);
    frame.result = Evaluate(frame.condition);
    if (!frame.result) SkipFalseBranch(frame);
}

// A branch that has run through once knows where its Else (or, without one, its EndIf) stands.
void ScriptInterpreter::SkipFalseBranch(const IfFrame& frame) {
    if (frame.elseOffset)
        file_.Seek(*frame.elseOffset);
    else if (frame.endIfOffset)
        file_.Seek(*frame.endIfOffset);
    else
        SkipTo(Statement::If, Statement::EndIf, {Statement::Else, Statement::EndIf});
}

void ScriptInterpreter::SkipToEndIf(const IfFrame& frame) {
    if (frame.endIfOffset)
        file_.Seek(*frame.endIfOffset);
    else
        SkipTo(Statement::If, Statement::EndIf, {Statement::EndIf});
}

IfFrame& ScriptInterpreter::TopIf(const std::string& emptyMessage) {
    RequireBody(script_text::NewOutsideDeclarations);
    justDeclared_ = false;
    if (ifStack_.empty()) throw ScriptError{emptyMessage, ScriptError::WithLine};
    return ifFrames_[ifStack_.back()];
}

void ScriptInterpreter::Then() {
    const IfFrame& frame = TopIf(script_text::ThenWithoutIf);
    if (!frame.result) SkipFalseBranch(frame);
}

void ScriptInterpreter::Else() {
    IfFrame& frame = TopIf(script_text::ElseWithoutIf);
    if (!frame.elseOffset) frame.elseOffset = linePosition_;
    if (frame.result) SkipToEndIf(frame);
}

void ScriptInterpreter::EndIf() {
    IfFrame& frame = TopIf(script_text::EndIfWithoutIf);
    if (!frame.endIfOffset) frame.endIfOffset = linePosition_;
    ifStack_.pop_back();
}
