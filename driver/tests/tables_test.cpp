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
        {0x31, "Неверная команда"},
        {0x9F, "Неверная команда"},
        {0xA4, "Неверная команда"},
        {0xE7, "Неверная команда"},
        {0x1F, "Неверная команда"},
        {-1, "Неверная команда"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetCommandDescription(c.code), c.description) << std::hex << c.code;
}

TEST(CommandTables, InfoGivesBothTexts) {
    const struct {
        int code;
        const char* description;
        const char* syntax;
    } cases[] = {
        {0x81, "Команда 81h: Вывод информации на дисплей", "<функция  (0-3)>;<текст>;"},
        {0x43, "Команда 43h: Программирование фискального номера", "<фискальный номер>"},
        {0x46, "Команда 46h: Чтение налогового/идентификационного номера", "<Параметров нет>"},
        {0x27, "Команда 27h: Программирование параметров регистратора",
         "<скор.>;<контр.печ.>;<парам. док.>;<лог.польз.>;<имп.ден.ящика>;<обн.баз.тов.>;"},
    };
    for (const auto& c : cases) {
        std::string description, syntax;
        EXPECT_EQ(GetCommandInfo(c.code, description, syntax), 1);
        EXPECT_EQ(description, c.description);
        EXPECT_EQ(syntax, c.syntax);
    }
}

TEST(CommandTables, CodeWithoutDescriptionLeavesTheSyntaxAlone) {
    for (int code : {0x2A, 0x1F, 0xA4}) {
        std::string description = "x", syntax = "kept";
        EXPECT_EQ(GetCommandInfo(code, description, syntax), 0);
        EXPECT_EQ(description, "Неверная команда");
        EXPECT_EQ(syntax, "kept");
    }
}

TEST(CommandTables, FortyNineCodesAreDescribedAndNameThemselves) {
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
