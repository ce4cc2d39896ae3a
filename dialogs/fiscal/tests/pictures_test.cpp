#include "dialogs/fiscal/fiscal_windows.h"
#include "dialogs/fiscal/tests/fiscal_fixture.h"

namespace {

using FiscalPictures = FiscalFixture;

// Pictures of the windows in their main state, for a person to look at (kaltor-fiscal-*.png in the
// temporary folder).
TEST_F(FiscalPictures, EachWindowRendersItsMainState) {
    const std::vector<std::string> articles = {"101;Хлеб;12.50;1;1;", "102;Молоко;30.00;1;1;",
                                               "103;Сыр твёрдый;200.00;2;1;"};
    Form20->Memo1.Lines().Assign(articles);
    Form20->Label3.SetCaption("/home/kassa/товары.art");
    Form21->FormActivate();
    Form21->Button1.Click();
    Form21->ListBox1.SetItemIndex(1);
    Form21->ListBox1Click();
    Form21->Button2.Click();
    Form21->Button13.Click();
    Form34->FormActivate();
    Form34->Button3.Click();
    EXPECT_TRUE(host.Texts().empty());

    const std::pair<TForm*, const char*> windows[] = {
        {Form21, "receipt"}, {Form20, "articles"}, {Form34, "payments"}};
    for (const auto& [form, name] : windows) {
        const auto picture =
            std::filesystem::temp_directory_path() / ("kaltor-fiscal-" + std::string(name) + ".png");
        EXPECT_TRUE(GrabToPng(*form, picture.string())) << name;
    }
}

} // namespace
