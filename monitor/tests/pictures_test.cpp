#include "monitor/tests/monitor_fixture.h"

namespace {

using MonitorPictures = MonitorFixture;

// Pictures of the windows in their main state, for a person to look at (kaltor-monitor-*.png in the
// temporary folder).
TEST_F(MonitorPictures, EachWindowRendersItsMainState) {
    UseScript({"+Проверка часов", "21736204;", "80736204;"});
    host.ChooseNextFile(Form28->ScriptFileName);
    Form28->Button5.Click();
    Form28->Edit1.SetText("21");
    Form28->Button3.Click();
    Form28->Button8.Click();
    Form28->SetVariableCount(2);
    Form28->SetVariableRow(1, "i", "3");
    Form28->SetVariableRow(2, "name", "Кассир");
    Form28->Button10.Click();

    const std::pair<TForm*, const char*> windows[] = {
        {Form28, "monitor"},    {Form40, "variables"}, {Form33, "goods-script"},
        {Form30, "goods-sale"}, {Form29, "receipts"},
    };
    for (const auto& [form, name] : windows) {
        const auto picture =
            std::filesystem::temp_directory_path() / ("kaltor-monitor-" + std::string(name) + ".png");
        EXPECT_TRUE(GrabToPng(*form, picture.string())) << name;
    }
}

} // namespace
