#include "driver/decoder.h"

#include <array>
#include <optional>
#include <span>
#include <string_view>

#include "driver/formatters.h"
#include "platform/text/text.h"

namespace {

using Texts = std::span<const std::string_view>;

constexpr std::string_view UnknownDetailText = "Неизвестная ошибка!";

constexpr std::string_view HardwareTexts[] = {
    "Неопределенная ошибка оборудования!",
    "Ошибка принтера!",
    "Ошибка RAM!",
    "Ошибка контрольной суммы памяти программы!",
    "Ошибка Flash памяти!",
    "Ошибка дисплея!",
    "Ошибка часов, необходимо скорректировать время!",
    "Ошибка, возникшая в связи с понижением напряжения питания!",
    "SIM: отказ оборудования!",
    "MMC: отказ оборудования!",
};

constexpr std::string_view CommandTexts[] = {
    "Нет команды с таким кодом!",
    "Данная функция не поддерживается!",
    "В сообщении нет данных",
    "Переполнение буфера приемника/передатчика!",
};

constexpr std::string_view FiscalMemoryTexts[] = {
    "Нет свободного места для записи в ФП!",
    "Ошибка записи в фискальную память!",
    "Заводской номер не установлен!",
    "Дата текущей записи более ранняя \n   чем дата предыдущей записи!",
    "Запрещен выход за пределы суток!",
    "Данные в фискальной памяти неверны!",
    "Фискальная память исчерпана!",
    "Данная команда выполняется только в фискальном режиме!",
    "Дата и время не были установлены \nс момента последнего аварийного обнуления ОЗУ!",
    "С начала смены прошло более 24х часов!",
    "Необходимо скорректировать время!",
    "Ошибка в формате таблицы!",
    "ДОшибка в формате даты!",
    "Ошибка в формате времени!",
    "Устанавливаемое время меньше текущего!",
};

constexpr std::string_view ModeTexts[] = {
    "Неверный режим регистратора (перемычка)!",
    "Команда невыполнима в данном состоянии смены!",
    "Необходимо выгрузить контрольную ленту (бумажную/подписанную)!",
    "Регистратор находится в автономном режиме!",
};

constexpr std::string_view MemoryTexts[] = {
    "Не очищено!",
    "Чтение-запись по неинициализированному указателю!",
    "Адрес-параметр за пределами зоны!",
    "Выделен недостаточный буфер!",
    "Ошибка данных",
};

constexpr std::string_view ArticleTexts[] = {
    "Нет свободного места для выполнения команды!",
    "Длинна записи больше максимума (>255)!",
    "Артикул с данным кодом не найден!",
    "Индекс за пределами базы!",
    "Артикул с данным кодом существует!",
    "Налог запрещен!",
};

constexpr std::string_view SaleTexts[] = {
    "Неверное состояние документа!",
    "Недостаточно свободного места для выполнения команды!",
    "Неизвестный тип продажи!",
    "Аннуляция: не может начинаться с данной операции!",
    "Аннуляция: данная операция в чеке не найдена!",
    "Аннуляция: последовательность неполная!",
    "Аннулировать нечего!",
    "Копия чека недоступна!",
    "В кассе недостаточно наличных денег для выполнения операции!",
    "Указанный тип оплаты запрещен для данного чека!",
    "Сдача запрещена с данного типа оплаты!",
    "Значение скидки вышло за допустимый диапазон!",
    "Переполнение итога по чеку!",
    "Переполнение по оплатам в чеке!",
    "Переполнение буфера!",
    "Продажа: ошибка в количестве!",
    "Продажа: ошибка в цене!",
    "Аннуляция: удаляемая последовательность заблокирована!",
};

constexpr std::string_view FormatStringTexts[] = {
    "Форматированная строка: параметры!",        "Форматированная строка: тип данных!",
    "Форматированная строка: выбор шрифта!",     "Форматированная строка: выравнивание!",
    "Форматированная строка: позиции в строке!",
};

// A class whose message is its header followed by the text of the detail.
struct DetailClass {
    int errorClass;
    std::string_view header;
    Texts details;
};

const std::array<DetailClass, 8> DetailClasses = {{
    {0x01, "Ошибка оборудования!\n ", HardwareTexts},
    {0x02, "", CommandTexts},
    {0x05, "Ошибка фискальной памяти!\n ", FiscalMemoryTexts},
    {0x07, "Команда не может быть выполнена в данном состоянии регистратора!\n", ModeTexts},
    {0x09, "Не обнулено!", MemoryTexts},
    {0x0A, "Ошибка работы с базой товаров!\n ", ArticleTexts},
    {0x0B, "Ошибка работы с продажами!\n ", SaleTexts},
    {0xF0, "Ошибка форматированной строки!\n ", FormatStringTexts},
}};

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The error field as a code (class x 100h + detail); nothing unless four upper-case hex digits.
std::optional<int> ErrorCode(const std::string& field) {
    if (field.size() != 4) return std::nullopt;
    int code = 0;
    for (char c : field) {
        int digit = HexDigit(c);
        if (digit < 0) return std::nullopt;
        code = code * 16 + digit;
    }
    int detail = code >> 8;
    int errorClass = code & 0xFF;
    return errorClass << 8 | detail;
}

// Classes that name the faulty field, or say the same whatever the detail.
std::optional<std::string> AnyDetailText(int errorClass, int detail) {
    switch (errorClass) {
    case 0x03:
        return "Неправильный формат поля номер " + std::to_string(detail) + "!";
    case 0x04:
        return "Значение поля номер " + std::to_string(detail) + " выходит за допустимый диапазон!";
    case 0x06:
        return "Неверный пароль доступа!";
    case 0x08:
        return "При выполнении операции \n  обнаружено арифметическое переполнение!";
    default:
        return std::nullopt;
    }
}

std::string CodeText(int code) {
    int errorClass = code >> 8;
    int detail = code & 0xFF;
    if (auto text = AnyDetailText(errorClass, detail)) return *text;
    for (const DetailClass& entry : DetailClasses) {
        if (entry.errorClass != errorClass) continue;
        std::string_view text =
            detail < static_cast<int>(entry.details.size()) ? entry.details[detail] : UnknownDetailText;
        return std::string(entry.header).append(text);
    }
    return "";
}

} // namespace

const std::string& ExchangeFailureMessage(const AnswerRecord* record) {
    static const std::string none;
    if (!record || record->NotSent()) return NotSentMessage;
    if (record->NoAnswer()) return NoAnswerMessage;
    if (record->Refused()) return RefusedFrameMessage;
    if (record->ChecksumFailed()) return BadChecksumMessage;
    return none;
}

bool DecodeAnswerError(std::string& message, const AnswerRecord* record) {
    message = ExchangeFailureMessage(record);
    if (!message.empty()) return false;
    std::optional<int> code = ErrorCode(record->ErrorField);
    if (!code) return false;
    if (*code == rExecOK) return true;
    message = CodeText(*code);
    return false;
}

std::string RefusalReason(int refusal) {
    switch (refusal) {
    case RefusalBarcode:
        return "код EAN-13 должен состоять из двенадцати цифр";
    case RefusalLogoLine:
        return "номер линии логотипа меньше нуля";
    case RefusalLogoPixels:
        return "линия логотипа должна состоять из 48 символов";
    case RefusalHeaderLine:
    case RefusalReadHeaderLine:
        return "номер строки заголовка вне пределов 0..20";
    case RefusalOutOfRange: // also a quantity not above 0
        return "значение вне допустимых пределов";
    case RefusalPrice:
        return "цена меньше нуля или не число";
    case RefusalDataTooLong:
        return "данные команды длиннее, чем вмещает кадр";
    default:
        return "параметры команды неверны";
    }
}

std::string UnformableCommandText(unsigned command, int refusal) {
    return "Команда " + IntToHex(command, 2) + "h не может быть отправлена: " + RefusalReason(refusal) + ".";
}

std::string UnformableCommandMessage(unsigned command, int refusal) {
    return UnformableCommandText(command, refusal) + NothingSentNote;
}
