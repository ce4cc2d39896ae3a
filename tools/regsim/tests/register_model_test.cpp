#include "tools/regsim/register_model.h"

#include <gtest/gtest.h>

using namespace regsim;

TEST(SplitFields, AFinalSeparatorEndsTheLastField) {
    EXPECT_EQ(SplitFields("736204;5;;7;"), (std::vector<std::string>{"736204", "5", "", "7"}));
    EXPECT_EQ(SplitFields("a"), (std::vector<std::string>{"a"}));
    EXPECT_TRUE(SplitFields("").empty());
}

TEST(RegisterModel, AWrongPasswordGivesClass06ForEveryModelledCommand) {
    RegisterModel model;
    for (uint8_t code : {0x20, 0x21, 0x80, 0x88, 0x89, 0xA0}) {
        for (const char* data : {"111111;", "", "7362040;", ";736204;"}) {
            const ModelAnswer answer = model.Handle(code, data);
            EXPECT_EQ(answer.Error.substr(2), "06") << int(code) << " " << data;
            EXPECT_EQ(answer.Data, "");
        }
    }
    model.State.Password = "000001";
    EXPECT_EQ(model.Handle(0x80, "736204;").Error, kErrorPassword);
    EXPECT_EQ(model.Handle(0x80, "000001;").Error, kErrorOk);
}

TEST(RegisterModel, CommandsItDoesNotModelGetTheDefaultAnswer) {
    RegisterModel model;
    EXPECT_EQ(model.Handle(0x82, "111111;text;").Error, "0000");
    EXPECT_EQ(model.Handle(0x82, "").Data, "");
    model.DefaultAnswer = {"0102", "x;y;"};
    EXPECT_EQ(model.Handle(0x82, "736204;").Error, "0102");
    EXPECT_EQ(model.Handle(0x82, "736204;").Data, "x;y;");
}

TEST(RegisterModel, DiagnosticInfoCarriesTheFieldsTheShellReads) {
    RegisterModel model;
    const std::vector<std::string> fields = SplitFields(model.Handle(0x80, "736204;").Data);
    ASSERT_EQ(fields.size(), 11u);
    EXPECT_EQ(fields[0], "Kivrel LT-6");
    EXPECT_EQ(fields[1], "3.01");
    EXPECT_EQ(fields[2], "Симулятор");
    EXPECT_EQ(fields[6], "2304");
    EXPECT_EQ(fields[7], "192");
    EXPECT_EQ(fields[10], "10");
}

TEST(RegisterModel, ClockIsSetAndReadAsDdmmyyAndHhmm) {
    RegisterModel model;
    model.SetClock({2026, 3, 7, 9, 5, 3}, false);
    EXPECT_EQ(model.Handle(0x21, "736204;").Data, "070326;0905;");
    EXPECT_EQ(model.Handle(0x20, "736204;311208;2359;").Error, kErrorOk);
    EXPECT_EQ(model.Clock(), (DateTime{2008, 12, 31, 23, 59, 0}));
    EXPECT_EQ(model.Handle(0x21, "736204;").Data, "311208;2359;");
}

TEST(RegisterModel, RunningClockKeepsTheSetTimeAsItsStart) {
    RegisterModel model;
    model.SetClock({2030, 1, 2, 3, 4, 0}, true);
    const DateTime now = model.Clock();
    EXPECT_EQ(now.Year, 2030);
    EXPECT_EQ(now.Day, 2);
    EXPECT_LE(now.Minute, 5);
}

TEST(RegisterModel, BadDatesAndTimesAreRefusedAndLeaveTheClock) {
    RegisterModel model;
    model.SetClock({2026, 3, 7, 9, 5, 0}, false);
    const struct {
        const char* data;
        const char* error;
    } cases[] = {
        {"736204;310226;1200;", kErrorDateFormat}, // 31 February
        {"736204;290225;1200;", kErrorDateFormat}, // 2025 is no leap year
        {"736204;001326;1200;", kErrorDateFormat}, {"736204;0103;1200;", kErrorDateFormat},
        {"736204;01a326;1200;", kErrorDateFormat}, {"736204;", kErrorDateFormat},
        {"736204;290224;2400;", kErrorTimeFormat}, {"736204;290224;1260;", kErrorTimeFormat},
        {"736204;290224;930;", kErrorTimeFormat},  {"736204;290224;;", kErrorTimeFormat},
    };
    for (const auto& c : cases)
        EXPECT_EQ(model.Handle(0x20, c.data).Error, c.error) << c.data;
    EXPECT_EQ(model.Clock(), (DateTime{2026, 3, 7, 9, 5, 0}));
    EXPECT_EQ(model.Handle(0x20, "736204;290224;0000;").Error, kErrorOk); // 2024 is one
}

TEST(RegisterModel, ServiceCountersAreSetReadAndChecked) {
    RegisterModel model;
    EXPECT_EQ(model.Handle(0x89, "736204;0;").Data, "87;");
    EXPECT_EQ(model.Handle(0x89, "736204;5;").Data, "0;");
    EXPECT_EQ(model.Handle(0x88, "736204;20;0;").Error, kErrorOk);
    EXPECT_EQ(model.Handle(0x88, "736204;2;-15;").Error, kErrorOk);
    EXPECT_EQ(model.Handle(0x89, "736204;2;").Data, "-15;");
    const struct {
        uint8_t code;
        const char* data;
        const char* error;
    } refusals[] = {
        {0x88, "736204;21;1;", "0204"},  {0x88, "736204;-1;1;", "0204"}, {0x88, "736204;x;1;", "0203"},
        {0x88, "736204;1;1.5;", "0303"}, {0x88, "736204;1;;", "0303"},   {0x89, "736204;21;", "0204"},
        {0x89, "736204;;", "0203"},
    };
    for (const auto& r : refusals)
        EXPECT_EQ(model.Handle(r.code, r.data).Error, r.error) << r.data;
}

TEST(RegisterModel, FreeResourcesGiveTwelveFieldsInOrder) {
    RegisterModel model;
    model.State.Resources.MayFiscalize = "2";
    model.State.Resources.ShiftOpenDate = "";
    model.State.Resources.FreeReceipts = "17";
    const std::vector<std::string> fields = SplitFields(model.Handle(0xA0, "736204;").Data);
    ASSERT_EQ(fields.size(), 12u);
    EXPECT_EQ(fields[0], "2");
    EXPECT_EQ(fields[8], "");
    EXPECT_EQ(fields[11], "17");
}

TEST(RegisterModel, CodesTheRegisterDoesNotHaveGetTheInvalidCommandError) {
    RegisterModel model;
    const struct {
        uint8_t code;
        bool known;
    } cases[] = {
        {0x00, false}, {0x1F, false}, {0x20, true},  {0x2A, false}, {0x31, true},  {0x32, false},
        {0x3B, true},  {0x4C, true},  {0x4D, false}, {0x6F, true},  {0x72, false}, {0x78, true},
        {0x79, false}, {0x84, true},  {0x85, false}, {0x9F, false}, {0xA6, true},  {0xA7, false},
        {0xD1, true},  {0xE9, false}, {0xEE, true},  {0xF3, true},  {0xFC, true},  {0xFF, false},
    };
    for (const auto& c : cases) {
        const ModelAnswer answer = model.Handle(c.code, "736204;");
        EXPECT_EQ(answer.Error == kErrorUnknownCommand, !c.known) << int(c.code);
        EXPECT_EQ(RegisterHasCommand(c.code), c.known) << int(c.code);
        if (!c.known) {
            EXPECT_EQ(answer.Data, "") << int(c.code);
        }
    }
}
