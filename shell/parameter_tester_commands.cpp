#include "shell/parameter_tester_commands.h"

#include <cctype>
#include <initializer_list>

#include "driver/driver.h"
#include "platform/text/text.h"

namespace {

using Call = TesterResult (*)(const std::string& password, const ApiInputs& in);

struct TesterCommand {
    int Code;
    Call Send; // null: the tester sends nothing for this code
};

struct DriverRefusal {
    int Code;
    const char* Message;
};

TesterResult Refused(const std::string& message) {
    return {TesterOutcome::Refused, nullptr, message};
}

// A refusal of the driver that the command names gets its message; any other one still means that
// nothing was sent. The error result is taken by reference: it is read only after the driver
// function, an argument of the same call, has set it.
TesterResult Judge(AnswerRecord* answer, const int& error,
                   std::initializer_list<DriverRefusal> refusals = {}) {
    if (error >= 0 && answer) return {TesterOutcome::Sent, answer, {}};
    for (const DriverRefusal& refusal : refusals)
        if (refusal.Code == error) return Refused(refusal.Message);
    return Refused(NotSentMessage);
}

bool IsDigits(const std::string& text, size_t least, size_t most) {
    if (text.size() < least || text.size() > most) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

bool IsHexDigits(const std::string& text, size_t least, size_t most) {
    if (text.size() < least || text.size() > most) return false;
    for (char c : text)
        if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

bool IsInteger(const std::string& text) {
    try {
        StrToInt(text);
        return true;
    } catch (const EConvertError&) {
        return false;
    }
}

bool IsTaxNumber(const std::string& text) {
    return IsDigits(text, 1, 1) && text[0] <= '4';
}

const char* const kHeaderLineRefused = "Ошибка! Номер строки не более 20!";
const char* const kTaxRefused = "Ошибка! Неверная налоговая ставка";
const char* const kPaymentNumberRefused = "Ошибка! Неверное количество цифр в номере оплаты";
const char* const kArticleIndexRefused = "Ошибка! Неверное количество цифр в индексе товара";
const char* const kBarcodeLength = "Ошибка! Для данного типа штрихкода введите 12 цифр.";
const char* const kModePasswordRefused[] = {
    "Ошибка! Неверное количество цифр в пароле ручных отчетов",
    "Ошибка! Неверное количество цифр в пароле программирования",
    "Ошибка! Неверное количество цифр в пароле отчетов",
    "Ошибка! Неверное количество цифр в пароле администратора",
};

// Register passwords are up to six digits; names up to twenty characters.
constexpr size_t kPasswordDigits = 6;
constexpr size_t kNameLength = 20;

TesterResult SendModePasswords(const std::string&, const ApiInputs& in) {
    for (size_t i = 0; i < 4; ++i)
        if (!IsDigits(in[i], 1, kPasswordDigits)) return Refused(kModePasswordRefused[i]);
    int error = 0;
    return Judge(SetModePsw(in[0], in[1], in[2], in[3], &error), error);
}

TesterResult SendPaymentParams(const std::string& password, const ApiInputs& in) {
    if (!IsDigits(in[0], 1, 2)) return Refused(kPaymentNumberRefused);
    if (!IsHexDigits(in[1], 1, 2)) return Refused("Ошибка! Неверное количество символов в маске разрешений");
    const size_t nameLength = CharCount(in[2]);
    if (nameLength < 1 || nameLength > kNameLength)
        return Refused("Ошибка! Неверное количество цифр в поле название типа оплаты");
    int error = 0;
    const int mask = static_cast<int>(std::stoul(in[1], nullptr, 16));
    return Judge(SetPaymentParams(password, StrToInt(in[0]), mask, in[2], &error), error);
}

TesterResult SendOperatorParams(const std::string& password, const ApiInputs& in) {
    if (!IsInteger(in[0])) return Refused("Ошибка! Неверный номер оператора");
    if (!IsDigits(in[1], 1, kPasswordDigits))
        return Refused("Ошибка! Неверное количество цифр в пароле оператора");
    if (CharCount(in[2]) > kNameLength)
        return Refused("Ошибка! Неверное количество символов в имени оператора");
    int error = 0;
    return Judge(SetOperatorParams(password, StrToInt(in[0]), in[1], in[2], &error), error);
}

TesterResult SendBarcode(const std::string& password, const ApiInputs& in) {
    const int height = StrToIntDef(in[0], 0);
    if (height < 1 || height > 255) return Refused("Ошибка! Высота штрихкода от 1 до 255 пикселей.");
    if (!IsDigits(in[1], 0, in[1].size()))
        return Refused("Ошибка! Разрешается использовать только цифры (0 - 9).");
    if (in[1].size() != 12) return Refused(kBarcodeLength);
    int error = 0;
    return Judge(PrintEAN13Code(password, height, in[1], &error), error, {{RefusalBarcode, kBarcodeLength}});
}

const TesterCommand kCommands[] = {
    {0x20,
     [](const std::string& pw, const ApiInputs& in) {
         int error = 0;
         return Judge(SetDateTime(pw, in[0], in[1], &error), error);
     }},
    {0x21,
     [](const std::string& pw, const ApiInputs&) {
         int error = 0;
         return Judge(GetDateTime(pw, 0, &error), error);
     }},
    {0x22,
     [](const std::string& pw, const ApiInputs& in) {
         int error = 0;
         return Judge(SetHeaderFooter(pw, StrToInt(in[0]), in[1], 0, &error), error,
                      {{RefusalHeaderLine, kHeaderLineRefused}});
     }},
    {0x23,
     [](const std::string& pw, const ApiInputs& in) {
         int error = 0;
         return Judge(GetHeaderFooter(pw, StrToInt(in[0]), &error), error,
                      {{RefusalReadHeaderLine, kHeaderLineRefused}});
     }},
    {0x24, nullptr},
    {0x25,
     [](const std::string& pw, const ApiInputs& in) {
         int error = 0;
         return Judge(GetArticulIndex(pw, StrToInt(in[0]), &error), error);
     }},
    {0x26,
     [](const std::string& pw, const ApiInputs& in) {
         if (!IsDigits(in[0], 1, 5)) return Refused(kArticleIndexRefused);
         int error = 0;
         return Judge(GetArticulDataByIndex(pw, StrToInt(in[0]), &error), error);
     }},
    {0x27, nullptr},
    {0x28,
     [](const std::string& pw, const ApiInputs&) {
         int error = 0;
         return Judge(GetRegistratorParams(pw, &error), error);
     }},
    {0x29,
     [](const std::string& pw, const ApiInputs& in) {
         int error = 0;
         return Judge(SetUserLogo(pw, StrToInt(in[0]), in[1], &error), error,
                      {{RefusalLogoLine, "Ошибка! Номер строки должен быть от 0 до 31!"},
                       {RefusalLogoPixels, "Ошибка! Длина второго параметра должна быть 48 символов!"}});
     }},
    {0x2B, SendModePasswords},
    {0x2C, nullptr},
    {0x2D, SendPaymentParams},
    {0x2E,
     [](const std::string& pw, const ApiInputs& in) {
         if (!IsDigits(in[0], 1, 2)) return Refused(kPaymentNumberRefused);
         int error = 0;
         return Judge(GetPaymentParams(pw, StrToInt(in[0]), &error), error);
     }},
    {0x2F, SendOperatorParams},
    {0x30,
     [](const std::string& pw, const ApiInputs& in) {
         if (!IsDigits(in[0], 1, 2)) return Refused("Ошибка! Неверное количество цифр в индексе оператора");
         int error = 0;
         return Judge(GetOperatorParams(pw, StrToInt(in[0]), &error), error);
     }},
    {0x40,
     [](const std::string& pw, const ApiInputs& in) {
         int error = 0;
         return Judge(Fiscalize(pw, in[0], "", &error), error);
     }},
    {0x41,
     [](const std::string& pw, const ApiInputs& in) {
         int error = 0;
         return Judge(SetSerialNumber(pw, in[0], &error), error);
     }},
    {0x42,
     [](const std::string& pw, const ApiInputs&) {
         int error = 0;
         return Judge(GetSerialNumber(pw, &error), error);
     }},
    {0x43,
     [](const std::string& pw, const ApiInputs& in) {
         int error = 0;
         return Judge(SetFiscalNumber(pw, in[0], &error), error);
     }},
    {0x44,
     [](const std::string& pw, const ApiInputs&) {
         int error = 0;
         return Judge(GetFiscalNumber(pw, &error), error);
     }},
    {0x45,
     [](const std::string& pw, const ApiInputs& in) {
         int error = 0;
         return Judge(SetTaxIdNumber(pw, in[0], in[1], &error), error);
     }},
    {0x46,
     [](const std::string& pw, const ApiInputs&) {
         int error = 0;
         return Judge(GetTaxIdNumber(pw, &error), error);
     }},
    {0x47,
     [](const std::string& pw, const ApiInputs& in) {
         if (!IsTaxNumber(in[0])) return Refused(kTaxRefused);
         int error = 0;
         return Judge(SetTaxes(pw, StrToInt(in[0]), StrToInt(in[1]), in[2], in[3], &error), error);
     }},
    {0x48,
     [](const std::string& pw, const ApiInputs& in) {
         if (!IsTaxNumber(in[0])) return Refused(kTaxRefused);
         int error = 0;
         return Judge(GetTaxes(pw, StrToInt(in[0]), &error), error);
     }},
    {0x60,
     [](const std::string& pw, const ApiInputs&) {
         int error = 0;
         return Judge(OpenNonFiscalReceipt(pw, &error), error);
     }},
    {0x61,
     [](const std::string& pw, const ApiInputs& in) {
         if (CharCount(in[0]) > 30) return Refused("Ошибка! Неверная длина текста");
         int error = 0;
         return Judge(PrintText(pw, in[0], &error), error);
     }},
    {0x62,
     [](const std::string& pw, const ApiInputs&) {
         int error = 0;
         return Judge(CloseNonFiscalReceipt(pw, &error), error);
     }},
    {0x63,
     [](const std::string& pw, const ApiInputs& in) {
         int error = 0;
         return Judge(OpenFiscalReceipt(pw, StrToInt(in[0]), StrToInt(in[1]), StrToInt(in[2]), &error),
                      error);
     }},
    {0x64,
     [](const std::string& pw, const ApiInputs& in) {
         int error = 0;
         return Judge(SellItem(pw, StrToInt(in[0]), in[1], in[2], &error), error);
     }},
    {0x65,
     [](const std::string& pw, const ApiInputs&) {
         int error = 0;
         return Judge(CloseFiscalReceipt(pw, 0, &error), error);
     }},
    {0x66, nullptr},
    {0x6F, SendBarcode},
};

} // namespace

TesterResult RunTesterCommand(int code, const std::string& password, const ApiInputs& inputs) {
    if (code < 0x20 || code > 0x6F) return {TesterOutcome::UnknownCode, nullptr, UnknownCodeMessage};
    for (const TesterCommand& command : kCommands) {
        if (command.Code != code) continue;
        if (!command.Send) return {TesterOutcome::NotSent, nullptr, NotSentMessage};
        return command.Send(password, inputs);
    }
    return {TesterOutcome::UnknownCode, nullptr, UnknownCodeMessage};
}
