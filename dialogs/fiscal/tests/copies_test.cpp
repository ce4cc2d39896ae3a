// Receipt copies by number and from the electronic journal by date and time, against the simulator.
#include "dialogs/fiscal/tests/fiscal_fixture.h"

namespace {
using CopiesTest = FiscalFixture;

bool Begins(const std::string& text, const std::string& start) {
    return text.rfind(start, 0) == 0;
}

TEST_F(CopiesTest, CopyByNumberIsWrappedInANonFiscalReceipt) {
    sim.UpdateState([](regsim::RegisterState& state) { state.ReceiptNumber = "5"; });
    struct Case {
        std::string first, last;
        std::vector<int> codes;
        bool refused;
    } cases[] = {
        {"2", "4", {0x60, 0xA5, 0x65}, false},
        {"5", "3", {0x60, 0xA5}, true}, // sent unchanged: the register judges the range
        {"6", "6", {0x60, 0xA5}, true},
    };
    for (const Case& c : cases) {
        sim.UpdateState([](regsim::RegisterState& state) { state.Document = {}; });
        sim.ClearFrames();
        host.Clear();
        Form41->Edit2.SetText(c.first);
        Form41->Edit4.SetText(c.last);
        Form41->Button2.Click();
        EXPECT_EQ(Codes(), c.codes) << c.first << c.last;
        EXPECT_EQ(DataOf(0xA5), std::vector<std::string>{"736204;" + c.first + ";" + c.last + ";"});
        ASSERT_EQ(host.Texts().size(), c.refused ? 1u : 0u);
        if (c.refused) {
            EXPECT_TRUE(Begins(host.Texts()[0], "Печать копии чека:\n  ")) << host.Texts()[0];
        }
        EXPECT_EQ(Form41->Edit3.Text() == "0000", !c.refused);
    }
    sim.ClearFrames();
    Form41->Edit2.SetText("");
    EXPECT_THROW(Form41->Button2Click(), EConvertError);
    EXPECT_TRUE(Codes().empty());
}

class JournalCopyTest : public FiscalFixture {
protected:
    void SetUp() override {
        FiscalFixture::SetUp();
        sim.UpdateState([](regsim::RegisterState& state) {
            state.Reports.Journal = {{1, "311223", "2300"},
                                     {2, "010124", "0900"},
                                     {3, "010124", "1300"},
                                     {4, "020124", "1000"},
                                     {5, "050124", "1000"}};
        });
    }
    void Search(TDateTime first, const std::string& firstTime, TDateTime last, const std::string& lastTime,
                bool print = false) {
        sim.ClearFrames();
        host.Clear();
        Form54->DateTimePicker1.SetDate(first);
        Form54->Edit3.SetText(firstTime);
        Form54->DateTimePicker2.SetDate(last);
        Form54->Edit4.SetText(lastTime);
        Form54->CheckBox1.SetChecked(print);
        Form54->Button1.Click();
    }
};

TEST_F(JournalCopyTest, ASearchFindsTheFirstAndLastDocumentOfTheSpan) {
    struct Case {
        TDateTime first;
        std::string firstTime;
        TDateTime last;
        std::string lastTime;
        std::string found; // "first-last", or empty when the span holds nothing
    } cases[] = {
        {EncodeDate(2024, 1, 1), "1200", EncodeDate(2024, 1, 2), "1200", "3-4"},
        {EncodeDate(2023, 12, 31), "0000", EncodeDate(2024, 1, 31), "2359", "1-5"},
        {EncodeDate(2024, 1, 1), "0900", EncodeDate(2024, 1, 1), "0900", "2-2"},
        {EncodeDate(2024, 1, 3), "0000", EncodeDate(2024, 1, 4), "2359", ""},
        {EncodeDate(2024, 1, 2), "1200", EncodeDate(2024, 1, 1), "1200", ""},
    };
    for (const Case& c : cases) {
        Form54->Label3.SetCaption("?");
        Search(c.first, c.firstTime, c.last, c.lastTime);
        ASSERT_EQ(DataOf(0xEE).size(), 1u);
        if (c.found.empty()) {
            ASSERT_EQ(host.Texts().size(), 1u) << DataOf(0xEE)[0];
            EXPECT_TRUE(Begins(host.Texts()[0], "Печать копии чека :\n  "));
            EXPECT_EQ(Form54->Label3.Caption(), "?");
            continue;
        }
        EXPECT_TRUE(host.Texts().empty()) << DataOf(0xEE)[0];
        EXPECT_EQ(Form54->Label3.Caption() + "-" + Form54->Label4.Caption(), c.found);
        EXPECT_EQ(Form54->Edit5.Text(), "0000");
    }
}

TEST_F(JournalCopyTest, FoundNumbersCopyIntoTheRangeAndPrint) {
    Search(EncodeDate(2024, 1, 1), "1200", EncodeDate(2024, 1, 2), "1200");
    EXPECT_EQ(DataOf(0xEE), std::vector<std::string>{"736204;010124;1200;020124;1200;0;"});
    Form54->Label3.OnClick();
    Form54->Label4.OnClick();
    EXPECT_EQ(Form54->Edit1.Text() + ".." + Form54->Edit2.Text(), "3..4");
    Form54->Label3.OnDblClick(); // the first found into the last number
    Form54->Label4.OnDblClick(); // the last found into the first number
    EXPECT_EQ(Form54->Edit1.Text() + ".." + Form54->Edit2.Text(), "4..3");

    Form54->Edit1.SetText("3");
    Form54->Edit2.SetText("4");
    sim.ClearFrames();
    Form54->Button3.Click();
    EXPECT_EQ(DataOf(0xEB), std::vector<std::string>{"736204;3;4;"});
    EXPECT_TRUE(host.Texts().empty());
    Form54->Edit2.SetText("9");
    Form54->Button3.Click();
    ASSERT_EQ(host.Texts().size(), 1u);
    EXPECT_TRUE(Begins(host.Texts()[0], "Печать копии чека :\n  "));

    Search(EncodeDate(2024, 1, 1), "0000", EncodeDate(2024, 1, 1), "2359", true);
    EXPECT_EQ(DataOf(0xEE), std::vector<std::string>{"736204;010124;0000;010124;2359;1;"});
}

// A time is checked before anything is sent; a silent register has its own text.
TEST_F(JournalCopyTest, BadTimesAreNamedAndASilenceIsReported) {
    for (const char* time : {"12:0", "2400", "1260", "930", ""}) {
        Search(EncodeDate(2024, 1, 1), time, EncodeDate(2024, 1, 2), "1200");
        EXPECT_TRUE(Codes().empty()) << time;
        EXPECT_EQ(host.Texts().size(), 1u) << time;
    }
    sim.SetOverride(0xEE, {.Silent = true});
    Search(EncodeDate(2024, 1, 1), "1200", EncodeDate(2024, 1, 2), "1200");
    EXPECT_EQ(host.Texts(), std::vector<std::string>{"Ошибка! Таймаут устройства!"});
}

TEST(JournalTime, FourDigitsOfATimeOfDay) {
    for (const auto& [text, good] : std::vector<std::pair<std::string, bool>>{{"0000", true},
                                                                              {"2359", true},
                                                                              {"1200", true},
                                                                              {"2400", false},
                                                                              {"1260", false},
                                                                              {"120", false},
                                                                              {"12000", false},
                                                                              {"12a0", false},
                                                                              {" 120", false}})
        EXPECT_EQ(IsJournalTime(text), good) << text;
}
} // namespace
