#pragma once
// What the main window's set-up handlers choose for the parameter tester: the command, how many
// input and output parameters it has and a hint for each. One table row per handler.
#include <array>
#include <string>

constexpr int ApiParameterRows = 5;
using ApiHints = std::array<std::string, ApiParameterRows>;

// The choice of the last set-up handler, read by the tester.
struct TApiSetup {
    int ApiCode = 0;
    int ApiInputCount = 0;
    int ApiOutputCount = 0;
    ApiHints ApiInputHints;
    ApiHints ApiOutputHints;
};
extern TApiSetup ApiSetup;

struct ParameterTesterHandler {
    const char* Name; // the handler's name, e.g. "GetDateTime1Click"
    int Code;
    int Inputs;
    int Outputs;
    std::array<const char*, ApiParameterRows> InputHints;  // null past the inputs
    std::array<const char*, ApiParameterRows> OutputHints; // null past the outputs
};

constexpr int ParameterTesterHandlerCount = 33;
extern const std::array<ParameterTesterHandler, ParameterTesterHandlerCount> ParameterTesterHandlers;

// The handler of that name; null when there is none.
const ParameterTesterHandler* FindParameterTesterHandler(const std::string& name);

// Stores the handler's code, counts and hints in ApiSetup; hints it does not name keep their texts.
void ApplyParameterTesterSetup(const ParameterTesterHandler& handler);
