// The monitor's "Выполнить" button running extended scripts against the simulated register.
#include "monitor/tests/monitor_fixture.h"

namespace {

using Lines = std::vector<std::string>;
using ExtendedScriptWindowTest = MonitorFixture;

TEST_F(ExtendedScriptWindowTest, RunsAScriptIntoTheMessageListAndTheVariablesGrid) {
    UseScript({"%DeclareBeg", "%New pwd", "%New count", "%New time", "%DeclareEnd", "%Set pwd=\"736204\"",
               "%Set count=\"0\"", "%While (count<3)", "%RunCommand(33,pwd)", "%Oper(count,1,0,count)",
               "%EndWhile", "%Set time=%Ret1", "%Print count", "89736204;1;"});
    Form28->Button6.Click();
    EXPECT_EQ(host.Texts(), Lines{"Конец файла!"});
    EXPECT_EQ(SentCodes(), (std::vector<unsigned>{0x21, 0x21, 0x21, 0x89}));
    EXPECT_EQ(sim.Frames()[0].Data, "736204;");
    const Lines exchange = ExchangeOfLastFrame("0;");
    EXPECT_EQ(Messages(), (Lines{";count=3", exchange[0], exchange[1]}));
    EXPECT_EQ(Form28->Edit4.Text(), "0");
    const TStringGrid& grid = Form40->StringGrid1;
    EXPECT_EQ(grid.RowCount(), 4);
    EXPECT_EQ(grid.Cell(1, 1), "pwd");
    EXPECT_EQ(grid.Cell(2, 1), "736204");
    EXPECT_EQ(grid.Cell(2, 2), "0") << "Oper results stay out of the grid";
    EXPECT_EQ(grid.Cell(2, 3).size(), 4u) << "the time field of the last 21h answer";
}

TEST_F(ExtendedScriptWindowTest, ALongLoopStopsAtTheStopButtonAndMayRunAgain) {
    UseScript({"%DeclareBeg", "%New i", "%DeclareEnd", "%Set i=\"0\"", "%While (0<1)", "%Oper(i,1,0,i)",
               "%EndWhile"});
    host.OnProcessMessages = [&] {
        if (Form28->LineNumber == 5000) Form28->Button7.Click();
    };
    Form28->Button6.Click();
    EXPECT_TRUE(host.Texts().empty()) << "a stopped run shows nothing";
    EXPECT_EQ(Form28->Edit4.Text(), "5000");
    EXPECT_TRUE(Form28->Button6.Enabled());

    host.OnProcessMessages = [&] {
        if (Form28->LineNumber == 7) Form28->Button7.Click();
    };
    Form28->Button6.Click();
    EXPECT_EQ(Form28->Edit4.Text(), "7") << "the stop of the first run does not stop the second at once";
    host.OnProcessMessages = nullptr;
}

} // namespace
