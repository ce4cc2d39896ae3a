#include <cmath>

#include "driver/ean13.h"
#include "driver/tests/formatters_fixture.h"
#include "platform/text/text.h"

namespace {

const std::string Pw = "736204";

struct DataCase {
    const char* name;
    uint8_t code;
    std::function<AnswerRecord*(int*)> call;
    std::string data;
};

void PrintTo(const DataCase& c, std::ostream* os) {
    *os << c.name;
}

class FormatterDataTest : public FormatterTest, public testing::WithParamInterface<DataCase> {};

TEST_P(FormatterDataTest, RegisterReceivesTheDataText) {
    regsim::ReceivedFrame frame = SentBy(GetParam().call);
    EXPECT_TRUE(frame.WellFormed);
    EXPECT_EQ(frame.Code, GetParam().code);
    EXPECT_EQ(frame.Data, GetParam().data);
    EXPECT_EQ(DataBuffer, GetParam().data);
}

using E = int*;

INSTANTIATE_TEST_SUITE_P(
    SetupCommands, FormatterDataTest,
    testing::Values(
        DataCase{"SetDateTime", 0x20, [](E e) { return SetDateTime(Pw, "070326", "0905", e); },
                 "736204;070326;0905;"},
        DataCase{"GetDateTime", 0x21, [](E e) { return GetDateTime(Pw, 7, e); }, "736204;"},
        DataCase{"HeaderLine20", 0x22, [](E e) { return SetHeaderFooter(Pw, 20, "Магазин «Ромашка»", 3, e); },
                 "736204;20;Магазин «Ромашка»;3;"},
        DataCase{"HeaderLine0", 0x22, [](E e) { return SetHeaderFooter(Pw, 0, "", 0, e); }, "736204;0;;0;"},
        DataCase{"ReadHeaderLine20", 0x23, [](E e) { return GetHeaderFooter(Pw, 20, e); }, "736204;20;"},
        DataCase{"ArticleIndex", 0x25, [](E e) { return GetArticulIndex(Pw, -42, e); }, "736204;-42;"},
        DataCase{"RegisterParams", 0x27,
                 [](E e) { return SetRegistratorParams(Pw, 115200, 2, 0x1AB, 0xF, 200, 7, 5, e); },
                 "736204;115200;2;01AB;0F;C8;07;05;"},
        DataCase{"RegisterParamsWide", 0x27,
                 [](E e) { return SetRegistratorParams(Pw, 0, 0, 0x12345, 0x100, 0, 0, 123, e); },
                 "736204;0;0;12345;100;00;00;123;"},
        DataCase{"Logo48", 0x29, [](E e) { return SetUserLogo(Pw, 31, std::string(48, 'F'), e); },
                 "736204;31;" + std::string(48, 'F') + ";"},
        DataCase{"ModePasswords", 0x2B, [](E e) { return SetModePsw("1", "22", "333", "4444", e); },
                 "1;22;333;4444;"},
        DataCase{"PaymentParams", 0x2D, [](E e) { return SetPaymentParams(Pw, 3, 10, "Карта", e); },
                 "736204;3;0A;Карта;"},
        DataCase{"OperatorParams", 0x2F, [](E e) { return SetOperatorParams(Pw, 1, "0001", "Иванов", e); },
                 "736204;1;0001;Иванов;"},
        DataCase{"ServiceInfo", 0x35,
                 [](E e) { return SetServiceInfo("111111", "222222", "010127", 30, 255, e); },
                 "111111;222222;010127;30;FF;"},
        DataCase{"TaxesWithoutGroup", 0x47, [](E e) { return SetTaxes(Pw, 0, 1, "20.00", "НДС", e); },
                 "736204;0;01;20.00;НДС;-1;"},
        DataCase{"TaxesWithGroup", 0x47, [](E e) { return SetTaxes(Pw, 4, 2, "7.5", "Д", 3, e); },
                 "736204;4;02;7.5;Д;3;"},
        DataCase{"Fiscalize", 0x40, [](E e) { return Fiscalize(Pw, "KV1", "12", e); }, "736204;KV1;12;"},
        DataCase{"DecimalPoint", 0x49, [](E e) { return SetDecimalPoint(Pw, 2, e); }, "736204;2;"}));

INSTANTIATE_TEST_SUITE_P(
    ReceiptCommands, FormatterDataTest,
    testing::Values(
        DataCase{"TextWithSemicolonAsIs", 0x61, [](E e) { return PrintText(Pw, "a;b", e); }, "736204;a;b;"},
        DataCase{"CloseNonFiscalSends65h", 0x65, [](E e) { return CloseNonFiscalReceipt(Pw, e); },
                 "736204;0;"},
        DataCase{"OpenFiscal", 0x63, [](E e) { return OpenFiscalReceipt(Pw, 1, 2, 0, e); }, "736204;1;2;0;"},
        DataCase{"SellAsTyped", 0x64, [](E e) { return SellItem(Pw, 17, "1,5", "2", e); },
                 "736204;17;1,5;2;"},
        DataCase{"SellQuantity1.5", 0x64, [](E e) { return SellItem(Pw, int64_t{5}, 2.0, 1.5, e); },
                 "736204;5;1.500;2.00;"},
        DataCase{"SellQuantity2", 0x64, [](E e) { return SellItem(Pw, int64_t{5}, 0.0, 2.0, e); },
                 "736204;5;2.000;0.00;"},
        DataCase{"Sell64BitCode", 0x64,
                 [](E e) { return SellItem(Pw, int64_t{4006381333931}, 1234.567, 0.0005, e); },
                 "736204;4006381333931;0.001;1234.57;"},
        DataCase{"PaymentType9", 0x67, [](E e) { return MakePayment(Pw, 9, 100.0, e); }, "736204;9;100.00;"},
        DataCase{"PaymentType0", 0x67, [](E e) { return MakePayment(Pw, 0, 0.1, e); }, "736204;0;0.10;"},
        DataCase{"ItemDiscount", 0x68, [](E e) { return DiscountItemPercent(Pw, -5.0, e); }, "736204;-5.00;"},
        DataCase{"TaxGroupDiscount", 0x76, [](E e) { return DiscountTaxGroupAbsolute(Pw, 1.255, 2, e); },
                 "736204;1.25;2;"},
        DataCase{"PrintTotalFlag5", 0x6D, [](E e) { return PrintTotal(Pw, 5, e); }, "736204;1;"},
        DataCase{"PrintTotalFlag0", 0x6D, [](E e) { return PrintTotal(Pw, 0, e); }, "736204;0;"},
        DataCase{"CashOut", 0x6E, [](E e) { return CashInOut(Pw, 1, -250.5, e); }, "736204;1;-250.50;"},
        DataCase{"CashInReceipt", 0x77, [](E e) { return CashInOutInReceipt(Pw, 2, 1e9, e); },
                 "736204;2;1000000000.00;"}));

INSTANTIATE_TEST_SUITE_P(
    ReportCommands, FormatterDataTest,
    testing::Values(
        DataCase{"Display", 0x81, [](E e) { return ShowOnDisplay(Pw, "Итого", 1, 0, e); },
                 "736204;1;0;Итого;"},
        DataCase{"ServiceCounter", 0x88, [](E e) { return SetServiceCounter(Pw, 20, 0, e); }, "736204;20;0;"},
        DataCase{"PeriodicByDate", 0xA2,
                 [](E e) { return PrintPeriodicReportByDate(Pw, "010126", "311226", 1, e); },
                 "736204;010126;311226;1;"},
        DataCase{"ArticleReport", 0xA4,
                 [](E e) { return PrintArticulReport(Pw, int64_t{1}, int64_t{9999999999999}, e); },
                 "736204;1;9999999999999;"},
        DataCase{"ExtraDaily", 0xA6, [](E e) { return PrintExtraDailyReport(Pw, 2, 8, 9, e); },
                 "736204;2;;;"},
        DataCase{"DataSource0", 0xE7, [](E e) { return SetDataSource(Pw, 0, 9, 4, e); }, "736204;0;;4;"},
        DataCase{"DataSource1", 0xE7, [](E e) { return SetDataSource(Pw, 1, 9, 12, e); }, "736204;1;;12;"},
        DataCase{"DataSource2", 0xE7, [](E e) { return SetDataSource(Pw, 2, 9, 12, e); }, "736204;2;;;"},
        DataCase{"DataSource3", 0xE7, [](E e) { return SetDataSource(Pw, 3, 9, 2, e); }, "736204;3;;2;"},
        DataCase{"DataSource5", 0xE7, [](E e) { return SetDataSource(Pw, 5, 9, 12, e); }, "736204;5;;;"},
        DataCase{"ReadBuffer", 0xE8, [](E e) { return ReadDataFromBuf(Pw, e); }, "736204;"},
        DataCase{"JournalByDate", 0xEE,
                 [](E e) { return PrintJournalCopyByDate(Pw, "010126", "0800", "020126", "2000", 1, e); },
                 "736204;010126;0800;020126;2000;1;"},
        DataCase{"Restart", 0xF3, [](E e) { return RestartRegistrator(Pw, e); }, "736204;"},
        DataCase{"Barcode", 0x6F, [](E e) { return PrintEAN13Code(Pw, 50, "400638133393", e); },
                 "736204;50;0051A9D7BD12CD50A142E90B35000000;"}));

// Money and quantities carry "." whatever the program-wide separator says.
TEST_F(FormatterTest, MoneyKeepsItsPointWhenTheSeparatorIsAComma) {
    const char saved = DecimalSeparator;
    DecimalSeparator = ',';
    EXPECT_EQ(SentBy([](E e) { return MakePayment(Pw, 1, 12.5, e); }).Data, "736204;1;12.50;");
    EXPECT_EQ(SentBy([](E e) { return SellItem(Pw, int64_t{3}, 0.99, 0.25, e); }).Data,
              "736204;3;0.250;0.99;");
    DecimalSeparator = saved;
}

TEST_F(FormatterTest, LongestDataTextIsSentWhole) {
    // "736204;" + text + ";" is exactly 219 characters, each one byte in CP1251.
    const std::string text = [] {
        std::string t;
        for (int i = 0; i < 211; ++i)
            t += "Ж";
        return t;
    }();
    EXPECT_EQ(SentBy([&](E e) { return PrintText(Pw, text, e); }).Data, "736204;" + text + ";");
}

} // namespace
