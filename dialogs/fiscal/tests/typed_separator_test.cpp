#include <algorithm>

#include "dialogs/fiscal/article_file.h"
#include "dialogs/fiscal/tests/fiscal_fixture.h"
#include "shell/tests/typed_separator.h"

namespace {

class TypedSeparatorTest : public FiscalFixture {
protected:
    void SetUp() override {
        FiscalFixture::SetUp();
        Activate(); // a settings file for the windows that read one
        Form20->Memo1.Lines().Assign(std::vector<std::string>{"101;Хлеб;12.50;1;1;"});
        Form20->Label3.SetCaption("goods.art"); // the receipt asks for no file
    }
};

TEST_F(TypedSeparatorTest, EveryTypedFieldOfTheFiscalWindowsRefusesTheSeparator) {
    TForm21& receipt = *Form21;
    const auto fillRange = [] {
        Form7->Edit4.Clear();
        Form7->Edit5.Clear();
        Form7->Edit4.SetText("0");
        Form7->Edit5.SetText("50");
    };
    const auto pickArticle = [&receipt] {
        Session.PqVariant = 0;
        receipt.Edit3.SetText("101;Хлеб;12.50;1;1;");
    };
    const auto cardByTypedIdentifier = [&receipt] {
        Session.FirmwareVersion = "4.00";
        receipt.ComboBox1.SetItemIndex(1);
        receipt.Edit8.SetText("1.00");
        receipt.CheckBox3.SetChecked(true);
        receipt.Edit13.SetText("TX1");
    };
    // Programming checks what the parts ticked in its confirmation send: every part is ticked here.
    const auto tickEveryPart = [this] { TickEveryPartNext(host); };
    const SeparatorRow rows[] = {
        {Form37, &Form37->Edit8, "Пароль:", &Form37->Button5, tickEveryPart},
        {Form37, &Form37->Edit3, "Регистрационный номер РРО:  (ІД)", &Form37->Button5, tickEveryPart},
        {Form37, &Form37->Edit1, "(ПН)", &Form37->Button5, tickEveryPart},
        {Form37, &Form37->Edit4, "Налог А, ставка налога", &Form37->Button5, tickEveryPart},
        {Form37, &Form37->Edit14, "Налог Д, наименование", &Form37->Button5, tickEveryPart},
        {Form37, &Form37->Edit15, "Фискальный номер:", &Form37->Button5,
         [&] {
             Form37->Edit15.SetText("12345");
             tickEveryPart();
         }},
        {Form18, &Form18->Edit10, "Налог Б, наименование", &Form18->Button5, tickEveryPart},
        {Form18, &Form18->Edit8, "Пароль:", &Form18->Button1},
        {Form17, &Form17->Edit5, "Пароль:", &Form17->Button3},
        {Form15, &Form15->Edit1, "Дата (DDMMYY): ", &Form15->Button3},
        {Form15, &Form15->Edit2, "Время (HHMM):", &Form15->Button3},
        {Form15, &Form15->Edit3, "Пароль:", &Form15->Button3},
        {Form15, &Form15->Edit4, "Заводской номер:", &Form15->Button2},
        {Form19, &Form19->Edit4, "Заводской номер ККМ:", &Form19->Button2},
        {Form19, &Form19->Edit1, "Пароль налогового инспектора:", &Form19->Button2},
        {Form19, &Form19->Edit3, "Пароль:", &Form19->Button2},
        {Form16, &Form16->Edit4, "Заводской номер ККМ:", &Form16->Button2},
        {Form16, &Form16->Edit3, "Старый пароль налогового инспектора:", &Form16->Button2},
        {Form16, &Form16->Edit1, "Новый пароль:", &Form16->Button2},
        {Form7, &Form7->Edit3, "Пароль:", &Form7->Button2},
        {Form7, &Form7->Edit3, "Пароль:", &Form7->Button3, fillRange},
        {Form7, &Form7->Edit3, "Пароль:", &Form7->Button4, fillRange},
        {Form23, &Form23->Edit1, "Пароль:", &Form23->Button2},
        {Form23, &Form23->Edit1, "Пароль:", &Form23->Button3},
        {Form23, &Form23->Edit1, "Пароль:", &Form23->Button5},
        {Form23, &Form23->Edit1, "Пароль:", &Form23->Button6},
        {Form48, &Form48->Edit1, "Пароль:", &Form48->Button3},
        {Form48, &Form48->Edit1, "Пароль:", &Form48->Button6},
        {Form31, &Form31->Edit1, "Пароль:", &Form31->Button2},
        {Form25, &Form25->Edit3, "Пароль:", &Form25->Button2},
        {Form24, &Form24->Edit1, "Пароль:", &Form24->Button2},
        {Form41, &Form41->Edit1, "Пароль:", &Form41->Button2},
        {Form9, &Form9->Edit5, "Пароль:", &Form9->Button3},
        {Form9, &Form9->Edit5, "Пароль:", &Form9->Button2},
        {Form34, &Form34->Edit1, "Наименование:", &Form34->Button2, [] { Form34->Edit2.SetText("3"); }},
        {Form8, &Form8->Edit1, "Пароль:", &Form8->Button2},
        {Form20, &Form20->Edit1, "Пароль: ", &Form20->Button2},
        {Form21, &receipt.Edit1, "Пароль:", &receipt.Button1},
        {Form21, &receipt.Edit1, "Пароль:", &receipt.Button2, pickArticle},
        {Form21, &receipt.Edit1, "Пароль:", &receipt.Button10},
        {Form21, &receipt.Edit2, "Комментарий", &receipt.Button10},
        {Form21, &receipt.Edit2, "Комментарий", &receipt.Button18},
        {Form21, &receipt.Edit1, "Пароль:", &receipt.Button3},
        {Form21, &receipt.Edit1, "Пароль:", &receipt.Button6},
        {Form21, &receipt.Edit1, "Пароль:", &receipt.Button19},
        {Form21, &receipt.Edit1, "Пароль:", &receipt.Button4},
        {Form21, &receipt.Edit1, "Пароль:", &receipt.Button7},
        {Form21, &receipt.Edit1, "Пароль:", &receipt.Button20},
        {Form21, &receipt.Edit1, "Пароль:", &receipt.Button13},
        {Form21, &receipt.Edit1, "Пароль:", &receipt.Button12},
        {Form21, &receipt.Edit1, "Пароль:", &receipt.Button5},
        {Form21, &receipt.Edit1, "Пароль:", &receipt.Button14},
        {Form21, &receipt.Edit1, "Пароль:", &receipt.Button15},
        {Form21, &receipt.Edit1, "Пароль:", &receipt.Button9},
        {Form21, &receipt.Edit1, "Пароль:", &receipt.Button8},
        {Form21, &receipt.Edit13, "Идентификатор транзакций", &receipt.Button8, cardByTypedIdentifier},
    };
    for (const SeparatorRow& row : rows)
        ExpectSeparatorRefused(host, sim, row);
    // The result of programming is not shown: nothing was programmed.
    EXPECT_EQ(std::count(host.ModalShown().begin(), host.ModalShown().end(), "TForm36"), 0);
}

// Labels keep their words and lose their line breaks and colon in the message.
TEST_F(TypedSeparatorTest, TheMessageNamesTheFieldAsTheWindowShowsIt) {
    EXPECT_EQ(FieldSeparatorMessage("Фискальный номер:"),
              "Поле \"Фискальный номер\" содержит недопустимый символ \";\"!\n"
              "В регистратор ничего не отправлено.");
    EXPECT_EQ(FieldSeparatorMessage("Номер \nналоговой \nгруппы:"),
              FieldSeparatorMessage("Номер налоговой группы"));
    EXPECT_TRUE(FieldsAccepted({{"Пароль:", "736204"}, {"Имя:", ""}}));
    EXPECT_TRUE(host.Texts().empty());
}

TEST_F(TypedSeparatorTest, AnArticleLineWithAFieldTooManyIsRefusedAndNothingIsLoaded) {
    const std::vector<std::string> memo = {"101;Хлеб;12.50;1;1;", "", "102;Хле;б;12.50;1;1;", "103;Сыр"};
    Form20->Memo1.Lines().Assign(memo);
    host.OnModal("Form20", [](TForm& form) {
        Form20->Button2.Click();
        form.Close();
    });
    Form20->ShowModal();
    EXPECT_EQ(host.Texts(), std::vector<std::string>{ArticleLineRefusal("102;Хле;б;12.50;1;1;", 3)});
    EXPECT_EQ(sim.FrameCount(), 0u);
    EXPECT_NE(ArticleLineRefusal("x", 3).find("Строка 3 \"x\""), std::string::npos);

    // The receipt refuses such a line too, before programming the article.
    host.Clear();
    Session.PqVariant = 0;
    host.OnModal("Form21", [](TForm& form) {
        Form21->Edit3.SetText("102;Хле;б;12.50;1;1;");
        Form21->Button2.Click();
        form.Close();
    });
    Form21->ShowModal();
    EXPECT_EQ(host.Texts(), std::vector<std::string>{ArticleLineRefusal("102;Хле;б;12.50;1;1;")});
    EXPECT_EQ(sim.FrameCount(), 0u);

    const struct {
        std::string line;
        bool parses;
    } lines[] = {
        {"101;Хлеб;12.50;1;1;", true},
        {"101;Хлеб;12.50;1;1", false},
        {"101;Хле;б;12.50;1;1;", false},
        {"101;Хлеб;12.50;1;", false},
        {"", false},
        {";;;;;", true},
    };
    for (const auto& c : lines)
        EXPECT_EQ(ArticleLineParses(c.line), c.parses) << c.line;
}

// The non-fiscal receipt keeps its own rule for its lines: a warning while typing, the ";" left out
// when printing.
TEST_F(TypedSeparatorTest, TheNonFiscalReceiptStillDropsTheSeparatorFromItsLines) {
    host.OnModal("Form8", [](TForm& form) {
        char32_t key = U';';
        Form8->Memo1.OnKeyPress(key);
        Form8->Memo1.Lines().Assign(std::vector<std::string>{"Строка; первая"});
        Form8->Button2.Click();
        form.Close();
    });
    Form8->ShowModal();
    EXPECT_EQ(host.Texts(),
              std::vector<std::string>{"; - недопустимый символ, \n   будет удален при печати чека!"});
    EXPECT_EQ(DataOf(0x61), std::vector<std::string>{"736204;Строка первая;"});
}

} // namespace
