// Paying the open receipt: in cash by one command, or by card through the bank terminal, whose
// transaction identifier books the payment in the register.
#include "dialogs/fiscal/fiscal_receipt.h"
#include "dialogs/fiscal/terminal_exchange.h"
#include "dialogs/fiscal/terminal_protocol.h"
#include "driver/driver.h"
#include "driver/frame.h"
#include "shell/typed_fields.h"

namespace {
constexpr unsigned CardPaymentCommand = 0x78;
constexpr size_t IdentifierLength = 20;
const std::string kBadPayment = "Ошибочный тип оплаты";
const std::string kCardFailure = "Ошибка оплаты банковской картой!";

bool CardPaymentPossible() {
    const std::string& version = Session.FirmwareVersion;
    return version.find("4.00") != std::string::npos || version.find("5.00") != std::string::npos ||
           Session.ElJournal == "КСЕФ";
}

// A value that stays one field of a register command: no ";" and no control character.
bool FitsOneField(const std::string& value) {
    for (unsigned char c : value)
        if (c == ';' || c < 0x20 || c == 0x7F) return false;
    return true;
}

// A command's data text that a frame carries.
bool FitsFrame(const std::string& data) {
    return Utf8ToCp1251(data).size() <= MaxCommandDataLength;
}

// "12345678" is printed "1234 5678".
std::string CardTailText(const std::string& tail) {
    if (CharCount(tail) < 5) return tail;
    const std::string head = CharLeft(tail, 4);
    return head + " " + tail.substr(head.size());
}

std::vector<std::string> CardLines(const TerminalSale& sale) {
    return {sale.CardType + " CARD", "**** **** " + CardTailText(sale.CardTail), sale.CardLine};
}
} // namespace

void TForm21::Button8Click() {
    if (!FieldsAccepted({{"Пароль:", Edit1.Text()}})) return;
    DecimalSeparator = '.';
    int type = 0;
    double amount = 0;
    try {
        type = StrToInt(ComboBox1.Text());
        amount = StrToFloat(Edit8.Text());
    } catch (const EConvertError&) {
        ShowMessage(kBadPayment);
        return;
    }
    if (!CardPaymentPossible() || type == 0)
        PayInCash(type, amount);
    else if (CheckBox3.Checked())
        PayWithTypedIdentifier(type, amount);
    else
        PayByCard(type, amount);
}

void TForm21::PayInCash(int type, double amount) {
    int refused = 0;
    AnswerRecord* answer = MakePayment(Edit1.Text(), type, amount, &refused);
    if (refused < 0) {
        Edit7.Clear();
        ShowMessage(kBadPayment);
        return;
    }
    Judge(answer, 0, "Таймаут устройства! Ошибка оплаты чека!", "Ошибка оплаты чека");
}

void TForm21::PayWithTypedIdentifier(int type, double amount) {
    if (!AmountInKopecks(amount)) {
        ShowMessage(kBadPayment);
        return;
    }
    const std::string identifier = CharLeft(Edit13.Text(), IdentifierLength);
    if (!FieldsAccepted({{"Идентификатор транзакций", identifier}})) return;
    if (!FitsOneField(identifier) || identifier.empty() || !FitsFrame(CardPaymentData(type, identifier))) {
        ShowMessage(kCardFailure);
        return;
    }
    BookCardPayment(type, identifier);
}

void TForm21::PayByCard(int type, double amount) {
    const auto kopecks = AmountInKopecks(amount);
    if (!kopecks) {
        ShowMessage(kBadPayment);
        return;
    }
    const auto sale = TerminalExchange(*this, *kopecks);
    if (!sale || !Bookable(*sale, type)) {
        ShowMessage(kCardFailure);
        return;
    }
    if (!CheckBox4.Checked()) PrintLines(CardLines(*sale));
    if (!BookCardPayment(type, sale->TransactionId)) return;
    if (!CheckBox4.Checked())
        PrintLines({"ПІДПИС", "КАСИРА . . . . . . . . ", "ПІДПИС", "КЛІЄНТА. . . . . . . . "});
}

// Only an approved sale is booked, and only with values that keep their commands' fields.
bool TForm21::Bookable(const TerminalSale& sale, int type) const {
    if (sale.TransactionId.empty() || !FitsOneField(sale.TransactionId)) return false;
    if (!FitsFrame(CardPaymentData(type, sale.TransactionId))) return false;
    if (CheckBox4.Checked()) return true;
    for (const std::string& line : CardLines(sale))
        if (!FitsOneField(line) || !FitsFrame(Edit1.Text() + ";" + line + ";")) return false;
    return true;
}

std::string TForm21::CardPaymentData(int type, const std::string& identifier) const {
    return Edit1.Text() + ";" + IntToStr(type) + ";" + Edit8.Text() + ";" + identifier + ";";
}

// The payment's answer is judged at once, before printed lines overwrite the shared answer.
bool TForm21::BookCardPayment(int type, const std::string& identifier) {
    AnswerRecord* answer = SendCommand(CardPaymentCommand, CardPaymentData(type, identifier));
    return Judge(answer, 0, "Таймаут устройства! Ошибка оплаты банковской картой!",
                 "Ошибка оплаты чека банковской картой");
}

// Printed lines are not judged one by one: the payment's answer decides.
void TForm21::PrintLines(const std::vector<std::string>& lines) {
    for (const std::string& line : lines)
        PrintText(Edit1.Text(), line, nullptr);
}
