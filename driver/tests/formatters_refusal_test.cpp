#include <cmath>
#include <cstdio>
#include <limits>

#include "driver/decoder.h"
#include "driver/ean13.h"
#include "driver/formatters_common.h"
#include "driver/tests/formatters_fixture.h"

namespace {

const std::string Pw = "736204";
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

std::string Repeated(const std::string& piece, int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += piece;
    return text;
}

struct RefusalCase {
    const char* name;
    std::function<AnswerRecord*(int*)> call;
    int error;
};

void PrintTo(const RefusalCase& c, std::ostream* os) {
    *os << c.name;
}

class FormatterRefusalTest : public FormatterTest, public testing::WithParamInterface<RefusalCase> {};

// The success just before must not pass for the refused command's.
TEST_P(FormatterRefusalTest, SendsNothingAndMarksTheAnswerNotSent) {
    AnswerRecord* before = GetDiagnosticInfo(Pw, nullptr);
    ASSERT_TRUE(before->Succeeded());
    sim_.ClearFrames();
    int error = 0;
    AnswerRecord* answer = GetParam().call(&error);
    EXPECT_EQ(answer, &TheAnswer());
    EXPECT_EQ(error, GetParam().error);
    EXPECT_EQ(LastAnswer, answer);
    EXPECT_TRUE(answer->NotSent());
    EXPECT_FALSE(answer->Succeeded());
    EXPECT_EQ(answer->ErrorField, "");
    std::string message;
    EXPECT_FALSE(DecodeAnswerError(message, answer));
    EXPECT_EQ(message, "Команда не отправлена!");
    EXPECT_EQ(sim_.FrameCount(), 0u);
}

// Formed only, a refused command leaves the answer of the command before it, and nothing goes out.
TEST_P(FormatterRefusalTest, AFormingCheckNotesTheRefusalAndChangesNothing) {
    ASSERT_TRUE(GetDiagnosticInfo(Pw, nullptr)->Succeeded());
    const std::string data = DataBuffer;
    sim_.ClearFrames();
    int error = 0;
    FormingCheck check;
    AnswerRecord* answer = GetParam().call(&error);
    EXPECT_EQ(error, GetParam().error);
    EXPECT_EQ(check.FirstRefusal(), GetParam().error);
    EXPECT_EQ(check.Formed(), 1);
    EXPECT_TRUE(answer->NotSent());
    EXPECT_NE(answer, &TheAnswer());
    EXPECT_EQ(LastAnswer, &TheAnswer());
    EXPECT_TRUE(TheAnswer().Succeeded());
    EXPECT_EQ(DataBuffer, data);
    EXPECT_EQ(sim_.FrameCount(), 0u);
}

using E = int*;

INSTANTIATE_TEST_SUITE_P(
    Arguments, FormatterRefusalTest,
    testing::Values(
        RefusalCase{"HeaderLine21", [](E e) { return SetHeaderFooter(Pw, 21, "x", 0, e); }, -121},
        RefusalCase{"HeaderLineMinus1", [](E e) { return SetHeaderFooter(Pw, -1, "x", 0, e); }, -121},
        RefusalCase{"ReadHeaderLine21", [](E e) { return GetHeaderFooter(Pw, 21, e); }, -131},
        RefusalCase{"ReadHeaderLineMinus1", [](E e) { return GetHeaderFooter(Pw, -1, e); }, -131},
        RefusalCase{"LogoLineBeforePixels", [](E e) { return SetUserLogo(Pw, -1, std::string(47, 'F'), e); },
                    -110},
        RefusalCase{"Logo47", [](E e) { return SetUserLogo(Pw, 0, std::string(47, 'F'), e); }, -111},
        RefusalCase{"Logo49", [](E e) { return SetUserLogo(Pw, 0, std::string(49, 'F'), e); }, -111},
        RefusalCase{"SellQuantity0BeforePrice", [](E e) { return SellItem(Pw, int64_t{1}, -1.0, 0.0, e); },
                    -151},
        RefusalCase{"SellQuantityNegative", [](E e) { return SellItem(Pw, int64_t{1}, 1.0, -1.5, e); }, -151},
        RefusalCase{"SellQuantityNaN", [](E e) { return SellItem(Pw, int64_t{1}, 1.0, NaN, e); }, -151},
        RefusalCase{"SellQuantityInfinite", [](E e) { return SellItem(Pw, int64_t{1}, 1.0, Inf, e); }, -151},
        RefusalCase{"SellPriceNegative", [](E e) { return SellItem(Pw, int64_t{1}, -0.01, 1.0, e); }, -152},
        RefusalCase{"SellPriceNaN", [](E e) { return SellItem(Pw, int64_t{1}, NaN, 1.0, e); }, -152},
        RefusalCase{"SellPriceInfinite", [](E e) { return SellItem(Pw, int64_t{1}, Inf, 1.0, e); }, -152},
        RefusalCase{"PaymentType10", [](E e) { return MakePayment(Pw, 10, 1.0, e); }, -151},
        RefusalCase{"PaymentTypeMinus1", [](E e) { return MakePayment(Pw, -1, 1.0, e); }, -151},
        RefusalCase{"DataSource4", [](E e) { return SetDataSource(Pw, 4, 0, 1, e); }, -151},
        RefusalCase{"DataSource6", [](E e) { return SetDataSource(Pw, 6, 0, 1, e); }, -151},
        RefusalCase{"Barcode11", [](E e) { return PrintEAN13Code(Pw, 50, "40063813339", e); }, -100},
        RefusalCase{"Barcode13", [](E e) { return PrintEAN13Code(Pw, 50, "4006381333931", e); }, -100},
        RefusalCase{"BarcodeNotDigits", [](E e) { return PrintEAN13Code(Pw, 50, "40063813339X", e); },
                    -100}));

// The data text may not outgrow a frame: 219 CP1251 bytes.
INSTANTIATE_TEST_SUITE_P(
    DataTooLong, FormatterRefusalTest,
    testing::Values(
        RefusalCase{"Text212", [](E e) { return PrintText(Pw, std::string(212, 'a'), e); }, -160},
        RefusalCase{"Cyrillic212", [](E e) { return PrintText(Pw, Repeated("Ж", 212), e); }, -160},
        RefusalCase{"HugeQuantity", [](E e) { return SellItem(Pw, int64_t{1}, 1.0, 1e300, e); }, -160},
        RefusalCase{"HugeAmount", [](E e) { return CashInOut(Pw, 1, -1e250, e); }, -160},
        RefusalCase{"LongPassword", [](E e) { return GetDateTime(std::string(300, '7'), 0, e); }, -160},
        RefusalCase{"LongPasswordBarcode",
                    [](E e) { return PrintEAN13Code(std::string(190, '7'), 50, "400638133393", e); }, -160}));

TEST_F(FormatterTest, RefusalBeforeAnyCommandGivesTheNotSentRecord) {
    LastAnswer = nullptr;
    int error = 0;
    EXPECT_EQ(SetHeaderFooter(Pw, 21, "x", 0, &error), &TheAnswer());
    EXPECT_EQ(error, -121);
    EXPECT_TRUE(TheAnswer().NotSent());
    EXPECT_EQ(SetDataSource(Pw, 4, 0, 0), &TheAnswer()); // no error result asked for
}

// The next command that goes out brings the record back to an answer of its own.
TEST_F(FormatterTest, NullErrorResultIsAccepted) {
    EXPECT_EQ(MakePayment(Pw, 10, 1.0, nullptr), &TheAnswer());
    EXPECT_TRUE(TheAnswer().NotSent());
    EXPECT_EQ(sim_.FrameCount(), 0u);
    EXPECT_EQ(MakePayment(Pw, 1, 1.0, nullptr), &TheAnswer());
    EXPECT_EQ(sim_.FrameCount(), 1u);
    EXPECT_FALSE(TheAnswer().NotSent());
}

// A whole sequence formed: the first refusal is the one kept, with its command; after the check the
// same calls send again.
TEST_F(FormatterTest, AFormingCheckFormsASequenceWithoutSendingAndKeepsItsFirstRefusal) {
    int errors[4] = {1, 1, 1, 1};
    {
        FormingCheck check;
        AddTmpBuffLine(Pw, 0, "Замените батарею", &errors[0]);
        SetServiceInfo(std::string(220, '1'), "000000", "071226", 5, 1, &errors[1]);
        PrintText(Pw, std::string(230, 'a'), &errors[2]);
        GetDateTime(Pw, 0, &errors[3]);
        EXPECT_EQ(check.Formed(), 4);
        EXPECT_EQ(check.FirstRefusal(), RefusalDataTooLong);
        EXPECT_EQ(check.FirstRefusedCommand(), 0x35u);
    }
    EXPECT_EQ(errors[0], 0);
    EXPECT_EQ(errors[1], RefusalDataTooLong);
    EXPECT_EQ(errors[2], RefusalDataTooLong);
    EXPECT_EQ(errors[3], 0);
    EXPECT_EQ(sim_.FrameCount(), 0u);
    EXPECT_EQ(SentBy([](int* e) { return GetDateTime(Pw, 0, e); }).Code, 0x21u);
    EXPECT_EQ(UnformableCommandMessage(0x35, RefusalDataTooLong),
              "Команда 35h не может быть отправлена: данные команды длиннее, чем вмещает кадр.\n"
              "В регистратор ничего не отправлено.");
}

// A data text a window made itself goes out as made, and is formed and refused like a formatter's.
TEST_F(FormatterTest, APreparedDataTextIsSentAsMadeOrRefusedWhenAFrameCannotCarryIt) {
    const std::string line = Pw + ";101;Хлеб;12.50;1;1;";
    const regsim::ReceivedFrame frame = SentBy([&](int* e) { return SendPrepared(0x24, line, e); });
    EXPECT_EQ(frame.Code, 0x24u);
    EXPECT_EQ(frame.Data, "736204;101;Хлеб;12.50;1;1;");

    sim_.ClearFrames();
    const std::string tooLong = Pw + ";" + std::string(213, 'x'); // 220 bytes
    int error = 0;
    {
        FormingCheck check;
        SendPrepared(0x24, line, &error);
        EXPECT_EQ(error, 0);
        SendPrepared(0x24, tooLong, &error);
        EXPECT_EQ(check.FirstRefusal(), RefusalDataTooLong);
        EXPECT_EQ(check.FirstRefusedCommand(), 0x24u);
    }
    EXPECT_EQ(SendPrepared(0x24, tooLong, &error), &TheAnswer());
    EXPECT_EQ(error, RefusalDataTooLong);
    EXPECT_TRUE(TheAnswer().NotSent());
    EXPECT_EQ(sim_.FrameCount(), 0u);
}

TEST(FixedText, MatchesPrintfInTheCLocale) {
    for (double value : {0.0, -0.0, 1.0, 0.005, 0.015, 1.255, 2.675, 12.345, -0.5, 99.995, 1234.567, 1e9,
                         123456789.125, 0.0005, 1e-9, -3.14159, 5e15}) {
        for (int decimals : {2, 3}) {
            char expected[64];
            std::snprintf(expected, sizeof expected, decimals == 2 ? "%-#.2f" : "%-#.3lf", value);
            EXPECT_EQ(FixedText(value, decimals), expected) << value;
        }
    }
}

} // namespace
