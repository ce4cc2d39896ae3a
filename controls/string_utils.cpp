#include "controls/string_utils.h"

#include <QCollator>
#include <QCoreApplication>
#include <QLocale>
#include <QString>
#include <algorithm>
#include <climits>
#include <cstdint>

const CharSet WordDelimiters(" \t\r\n");

CharSet::CharSet(const char* members) : members_(ToChars(members ? members : "")) {}

bool CharSet::Contains(char32_t c) const {
    return members_.find(c) != std::u32string::npos;
}

// ---- Characters -----------------------------------------------------------------------

std::u32string ToChars(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toStdU32String();
}

std::string FromChars(const std::u32string& chars) {
    return QString::fromStdU32String(chars).toUtf8().toStdString();
}

namespace {

using Chars = std::u32string;

Chars Upper(const Chars& chars) {
    return QString::fromStdU32String(chars).toUpper().toStdU32String();
}
Chars Lower(const Chars& chars) {
    return QString::fromStdU32String(chars).toLower().toStdU32String();
}
int Length(const Chars& chars) {
    return static_cast<int>(chars.size());
}

// The upper half of code page 866: letters, box drawing, then the Ukrainian and Belarusian letters.
const char32_t kOemUpperHalf[128] = {
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, 0x0418, 0x0419, 0x041A, 0x041B, 0x041C,
    0x041D, 0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429,
    0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F, 0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436,
    0x0437, 0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, 0x2591, 0x2592, 0x2593, 0x2502,
    0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510, 0x2514,
    0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550,
    0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C,
    0x2588, 0x2584, 0x258C, 0x2590, 0x2580, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F, 0x0401, 0x0451, 0x0404, 0x0454, 0x0407,
    0x0457, 0x040E, 0x045E, 0x00B0, 0x2219, 0x00B7, 0x221A, 0x2116, 0x00A4, 0x25A0, 0x00A0,
};

bool IsBlank(char32_t c) {
    return c == U' ';
}

// Position (1-based) of part in text from start, "?" in part matching any character; 0 when absent.
int FindPartFrom(const Chars& part, const Chars& text, size_t start) {
    if (part.empty() || part.size() > text.size()) return 0;
    for (size_t at = start; at + part.size() <= text.size(); ++at) {
        bool same = true;
        for (size_t k = 0; k < part.size() && same; ++k)
            same = part[k] == U'?' || part[k] == text[at + k];
        if (same) return static_cast<int>(at + 1);
    }
    return 0;
}

Chars CollapseStars(const Chars& mask) {
    Chars out;
    for (char32_t c : mask)
        if (!(c == U'*' && !out.empty() && out.back() == U'*')) out += c;
    return out;
}

// The end of the text equals tail, compared from the right; "?" matches any character.
bool TailMatches(const Chars& tail, const Chars& text, size_t from) {
    if (tail.size() > text.size() - from) return false;
    for (size_t k = 0; k < tail.size(); ++k) {
        const char32_t m = tail[tail.size() - 1 - k];
        if (m != U'?' && m != text[text.size() - 1 - k]) return false;
    }
    return true;
}

char32_t DigitChar(int value) {
    return value < 10 ? static_cast<char32_t>(U'0' + value) : static_cast<char32_t>(U'A' + value - 10);
}

int RomanValue(char32_t c) {
    switch (c) {
    case U'I':
        return 1;
    case U'V':
        return 5;
    case U'X':
        return 10;
    case U'L':
        return 50;
    case U'C':
        return 100;
    case U'D':
        return 500;
    case U'M':
        return 1000;
    default:
        return 0;
    }
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Words: the start (0-based) and length of each maximal run of characters outside delims.
struct Word {
    size_t start, length;
};
std::vector<Word> Words(const Chars& text, const CharSet& delims) {
    std::vector<Word> words;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && delims.Contains(text[i]))
            ++i;
        const size_t start = i;
        while (i < text.size() && !delims.Contains(text[i]))
            ++i;
        if (i > start) words.push_back({start, i - start});
    }
    return words;
}

int Compare(const std::string& a, const std::string& b, Qt::CaseSensitivity sensitivity) {
    QCollator collator(QLocale(QLocale::Russian, QLocale::Russia));
    collator.setCaseSensitivity(sensitivity);
    const int order = collator.compare(QString::fromStdString(a), QString::fromStdString(b));
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}

} // namespace

// ---- Conversions ---------------------------------------------------------------------

std::string StrToOem(const std::string& text) {
    std::string out;
    for (char32_t c : ToChars(text)) {
        if (c < 0x80) {
            out += static_cast<char>(c);
            continue;
        }
        const auto* end = std::end(kOemUpperHalf);
        const auto* found = std::find(std::begin(kOemUpperHalf), end, c);
        out += found == end ? '?' : static_cast<char>(0x80 + (found - std::begin(kOemUpperHalf)));
    }
    return out;
}

std::string OemToAnsiStr(const std::string& oem) {
    Chars out;
    for (char byte : oem) {
        const auto code = static_cast<unsigned char>(byte);
        out += code < 0x80 ? static_cast<char32_t>(code) : kOemUpperHalf[code - 0x80];
    }
    return FromChars(out);
}

// ---- Tests, search and replace -----------------------------------------------------

bool IsEmptyStr(const std::string& text, const CharSet& emptyChars) {
    for (char32_t c : ToChars(text))
        if (!emptyChars.Contains(c)) return false;
    return true;
}

std::string ReplaceStr(const std::string& text, const std::string& search, const std::string& replace) {
    if (search.empty()) return text;
    std::string out;
    size_t from = 0;
    for (size_t at = text.find(search); at != std::string::npos; at = text.find(search, from)) {
        out.append(text, from, at - from);
        out += replace;
        from = at + search.size();
    }
    out.append(text, from, std::string::npos);
    return out;
}

int NPos(const std::string& sub, const std::string& text, int n) {
    const Chars part = ToChars(sub), chars = ToChars(text);
    if (n < 1 || part.empty()) return 0;
    size_t start = 0;
    int found = 0;
    for (int k = 0; k < n; ++k) {
        const size_t at = chars.find(part, start);
        if (at == Chars::npos) return 0;
        found = static_cast<int>(at + 1);
        start = at + 1;
    }
    return found;
}

int FindPart(const std::string& part, const std::string& text) {
    return FindPartFrom(ToChars(part), ToChars(text), 0);
}

bool IsWild(const std::string& textIn, const std::string& maskIn, bool ignoreCase) {
    if (maskIn == textIn) return true;
    Chars mask = CollapseStars(ToChars(maskIn));
    if (mask == U"*") return true;
    Chars text = ToChars(textIn);
    if (ignoreCase) mask = Upper(mask), text = Upper(text);
    if (text.empty() || mask.empty()) return false;
    size_t m = 0, t = 0;
    while (m < mask.size()) {
        if (mask[m] == U'*') {
            const size_t nextStar = mask.find(U'*', m + 1);
            if (nextStar == Chars::npos) return TailMatches(mask.substr(m + 1), text, t);
            const Chars part = mask.substr(m + 1, nextStar - m - 1);
            const int at = FindPartFrom(part, text, t);
            if (at == 0) return false;
            t = static_cast<size_t>(at - 1) + part.size(); // resume after the part found
            m = nextStar;
            continue;
        }
        if (t >= text.size()) return mask.back() == U'*';
        if (mask[m] != U'?' && mask[m] != text[t]) return false;
        ++m, ++t;
    }
    return t >= text.size();
}

// ---- Blanks and padding -----------------------------------------------------------

std::string DelSpace(const std::string& text) {
    return DelChars(text, U' ');
}

std::string DelChars(const std::string& text, char32_t c) {
    Chars chars = ToChars(text);
    std::erase(chars, c);
    return FromChars(chars);
}

std::string DelBSpace(const std::string& text) {
    const Chars chars = ToChars(text);
    size_t start = 0;
    while (start < chars.size() && IsBlank(chars[start]))
        ++start;
    return FromChars(chars.substr(start));
}

std::string DelESpace(const std::string& text) {
    Chars chars = ToChars(text);
    while (!chars.empty() && IsBlank(chars.back()))
        chars.pop_back();
    return FromChars(chars);
}

std::string DelRSpace(const std::string& text) {
    return DelBSpace(DelESpace(text));
}

std::string DelSpace1(const std::string& text) {
    Chars out;
    for (char32_t c : ToChars(text))
        if (!(IsBlank(c) && !out.empty() && IsBlank(out.back()))) out += c;
    return FromChars(out);
}

std::string Tab2Space(const std::string& text, int n) {
    return ReplaceStr(text, "\t", MakeStr(U' ', n));
}

std::string MakeStr(char32_t c, int n) {
    return n < 1 ? std::string() : FromChars(Chars(static_cast<size_t>(n), c));
}

std::string AddChar(char32_t c, const std::string& text, int n) {
    return MakeStr(c, n - Length(ToChars(text))) + text;
}

std::string AddCharR(char32_t c, const std::string& text, int n) {
    return text + MakeStr(c, n - Length(ToChars(text)));
}

std::string LeftStr(const std::string& text, int n) {
    return AddCharR(U' ', text, n);
}

std::string RightStr(const std::string& text, int n) {
    return AddChar(U' ', text, n);
}

std::string CenterStr(const std::string& text, int n) {
    const int length = Length(ToChars(text));
    if (length >= n) return text;
    const int left = n / 2 - length / 2;
    return MakeStr(U' ', left) + text + MakeStr(U' ', n - length - left);
}

// ---- Comparison -------------------------------------------------------------------

int CompStr(const std::string& a, const std::string& b) {
    return Compare(a, b, Qt::CaseSensitive);
}

int CompText(const std::string& a, const std::string& b) {
    return Compare(a, b, Qt::CaseInsensitive);
}

// ---- Pieces and words ------------------------------------------------------------

std::string Copy2Symb(const std::string& text, char32_t symbol) {
    const Chars chars = ToChars(text);
    return FromChars(chars.substr(0, chars.find(symbol)));
}

std::string Copy2SymbDel(std::string& text, char32_t symbol) {
    const std::string result = Copy2Symb(text, symbol);
    text = DelBSpace(FromChars(ToChars(text).substr(ToChars(result).size())));
    return result;
}

std::string Copy2Space(const std::string& text) {
    return Copy2Symb(text, U' ');
}

std::string Copy2SpaceDel(std::string& text) {
    return Copy2SymbDel(text, U' ');
}

std::string AnsiProperCase(const std::string& text, const CharSet& wordDelims) {
    Chars chars = Lower(ToChars(text));
    for (const Word& word : Words(chars, wordDelims))
        chars[word.start] = Upper(Chars(1, chars[word.start]))[0];
    return FromChars(chars);
}

int WordCount(const std::string& text, const CharSet& wordDelims) {
    return static_cast<int>(Words(ToChars(text), wordDelims).size());
}

int WordPosition(int n, const std::string& text, const CharSet& wordDelims) {
    const auto words = Words(ToChars(text), wordDelims);
    if (n < 1 || n > static_cast<int>(words.size())) return 0;
    return static_cast<int>(words[n - 1].start + 1);
}

std::string ExtractWordPos(int n, const std::string& text, const CharSet& wordDelims, int& position) {
    const Chars chars = ToChars(text);
    const auto words = Words(chars, wordDelims);
    if (n < 1 || n > static_cast<int>(words.size())) {
        position = 0;
        return "";
    }
    position = static_cast<int>(words[n - 1].start + 1);
    return FromChars(chars.substr(words[n - 1].start, words[n - 1].length));
}

std::string ExtractWord(int n, const std::string& text, const CharSet& wordDelims) {
    int position = 0;
    return ExtractWordPos(n, text, wordDelims, position);
}

std::string ExtractDelimited(int n, const std::string& text, const CharSet& delims) {
    if (n < 1) return "";
    int field = 1;
    Chars current;
    for (char32_t c : ToChars(text)) {
        if (delims.Contains(c)) {
            if (field == n) return FromChars(current);
            ++field;
            current.clear();
        } else {
            current += c;
        }
    }
    return field == n ? FromChars(current) : std::string();
}

std::string ExtractSubstr(const std::string& text, int& position, const CharSet& delims) {
    const Chars chars = ToChars(text);
    size_t i = position < 1 ? 0 : static_cast<size_t>(position - 1);
    const size_t start = std::min(i, chars.size());
    while (i < chars.size() && !delims.Contains(chars[i]))
        ++i;
    const Chars result = chars.substr(start, i - std::min(start, i));
    if (i < chars.size()) ++i; // past the delimiter
    position = static_cast<int>(std::max(i, start) + 1);
    return FromChars(result);
}

bool IsWordPresent(const std::string& word, const std::string& text, const CharSet& wordDelims) {
    const int count = WordCount(text, wordDelims);
    for (int n = 1; n <= count; ++n)
        if (ExtractWord(n, text, wordDelims) == word) return true;
    return false;
}

std::string QuotedString(const std::string& text, char32_t quote) {
    Chars out(1, quote);
    for (char32_t c : ToChars(text)) {
        out += c;
        if (c == quote) out += c;
    }
    return FromChars(out + quote);
}

std::string ExtractQuotedString(const std::string& text, char32_t quote) {
    const Chars chars = ToChars(text);
    if (chars.empty() || chars[0] != quote) return text;
    Chars out;
    for (size_t i = 1; i < chars.size(); ++i) {
        if (chars[i] == quote) {
            if (i + 1 < chars.size() && chars[i + 1] == quote) {
                out += quote;
                ++i;
                continue;
            }
            break;
        }
        out += chars[i];
    }
    return FromChars(out);
}

// ---- Numbers as text ----------------------------------------------------------------

std::string Numb2USA(const std::string& text) {
    Chars chars = ToChars(text);
    for (int at = Length(chars) - 3; at > 0; at -= 3)
        chars.insert(static_cast<size_t>(at), 1, U',');
    return FromChars(chars);
}

std::string Dec2Hex(int64_t n, int digits) {
    if (n >= INT32_MIN && n <= INT32_MAX) return IntToHex(static_cast<int32_t>(n), digits);
    return IntToHex(n, digits);
}

int64_t Hex2Dec(const std::string& text) {
    const std::string hex = !text.empty() && text[0] == '$' ? text : "$" + text;
    try {
        return StrToInt64(hex);
    } catch (const EConvertError&) {
        return 0;
    }
}

// A base outside 2 .. 36 would never end the division loop (base 1) or divide by zero (base 0).
std::string Dec2Numb(int64_t n, int length, int base) {
    if (base < 2 || base > 36) return "";
    uint64_t magnitude = n < 0 ? 0 - static_cast<uint64_t>(n) : static_cast<uint64_t>(n);
    Chars digits;
    do {
        digits.insert(digits.begin(), DigitChar(static_cast<int>(magnitude % static_cast<uint64_t>(base))));
        magnitude /= static_cast<uint64_t>(base);
    } while (magnitude != 0);
    const std::string padded = AddChar(U'0', FromChars(digits), length);
    return n < 0 ? "-" + padded : padded;
}

int64_t Numb2Dec(const std::string& text, int base) {
    if (base < 2 || base > 36) return 0;
    int64_t result = 0;
    for (char32_t c : Upper(ToChars(text))) {
        int digit = -1;
        if (c >= U'0' && c <= U'9') digit = static_cast<int>(c - U'0');
        if (c >= U'A' && c <= U'Z') digit = static_cast<int>(c - U'A') + 10;
        if (digit < 0 || digit >= base) return 0;
        if (result > (INT64_MAX - digit) / base) return 0; // beyond 64 bits
        result = result * base + digit;
    }
    return result;
}

int RomanToInt(const std::string& text) {
    Chars chars = Upper(ToChars(text));
    const bool negative = !chars.empty() && chars[0] == U'-';
    if (negative) chars.erase(0, 1);
    int64_t result = 0; // each numeral moves it by at most 1000, so the range test below comes in time
    for (size_t i = 0; i < chars.size(); ++i) {
        const int value = RomanValue(chars[i]);
        if (value == 0) return 0;
        const int next = i + 1 < chars.size() ? RomanValue(chars[i + 1]) : 0;
        result += next > value ? -value : value;
        if (result > INT_MAX || result < -INT_MAX) return 0; // beyond the integer range
    }
    return static_cast<int>(negative ? -result : result);
}

std::string IntToRoman(int value) {
    static const struct {
        int value;
        const char* text;
    } kNumerals[] = {{1000, "M"}, {900, "CM"}, {500, "D"}, {400, "CD"}, {100, "C"}, {90, "XC"}, {50, "L"},
                     {40, "XL"},  {10, "X"},   {9, "IX"},  {5, "V"},    {4, "IV"},  {1, "I"}};
    std::string out = value < 0 ? "-" : "";
    int64_t rest = value < 0 ? -static_cast<int64_t>(value) : value;
    for (const auto& numeral : kNumerals)
        for (; rest >= numeral.value; rest -= numeral.value)
            out += numeral.text;
    return out;
}

std::string IntToBin(int64_t value, int digits, int spaces) {
    digits = std::clamp(digits, 0, 32);
    std::string out;
    for (int remaining = digits; remaining >= 1; --remaining) {
        if (spaces > 0 && remaining % spaces == 0) out += ' ';
        out += (static_cast<uint64_t>(value) >> (remaining - 1)) & 1 ? '1' : '0';
    }
    return out;
}

// ---- Exclusive-or coding -------------------------------------------------------------

std::string XorString(const std::string& key, const std::string& text) {
    if (key.empty()) return text;
    std::string out = text;
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<char>(out[i] ^ key[i % key.size()]);
    return out;
}

std::string XorEncode(const std::string& key, const std::string& text) {
    std::string out;
    for (char byte : XorString(key, text))
        out += IntToHex(static_cast<unsigned char>(byte), 2);
    return out;
}

// Pairs that are not hexadecimal read as 0; an odd last digit is ignored.
std::string XorDecode(const std::string& key, const std::string& text) {
    std::string bytes;
    for (size_t i = 0; i + 1 < text.size(); i += 2) {
        const int high = HexValue(text[i]), low = HexValue(text[i + 1]);
        bytes += static_cast<char>(high < 0 || low < 0 ? 0 : high * 16 + low);
    }
    return XorString(key, bytes);
}

// ---- Program arguments ---------------------------------------------------------------

std::string GetCmdLineArg(const std::string& name, const CharSet& switchChars,
                          const std::vector<std::string>& args) {
    const Chars wanted = Upper(ToChars(name));
    // Without switch characters any first character serves as one.
    const bool anySwitch = switchChars.Empty();
    for (size_t i = 0; i + 1 < args.size(); ++i) {
        const Chars arg = ToChars(args[i]);
        if (arg.empty()) continue;
        const bool switched = anySwitch || switchChars.Contains(arg[0]);
        if (switched && Upper(arg.substr(1)) == wanted) return args[i + 1];
    }
    return "";
}

std::string GetCmdLineArg(const std::string& name, const CharSet& switchChars) {
    std::vector<std::string> args;
    const QStringList all = QCoreApplication::arguments();
    for (qsizetype i = 1; i < all.size(); ++i)
        args.push_back(all[i].toStdString());
    return GetCmdLineArg(name, switchChars, args);
}

// ---- Largest and smallest ---------------------------------------------------------------

int MaxInteger(const std::vector<int>& values) {
    return MaxOf(values);
}
int MinInteger(const std::vector<int>& values) {
    return MinOf(values);
}
int64_t MaxInt64(const std::vector<int64_t>& values) {
    return MaxOf(values);
}
int64_t MinInt64(const std::vector<int64_t>& values) {
    return MinOf(values);
}
long double MaxFloat(const std::vector<long double>& values) {
    return MaxOf(values);
}
long double MinFloat(const std::vector<long double>& values) {
    return MinOf(values);
}
TDateTime MaxDateTime(const std::vector<TDateTime>& values) {
    return MaxOf(values);
}
TDateTime MinDateTime(const std::vector<TDateTime>& values) {
    return MinOf(values);
}
