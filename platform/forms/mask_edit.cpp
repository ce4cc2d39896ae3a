#include <QLineEdit>

#include "platform/forms/controls.h"

namespace {

constexpr char kQtMetaCharacters[] = "AaNnXx90Dd#HhBb><!\\[]{};";

// One position of the library's mask in Qt's syntax, or "" when the character is not a position.
std::string QtMaskCharacter(char c) {
    switch (c) {
    case '0':
        return "9";
    case '9':
        return "0";
    case '#':
        return "#";
    case 'L':
        return "A";
    case 'l':
        return "a";
    case 'A':
        return "N";
    case 'a':
        return "n";
    case 'C':
        return "X";
    case 'c':
        return "x";
    default:
        return "";
    }
}

std::string QtLiteral(char c) {
    for (const char* meta = kQtMetaCharacters; *meta; ++meta)
        if (*meta == c) return std::string("\\") + c;
    return std::string(1, c);
}

// Splits "mask;save;blank" from the end (the mask itself may hold escaped ";").
void SplitFields(const std::string& text, std::string& mask, bool& saveLiterals, char32_t& blank) {
    std::vector<size_t> separators;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\') {
            ++i;
            continue;
        }
        if (text[i] == ';') separators.push_back(i);
    }
    mask = text;
    if (separators.empty()) return;
    if (separators.size() >= 2) {
        const size_t last = separators.back();
        const std::string blankField = text.substr(last + 1);
        if (!blankField.empty()) blank = static_cast<unsigned char>(blankField[0]);
        separators.pop_back();
    }
    const size_t saveAt = separators.back();
    const std::string saveField = text.substr(saveAt + 1, 1);
    saveLiterals = saveField != "0";
    mask = text.substr(0, saveAt);
}

} // namespace

ParsedMask ParseEditMask(const std::string& text) {
    ParsedMask parsed;
    std::string mask;
    SplitFields(text, mask, parsed.saveLiterals, parsed.blank);
    if (mask.empty()) return parsed;
    std::string qt;
    for (size_t i = 0; i < mask.size(); ++i) {
        const char c = mask[i];
        if (c == '!') continue;
        if (c == '<' && i + 1 < mask.size() && mask[i + 1] == '>') {
            qt += "!";
            ++i;
            continue;
        }
        if (c == '<' || c == '>') {
            qt += c;
            continue;
        }
        std::string position = QtMaskCharacter(c);
        const bool literal = position.empty();
        if (literal) {
            char shown = c;
            if (c == '\\' && i + 1 < mask.size())
                shown = mask[++i];
            else if (c == '/')
                shown = '.';
            else if (c == '_')
                shown = ' ';
            position = QtLiteral(shown);
        }
        qt += position;
        parsed.literalPositions.push_back(literal);
    }
    parsed.qtMask = qt + ";" + FromQ(QString::fromUcs4(&parsed.blank, 1));
    return parsed;
}

void TMaskEdit::SetEditMask(const std::string& mask) {
    editMask_ = mask;
    Line()->setInputMask(ToQ(ParseEditMask(mask).qtMask));
}

std::string TMaskEdit::Text() const {
    const ParsedMask parsed = ParseEditMask(editMask_);
    if (parsed.qtMask.empty()) return TEdit::Text();
    const QString shown = Line()->displayText();
    if (parsed.saveLiterals) return FromQ(shown);
    QString kept;
    for (int i = 0; i < shown.size(); ++i)
        if (i >= static_cast<int>(parsed.literalPositions.size()) || !parsed.literalPositions[i])
            kept += shown[i];
    return FromQ(kept);
}

void TMaskEdit::SetText(const std::string& text) {
    TEdit::SetText(text);
}
