#include "monitor/goods_script_window.h"

#include <sstream>

#include "driver/formatters_common.h"
#include "monitor/script_monitor.h"
#include "platform/files/replacement_file.h"
#include "shell/session.h"
#include "shell/typed_fields.h"

TForm33* Form33 = nullptr;

namespace {

const std::string kNothingToDo = "Не программировать и не продавать. Что тогда?";
const std::string kNoFileName = "Не указано имя файла!";
const std::string kBadStep = "Инкремент для номера следующего товара должен быть больше 0!";
const std::string kBadPassword = "Пароль должен состоять из 6 символов!";
const std::string kNoScriptFile = "В мониторе не выбран файл скрипта!";
const std::string kCannotWrite = "Не удалось записать файл скрипта:\n";
const std::string kTooManyLines = "Диапазон кодов товаров дал бы больше " + std::to_string(GoodsRangeLimit) +
                                  " строк скрипта.\nУменьшите диапазон или увеличьте инкремент!";

// The lines carry the password in a fixed six-character place.
bool PasswordFits(const TEdit& edit) {
    return CharCount(edit.Text()) == 6;
}

// The largest sum a line carries: eleven digits before the point, as the register takes amounts.
constexpr double LargestSum = 99999999999.99;

bool HasControlCharacter(const std::string& text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return true;
    return false;
}

// Texts go into the lines as typed: a ";" would split a field of the command in two, a control
// character would break or change the script's line, and a character without a CP1251 byte would
// reach the register as "?". Shows why the first such field is refused.
bool TextsCarried(const std::vector<TypedField>& fields) {
    if (!FieldsAccepted(fields)) return false;
    for (const TypedField& field : fields) {
        const std::string name = "Поле \"" + FieldName(field.Caption) + "\"";
        if (HasControlCharacter(field.Text)) {
            ShowMessage(name + " содержит управляющий символ (перевод строки, табуляцию)!");
            return false;
        }
        if (!Utf8ToCp1251Exact(field.Text)) {
            ShowMessage(name + " содержит символ, которого нет в кодировке регистратора (CP1251)!");
            return false;
        }
    }
    return true;
}

// A sum goes into the lines with two decimals: one that would be rounded, a negative one (which the
// register does not take) or one longer than the register reads is refused, naming its field.
bool SumCarried(double sum, const std::string& caption) {
    if (sum >= 0 && sum <= LargestSum && TryStrToFloat(FixedText(sum, 2), '.') == sum) return true;
    ShowMessage("Поле \"" + FieldName(caption) + "\": сумма должна быть от 0 до " + FixedText(LargestSum, 2) +
                ", не более двух знаков после точки (например 12.50)!");
    return false;
}

} // namespace

TForm33::TForm33()
    : TGoodsForm("Программирование товаров и продажа их в фискальном чеке (подготовка скрипт-файла)") {
    SetUpCodeEdits({&Edit15, &Edit8, &Edit9, &Edit16});
    ProgressBar1.SetMin(0);
    ProgressBar1.SetMax(100);
    Label15.SetCaption("   ");
    Button2.SetCaption("Сгенерировать файл");
    Button4.SetCaption("Закрыть");
    LayOut();
    Button1.OnClick = [this] { Button1Click(); };
    Button2.OnClick = [this] { Button2Click(); };
    Button4.OnClick = [this] { Button4Click(); };
}

void TForm33::LayOut() {
    Column main(*this);
    LayOutArticle(main, Edit15);
    main.Field("Имя файла (без расширения, куда будет записана информация):", Edit7)
        .Field("Товары в фискальном чеке    c : ", Edit8)
        .Field("по:", Edit9)
        .Field("Инкремент для номера следующего товара:", Edit16);
    LayOutPayment(main);
    main.Line({&CheckBox1, &CheckBox2});
    main.Add(ProgressBar1).Add(Label15);
    main.Line({&Button1});
    main.Buttons({&Button2, &Button4});
}

void TForm33::Button1Click() {
    const double price = PriceOfEdit(Edit4);
    Edit13.SetText(PaymentText(RangeOfEdits(Edit8, Edit9, Edit16), price));
}

std::optional<GoodsScript> TForm33::ScriptOfEdits() {
    GoodsScript script;
    script.ProgramGoods = !CheckBox1.Checked();
    script.SellGoods = !CheckBox2.Checked();
    script.Programmed = RangeOfEdits(Edit1, Edit2, Edit15);
    script.Sold = RangeOfEdits(Edit8, Edit9, Edit16);
    if ((script.ProgramGoods && script.Programmed.Step <= 0) || (script.SellGoods && script.Sold.Step <= 0)) {
        ShowMessage(kBadStep);
        return std::nullopt;
    }
    if ((script.ProgramGoods && !RangeFits(script.Programmed)) ||
        (script.SellGoods && !RangeFits(script.Sold))) {
        ShowMessage(kTooManyLines);
        return std::nullopt;
    }
    if (!TextsCarried(TypedTexts(script))) return std::nullopt;
    if ((script.ProgramGoods && !PasswordFits(Edit10)) || (script.SellGoods && !PasswordFits(Edit11))) {
        ShowMessage(kBadPassword);
        return std::nullopt;
    }
    script.ProgrammingPassword = Edit10.Text();
    script.SalePassword = Edit11.Text();
    script.NamePrefix = Edit3.Text();
    DecimalSeparator = '.';
    if (!SumCarried(StrToFloat(Edit4.Text()), goods_label::Price)) return std::nullopt;
    script.Price = PriceOfEdit(Edit4);
    script.TaxGroup = StrToInt(Edit5.Text());
    script.GoodsGroup = StrToInt(Edit6.Text());
    script.OperatorNumber = StrToInt(Edit12.Text());
    script.PaymentType = StrToInt(Edit14.Text());
    RaisePaymentSum(Edit13, script.Sold, script.Price);
    script.PaymentSum = StrToFloat(Edit13.Text());
    if (script.SellGoods && !SumCarried(script.PaymentSum, goods_label::PaymentSum)) return std::nullopt;
    return script;
}

namespace {

// The script replaces the file whole, the way cp overwrites a file: a script that cannot be written
// to its end leaves the file as it was.
bool WriteScriptFile(const std::string& path, const GoodsScript& script, const GoodsProgress& progress) {
    std::ostringstream text;
    WriteGoodsScript(script, text, progress);
    return ReplaceFileContents(path, text.str());
}

} // namespace

// The typed texts that go into the lines of the parts generated.
std::vector<TypedField> TForm33::TypedTexts(const GoodsScript& script) const {
    std::vector<TypedField> texts;
    if (script.ProgramGoods) {
        texts.push_back({goods_label::Prefix, Edit3.Text()});
        texts.push_back({goods_label::ProgrammingPassword, Edit10.Text()});
    }
    if (script.SellGoods) texts.push_back({goods_label::SalePassword, Edit11.Text()});
    return texts;
}

void TForm33::Button2Click() {
    if (CheckBox1.Checked() && CheckBox2.Checked()) return ShowMessage(kNothingToDo);
    if (Edit7.Text().empty()) return ShowMessage(kNoFileName);
    const std::optional<GoodsScript> script = ScriptOfEdits();
    if (!script) return;
    const std::string fileName = Form28 ? Form28->ScriptFileName : std::string();
    if (fileName.empty()) return ShowMessage(kNoScriptFile);
    const bool written =
        WriteScriptFile(fileName, *script, [this](GoodsStage stage, int64_t done, int64_t total) {
            ShowProgress(stage, done, total);
        });
    if (!written) return ShowMessage(kCannotWrite + fileName);
    Label15.SetCaption("Успешно");
}

void TForm33::ShowProgress(GoodsStage stage, int64_t done, int64_t total) {
    if (done == 0) {
        Label15.SetCaption(stage == GoodsStage::Programming ? "Программирование товаров" : "Продажа товаров");
        ProgressBar1.SetMax(static_cast<int>(std::min<int64_t>(total, INT32_MAX)));
    }
    ProgressBar1.SetPosition(static_cast<int>(std::min<int64_t>(done, INT32_MAX)));
}

void TForm33::Button4Click() {
    Close();
}
