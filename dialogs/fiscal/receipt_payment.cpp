// Paying the open receipt: in cash by one command, or by card through the bank terminal, whose
// transaction identifier books the payment in the register.
#include "dialogs/fiscal/fiscal_receipt.h"
#include "dialogs/fiscal/money_amount.h"
#include "dialogs/fiscal/terminal_exchange.h"
#include "driver/driver.h"
#include "shell/command_sequence.h"
#include "shell/typed_fields.h"

namespace {
constexpr unsigned CardPaymentCommand = 0x78;
constexpr size_t IdentifierLength = 20;
// The longest transaction identifier a terminal is expected to return: room the booking keeps for it
// before the card is charged. Terminals' identifiers run to a few dozen characters; a longer one is
// still booked when it fits, and named to cancel on the terminal when it does not.
constexpr size_t LongestTerminalIdentifier = 64;
const std::string kBadPayment = "Ошибочный тип оплаты";
const std::string kAmountField = "Величина оплаты";
const std::string kCardFailure = "Ошибка оплаты банковской картой!";
const std::string kBookingTimeout = "Таймаут устройства! Ошибка оплаты банковской картой!";
const std::string kBookingError = "Ошибка оплаты чека банковской картой";
const std::vector<std::string> kSignatureLines = {"ПІДПИС", "КАСИРА . . . . . . . . ", "ПІДПИС",
                                                  "КЛІЄНТА. . . . . . . . "};

bool CardPaymentPossible() {
    const std::string& version = Session.FirmwareVersion;
    return version.find("4.00") != std::string::npos || version.find("5.00") != std::string::npos ||
           Session.ElJournal == "КСЕФ";
}

// A value that stays one field of a register command: no ";" and no control character (C1 included).
bool FitsOneField(const std::string& value) {
    for (size_t i = 0; i < value.size(); ++i) {
        const auto c = static_cast<unsigned char>(value[i]);
        if (c == ';' || c < 0x20 || c == 0x7F) return false;
        if (c == 0xC2 && i + 1 < value.size() && static_cast<unsigned char>(value[i + 1]) < 0xA0)
            return false;
    }
    return true;
}

// The register books the identifier it is given: one that its code page would change is refused.
bool IdentifierCarried(const std::string& identifier) {
    return !identifier.empty() && FitsOneField(identifier) && Utf8ToCp1251Exact(identifier).has_value();
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

// The customer has paid on the terminal: the operator learns what to cancel there.
std::string ApprovedSale(const MoneyAmount& amount, const std::string& identifier) {
    return "Сумма: " + amount.Text + "\nИдентификатор транзакции: " + identifier;
}

std::string ApprovedNotBooked(const std::string& reason, const MoneyAmount& amount,
                              const std::string& identifier) {
    return reason + "\nТерминал одобрил оплату банковской картой, но в чеке она не проведена.\n" +
           ApprovedSale(amount, identifier) + "\nОтмените оплату на терминале.";
}
} // namespace

void TForm21::Button8Click() {
    if (!FieldsAccepted({{"Пароль:", Edit1.Text()}})) return;
    DecimalSeparator = '.';
    int type = 0;
    try {
        type = StrToInt(ComboBox1.Text());
    } catch (const EConvertError&) {
        ShowMessage(kBadPayment);
        return;
    }
    // One amount for cash, the terminal and the register, checked before anything goes out; the
    // field keeps what was typed.
    const auto amount = ParseMoneyAmount(Edit8.Text());
    if (!amount) {
        ShowMessage(MoneyAmountMessage(kAmountField));
        return;
    }
    if (!CardPaymentPossible() || type == 0)
        PayInCash(type, *amount);
    else if (CheckBox3.Checked())
        PayWithTypedIdentifier(type, *amount);
    else
        PayByCard(type, *amount);
}

void TForm21::PayInCash(int type, const MoneyAmount& amount) {
    int refused = 0;
    AnswerRecord* answer = MakePayment(Edit1.Text(), type, amount.Value(), &refused);
    if (refused == RefusalOutOfRange) {
        StoreAnswer(answer);
        Edit7.Clear();
        ShowMessage(kBadPayment);
        return;
    }
    Judge(answer, refused, "Таймаут устройства! Ошибка оплаты чека!", "Ошибка оплаты чека");
}

void TForm21::PayWithTypedIdentifier(int type, const MoneyAmount& amount) {
    const std::string identifier = CharLeft(Edit13.Text(), IdentifierLength);
    if (!FieldsAccepted({{"Идентификатор транзакций", identifier}})) return;
    if (!IdentifierCarried(identifier)) {
        ShowMessage(kCardFailure);
        return;
    }
    if (!CardCommandsFormable(type, amount, identifier, false)) return;
    BookCardPayment(type, amount, identifier, kBookingTimeout, kBookingError);
}

void TForm21::PayByCard(int type, const MoneyAmount& amount) {
    const std::string longestIdentifier(LongestTerminalIdentifier, '0');
    if (!CardCommandsFormable(type, amount, longestIdentifier, !CheckBox4.Checked())) return;
    const auto sale = TerminalExchange(*this, amount.Kopecks);
    if (!sale || sale->TransactionId.empty()) {
        ShowMessage(kCardFailure);
        return;
    }
    const std::string& identifier = sale->TransactionId;
    if (!Bookable(*sale, type, amount)) {
        ShowMessage(
            ApprovedNotBooked("Ответ терминала не может быть передан регистратору.", amount, identifier));
        return;
    }
    if (!CheckBox4.Checked()) PrintLines(CardLines(*sale));
    // No answer leaves open whether the register booked the payment: the operator checks first.
    const std::string timeoutText =
        kBookingTimeout + "\nТерминал одобрил оплату банковской картой, регистратор не ответил.\n" +
        ApprovedSale(amount, identifier) + "\nПроверьте чек, прежде чем отменять оплату на терминале.";
    if (!BookCardPayment(type, amount, identifier, timeoutText,
                         ApprovedNotBooked(kBookingError, amount, identifier)))
        return;
    if (!CheckBox4.Checked()) PrintLines(kSignatureLines);
}

// What the register gets besides the terminal's answer is formed before the card is charged: the
// booking with this identifier (for the terminal's, one as long as the longest it may return) and
// the signature lines when they are printed.
bool TForm21::CardCommandsFormable(int type, const MoneyAmount& amount, const std::string& identifier,
                                   bool signatureLines) {
    return CommandSequence().Formable([&] {
        SendPrepared(CardPaymentCommand, CardPaymentData(type, amount, identifier), nullptr);
        if (signatureLines) PrintLines(kSignatureLines);
    });
}

// Only values that keep their commands' fields, and an identifier the register gets unchanged.
bool TForm21::Bookable(const TerminalSale& sale, int type, const MoneyAmount& amount) const {
    if (!IdentifierCarried(sale.TransactionId)) return false;
    if (!FitsInFrame(CardPaymentData(type, amount, sale.TransactionId))) return false;
    if (CheckBox4.Checked()) return true;
    for (const std::string& line : CardLines(sale))
        if (!FitsOneField(line) || !FitsInFrame(Edit1.Text() + ";" + line + ";")) return false;
    return true;
}

std::string TForm21::CardPaymentData(int type, const MoneyAmount& amount,
                                     const std::string& identifier) const {
    return Edit1.Text() + ";" + IntToStr(type) + ";" + amount.Text + ";" + identifier + ";";
}

// The payment's answer is judged at once, before printed lines overwrite the shared answer.
bool TForm21::BookCardPayment(int type, const MoneyAmount& amount, const std::string& identifier,
                              const std::string& timeoutText, const std::string& errorText) {
    AnswerRecord* answer = SendCommand(CardPaymentCommand, CardPaymentData(type, amount, identifier));
    return Judge(answer, 0, timeoutText, errorText);
}

// Printed lines are not judged one by one: the payment's answer decides.
void TForm21::PrintLines(const std::vector<std::string>& lines) {
    for (const std::string& line : lines)
        PrintText(Edit1.Text(), line, nullptr);
}
