#include "monitor/extended_script.h"

#include "monitor/script_interpreter.h"

void RunExtendedScript(const std::string& path, ScriptHost& host) {
    ScriptInterpreter interpreter(host);
    interpreter.Run(path);
}
