#include <gtest/gtest.h>

#include "driver/tables.h"

namespace {

TEST(CommandTables, DescriptionsByCode) {
    const struct {
        int code;
        const char* description;
    } cases[] = {
        {0x20, "Команда 20h: Установка даты и времени"},
        {0x65, "Команда 65h: Закрытие  фискального чека"},
        {0xA3, "Команда A3h: Печать периодического отчета"},
        {0x2A, "Неверная команда"},
        {0x9F, "Неверная команда"},
        {0xA4, "Неверная команда"},
        {0xE7, "Неверная команда"},
        {0x1F, "Неверная команда"},
        {-1, "Неверная команда"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetCommandDescription(c.code), c.description) << std::hex << c.code;
}

TEST(CommandTables, InfoGivesBothTextsOrLeavesTheSyntaxAlone) {
    std::string description, syntax;
    EXPECT_EQ(GetCommandInfo(0x81, description, syntax), 1);
    EXPECT_EQ(description, "Команда 81h: Вывод информации на дисплей");
    EXPECT_EQ(syntax, "<функция  (0-3)>;<текст>;");
    EXPECT_EQ(GetCommandInfo(0x43, description, syntax), 1);
    EXPECT_EQ(syntax, "<фискальный номер>");
    for (int code : {0x2A, 0x1F, 0xA4}) {
        EXPECT_EQ(GetCommandInfo(code, description, syntax), 0);
        EXPECT_EQ(description, "Неверная команда");
        EXPECT_EQ(syntax, "<фискальный номер>");
    }
}

TEST(CommandTables, FortyNineCodesAreDescribedUnderTheirOwnCode) {
    int described = 0;
    for (int code = 0x20; code <= 0xA3; ++code) {
        std::string description, syntax;
        if (!GetCommandInfo(code, description, syntax)) continue;
        ++described;
        char prefix[32];
        std::snprintf(prefix, sizeof prefix, "Команда %02Xh: ", code);
        EXPECT_EQ(description.rfind(prefix, 0), 0u) << description;
        EXPECT_FALSE(syntax.empty());
    }
    EXPECT_EQ(described, 49);
}

} // namespace
