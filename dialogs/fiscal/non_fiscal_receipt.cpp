#include "dialogs/fiscal/non_fiscal_receipt.h"

#include "driver/driver.h"
#include "platform/text/text.h"
#include "shell/command_sequence.h"
#include "shell/session.h"
#include "shell/typed_fields.h"

TForm8* Form8 = nullptr;

namespace {
constexpr size_t kLineCharacters = 39;
} // namespace

std::string PrintedLine(const std::string& line) {
    std::string text;
    size_t characters = 0;
    for (size_t i = 0; i < line.size() && characters < kLineCharacters; ++characters) {
        size_t length = 1;
        while (i + length < line.size() && (static_cast<unsigned char>(line[i + length]) & 0xC0) == 0x80)
            ++length;
        if (line[i] != ';') text += line.substr(i, length);
        i += length;
    }
    return text;
}

TForm8::TForm8() {
    SetCaption("Нефискальный чек");
    SetPosition(poScreenCenter);
    Edit1.SetText(DefaultPassword);
    Label1.SetCaption("Строки для печати в нефискальном чеке:");
    Memo1.SetScrollBars(ssVertical);
    Button2.SetCaption("Печать чека:");
    Button1.SetCaption("Закрыть");
    Column main(*this);
    main.Add(Label1).Add(Memo1);
    main.Field("Пароль:", Edit1);
    main.Buttons({&Button2, &Button1});
    Button2.OnClick = [this] { Button2Click(); };
    Button1.OnClick = [this] { Close(); };
    Memo1.OnKeyPress = [this](char32_t& key) { Memo1KeyPress(key); };
}

void TForm8::Memo1KeyPress(char32_t& key) {
    if (key == U';')
        MessageBox("; - недопустимый символ, \n   будет удален при печати чека!", "Ввод текста", MB_OK);
}

void TForm8::Button2Click() {
    if (!FieldsAccepted({{"Пароль:", Edit1.Text()}})) return;
    const std::string password = Edit1.Text();
    std::vector<std::string> lines;
    for (int i = 0; i < Memo1.Lines().Count(); ++i)
        lines.push_back(PrintedLine(Memo1.Lines()[i]));
    CommandSequence sequence;
    const bool formable = sequence.Formable([&] {
        OpenNonFiscalReceipt(password, nullptr);
        for (const std::string& line : lines)
            PrintText(password, line, nullptr);
        CloseNonFiscalReceipt(password, nullptr);
    });
    if (!formable) return;
    if (!CheckAnswer(OpenNonFiscalReceipt(password, nullptr), AnswerCheck().In(sequence, "открытие чека")))
        return;
    for (size_t i = 0; i < lines.size(); ++i) {
        AnswerRecord* answer = PrintText(password, lines[i], nullptr);
        if (CheckAnswer(answer, AnswerCheck().In(sequence, "строка " + std::to_string(i + 1)))) continue;
        // A refused line still closes the receipt, so that the register is not left in it; after no
        // answer at all there is nobody to close it with.
        if (answer->Answered()) CheckAnswer(CloseNonFiscalReceipt(password, nullptr));
        return;
    }
    CheckAnswer(CloseNonFiscalReceipt(password, nullptr), AnswerCheck().In(sequence, "закрытие чека"));
}
