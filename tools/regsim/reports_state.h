#pragma once
// What the simulated register keeps for its reports and copies: the cash in the drawer and the
// electronic journal's documents.
#include <cstdint>
#include <string>
#include <vector>

namespace regsim {

struct JournalDocument {
    int Number = 0;
    std::string Date; // DDMMYY
    std::string Time; // HHMM
};

struct ReportsState {
    int64_t Cash = 0; // kopecks in the drawer
    std::vector<JournalDocument> Journal;
    int TapeClears = 0; // control tape cleared (A1h type 2)
};

} // namespace regsim
