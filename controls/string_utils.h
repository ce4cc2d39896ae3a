#pragma once
// Plain functions over texts, character sets and numbers. Texts are UTF-8; positions and lengths
// count characters, the first character is at position 1.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/text/text.h"

// A set of characters, written as the text of its members: CharSet(" ;,").
class CharSet {
public:
    CharSet() = default;
    CharSet(const char* members);
    CharSet(const std::string& members) : CharSet(members.c_str()) {}
    bool Contains(char32_t c) const;
    bool Empty() const { return members_.empty(); }

private:
    std::u32string members_;
};

// The blanks, tabs and line ends that separate words.
extern const CharSet WordDelimiters;

// ---- Characters ---------------------------------------------------------------
std::u32string ToChars(const std::string& text);
std::string FromChars(const std::u32string& chars);

// ---- Conversions ---------------------------------------------------------------
// Between text and the DOS code page 866 (one byte per character; characters it lacks become '?').
std::string StrToOem(const std::string& text);
std::string OemToAnsiStr(const std::string& oem);

// ---- Tests, search and replace ------------------------------------------------
bool IsEmptyStr(const std::string& text, const CharSet& emptyChars);
std::string ReplaceStr(const std::string& text, const std::string& search, const std::string& replace);
int NPos(const std::string& sub, const std::string& text, int n);
int FindPart(const std::string& part, const std::string& text);
bool IsWild(const std::string& text, const std::string& mask, bool ignoreCase);

// ---- Blanks and padding ---------------------------------------------------------
std::string DelSpace(const std::string& text);
std::string DelChars(const std::string& text, char32_t c);
std::string DelBSpace(const std::string& text);
std::string DelESpace(const std::string& text);
std::string DelRSpace(const std::string& text);
std::string DelSpace1(const std::string& text);
std::string Tab2Space(const std::string& text, int n);
std::string MakeStr(char32_t c, int n);
inline std::string MS(char32_t c, int n) {
    return MakeStr(c, n);
}
std::string AddChar(char32_t c, const std::string& text, int n);
std::string AddCharR(char32_t c, const std::string& text, int n);
std::string LeftStr(const std::string& text, int n);
std::string RightStr(const std::string& text, int n);
std::string CenterStr(const std::string& text, int n);

// ---- Comparison (Russian collation, independent of the process locale) -----------
int CompStr(const std::string& a, const std::string& b);
int CompText(const std::string& a, const std::string& b);

// ---- Pieces and words -------------------------------------------------------------
std::string Copy2Symb(const std::string& text, char32_t symbol);
std::string Copy2SymbDel(std::string& text, char32_t symbol);
std::string Copy2Space(const std::string& text);
std::string Copy2SpaceDel(std::string& text);
std::string AnsiProperCase(const std::string& text, const CharSet& wordDelims);
int WordCount(const std::string& text, const CharSet& wordDelims);
int WordPosition(int n, const std::string& text, const CharSet& wordDelims);
std::string ExtractWord(int n, const std::string& text, const CharSet& wordDelims);
std::string ExtractWordPos(int n, const std::string& text, const CharSet& wordDelims, int& position);
std::string ExtractDelimited(int n, const std::string& text, const CharSet& delims);
std::string ExtractSubstr(const std::string& text, int& position, const CharSet& delims);
bool IsWordPresent(const std::string& word, const std::string& text, const CharSet& wordDelims);
std::string QuotedString(const std::string& text, char32_t quote);
std::string ExtractQuotedString(const std::string& text, char32_t quote);

// ---- Numbers as text ------------------------------------------------------------------
std::string Numb2USA(const std::string& text);
std::string Dec2Hex(int64_t n, int digits);
inline std::string D2H(int64_t n, int digits) {
    return Dec2Hex(n, digits);
}
int64_t Hex2Dec(const std::string& text);
inline int64_t H2D(const std::string& text) {
    return Hex2Dec(text);
}
// Bases 2 to 36; other bases give "" and 0.
std::string Dec2Numb(int64_t n, int length, int base);
// A text that is no number of the base, or whose value is beyond 64 bits, gives 0.
int64_t Numb2Dec(const std::string& text, int base);
// A text with another letter, or whose value is beyond the integer range, gives 0.
int RomanToInt(const std::string& text);
std::string IntToRoman(int value);
std::string IntToBin(int64_t value, int digits, int spaces);

// ---- Exclusive-or coding ---------------------------------------------------------------
// Byte-wise on the UTF-8 bytes of text and key.
std::string XorString(const std::string& key, const std::string& text);
std::string XorEncode(const std::string& key, const std::string& text);
std::string XorDecode(const std::string& key, const std::string& text);

// ---- Program arguments -----------------------------------------------------------------
// The argument after "<switch character><name>"; args are the program's arguments without the program.
std::string GetCmdLineArg(const std::string& name, const CharSet& switchChars);
std::string GetCmdLineArg(const std::string& name, const CharSet& switchChars,
                          const std::vector<std::string>& args);

// ---- Largest and smallest --------------------------------------------------------------
template <class T> void SwapValues(T& a, T& b) {
    T kept = a;
    a = b;
    b = kept;
}
inline void SwapInt(int& a, int& b) {
    SwapValues(a, b);
}
inline void SwapInt64(int64_t& a, int64_t& b) {
    SwapValues(a, b);
}
inline void SwapLong(long& a, long& b) {
    SwapValues(a, b);
}
inline int Max(int a, int b) {
    return a > b ? a : b;
}
inline int Min(int a, int b) {
    return a < b ? a : b;
}
// The largest / smallest element; an empty list gives the type's zero.
int MaxInteger(const std::vector<int>& values);
int MinInteger(const std::vector<int>& values);
int64_t MaxInt64(const std::vector<int64_t>& values);
int64_t MinInt64(const std::vector<int64_t>& values);
long double MaxFloat(const std::vector<long double>& values);
long double MinFloat(const std::vector<long double>& values);
TDateTime MaxDateTime(const std::vector<TDateTime>& values);
TDateTime MinDateTime(const std::vector<TDateTime>& values);
// The same for a list of any comparable values (the library's variant lists).
template <class T> T MaxOf(const std::vector<T>& values) {
    T result{};
    for (size_t i = 0; i < values.size(); ++i)
        if (i == 0 || result < values[i]) result = values[i];
    return result;
}
template <class T> T MinOf(const std::vector<T>& values) {
    T result{};
    for (size_t i = 0; i < values.size(); ++i)
        if (i == 0 || values[i] < result) result = values[i];
    return result;
}
