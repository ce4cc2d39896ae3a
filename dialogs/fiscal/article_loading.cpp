#include "dialogs/fiscal/article_loading.h"

#include "dialogs/fiscal/article_file.h"
#include "driver/driver.h"
#include "shell/command_sequence.h"
#include "shell/session.h"
#include "shell/typed_fields.h"

TForm20* Form20 = nullptr;

namespace {
const std::string kTimeoutText = "Ошибка! Таймаут устройства! ";

// What the person learns after the last line: refused lines are named, so no article is lost unseen.
std::string CompletionMessage(int refused, int firstRefusedLine) {
    if (refused == 0) return "Завершено";
    return "Завершено\nНе записано строк: " + std::to_string(refused) + " (первая: строка " +
           std::to_string(firstRefusedLine) + ")";
}
} // namespace

TForm20::TForm20() {
    SetCaption("Загрузка артикулов в регистратор");
    SetPosition(poScreenCenter);
    Label1.SetCaption("Товары для программирования");
    Memo1.SetScrollBars(ssBoth);
    Memo1.SetWordWrap(false);
    Edit1.SetText(DefaultPassword);
    StatusBar1.SetSimplePanel(true);
    OpenDialog1.SetFilter("Product filse -  ART|*.ART|AllFiles (*.*)|*.*");
    Button1.SetCaption("Загрузить");
    Button2.SetCaption("Записать в регистратор");
    Button3.SetCaption("Очистить");
    Button4.SetCaption("Выход");
    LayOut();
    Button1.OnClick = [this] { Button1Click(); };
    Button2.OnClick = [this] { Button2Click(); };
    Button3.OnClick = [this] { Button3Click(); };
    Button4.OnClick = [this] { Button4Click(); };
}

void TForm20::LayOut() {
    Memo1.SetWidth(520);
    Memo1.SetHeight(260);
    Column main(*this);
    main.Add(Label1).Add(Memo1).Add(Label3);
    main.Field("Пароль: ", Edit1);
    main.Add(ProgressBar1);
    main.Line({&Button1, &Button2, &Button3});
    main.Buttons({&Button4});
    SetStatusBar(StatusBar1);
}

bool TForm20::ChooseAndLoadFile() {
    OpenDialog1.SetDefaultExt("ART");
    OpenDialog1.SetFileName("*.art");
    if (!OpenDialog1.Execute()) return false;
    const std::vector<std::string> lines = ReadArticleFile(OpenDialog1.FileName());
    Label3.SetCaption(OpenDialog1.FileName());
    Memo1.Lines().Assign(lines);
    return true;
}

void TForm20::Button1Click() {
    ChooseAndLoadFile();
}

// One "add article" command per line, to the last line whatever the register answers.
void TForm20::Button2Click() {
    if (!FieldsAccepted({{"Пароль: ", Edit1.Text()}})) return;
    const std::vector<std::string> lines = Memo1.Lines().ToVector();
    if (!LinesParse(lines) || !LinesFormable(lines)) return;
    ProgressBar1.SetMin(0);
    ProgressBar1.SetMax(static_cast<int>(lines.size()));
    ProgressBar1.SetPosition(0);
    int refused = 0, firstRefused = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        AnswerRecord* answer =
            SendPrepared(AddArticleCommand, ArticleCommandData(Edit1.Text(), lines[i]), nullptr);
        Session.CurrentAnswer = answer;
        ProgressBar1.SetPosition(static_cast<int>(i + 1));
        Repaint();
        if (answer->NoAnswer()) StatusBar1.SetSimpleText(kTimeoutText);
        if (answer->NotSent()) StatusBar1.SetSimpleText(NotSentMessage);
        if (!answer->NoAnswer() && answer->Succeeded()) continue;
        if (refused++ == 0) firstRefused = static_cast<int>(i + 1);
    }
    ShowMessage(CompletionMessage(refused, firstRefused));
}

// Every line is checked before the first is sent, so a faulty file loads nothing rather than a part.
// An empty line is sent as it stands: the register answers it and the end message counts it.
bool TForm20::LinesParse(const std::vector<std::string>& lines) {
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].empty() || ArticleLineParses(lines[i])) continue;
        ShowMessage(ArticleLineRefusal(lines[i], static_cast<int>(i + 1)));
        return false;
    }
    return true;
}

// Every line's command can go out with the password typed, or none is sent.
bool TForm20::LinesFormable(const std::vector<std::string>& lines) {
    for (size_t i = 0; i < lines.size(); ++i) {
        const bool formable = CommandSequence().Formable("Строка " + std::to_string(i + 1), [&] {
            SendPrepared(AddArticleCommand, ArticleCommandData(Edit1.Text(), lines[i]), nullptr);
        });
        if (!formable) return false;
    }
    return true;
}

// The file name stays, so the receipt does not ask for a file again.
void TForm20::Button3Click() {
    Memo1.Clear();
}

void TForm20::Button4Click() {
    Close();
}
