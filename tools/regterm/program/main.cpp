// regterm: a simulated bank card terminal on a pseudo-terminal, for trying card payments without a
// terminal. Prints the port's path as its first line, then one line per sale request received
// ("request " and the body, each field separator shown as "|"), until SIGTERM or SIGINT.
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "tools/ptyserve/program.h"
#include "tools/regterm/cp1251.h"
#include "tools/regterm/terminal_simulator.h"

namespace {

const char kUsage[] =
    "Usage: regterm [--answer MODE] [--cp1251] [--card-field NN=VALUE]... [--sale-field NN=VALUE]...\n"
    "               [--help]\n"
    "A simulated bank card terminal on a pseudo-terminal. Prints the path of its port as the first\n"
    "line, then each sale request received, until SIGTERM or SIGINT.\n"
    "  --answer MODE           approve (default), decline, silent, oversized or out-of-order\n"
    "  --card-field NN=VALUE   a field of the card's answer (00 session, 01 card number tail,\n"
    "                          02 receipt line, 04 card type)\n"
    "  --sale-field NN=VALUE   a field of the decision (58 transaction identifier)\n"
    "  --cp1251                send the field values of the options in CP1251 (given as UTF-8)\n"
    "  --help                  print this text and exit\n";

const std::map<std::string, regterm::Behaviour> kModes = {
    {"approve", regterm::Behaviour::Approve},         {"decline", regterm::Behaviour::Decline},
    {"silent", regterm::Behaviour::Silent},           {"oversized", regterm::Behaviour::Oversized},
    {"out-of-order", regterm::Behaviour::OutOfOrder},
};

struct FieldOption {
    bool card;
    std::string text; // "NN=VALUE"
};

// "NN=VALUE" with a two-character tag; the value in CP1251 when asked and it has such bytes.
bool SetField(regterm::TerminalSimulator& terminal, const FieldOption& field, bool cp1251) {
    const std::string& text = field.text;
    if (text.size() < 3 || text[2] != '=') return false;
    std::optional<std::string> value = text.substr(3);
    if (cp1251) value = regterm::Utf8ToCp1251(*value);
    if (!value) return false;
    terminal.SetField(field.card, text.substr(0, 2), *value);
    return true;
}

bool ParseOptions(int argc, char** argv, regterm::TerminalSimulator& terminal, bool& help) {
    std::vector<FieldOption> fields;
    bool cp1251 = false;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const bool hasValue = i + 1 < argc;
        if (option == "--help") {
            help = true;
        } else if (option == "--answer" && hasValue && kModes.count(argv[i + 1])) {
            terminal.SetBehaviour(kModes.at(argv[++i]));
        } else if (option == "--cp1251") {
            cp1251 = true;
        } else if ((option == "--card-field" || option == "--sale-field") && hasValue) {
            fields.push_back({option == "--card-field", argv[++i]});
        } else {
            std::fprintf(stderr, "regterm: unknown option or bad value: %s\n", option.c_str());
            return false;
        }
    }
    for (const FieldOption& field : fields)
        if (!SetField(terminal, field, cp1251)) {
            std::fprintf(stderr, "regterm: bad field value: %s\n", field.text.c_str());
            return false;
        }
    return true;
}

std::string Printable(std::string body) {
    if (!body.empty() && body[0] == 0x02) body.erase(0, 1);
    for (char& c : body)
        if (c == 0x1C) c = '|';
    return body;
}

} // namespace

int main(int argc, char** argv) {
    regterm::TerminalSimulator terminal;
    bool help = false;
    const bool parsed = ParseOptions(argc, argv, terminal, help);
    if (const auto exit = ptyserve::UsageExit(parsed, help, kUsage)) return *exit;
    terminal.SetRequestLog([](const std::string& body) {
        std::printf("request %s\n", Printable(body).c_str());
        std::fflush(stdout);
    });
    return ptyserve::ServeUntilStopped("regterm", terminal);
}
