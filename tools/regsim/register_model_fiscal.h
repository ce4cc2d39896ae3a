#pragma once
// The register's fiscal side: its fiscal (flash) memory, the fiscal parameters, the fiscal mode, and
// the short spells in which it answers nothing (a restart) or refuses everything (busy after
// fiscalisation).
#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace regsim {

// 1 MB of flash, erased to FFh by the clear command.
inline constexpr size_t kFiscalMemorySize = size_t{1} << 20;
inline constexpr size_t kFiscalBlockMax = 50; // bytes per read or write command

// The known content of a new register's fiscal memory: no period of 256, so a block read from the
// wrong address never matches by chance.
uint8_t FiscalMemoryPattern(size_t address);
std::vector<uint8_t> PatternedFiscalMemory();

struct TaxGroup {
    int Kind = 0;              // kind code 0..7, sent as two hex digits, answered in decimal
    std::string Rate = "0.00"; // as the register keeps it: up to two decimals
    std::string Name;          // up to 19 characters
    int Linked = -1;           // the linked tax group 0..4, -1 for none
};

struct FiscalData {
    std::vector<uint8_t> Memory = PatternedFiscalMemory();
    bool FiscalMode = false;
    std::string InspectorPassword; // set by fiscalisation, changed by 40h in fiscal mode
    std::string IdNumber;          // identification number (46h field 1); the tax number is 80h's
    std::array<TaxGroup, 5> Taxes = {TaxGroup{1, "20.00", "ПДВ_А"}, TaxGroup{1, "0.00", "ПДВ_Б"},
                                     TaxGroup{0, "0.00", "ПДВ_В"}, TaxGroup{0, "0.00", "ПДВ_Г"},
                                     TaxGroup{0, "0.00", "ПДВ_Д"}};
    bool ClockSet = false;      // the factory number is written only after the clock was set once
    int BusyAfterFiscalize = 2; // commands refused while fiscalisation is written into the memory
    int BusyLeft = 0;
    unsigned RestartMs = 0; // real milliseconds of silence after the restart command (the program: 1500)
    std::chrono::steady_clock::time_point RestartEnds{};
};

} // namespace regsim
