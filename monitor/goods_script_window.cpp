#include "monitor/goods_script_window.h"

#include <sstream>

#include "monitor/script_monitor.h"
#include "platform/files/replacement_file.h"
#include "shell/session.h"

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
    if ((script.ProgramGoods && !PasswordFits(Edit10)) || (script.SellGoods && !PasswordFits(Edit11))) {
        ShowMessage(kBadPassword);
        return std::nullopt;
    }
    script.ProgrammingPassword = Edit10.Text();
    script.SalePassword = Edit11.Text();
    script.NamePrefix = Edit3.Text();
    script.Price = PriceOfEdit(Edit4);
    script.TaxGroup = StrToInt(Edit5.Text());
    script.GoodsGroup = StrToInt(Edit6.Text());
    script.OperatorNumber = StrToInt(Edit12.Text());
    script.PaymentType = StrToInt(Edit14.Text());
    RaisePaymentSum(Edit13, script.Sold, script.Price);
    script.PaymentSum = StrToFloat(Edit13.Text());
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
