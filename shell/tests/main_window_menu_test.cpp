#include "shell/tests/shell_fixture.h"

namespace {
class MenuTest : public ShellFixture {
protected:
    // The class name of the window an item opened, or "" when none.
    std::string Opened(TMenuItem& item) {
        host.Clear();
        item.Click();
        return host.ModalShown().empty() ? "" : host.ModalShown().back();
    }
};

TEST_F(MenuTest, EveryItemOpensItsWindow) {
    Form1->ShowConnectedState();
    TForm1& f = *Form1;
    const std::vector<std::pair<TMenuItem*, std::string>> items{
        {&f.N7, "TForm20"},   {&f.N8, "TForm21"},  {&f.N9, "TForm8"},      {&f.N10, "TForm9"},
        {&f.N16, "TForm35"},  {&f.N31, "TForm14"}, {&f.N24, "TForm28"},    {&f.N11, "TForm10"},
        {&f.PQ31, "TForm48"}, {&f.N12, "TForm23"}, {&f.N13, "TForm25"},    {&f.N14, "TForm24"},
        {&f.N22, "TForm31"},  {&f.N25, "TForm11"}, {&f.N26, "TForm12"},    {&f.N36, "TForm34"},
        {&f.N27, "TForm13"},  {&f.N18, "TForm6"},  {&f.N40, "TForm45"},    {&f.N20, "TForm7"},
        {&f.N21, "TForm27"},  {&f.N1, "TForm38"},  {&f.N3, "TForm39"},     {&f.N41, "TForm47"},
        {&f.N29, "TForm15"},  {&f.N19, "TForm26"}, {&f.N33, "TForm42"},    {&f.N42, "TForm49"},
        {&f.N23, "TForm32"},  {&f.N32, "TForm19"}, {&f.IDDEV1, "TForm50"}, {&f.N44, "TForm53"},
        {&f.N5, "TForm3"},
    };
    for (const auto& [item, window] : items)
        EXPECT_EQ(Opened(*item), window) << item->Caption();
}

TEST_F(MenuTest, MenusStartDisabledAndTheWidthItemHidden) {
    for (TMenuItem* menu : {&Form1->N6, &Form1->N2, &Form1->N4, &Form1->N17, &Form1->N28, &Form1->N24})
        EXPECT_FALSE(menu->Enabled()) << menu->Caption();
    EXPECT_EQ(Opened(Form1->N8), "");
    EXPECT_FALSE(Form1->N41.Visible());
    EXPECT_EQ(Form1->N5.Caption(), "О программе...");
    EXPECT_EQ(Form1->N13.Caption(), "Печать периодического отчета ");
}

TEST_F(MenuTest, ReceiptCopiesByFirmwareVersion) {
    Form1->ShowConnectedState();
    const std::pair<std::string, std::string> cases[] = {
        {"3.01", "TForm54"}, {"4.01", "TForm41"}, {"4.00", "TForm41"}, {"5.00", "TForm41"}, {"", "TForm54"}};
    for (const auto& [version, window] : cases) {
        Session.FirmwareVersion = version;
        EXPECT_EQ(Opened(Form1->N15), window) << version;
    }
}

TEST_F(MenuTest, FiscalParametersByExtendedTaxAndPriority) {
    Activate();
    Form1->ShowConnectedState();
    const TextSetting extendedTax{"Fiscal Printer", "ExtendedTax", "", 10};
    const struct {
        std::string extendedTax, level, window;
    } cases[] = {
        {"0", "medium", "TForm18"}, {"1", "medium", "TForm37"}, {"0", "high", "TForm37"},
        {"2", "high", "TForm37"},   {"2", "medium", ""},
    };
    for (const auto& c : cases) {
        WriteSetting(extendedTax, c.extendedTax);
        Session.PriorityLevel = c.level;
        EXPECT_EQ(Opened(Form1->N30), c.window) << c.extendedTax << " " << c.level;
    }
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Ошибка в ini-файле. Параметр ExtendedTax!"}));
}

TEST_F(MenuTest, ModemStateByModelFamily) {
    Form1->ShowConnectedState();
    Form1->ModelName = "Kivrel RM-4";
    std::string captionWhileShown;
    host.OnModal("TForm44", [&](TForm& form) { captionWhileShown = form.Caption(); });
    EXPECT_EQ(Opened(Form1->N43), "TForm44");
    EXPECT_EQ(captionWhileShown, "Состояние модема для Kivrel RM-4");
    EXPECT_EQ(Form44->Caption(), "Состояние модема для ");

    Form1->ModelName = "RM-4S";
    EXPECT_EQ(Opened(Form1->N43), "TForm51");
}

TEST_F(MenuTest, HandlersOfNoItemOpenTheirWindows) {
    Form1->N34Click();
    Form1->N35Click();
    Form1->N38Click();
    EXPECT_EQ(host.ModalShown(), (std::vector<std::string>{"TForm21", "TForm46", "TForm43"}));
}
} // namespace
