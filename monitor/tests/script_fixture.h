#pragma once
// Runs a script text through the interpreter: the text goes to a file of its own first.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "monitor/extended_script.h"
#include "monitor/tests/fake_script_host.h"

inline std::string WriteScriptFile(const std::string& text, const std::string& name = "script.txt") {
    const auto folder = std::filesystem::temp_directory_path() /
                        ("kaltor-script-" + std::to_string(getpid()) + "-" +
                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder);
    const auto path = folder / name;
    std::ofstream(path, std::ios::binary) << text;
    return path.string();
}

inline void RunScriptText(const std::string& text, ScriptHost& host) {
    RunExtendedScript(WriteScriptFile(text), host);
}

// The declarations most cases start with.
inline std::string Declared(const std::vector<std::string>& names, const std::string& body) {
    std::string text = "%DeclareBeg\n";
    for (const std::string& name : names)
        text += "%New " + name + "\n";
    return text + "%DeclareEnd\n" + body;
}
