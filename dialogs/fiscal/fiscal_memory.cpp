#include "dialogs/fiscal/fiscal_memory.h"

#include <filesystem>

#include "dialogs/fiscal/memory_blocks.h"
#include "driver/driver.h"
#include "shell/command_sequence.h"
#include "shell/session.h"
#include "shell/status_viewer.h"
#include "shell/typed_fields.h"

TForm7* Form7 = nullptr;

namespace {
const std::string kDigitsOnly = "Ошибка! Только десятичные цифры!";
const std::string kClearCaption = "Ошибка обнуления флеш-памяти:\n  ";
constexpr int64_t kAddressSpace = int64_t{1} << 32; // the last byte of a span must have a 32-bit address
} // namespace

TForm7::TForm7() {
    SetCaption("Чтение/запись/обнуление фискальной памяти");
    SetBorderStyle(bsToolWindow);
    SetBorderIcons(0);
    SetPosition(poScreenCenter);
    Edit3.SetText(DefaultPassword);
    Edit3.SetMaxLength(6);
    Edit4.SetMaxLength(10);
    Edit5.SetMaxLength(9);
    Edit7.SetText("2");
    for (TEdit* shown : {&Edit8, &Edit6, &Edit1, &Edit2})
        shown->SetReadOnly(true);
    CGauge1.SetForeColor(clActiveCaption);
    Button4.SetCaption("Записать флеш-память");
    Button3.SetCaption("Читать флеш-память");
    Button2.SetCaption("Обнулить флеш-память");
    Button5.SetCaption("Остановить");
    Button5.SetCancel(true);
    Button1.SetCaption("Закрыть");
    SaveDialog1.SetTitle("Чтение данныхт из флеш-памяти в файл");
    SaveDialog1.SetDefaultExt("bin");
    SaveDialog1.SetFilter("Бинарные файлы (*.bin)|*.BIN|Все файлы (*.*)|*.*");
    LayOut();
    OnActivate = [this] { FormActivate(); };
    Edit4.OnChange = [this] { Edit4Change(); };
    Edit5.OnChange = [this] { Edit5Change(); };
    Button2.OnClick = [this] { Button2Click(); };
    Button3.OnClick = [this] { Button3Click(); };
    Button4.OnClick = [this] { Button4Click(); };
    Button5.OnClick = [this] { Button5Click(); };
    Button1.OnClick = [this] { Button1Click(); };
}

void TForm7::LayOut() {
    Column main(*this);
    main.Field("Пароль:", Edit3)
        .Field("Адрес начала данных (номер байта):", Edit4)
        .Field("Количество байтов для чтения.записи:", Edit5)
        .Field("Количество повторов при ошибке:", Edit7)
        .Field("Повторов:", Edit8)
        .Field("Результат выполнения:", Edit1)
        .Field("Статус регистратора:", Edit2)
        .Field("Текущий адрес:", Edit6);
    main.Add(CGauge1);
    main.Buttons({&Button4, &Button3, &Button2});
    main.Buttons({&Button5, &Button1});
}

void TForm7::FormActivate() {
    if (ActivatedAgain()) return;
    Button3.SetEnabled(false);
    Button4.SetEnabled(false);
    StopRequested = 0;
}

void TForm7::Edit4Change() {
    FieldChanged(Edit4);
}

void TForm7::Edit5Change() {
    FieldChanged(Edit5);
}

// Both fields filled and the changed one a 32-bit integer: reading and writing may start. While a
// run goes on the buttons stay as the run set them.
void TForm7::FieldChanged(TEdit& changed) {
    if (running_) return;
    if (Edit4.Text().empty() || Edit5.Text().empty()) {
        Button3.SetEnabled(false);
        Button4.SetEnabled(false);
        return;
    }
    try {
        StrToInt(changed.Text());
    } catch (const EConvertError&) {
        ShowMessage(kDigitsOnly);
        return;
    }
    Button3.SetEnabled(true);
    Button4.SetEnabled(true);
}

// Nothing is sent for a span that would wrap: a negative start, no bytes, or an end past 32 bits.
bool TForm7::SpanAccepted(const Span& span) {
    if (span.Start < 0) {
        ShowMessage("Ошибка! Адрес начала данных не может быть отрицательным!");
        return false;
    }
    if (span.Count <= 0) {
        ShowMessage("Ошибка! Количество байтов должно быть больше нуля!");
        return false;
    }
    if (span.Start + span.Count > kAddressSpace) {
        ShowMessage("Ошибка! Конец данных выходит за адрес 4294967295!");
        return false;
    }
    return true;
}

// The blocks' commands differ only in their address; the last byte's address is the longest any
// of them carries, so that command is formed for all.
bool TForm7::BlocksFormable(const Span& span, unsigned code) {
    const std::string password = Edit3.Text();
    const int64_t last = span.Start + span.Count - 1;
    return CommandSequence().Formable([&] {
        const std::string data =
            code == kReadMemory ? ReadMemoryData(password, last)
                                : WriteMemoryData(password, last, std::vector<uint8_t>(kMemoryBlockSize));
        SendPrepared(code, data, nullptr);
    });
}

bool TForm7::Confirmed(const std::string& question, const std::string& cancelled) {
    if (MessageBox(question, "", MB_OKCANCEL) == IDOK) return true;
    ShowMessage(cancelled);
    return false;
}

// While a read or write runs, only the stop button acts: a second run or a clear between two blocks
// would interleave its commands with the run's.
void TForm7::SetRunning(bool running) {
    if (running) readEnabled_ = Button3.Enabled();
    running_ = running;
    for (TButton* button : {&Button4, &Button3})
        button->SetEnabled(!running && readEnabled_);
    Button2.SetEnabled(!running);
    Button1.SetEnabled(!running);
}

void TForm7::StartProgress(const Span& span) {
    StopRequested = 0;
    CGauge1.SetMinValue(0);
    CGauge1.SetMaxValue(100);
    CGauge1.SetProgress(0);
    Edit6.SetText(IntToStr(span.Start));
}

void TForm7::ShowProgress(const Span& span, int64_t address) {
    Edit6.SetText(IntToStr(address));
    CGauge1.SetProgress(static_cast<int>((address - span.Start) * 100 / span.Count));
}

bool TForm7::StoppedBetweenBlocks() {
    Application->ProcessMessages();
    Repaint();
    return StopRequested != 0;
}

void TForm7::ShowAnswer(const AnswerRecord& answer) {
    Edit1.SetText(answer.ErrorField);
    Edit2.SetText(StatusBytesText(answer, false));
}

void TForm7::Button2Click() {
    if (!FieldsAccepted({{"Пароль:", Edit3.Text()}})) return;
    if (!Confirmed("Флеш-память регистратора будет обнулена. Продолжать?", "Обнуление флеш-памяти отменено!"))
        return;
    AnswerRecord* answer = SendCommand(kClearMemory, ClearMemoryData(Edit3.Text()));
    if (!CheckAnswer(
            answer,
            AnswerCheck().Timeout(kClearCaption + TimeoutMessage).Caption(kClearCaption).CodeEdit(&Edit1)))
        return;
    ShowAnswer(*answer);
    ShowMessage(SuccessMessage);
}

void TForm7::Button5Click() {
    StopRequested = 1;
}

void TForm7::Button1Click() {
    Close();
}
