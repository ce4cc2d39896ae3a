#include "monitor/extended_script.h"

void RunExtendedScript(const std::string& path, ScriptHost& host) {
    (void)path;
    (void)host;
}
