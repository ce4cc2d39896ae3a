#include "dialogs/setup/header_dialog.h"

#include "driver/driver.h"
#include "platform/text/text.h"
#include "shell/command_sequence.h"
#include "shell/session.h"
#include "shell/typed_fields.h"

TForm11* Form11 = nullptr;

namespace {
const std::string kSkip = "не записывать";
const std::string kSingle = "одинарная ширина";
const std::string kDouble = "двойная ширина";
constexpr int kHeaderRows = 10;
constexpr int kAdvertisingRows = 4;

const std::vector<std::string> kOperations = {
    "Программировать все",
    "Программировать заголовок чека",
    "Программировать рекламный текст",
    "Читать все",
    "Читать заголовок чека",
    "Читать рекламный текст",
    "Обнулить заголовок и рекламный текст",
    "Обнулить заголовок чека",
    "Обнулить рекламный текст",
};

// The attribute cell's next text when clicked.
std::string NextAttribute(const std::string& text) {
    if (text == kSkip) return kSingle;
    if (text == kSingle) return kDouble;
    return kSkip;
}

// Characters of a UTF-8 text.
int Characters(const std::string& text) {
    int count = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80) ++count;
    return count;
}

std::string TrimBlanks(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}
} // namespace

int CentringBlanks(int width, int length, bool doubleWidth) {
    const int blanks = (doubleWidth ? width / 4 : width / 2) - length / 2;
    return blanks > 0 ? blanks : 0;
}

TForm11::TForm11() {
    SetCaption("Заголовок и рекламный текст");
    SetBorderStyle(bsToolWindow);
    SetBorderIcons(biSystemMenu);
    SetPosition(poScreenCenter);
    Edit2.SetText("40");
    ComboBox2.Hide();
    GroupBox1.SetCaption("Заголовок чека");
    GroupBox2.SetCaption("Рекламный текст");
    SetUpGrid(StringGrid1, kHeaderRows);
    SetUpGrid(StringGrid2, kAdvertisingRows);
    for (TCheckBox* box : HeaderBlock().Centre)
        box->SetCaption("центрировать");
    for (TCheckBox* box : AdvertisingBlock().Centre)
        box->SetCaption("центрировать");
    ComboBox1.SetStyle(csDropDownList);
    ComboBox1.Items().Assign(kOperations);
    CheckBox1.SetCaption("Записать  только непустые поля ");
    CheckBox1.SetEnabled(false);
    Button2.SetCaption("Выполнить");
    Button2.SetEnabled(false);
    Edit1.SetText(DefaultPassword);
    Button3.SetCaption("Очистить");
    Button4.SetCaption("Очистить");
    Button5.SetCaption("Центрировать заголовок чека");
    Button6.SetCaption("Отменить центрирование");
    Button8.SetCaption("Центрировать рекламный текст");
    Button7.SetCaption("Отменить центрирование");
    Button1.SetCaption("Закрыть");
    LayOut();
    StringGrid1.OnSelectCell = [this](int col, int row, bool& can) {
        SelectCell(StringGrid1, col, row, can);
    };
    StringGrid2.OnSelectCell = [this](int col, int row, bool& can) {
        SelectCell(StringGrid2, col, row, can);
    };
    ComboBox1.OnChange = [this] { ComboBox1Change(); };
    Button2.OnClick = [this] { Button2Click(); };
    Button3.OnClick = [this] { Button3Click(); };
    Button4.OnClick = [this] { Button4Click(); };
    Button5.OnClick = [this] { Button5Click(); };
    Button6.OnClick = [this] { Button6Click(); };
    Button7.OnClick = [this] { Button7Click(); };
    Button8.OnClick = [this] { Button8Click(); };
    Button1.OnClick = [this] { Button1Click(); };
    OnActivate = [this] { FormActivate(); };
}

void TForm11::SetUpGrid(TStringGrid& grid, int rows) {
    grid.SetColCount(3);
    grid.SetRowCount(rows + 1);
    grid.SetColWidth(0, 50);
    grid.SetColWidth(1, 330);
    grid.SetColWidth(2, 130);
    grid.SetEditing(true);
    grid.SetDefaultRowHeight(26); // each row level with its centring box
    // The whole grid in view: no scrolling for ten rows.
    grid.SetWidth(50 + 330 + 130 + 4);
    grid.SetHeight((rows + 1) * grid.DefaultRowHeight() + 4);
}

// Each grid in its group with the buttons that act on it, the operation in a column beside them, so that
// the window fits a small screen.
void TForm11::LayOut() {
    auto sides = Column(*this).Columns(2);
    struct Group {
        TGroupBox* Box;
        Block Rows;
        std::initializer_list<TControl*> Buttons; // clear, centre, undo centring
    };
    const Group groups[] = {{&GroupBox1, HeaderBlock(), {&Button3, &Button5, &Button6}},
                            {&GroupBox2, AdvertisingBlock(), {&Button4, &Button8, &Button7}}};
    for (const auto& [box, block, buttons] : groups) {
        Column group = sides[0].Group(*box);
        auto cells = group.Columns(2);
        cells[0].Add(*block.Grid);
        cells[1].Space(28); // beside the title row
        for (TCheckBox* centre : block.Centre)
            cells[1].Add(*centre);
        group.Line(buttons);
    }
    sides[1].Space(20); // level with the grids
    sides[1]
        .Field("Ширина ленты (симв.):", {&Edit2, &ComboBox2})
        .Field("Операция:", ComboBox1)
        .Field("Пароль:", Edit1)
        .Add(CheckBox1);
    sides[1].Buttons({&Button2, &Button1});
}

TForm11::Block TForm11::HeaderBlock() {
    return {&StringGrid1,
            {&CheckBox2, &CheckBox3, &CheckBox4, &CheckBox5, &CheckBox6, &CheckBox7, &CheckBox8, &CheckBox9,
             &CheckBox10, &CheckBox11},
            0,
            "Заголовок",
            "строка заголовка",
            true};
}

TForm11::Block TForm11::AdvertisingBlock() {
    return {&StringGrid2,
            {&CheckBox12, &CheckBox13, &CheckBox14, &CheckBox15},
            10,
            "Рекламный текст",
            "строка рекламы",
            false};
}

void TForm11::ResetGrid(TStringGrid& grid, int rows) {
    grid.SetCell(0, 0, "Номер");
    grid.SetCell(1, 0, "        Текст");
    grid.SetCell(2, 0, "Параметры");
    for (int row = 1; row <= rows; ++row) {
        grid.SetCell(0, row, std::to_string(row - 1));
        grid.SetCell(2, row, kSkip);
    }
}

void TForm11::FormActivate() {
    if (ActivatedAgain()) return;
    ResetGrid(StringGrid1, kHeaderRows);
    ResetGrid(StringGrid2, kAdvertisingRows);
}

// Text cells are edited; a click on an attribute cell steps its text on instead of selecting it.
void TForm11::SelectCell(TStringGrid& grid, int col, int row, bool& canSelect) {
    if (col != 2 || row < 1) return;
    grid.SetCell(2, row, NextAttribute(grid.Cell(2, row)));
    canSelect = false;
}

void TForm11::ComboBox1Change() {
    const int index = ComboBox1.ItemIndex();
    Button2.SetEnabled(index >= 0);
    CheckBox1.SetEnabled(index >= 0 && index <= 2);
}

int TForm11::PaperWidth() const {
    return StrToInt(Edit2.Visible() ? Edit2.Text() : ComboBox2.Text());
}

// Every line of the operation is formed before the first goes out; a line that fails ends the
// operation, and its message names the lines the register took before it.
void TForm11::Button2Click() {
    const int operation = ComboBox1.ItemIndex();
    if (operation < 0) return;
    const bool header = operation % 3 != 2;      // "все" and "заголовок"
    const bool advertising = operation % 3 != 1; // "все" and "рекламный текст"
    std::vector<Block> blocks;
    if (header) blocks.push_back(HeaderBlock());
    if (advertising) blocks.push_back(AdvertisingBlock());
    if (!TypedTextsAccepted(blocks, operation <= 2)) return;
    const int width = operation <= 2 ? PaperWidth() : 0;
    CommandSequence sequence;
    for (const Block& block : blocks) {
        if (operation <= 2)
            AddProgramming(sequence, block, width);
        else if (operation <= 5)
            AddReading(sequence, block);
        else
            AddClearing(sequence, block);
    }
    if (!sequence.Run()) return;
    ShowMessage(SuccessMessage);
}

// The password, and when programming every line that will be written, named by block and number.
bool TForm11::TypedTextsAccepted(const std::vector<Block>& blocks, bool programming) {
    std::vector<TypedField> fields = {{"Пароль:", Edit1.Text()}};
    for (const Block& block : blocks) {
        const TStringGrid& grid = *block.Grid;
        for (int row = 1; programming && row <= static_cast<int>(block.Centre.size()); ++row)
            if (grid.Cell(2, row) != kSkip)
                fields.push_back({block.Title + ", строка " + grid.Cell(0, row), grid.Cell(1, row)});
    }
    return FieldsAccepted(fields);
}

void TForm11::AddProgramming(CommandSequence& sequence, const Block& block, int width) {
    const TStringGrid& grid = *block.Grid;
    for (size_t i = 0; i < block.Centre.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        const std::string attribute = grid.Cell(2, row);
        if (attribute == kSkip) continue;
        const bool doubleWidth = attribute != kSingle;
        std::string text = grid.Cell(1, row);
        if (text.empty() && CheckBox1.Checked()) continue;
        if (block.Centre[i]->Checked()) {
            text = TrimBlanks(text);
            const int length = Characters(text);
            if (length > 0) text = std::string(CentringBlanks(width, length, doubleWidth), ' ') + text;
        }
        AddLine(sequence, block, row, false,
                [password = Edit1.Text(), line = block.FirstLine + row - 1, text, doubleWidth](int* error) {
                    return SetHeaderFooter(password, line, text, doubleWidth ? 1 : 0, error);
                });
    }
}

void TForm11::AddClearing(CommandSequence& sequence, const Block& block) {
    const TStringGrid& grid = *block.Grid;
    for (size_t i = 0; i < block.Centre.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        const std::string attribute = grid.Cell(2, row);
        if (attribute == kSkip) continue;
        AddLine(sequence, block, row, true,
                [password = Edit1.Text(), line = block.FirstLine + row - 1, single = attribute == kSingle](
                    int* error) { return SetHeaderFooter(password, line, "", single ? 0 : 1, error); });
    }
}

// Each line read goes into its row as soon as its answer is in (see ShowReadLine).
void TForm11::AddReading(CommandSequence& sequence, const Block& block) {
    for (size_t i = 0; i < block.Centre.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        AddLine(
            sequence, block, row, true,
            [password = Edit1.Text(), line = block.FirstLine + row - 1, grid = block.Grid, row](int* error) {
                AnswerRecord* answer = GetHeaderFooter(password, line, error);
                ShowReadLine(*grid, row, answer);
                return answer;
            });
    }
}

// The text of any intact answer, an error answer's too; the width only from a good answer. A line
// only formed, or not answered, leaves its row as it was.
void TForm11::ShowReadLine(TStringGrid& grid, int row, const AnswerRecord* answer) {
    if (!answer || !answer->Answered()) return;
    grid.SetCell(1, row, answer->Field(1));
    if (!answer->Succeeded()) return;
    const std::string attribute = answer->Field(2);
    if (!attribute.empty() && attribute[0] == '0') grid.SetCell(2, row, kSingle);
    if (!attribute.empty() && attribute[0] == '1') grid.SetCell(2, row, kDouble);
}

// The header names its rows 0..9; the advertising block its screen rows 0..3 when programming and
// its register lines 10..13 otherwise.
void TForm11::AddLine(CommandSequence& sequence, const Block& block, int row, bool byRegisterLine,
                      CommandCall call) {
    const std::string number =
        std::to_string(block.Header || !byRegisterLine ? row - 1 : block.FirstLine + row - 1);
    sequence.Add(block.Step + " " + number, std::move(call),
                 AnswerCheck().Decoded(block.Title + ".\n  Строка " + number + " :\n  "));
}

void TForm11::Button3Click() {
    for (int row = 1; row <= kHeaderRows; ++row)
        StringGrid1.SetCell(1, row, "");
}
void TForm11::Button4Click() {
    for (int row = 1; row <= kAdvertisingRows; ++row)
        StringGrid2.SetCell(1, row, "");
}
void TForm11::Button5Click() {
    for (TCheckBox* box : HeaderBlock().Centre)
        box->SetChecked(true);
}
void TForm11::Button6Click() {
    for (TCheckBox* box : HeaderBlock().Centre)
        box->SetChecked(false);
}
void TForm11::Button8Click() {
    for (TCheckBox* box : AdvertisingBlock().Centre)
        box->SetChecked(true);
}
void TForm11::Button7Click() {
    for (TCheckBox* box : AdvertisingBlock().Centre)
        box->SetChecked(false);
}
void TForm11::Button1Click() {
    Close();
}
