#include "dialogs/fiscal/article_file.h"
#include "dialogs/fiscal/fiscal_windows.h"
#include "dialogs/fiscal/money_amount.h"
#include "dialogs/fiscal/tests/fiscal_fixture.h"

namespace {

using Texts = std::vector<std::string>;

const Texts kArticles = {"101;Хлеб;12.50;1;1;", "102;Молоко;30.00;1;1;", "103;Сыр;200.00;2;1;"};

class FiscalReceiptTest : public FiscalFixture {
protected:
    void SetUp() override {
        FiscalFixture::SetUp();
        Form20->Memo1.Lines().Assign(kArticles);
        Form20->Label3.SetCaption("goods.art");
        Form21->FormActivate();
    }
    // A person picks an article from the list.
    void Pick(int index) {
        Form21->ListBox1.SetItemIndex(index);
        Form21->ListBox1Click();
    }
    void Sell(int index, const std::string& quantity, const std::string& price) {
        Pick(index);
        Form21->Edit10.SetText(quantity);
        Form21->Edit9.SetText(price);
        Form21->Button2.Click();
    }
    regsim::Receipt Document() const { return sim.State().Document; }
};

TEST_F(FiscalReceiptTest, ASaleFromOpeningToClosing) {
    Form21->Button1.Click();
    Sell(0, "2", "12.50");
    Form21->Edit4.SetText("-10.00");
    Form21->Button3.Click(); // -10 % on the bread: 25.00 - 2.50
    Sell(1, "1.5", "30.00");
    Sell(2, "0.25", "200.00");
    Form21->Edit5.SetText("3.00");
    Form21->Button7.Click(); // a surcharge of 3.00 on the subtotal
    Form21->Button10.Click();
    Form21->Button17.Click();
    Form21->Button13.Click();
    EXPECT_EQ(Form21->Label5.Caption(), "120.50");
    Form21->Label5Click();
    EXPECT_EQ(Form21->Edit8.Text(), "120.50");
    Form21->Button8.Click();
    EXPECT_EQ(Document().Paid(), 12050);
    Form21->Button9.Click();

    EXPECT_TRUE(host.Texts().empty()) << host.Texts().front();
    EXPECT_EQ(Codes(), (std::vector<int>{0x63, 0x24, 0x64, 0x68, 0x24, 0x64, 0x24, 0x64, 0x74, 0x61, 0x6F,
                                         0x6D, 0x67, 0x65}));
    EXPECT_EQ(DataOf(0x63), Texts{"736204;1;1;0;"});
    EXPECT_EQ(DataOf(0x24).front(), "736204;101;Хлеб;12.50;1;1;");
    EXPECT_EQ(DataOf(0x64),
              (Texts{"736204;101;2.000;12.50;", "736204;102;1.500;30.00;", "736204;103;0.250;200.00;"}));
    EXPECT_EQ(DataOf(0x61), Texts{"736204;Comment for printing;"});
    EXPECT_EQ(DataOf(0x67), Texts{"736204;0;120.50;"});
    EXPECT_EQ(DataOf(0x65), Texts{"736204;1;"});
    EXPECT_EQ(Document().Kind, regsim::DocumentKind::None);
    EXPECT_EQ(sim.State().ReceiptNumber, "1");
    EXPECT_EQ(Form21->Edit7.Text(), "0000");
    EXPECT_TRUE(Form21->Button16.Enabled());
}

TEST_F(FiscalReceiptTest, ARefundWithItsDiscountsAndACancelledLine) {
    Form21->CheckBox1.SetChecked(true);
    Form21->Edit12.SetText("3");
    Form21->Button1.Click();
    EXPECT_EQ(DataOf(0x63), Texts{"736204;3;1;1;"});
    EXPECT_EQ(Document().Kind, regsim::DocumentKind::Refund);
    Sell(2, "1", "200.00");
    Form21->Edit5.SetText("-1.00");
    Form21->Button4.Click();
    Sell(0, "1", "12.50");
    Form21->Button5.Click(); // a cancellation takes the bread back
    Sell(0, "1", "12.50");
    Form21->Button14.Click();
    Form21->Edit4.SetText("-5.00");
    Form21->Edit6.SetText("2");
    Form21->Button19.Click(); // -5 % on tax group 2: -10.00
    Form21->Button13.Click();
    EXPECT_TRUE(host.Texts().empty()) << host.Texts().front();
    EXPECT_EQ(Form21->Label5.Caption(), "189.00");
    EXPECT_EQ(DataOf(0x6B), (Texts{"736204;1;", "736204;2;"}));
    EXPECT_EQ(DataOf(0x75), Texts{"736204;-5.00;2;"});

    Form21->Button12.Click(); // the whole receipt is voided
    EXPECT_EQ(Document().Kind, regsim::DocumentKind::None);
    EXPECT_EQ(sim.State().ReceiptNumber, "0");
}

TEST_F(FiscalReceiptTest, TheRegisterRefusesWhatIsOutOfOrder) {
    const struct {
        TButton* button;
        std::string message;
    } cases[] = {
        {&Form21->Button2, "Ошибка продажи\nРегистратор уже принял: запись товара."},
        {&Form21->Button3, "Ошибка надбавки-скидки"},
        {&Form21->Button13, "Ошибка печати итога"},
        {&Form21->Button8, "Ошибка оплаты чека"},
        {&Form21->Button9, "Ошибка закрытия чека"},
        {&Form21->Button14, "Ошибка аннулирования"},
        {&Form21->Button10, "Ошибка печати комментария"},
    };
    Pick(0);
    Form21->Edit8.SetText("10.00");
    for (const auto& c : cases) {
        host.Clear();
        c.button->Click();
        EXPECT_EQ(host.Texts(), Texts{c.message}) << c.button->Caption();
        EXPECT_EQ(Form21->Edit7.Text(), "000B") << c.button->Caption();
    }
    host.Clear();
    Form21->Button1.Click();
    Form21->Button1.Click();
    EXPECT_EQ(host.Texts(), Texts{"Ошибка открытия чека"});
    Form21->Button13.Click();
    EXPECT_EQ(Form21->Label5.Caption(), "0.00");
    host.Clear();
    sim.SetOverride(0x6D, {.Error = "000B", .Data = "99.99;"});
    Form21->Button13.Click();
    EXPECT_EQ(Form21->Label5.Caption(), "0.00"); // an error leaves the last total
}

TEST_F(FiscalReceiptTest, ASaleProgramsItsArticleFirstUnlessTheModelHasNoNeed) {
    Form21->Button1.Click();
    const struct {
        uint8_t pq;
        std::optional<regsim::AnswerOverride> articleAnswer;
        std::vector<int> codes;
        Texts messages;
    } cases[] = {
        {0, std::nullopt, {0x24, 0x64}, {}},
        {1, std::nullopt, {0x64}, {}},
        {0, regsim::AnswerOverride{.Error = "010A"}, {0x24}, {"Ошибка "}},
        {0, regsim::AnswerOverride{.Silent = true}, {0x24}, {"Таймаут устройства! Ошибка!"}},
    };
    for (const auto& c : cases) {
        sim.ClearOverrides();
        if (c.articleAnswer) sim.SetOverride(0x24, *c.articleAnswer);
        sim.ClearFrames();
        host.Clear();
        Session.PqVariant = c.pq;
        Sell(1, "1", "30.00");
        std::vector<int> codes = Codes();
        codes.erase(std::unique(codes.begin(), codes.end()),
                    codes.end()); // resends of a silent frame
        EXPECT_EQ(codes, c.codes);
        EXPECT_EQ(host.Texts(), c.messages);
    }
    EXPECT_EQ(Document().Lines.size(), 2u);
}

// Everything typed for a sale is checked, and both its commands formed, before
// the article is programmed: nothing reaches the register for a sale that could
// not be made.
TEST_F(FiscalReceiptTest, BadInputIsReportedBeforeTheSaleIsSent) {
    Form21->Button1.Click();
    const std::string quantityRefused = UnformableCommandMessage(0x64, RefusalQuantity);
    const struct {
        uint8_t pq;
        std::string article, quantity, price;
        std::vector<int> codes;
        Texts messages;
        bool errorBox;
    } cases[] = {
        {0, "", "1", "1.00", {}, {"Не выбран товар!"}, false},
        {0, "101;Хлеб;12.50;1;1;", "abc", "1.00", {}, {"'abc' is not a valid floating point value."}, true},
        {0, "101;Хлеб;12.50;1;1;", "1", "12,50", {}, {"'12,50' is not a valid floating point value."}, true},
        {0, "Хлеб;101;", "1", "1.00", {}, {ArticleLineRefusal("Хлеб;101;")}, false},
        {0, "12a;Хлеб;12.50;1;1;", "1", "1.00", {}, {"'12a' is not a valid integer value."}, true},
        {1, "Хлеб;101;", "1", "1.00", {}, {"'Хлеб' is not a valid integer value."}, true},
        {0, "101;Хлеб;12.50;1;1;", "0", "1.00", {}, {quantityRefused}, false},
        {0, "101;Хлеб;12.50;1;1;", "1", "-1", {}, {UnformableCommandMessage(0x64, RefusalPrice)}, false},
        {1, "101;Хлеб;12.50;1;1;", "0", "1.00", {}, {quantityRefused}, false},
        {0,
         "101;" + std::string(220, 'x') + ";1.00;1;1;",
         "1",
         "1.00",
         {},
         {UnformableCommandMessage(0x24, RefusalDataTooLong)},
         false},
        {1, "999;Нет;1.00;1;1;", "1", "1.00", {0x64}, {"Ошибка продажи"}, false},
    };
    for (const auto& c : cases) {
        Session.PqVariant = c.pq;
        sim.ClearFrames();
        host.Clear();
        Form21->Edit3.SetText(c.article);
        Form21->Edit10.SetText(c.quantity);
        Form21->Edit9.SetText(c.price);
        Form21->Button2.Click();
        EXPECT_EQ(Codes(), c.codes) << c.article << " " << c.quantity;
        EXPECT_EQ(host.Texts(), c.messages);
        if (c.errorBox) {
            EXPECT_EQ(host.Messages().at(0).kind, MessageRequest::Error);
        }
    }
    EXPECT_EQ(Document().Lines.size(), 0u);
}

// A cash payment the register would read as another amount, or as none, is
// refused before it is sent, naming the field and keeping what was typed; a
// sound one goes out with two decimals.
TEST_F(FiscalReceiptTest, ACashAmountIsCheckedBeforeItIsSent) {
    Form21->Button1.Click();
    Sell(0, "1", "12.50");
    const std::string refused = MoneyAmountMessage("Величина оплаты");
    // What reaches the register for each amount typed; nothing for a refused one.
    const std::pair<std::string, Texts> cases[] = {
        {"1e250", {}},
        {"-1", {}},
        {"0.001", {}},
        {"1e-5", {}},
        {"0.00", {}},
        {"12.345", {}},
        {"12,50", {}},
        {"", {}},
        {" 2.5 ", {"736204;0;2.50;"}},
        {"10", {"736204;0;10.00;"}},
    };
    for (const auto& [amount, sent] : cases) {
        SCOPED_TRACE(amount);
        sim.ClearFrames();
        host.Clear();
        std::string code, typed;
        host.OnModal("TForm21", [&](TForm& form) {
            Form21->ComboBox1.SetItemIndex(0);
            Form21->Edit8.SetText(amount);
            Form21->Edit7.SetText("0000");
            Form21->Button8.Click();
            typed = Form21->Edit8.Text();
            code = Form21->Edit7.Text();
            form.Close();
        });
        Form21->ShowModal();
        EXPECT_EQ(host.Texts(), sent.empty() ? Texts{refused} : Texts{});
        EXPECT_EQ(DataOf(0x67), sent);
        EXPECT_EQ(sim.FrameCount(), sent.size());
        EXPECT_EQ(typed, amount);
        EXPECT_EQ(code, "0000");
    }
    EXPECT_EQ(Document().Paid(), 1250);
}

TEST_F(FiscalReceiptTest, BarCodeAndDisplayShowOnlyTheErrorField) {
    const struct {
        std::string code;
        size_t frames;
        Texts messages;
    } cases[] = {
        {"01234567890", 0, {"Длина штрих-кода не равна 12 символов! Ошибка!"}},
        {"0123456789012", 0, {"Длина штрих-кода не равна 12 символов! Ошибка!"}},
        {"01234567890A", 0, {NotSentMessage}}, // refused by the driver: said, not silent
        {"460123456789", 1, {}},
    };
    for (const auto& c : cases) {
        sim.ClearFrames();
        host.Clear();
        Form21->Edit11.SetText(c.code);
        Form21->Button17.Click();
        EXPECT_EQ(sim.FrameCount(), c.frames) << c.code;
        EXPECT_EQ(host.Texts(), c.messages);
    }
    EXPECT_EQ(DataOf(0x6F).at(0).substr(0, 10), "736204;50;");
    EXPECT_EQ(Form21->Edit7.Text(), "0000");

    sim.SetOverride(0x81, {.Error = "0204"});
    Form21->ComboBox2.SetItemIndex(2);
    Form21->Button18.Click();
    EXPECT_EQ(DataOf(0x81), Texts{"736204;2;0;Comment for printing;"});
    EXPECT_EQ(Form21->Edit7.Text(), "0204");
    EXPECT_TRUE(host.Texts().empty());
    EXPECT_FALSE(Form21->Button16.Enabled());
}

TEST_F(FiscalReceiptTest, ActivationFillsTheListsAgain) {
    Session.PaymentCount = 3;
    Form21->ComboBox1.SetItemIndex(2);
    Form21->ComboBox2.SetItemIndex(3);
    Form20->Memo1.Lines().Assign(Texts{"7;Чай;3.00;1;1;"});
    Form21->FormActivate();
    EXPECT_EQ(Form21->ComboBox1.Items().ToVector(), (Texts{"0", "1", "2"}));
    EXPECT_EQ(Form21->ComboBox1.Text(), "0");
    EXPECT_EQ(Form21->ComboBox2.Text(), "Верхняя строка");
    EXPECT_EQ(Form21->ListBox1.Items().ToVector(), Texts{"7;Чай;3.00;1;1;"});
    EXPECT_TRUE(host.FileRequests().empty());

    // Without a loaded file the receipt asks for one; cancelling leaves the list
    // empty.
    Form20->Label3.SetCaption("");
    Form20->Memo1.Clear();
    Form21->FormActivate();
    ASSERT_EQ(host.FileRequests().size(), 1u);
    EXPECT_EQ(host.FileRequests()[0].defaultExt, "ART");
    EXPECT_TRUE(Form21->ListBox1.Items().ToVector().empty());

    const std::string path = WriteFile("goods.art", "5;\xD7\xE0\xE9;3.00;1;1;\r\n");
    host.ChooseNextFile(path);
    Form21->FormActivate();
    EXPECT_EQ(Form21->ListBox1.Items().ToVector(), Texts{"5;Чай;3.00;1;1;"});
    EXPECT_EQ(Form20->Label3.Caption(), path);
}

TEST_F(FiscalReceiptTest, ARegisterThatStopsAnsweringInTheMiddle) {
    Form21->Button1.Click();
    Sell(0, "1", "12.50");
    sim.SetOverride(0x64, {.Silent = true});
    Sell(1, "1", "30.00");
    EXPECT_EQ(host.Texts(), Texts{"Таймаут устройства! Ошибка продажи!\nРегистратор уже "
                                  "принял: запись товара."});
    EXPECT_EQ(Form21->Edit7.Text(), "");
    sim.ClearOverrides();
    host.Clear();
    Form21->Button13.Click();
    EXPECT_EQ(Form21->Label5.Caption(),
              "42.50"); // the silent sale was made all the same
    EXPECT_TRUE(host.Texts().empty());
}

} // namespace
