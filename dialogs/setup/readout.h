#pragma once
// The buffered read-out of register data into a file: E7h chooses the source and tells its size,
// then E8h brings numbered packets until one without data. Each packet's bytes are unescaped and
// written as they arrive, to a temporary that takes the file's place when the transfer ends, the way
// cp overwrites a file (platform/files). Shared by the firmware, public key and document windows.
#include <functional>
#include <optional>
#include <string>

#include "dialogs/setup/readout_packet.h"

class TEdit;

struct ReadoutRequest {
    int Function = 0; // E7h sub-function
    int Number = 0;   // E7h number, where the function takes one
    std::string Password;
    std::string Path;                   // the file to write
    TEdit* ErrorEdit = nullptr;         // "Код ошибки:"
    std::function<bool()> Stopped{};    // asked before each packet; empty: never stops
    std::function<void(int)> Started{}; // the size the register announced
    std::function<void(int)> Written{}; // bytes written so far
};

enum class ReadoutResult { Done, Failed, Stopped };

// Runs the read-out and shows every failure; Done only when every announced byte reached the file.
// A transfer that ends early leaves the file holding the packets that came; one that brought no byte,
// or whose bytes could not all be written, leaves an existing file as it was and makes none.
ReadoutResult ReadOut(const ReadoutRequest& request);
