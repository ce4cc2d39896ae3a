#pragma once
// The extended script language: declarations of text variables, assignments, integer and text
// operations, While loops, If/Then/Else/EndIf branches, register commands built from variables,
// printing and pauses, beside the plain command and comment lines.
#include <string>

#include "monitor/script_host.h"

// Runs the script file at path from its first line to its end, the first error or a stop request.
// Everything the run shows or sends goes through host. The monitor's "Выполнить" button calls it.
void RunExtendedScript(const std::string& path, ScriptHost& host);
