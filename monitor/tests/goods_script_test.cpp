#include "monitor/goods_script.h"

#include <filesystem>

#include "driver/formatters.h"
#include "monitor/tests/monitor_fixture.h"
#include "platform/files/tests/user_file.h"

namespace {

class GoodsScriptTest : public MonitorFixture {
protected:
    void SetUp() override {
        MonitorFixture::SetUp();
        script = UseScript({"old line"}, "goods.txt");
        Form33->Edit7.SetText("goods");
    }
    void Fill(const std::vector<std::pair<TEdit*, std::string>>& values) {
        for (const auto& [edit, text] : values)
            edit->SetText(text);
    }
    std::vector<std::string> ScriptLines() const {
        std::vector<std::string> lines;
        std::ifstream in(script);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }
    // The code and data text that a formatter sent to the simulator, as a script line.
    std::string SentLine() const {
        const regsim::ReceivedFrame frame = sim.Frames().back();
        char code[3];
        std::snprintf(code, sizeof code, "%02X", frame.Code);
        return code + frame.Data;
    }
    std::string script;
};

TEST_F(GoodsScriptTest, ASmallRangeIsProgrammedAndSoldLineByLineAsTheFormattersPrint) {
    TForm33& f = *Form33;
    Fill({{&f.Edit1, "5"},
          {&f.Edit2, "9"},
          {&f.Edit15, "2"},
          {&f.Edit3, "Товар "},
          {&f.Edit4, "1.5"},
          {&f.Edit5, "1"},
          {&f.Edit6, "3"},
          {&f.Edit8, "5"},
          {&f.Edit9, "7"},
          {&f.Edit16, "2"},
          {&f.Edit10, "111111"},
          {&f.Edit11, "222222"},
          {&f.Edit12, "2"},
          {&f.Edit13, "0.01"},
          {&f.Edit14, "1"}});
    f.Button2.Click();
    EXPECT_TRUE(host.Texts().empty());
    EXPECT_EQ(f.Edit13.Text(), "3.00"); // raised to two sales at 1.50
    EXPECT_EQ(f.Label15.Caption(), "Успешно");
    EXPECT_EQ(f.ProgressBar1.Position(), 2);

    const std::vector<std::string> lines = ScriptLines();
    const std::vector<std::string> expected = {
        "24111111;5;Товар 5;1.50;1;3;00;0;",
        "24111111;7;Товар 7;1.50;1;3;00;0;",
        "24111111;9;Товар 9;1.50;1;3;00;0;",
        "63222222;2;1;0;",
        "64222222;5;1.000;1.50;",
        "64222222;7;1.000;1.50;",
        "6C222222;",
        "6D222222;1;",
        "67222222;1;3.00;",
        "65222222;0;",
    };
    ASSERT_EQ(lines, expected);

    // The receipt's lines are what the command formatters send for the same values.
    const std::vector<std::pair<size_t, std::function<void()>>> formatted = {
        {3, [] { OpenFiscalReceipt("222222", 2, 1, 0, nullptr); }},
        {4, [] { SellItem("222222", int64_t{5}, 1.5, 1.0, nullptr); }},
        {7, [] { PrintTotal("222222", 1, nullptr); }},
        {8, [] { MakePayment("222222", 1, 3.0, nullptr); }},
        {9, [] { CloseFiscalReceipt("222222", 0, nullptr); }},
    };
    for (const auto& [line, send] : formatted) {
        send();
        EXPECT_EQ(SentLine(), lines[line]);
    }

    // The monitor runs the script against the register to its end. The passwords of the script are
    // not the register's: every line is answered as accepted.
    sim.ClearFrames();
    sim.SetOverrideForNext(10, {.Error = "0000"});
    Form28->Button8.Click();
    EXPECT_EQ(SentCodes(),
              (std::vector<unsigned>{0x24, 0x24, 0x24, 0x63, 0x64, 0x64, 0x6C, 0x6D, 0x67, 0x65}));
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Конец файла!"}));
}

TEST_F(GoodsScriptTest, EitherPartCanBeLeftOut) {
    TForm33& f = *Form33;
    f.CheckBox2.SetChecked(true);
    f.Button2.Click();
    EXPECT_EQ(ScriptLines(), (std::vector<std::string>{"24736204;1;Товар для продажи1;0.01;0;1;00;0;"}));
    f.CheckBox2.SetChecked(false);
    f.CheckBox1.SetChecked(true);
    f.Button2.Click();
    EXPECT_EQ(ScriptLines(),
              (std::vector<std::string>{"63736204;1;1;0;", "64736204;1;1.000;0.01;", "6C736204;",
                                        "6D736204;1;", "67736204;0;0.01;", "65736204;0;"}));
}

TEST_F(GoodsScriptTest, RefusedValuesLeaveTheScriptFileAlone) {
    TForm33& f = *Form33;
    const struct {
        const char* name;
        std::vector<std::pair<TEdit*, std::string>> values;
        bool noProgramming, noSale;
        std::string scriptFile;
        std::string message;
    } cases[] = {
        {"both left out", {}, true, true, script, "Не программировать и не продавать. Что тогда?"},
        {"no file name", {{&f.Edit7, ""}}, false, false, script, "Не указано имя файла!"},
        {"step 0",
         {{&f.Edit15, "0"}},
         false,
         false,
         script,
         "Инкремент для номера следующего товара должен быть больше 0!"},
        {"negative sale step",
         {{&f.Edit16, "-1"}},
         false,
         false,
         script,
         "Инкремент для номера следующего товара должен быть больше 0!"},
        {"short password",
         {{&f.Edit11, "73620"}},
         false,
         false,
         script,
         "Пароль должен состоять из 6 символов!"},
        {"no script chosen", {}, false, false, "", "В мониторе не выбран файл скрипта!"},
        {"unwritable",
         {},
         false,
         false,
         "/nonexistent-folder/goods.txt",
         "Не удалось записать файл скрипта:\n/nonexistent-folder/goods.txt"},
    };
    for (const auto& c : cases) {
        host.Clear();
        Fill({{&f.Edit7, "goods"}, {&f.Edit15, "1"}, {&f.Edit16, "1"}, {&f.Edit11, "736204"}});
        Fill(c.values);
        f.CheckBox1.SetChecked(c.noProgramming);
        f.CheckBox2.SetChecked(c.noSale);
        Form28->ScriptFileName = c.scriptFile;
        f.Button2.Click();
        EXPECT_EQ(host.Texts(), (std::vector<std::string>{c.message})) << c.name;
        EXPECT_EQ(ScriptLines(), (std::vector<std::string>{"old line"})) << c.name;
    }
    // A step that cannot be skipped: only the generated part is checked.
    host.Clear();
    Fill({{&f.Edit15, "0"}});
    f.CheckBox1.SetChecked(true);
    f.CheckBox2.SetChecked(false);
    Form28->ScriptFileName = script;
    f.Button2.Click();
    EXPECT_TRUE(host.Texts().empty());
}

// The script over the user's own file, or a link to it: what cp leaves, or the file as it was when
// the script could not be written to its end.
TEST_F(GoodsScriptTest, TheScriptLeavesTheUserFileAsCpWouldOrAsItWas) {
    TForm33& f = *Form33;
    Fill({{&f.Edit1, "1"}, {&f.Edit2, "2000"}, {&f.Edit15, "1"}});
    Form28->ScriptFileName = (Folder() / "reference.txt").string();
    f.Button2.Click();
    const std::string generated = FileBytesAt(Form28->ScriptFileName);
    ASSERT_GT(generated.size(), 20000u);

    const std::string old = "old line\n", path = (Folder() / "goods.txt").string();
    const struct {
        const char* name;
        rlim_t fileSizeLimit;
        bool written;
    } cases[] = {{"written", RLIM_INFINITY, true}, {"disk full half-way", 10000, false}};
    for (const UserFile kind : {UserFile::Private, UserFile::Link})
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(NameOf(kind)) + ", " + c.name);
            const UserFileCase user(Folder(), "goods.txt", kind, old);
            Form28->ScriptFileName = path;
            host.Clear();
            {
                FileSizeLimit limit(c.fileSizeLimit);
                f.Button2.Click();
            }
            EXPECT_EQ(host.Texts(),
                      c.written ? std::vector<std::string>{}
                                : std::vector<std::string>{"Не удалось записать файл скрипта:\n" + path});
            EXPECT_EQ(f.Label15.Caption() == "Успешно", c.written);
            user.ExpectLeft(c.written ? std::optional(generated) : std::nullopt);
        }
}

TEST_F(GoodsScriptTest, RangesOfTooManyLinesAreRefusedBeforeTheFileIsOpened) {
    TForm33& f = *Form33;
    const std::string message = "Диапазон кодов товаров дал бы больше 100000 строк скрипта.\n"
                                "Уменьшите диапазон или увеличьте инкремент!";
    const struct {
        const char* name;
        std::vector<std::pair<TEdit*, std::string>> values;
        bool refused;
    } cases[] = {
        {"a step that overflows the counter",
         {{&f.Edit1, "999999999"}, {&f.Edit2, "999999999"}, {&f.Edit15, "9223372036854775807"}},
         false},
        {"a step that overflows the sale's counter",
         {{&f.Edit8, "999999998"}, {&f.Edit9, "999999999"}, {&f.Edit16, "9223372036854775807"}},
         false},
        {"every nine-digit code", {{&f.Edit1, "1"}, {&f.Edit2, "999999999"}}, true},
        {"every nine-digit code sold", {{&f.Edit8, "-999999999"}, {&f.Edit9, "999999999"}}, true},
        {"one line too many", {{&f.Edit1, "1"}, {&f.Edit2, "100001"}}, true},
        {"a bound range", {{&f.Edit1, "1"}, {&f.Edit2, "999999999"}, {&f.Edit15, "10000"}}, false},
    };
    for (const auto& c : cases) {
        host.Clear();
        std::ofstream(script) << "old line\n";
        Fill({{&f.Edit1, "1"},
              {&f.Edit2, "1"},
              {&f.Edit15, "1"},
              {&f.Edit8, "1"},
              {&f.Edit9, "1"},
              {&f.Edit16, "1"}});
        Fill(c.values);
        f.Button2.Click();
        if (c.refused) {
            EXPECT_EQ(host.Texts(), (std::vector<std::string>{message})) << c.name;
            EXPECT_EQ(ScriptLines(), (std::vector<std::string>{"old line"})) << c.name;
        } else {
            EXPECT_TRUE(host.Texts().empty()) << c.name;
            EXPECT_EQ(f.Label15.Caption(), "Успешно") << c.name;
            EXPECT_LE(ScriptLines().size(), 100000u + 6) << c.name;
        }
    }
}

// Every typed value that goes into the lines is checked before the file is opened: one that the
// register would read otherwise (a field split by ";", a line broken by a control character, a
// character outside its code page, a sum rounded or too long) is refused, naming its field; an
// existing file stays as it was and none is created. A value of a part not generated is not looked at.
TEST_F(GoodsScriptTest, ValuesTheRegisterWouldReadOtherwiseAreRefusedBeforeTheFileIsOpened) {
    TForm33& f = *Form33;
    const auto separator = [](const std::string& field) {
        return "Поле \"" + field +
               "\" содержит недопустимый символ \";\"!\nВ регистратор ничего не отправлено.";
    };
    const std::string prefixControl = "Поле \"Префикс имени товара (до 66 символов)\" содержит управляющий "
                                      "символ (перевод строки, табуляцию)!";
    const auto codePage = [](const std::string& field) {
        return "Поле \"" + field + "\" содержит символ, которого нет в кодировке регистратора (CP1251)!";
    };
    const auto sum = [](const std::string& field) {
        return "Поле \"" + field +
               "\": сумма должна быть от 0 до 99999999999.99, не более двух знаков после точки (например "
               "12.50)!";
    };
    const std::string largest = "99999999999.99";
    using Values = std::vector<std::pair<TEdit*, std::string>>;
    // Defaults, then the row's values and parts; a file of the user's there or none.
    const auto press = [&](const Values& values, bool noProgramming, bool noSale, bool existing) {
        host.Clear();
        Fill({{&f.Edit3, "Товар для продажи"},
              {&f.Edit4, "0.01"},
              {&f.Edit9, "1"},
              {&f.Edit10, "736204"},
              {&f.Edit11, "736204"},
              {&f.Edit13, "0.01"}});
        Fill(values);
        f.CheckBox1.SetChecked(noProgramming);
        f.CheckBox2.SetChecked(noSale);
        std::filesystem::remove(script);
        if (existing) std::ofstream(script) << "old line\n";
        f.Button2.Click();
    };
    const struct {
        const char* name;
        Values values;
        bool noProgramming, noSale;
        std::string message;
    } refused[] = {
        {"; in the prefix",
         {{&f.Edit3, "Хлеб;"}},
         false,
         false,
         separator("Префикс имени товара (до 66 символов)")},
        {"; in the programming password",
         {{&f.Edit10, "7362;4"}},
         false,
         false,
         separator("Пароль для программирования")},
        {"; in the sale password", {{&f.Edit11, "73;204"}}, false, false, separator("Пароль для продажи")},
        {"a line break in the prefix", {{&f.Edit3, "Хлеб\n1"}}, false, false, prefixControl},
        {"a tab in the prefix", {{&f.Edit3, "Хлеб\t"}}, false, false, prefixControl},
        {"outside the code page",
         {{&f.Edit3, "Кофе ☕"}},
         false,
         false,
         codePage("Префикс имени товара (до 66 символов)")},
        {"a password outside the code page",
         {{&f.Edit11, "73620☕"}},
         false,
         false,
         codePage("Пароль для продажи")},
        {"negative price", {{&f.Edit4, "-1"}}, false, false, sum("Цена")},
        {"price rounded away", {{&f.Edit4, "0.001"}}, false, false, sum("Цена")},
        {"price in tiny exponent", {{&f.Edit4, "1e-5"}}, false, false, sum("Цена")},
        {"price rounded up", {{&f.Edit4, "0.015"}}, false, false, sum("Цена")},
        {"price too long", {{&f.Edit4, "1e250"}}, true, false, sum("Цена")},
        {"price of twelve digits", {{&f.Edit4, "100000000000"}}, false, true, sum("Цена")},
        {"payment rounded", {{&f.Edit13, "5.001"}}, false, false, sum("Сумма для оплаты")},
        {"payment too long", {{&f.Edit13, "1e250"}}, false, false, sum("Сумма для оплаты")},
        {"a sold range beyond the largest sum",
         {{&f.Edit4, largest}, {&f.Edit9, "2"}},
         false,
         false,
         sum("Сумма для оплаты")},
    };
    for (const auto& c : refused) {
        for (const bool existing : {true, false}) {
            press(c.values, c.noProgramming, c.noSale, existing);
            EXPECT_EQ(host.Texts(), (std::vector<std::string>{c.message})) << c.name;
            EXPECT_EQ(std::filesystem::exists(script), existing) << c.name;
            if (existing) {
                EXPECT_EQ(ScriptLines(), (std::vector<std::string>{"old line"})) << c.name;
            }
        }
    }

    const struct {
        const char* name;
        Values values;
        bool noProgramming, noSale;
        std::vector<std::string> lines;
    } accepted[] = {
        {"; in the sale password of a script that sells nothing",
         {{&f.Edit11, "73;204"}},
         false,
         true,
         {"24736204;1;Товар для продажи1;0.01;0;1;00;0;"}},
        {"; in the prefix of a script that programs nothing",
         {{&f.Edit3, "Хлеб;"}, {&f.Edit10, "73;204"}},
         true,
         false,
         {"63736204;1;1;0;", "64736204;1;1.000;0.01;", "6C736204;", "6D736204;1;", "67736204;0;0.01;",
          "65736204;0;"}},
        {"the largest sum",
         {{&f.Edit4, largest}, {&f.Edit3, "Хліб "}},
         false,
         false,
         {"24736204;1;Хліб 1;" + largest + ";0;1;00;0;", "63736204;1;1;0;",
          "64736204;1;1.000;" + largest + ";", "6C736204;", "6D736204;1;", "67736204;0;" + largest + ";",
          "65736204;0;"}},
        {"a payment above the sum",
         {{&f.Edit13, "5.5"}, {&f.Edit4, "0"}},
         true,
         false,
         {"63736204;1;1;0;", "64736204;1;1.000;0.00;", "6C736204;", "6D736204;1;", "67736204;0;5.50;",
          "65736204;0;"}},
    };
    for (const auto& c : accepted) {
        press(c.values, c.noProgramming, c.noSale, true);
        EXPECT_TRUE(host.Texts().empty()) << c.name;
        EXPECT_EQ(ScriptLines(), c.lines) << c.name;
    }
    EXPECT_EQ(sim.FrameCount(), 0u);
}

TEST(GoodsRange, CountsTheCodesTheRangeVisits) {
    const struct {
        GoodsRange range;
        int64_t codes;
        double payment; // at 0.35 each
    } cases[] = {
        {{1, 1, 1}, 1, 0.35},
        {{1, 10, 1}, 10, 3.5},
        {{1, 10, 3}, 4, 1.4},
        {{5, 4, 1}, 0, 0.0},
        {{1, 10, 0}, 0, 0.0},
        {{1, 999999999, 1}, 999999999, 349999999.65},
        {{-3, 3, 2}, 4, 1.4},
        {{999999999, 999999999, INT64_MAX}, 1, 0.35},
        {{INT64_MIN, INT64_MAX, 1}, INT64_MAX, 0.35 * static_cast<double>(INT64_MAX)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CodesInRange(c.range), c.codes) << c.range.First << ".." << c.range.Last;
        EXPECT_DOUBLE_EQ(PaymentForRange(c.range, 0.35), c.payment) << c.range.First << ".." << c.range.Last;
    }
}

TEST_F(GoodsScriptTest, ThePaymentSumCountsTheSoldRange) {
    Fill({{&Form33->Edit8, "1"}, {&Form33->Edit9, "10"}, {&Form33->Edit16, "3"}, {&Form33->Edit4, "0.499"}});
    Form33->Button1.Click();
    EXPECT_EQ(Form33->Edit13.Text(), "2.00");
    Fill({{&Form30->Edit1, "1"}, {&Form30->Edit2, "3"}, {&Form30->Edit4, "2"}});
    Form30->Button1.Click();
    EXPECT_EQ(Form30->Edit13.Text(), "6.00");
}

TEST_F(GoodsScriptTest, TheDirectAndTheReceiptWindowsOnlyCheckAndClose) {
    TForm30& f = *Form30;
    const struct {
        bool noProgramming, noSale, sameGoods;
        std::vector<std::string> messages;
    } cases[] = {
        {true, true, false, {"Не программировать и не продавать. Что тогда надо?"}},
        {false, true, true, {"Не не продавать и продавать один и тот же товар. Что тогда надо?"}},
        {false, false, true, {}},
    };
    for (const auto& c : cases) {
        host.Clear();
        f.FormActivate();
        f.CheckBox1.SetChecked(c.noProgramming);
        f.CheckBox2.SetChecked(c.noSale);
        f.CheckBox3.SetChecked(c.sameGoods);
        f.Edit2.SetText("4");
        f.Edit13.SetText("0.01");
        f.Button2.Click();
        EXPECT_EQ(host.Texts(), c.messages);
        EXPECT_EQ(f.Started, c.messages.empty());
        EXPECT_EQ(f.Edit13.Text(), c.messages.empty() ? "0.04" : "0.01");
    }
    Form29->FormActivate();
    EXPECT_FALSE(Form29->Started);
    Form29->Button1.Click();
    EXPECT_TRUE(Form29->Started);
    EXPECT_EQ(sim.FrameCount(), 0u);
}

} // namespace
