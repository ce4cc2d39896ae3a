#pragma once
// The goods script: a plain script that programs a range of articles (24h) and sells a range of them
// in one fiscal receipt (63h, 64h ..., 6Ch, 6Dh, 67h, 65h). Each line is the command code in two
// hexadecimal digits followed by the command's data text as its formatter prints it (the password,
// ";", each parameter followed by ";"), so the monitor sends exactly what the formatter would.
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>

// Codes from First to Last in steps of Step.
struct GoodsRange {
    int64_t First = 1;
    int64_t Last = 1;
    int64_t Step = 1;
};

// How many codes the range visits; 0 when Last is below First or Step is not above 0. Never
// overflows: a count beyond 64 bits is given as INT64_MAX.
int64_t CodesInRange(const GoodsRange& range);
// The most codes one range may visit, each a line of the script: about 10 MB of script, written in
// seconds, and far more articles than a register keeps.
inline constexpr int64_t GoodsRangeLimit = 100000;
// The range has a step above 0 and visits at most GoodsRangeLimit codes.
bool RangeFits(const GoodsRange& range);
// The sum to pay for the sold range: its number of codes times the price, in kopecks' precision.
double PaymentForRange(const GoodsRange& sold, double price);

struct GoodsScript {
    bool ProgramGoods = true;
    GoodsRange Programmed;
    std::string ProgrammingPassword;
    std::string NamePrefix; // the name is the prefix followed by the code
    double Price = 0.01;
    int TaxGroup = 0;
    int GoodsGroup = 1;

    bool SellGoods = true;
    GoodsRange Sold;
    std::string SalePassword;
    int OperatorNumber = 1;
    double PaymentSum = 0.01;
    int PaymentType = 0;
};

enum class GoodsStage { Programming, Selling };
// Called before the first line of a stage (done 0) and after each article line of it.
using GoodsProgress = std::function<void(GoodsStage stage, int64_t done, int64_t total)>;

// Writes the script's lines, each ended by "\n". A range that does not fit (RangeFits) is the
// caller's to refuse: its part is left out here.
void WriteGoodsScript(const GoodsScript& script, std::ostream& out, const GoodsProgress& progress = {});
