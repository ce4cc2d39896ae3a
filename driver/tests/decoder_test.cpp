#include "driver/decoder.h"

#include <gtest/gtest.h>

namespace {

struct DecodeCase {
    const char* errorField;
    const char* message;
    bool success;
};

AnswerRecord AnswerWith(const std::string& errorField, uint32_t statusWord = 0) {
    AnswerRecord record;
    record.ErrorField = errorField;
    record.StatusWord = statusWord;
    return record;
}

class DecodeTest : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeTest, GivesTheMessageOfTheErrorField) {
    const DecodeCase& c = GetParam();
    AnswerRecord record = AnswerWith(c.errorField);
    std::string message = "left over";
    EXPECT_EQ(DecodeAnswerError(message, &record), c.success);
    EXPECT_EQ(message, c.message);
}

// The field reads detail then class: "0201" is class 01h, detail 2.
INSTANTIATE_TEST_SUITE_P(
    ClassesAndDetails, DecodeTest,
    testing::Values(
        DecodeCase{"0000", "", true},
        DecodeCase{"0001", "Ошибка оборудования!\n Неопределенная ошибка оборудования!", false},
        DecodeCase{"0201", "Ошибка оборудования!\n Ошибка RAM!", false},
        DecodeCase{"0901", "Ошибка оборудования!\n MMC: отказ оборудования!", false},
        DecodeCase{"0A01", "Ошибка оборудования!\n Неизвестная ошибка!", false},
        DecodeCase{"0002", "Нет команды с таким кодом!", false},
        DecodeCase{"0302", "Переполнение буфера приемника/передатчика!", false},
        DecodeCase{"0402", "Неизвестная ошибка!", false},
        DecodeCase{"0203", "Неправильный формат поля номер 2!", false},
        DecodeCase{"FF03", "Неправильный формат поля номер 255!", false},
        DecodeCase{"0C04", "Значение поля номер 12 выходит за допустимый диапазон!", false},
        DecodeCase{"0005", "Ошибка фискальной памяти!\n Нет свободного места для записи в ФП!", false},
        DecodeCase{"0305",
                   "Ошибка фискальной памяти!\n Дата текущей записи более ранняя \n   чем дата "
                   "предыдущей записи!",
                   false},
        DecodeCase{"0C05", "Ошибка фискальной памяти!\n ДОшибка в формате даты!", false},
        DecodeCase{"0E05", "Ошибка фискальной памяти!\n Устанавливаемое время меньше текущего!", false},
        DecodeCase{"0F05", "Ошибка фискальной памяти!\n Неизвестная ошибка!", false},
        DecodeCase{"0106", "Неверный пароль доступа!", false},
        DecodeCase{"7F06", "Неверный пароль доступа!", false},
        DecodeCase{"0007",
                   "Команда не может быть выполнена в данном состоянии регистратора!\nНеверный "
                   "режим регистратора (перемычка)!",
                   false},
        DecodeCase{"0307",
                   "Команда не может быть выполнена в данном состоянии регистратора!\nРегистратор "
                   "находится в автономном режиме!",
                   false},
        DecodeCase{"0407",
                   "Команда не может быть выполнена в данном состоянии регистратора!\nНеизвестная "
                   "ошибка!",
                   false},
        DecodeCase{"3308", "При выполнении операции \n  обнаружено арифметическое переполнение!", false},
        DecodeCase{"0009", "Не обнулено!Не очищено!", false},
        DecodeCase{"0409", "Не обнулено!Ошибка данных", false},
        DecodeCase{"0509", "Не обнулено!Неизвестная ошибка!", false},
        DecodeCase{"010A", "Ошибка работы с базой товаров!\n Длинна записи больше максимума (>255)!", false},
        DecodeCase{"060A", "Ошибка работы с базой товаров!\n Неизвестная ошибка!", false},
        DecodeCase{"100B", "Ошибка работы с продажами!\n Продажа: ошибка в цене!", false},
        DecodeCase{"110B",
                   "Ошибка работы с продажами!\n Аннуляция: удаляемая последовательность "
                   "заблокирована!",
                   false},
        DecodeCase{"120B", "Ошибка работы с продажами!\n Неизвестная ошибка!", false},
        DecodeCase{"04F0", "Ошибка форматированной строки!\n Форматированная строка: позиции в строке!",
                   false},
        DecodeCase{"05F0", "Ошибка форматированной строки!\n Неизвестная ошибка!", false},
        // Classes without texts, and a detail under class 0.
        DecodeCase{"0100", "", false}, DecodeCase{"00C0", "", false}, DecodeCase{"01D1", "", false},
        DecodeCase{"00D0", "", false}, DecodeCase{"000C", "", false}, DecodeCase{"00FF", "", false},
        // Not four upper-case hexadecimal digits.
        DecodeCase{"0a01", "", false}, DecodeCase{"000", "", false}, DecodeCase{"", "", false},
        DecodeCase{"00000", "", false}, DecodeCase{"00 0", "", false}, DecodeCase{"-001", "", false}));

// A failed exchange leaves a stale (no answer, NAK) or untrustworthy (bad checksum) error field: the
// exchange's own message wins over it, and even "0000" is no success.
TEST(DecodeAnswerError, AFailedExchangeIsNeverASuccess) {
    const struct {
        uint32_t statusWord;
        const char* message;
    } failures[] = {
        {StatusNoAnswer, "Таймаут устройства! Ошибка!"},
        {StatusNak, "Регистратор не принял команду"},
        {StatusChecksum, "Неверная контрольная сумма"},
        {StatusNotSent, "Команда не отправлена!"},
        {StatusNotSent | StatusNoAnswer, "Команда не отправлена!"},
    };
    for (const auto& f : failures)
        for (const char* field : {"0000", "0201", "garbage"}) {
            AnswerRecord record = AnswerWith(field, f.statusWord);
            std::string message;
            EXPECT_FALSE(DecodeAnswerError(message, &record)) << f.message << " " << field;
            EXPECT_EQ(message, f.message) << field;
            EXPECT_FALSE(record.Succeeded()) << f.message << " " << field;
            EXPECT_FALSE(record.Answered()) << f.message;
        }
}

TEST(DecodeAnswerError, StatusBitsOfAnIntactAnswerLeaveTheErrorFieldInCharge) {
    AnswerRecord record = AnswerWith("0000", 0x08000000 | 0x10000000 | 0x00004000);
    std::string message = "left over";
    EXPECT_TRUE(DecodeAnswerError(message, &record));
    EXPECT_EQ(message, "");
    EXPECT_TRUE(record.Succeeded());
}

TEST(DecodeAnswerError, NoRecordReadsAsNotSent) {
    std::string message;
    EXPECT_FALSE(DecodeAnswerError(message, nullptr));
    EXPECT_EQ(message, "Команда не отправлена!");
}

// A refusal leaves nothing of the previous answer that a window could take for this command's.
TEST(AnswerRecord, MarkedNotSentKeepsNothingOfTheAnswerBefore) {
    AnswerRecord record = AnswerWith("0000", 0);
    record.FieldCount = 2;
    record.Fields[0] = "12";
    record.Fields[1] = "AB";
    record.StatusBytes = {1, 2, 3, 4, 5, 6};
    record.SentData = "736204;";
    record.DataCopy = "12;AB";
    record.SentFrame = "frame";
    record.SentCode = 0x21;
    ASSERT_TRUE(record.Succeeded());
    record.MarkNotSent();
    EXPECT_TRUE(record.NotSent());
    EXPECT_FALSE(record.NoAnswer());
    EXPECT_FALSE(record.Answered());
    EXPECT_FALSE(record.Succeeded());
    EXPECT_EQ(record.StatusWord, StatusNotSent);
    EXPECT_EQ(record.ErrorField, "");
    EXPECT_EQ(record.FieldCount, 0u);
    for (int n = 1; n <= 20; ++n)
        EXPECT_EQ(record.Field(n), "") << n;
    EXPECT_EQ(record.StatusBytes, (std::array<uint8_t, 6>{}));
    EXPECT_EQ(record.SentData, "");
    EXPECT_EQ(record.DataCopy, "");
    EXPECT_EQ(record.SentFrame, "");
}

// Each class starts at class x 100h and its names follow at detail 0, 1, 2 ...
static_assert(erHW_SD == 0x0109);
static_assert(err_MsgSize == 0x0203);
static_assert(rErr_FieldValue7 == 0x0407);
static_assert(err_TimeFormat == 0x050D);
static_assert(erMUST_GET_TL == 0x0702);
static_assert(rErrDataError == 0x0904);
static_assert(erART_DisabledTax == 0x0A05);
static_assert(erTRS_CancelLock == 0x0B11);
static_assert(erTMPBuff_OutArea == 0xC002);
static_assert(rErrSIM_LastPublicKeyNotValid == 0xD002);
static_assert(rErrSD_FileNotFound == 0xD104);
static_assert(erPrmFormatStr_Position == 0xF004);

} // namespace
