// Reading the fiscal memory into an image file, 50 bytes a command, with repeats of a rejected block.
#include <algorithm>
#include <filesystem>

#include "dialogs/fiscal/fiscal_memory.h"
#include "dialogs/fiscal/image_file.h"
#include "dialogs/fiscal/memory_blocks.h"
#include "driver/driver.h"
#include "shell/session.h"
#include "shell/status_viewer.h"
#include "shell/typed_fields.h"

namespace {
const std::string kBadInformation = "Информация переданная регистратором неверна. Чтение данных остановлено.";
const std::string kReadComplete = "Успешно. Чтение данных завершено.";

// What stands in the error field's place for an answer that came corrupted.
std::string CorruptionCode(const AnswerRecord& answer) {
    return answer.Refused() ? "NAK" : "CRC";
}
} // namespace

struct TForm7::ReadRun {
    Span span;
    int repeats = 0;
    uint32_t reference = 0; // the driver's resend count when the button was pressed
    std::string password;
    ImageFileWriter& file;
    int64_t address = 0;
    int64_t remaining = 0;
    int64_t repeatTotal = 0;
    const AnswerRecord* answer = nullptr; // the accepted answer of the current block
};

void TForm7::Button3Click() {
    if (!FieldsAccepted({{"Пароль:", Edit3.Text()}})) return;
    const uint32_t reference = GetErrorCount();
    const int repeats = StrToInt(Edit7.Text());
    const Span span{StrToInt64(Edit4.Text()), StrToInt(Edit5.Text())};
    if (repeats < 0) {
        ShowMessage("Ошибка! Количество повторов не может быть отрицательным!");
        return;
    }
    if (!SpanAccepted(span) || !BlocksFormable(span, kReadMemory)) return;
    SaveDialog1.SetInitialDir(std::filesystem::current_path().string());
    if (!SaveDialog1.Execute()) return;
    if (!Confirmed("Данные будут записаны в выбранный файл. Продолжать?",
                   "Чтение данных из флеш-памяти отменено!"))
        return;
    StartProgress(span);
    ImageFileWriter file(SaveDialog1.FileName());
    if (const auto failure = file.Create()) {
        ShowMessage(*failure);
        return;
    }
    ReadRun run{span, repeats, reference, Edit3.Text(), file, span.Start, span.Count};
    SetRunning(true);
    std::optional<std::string> stop = ReadBlocks(run);
    SetRunning(false);
    // The file takes what was read, even when the read stopped part-way; a read that brought no byte,
    // or whose bytes could not all be written, leaves a file of that name as it was.
    if (file.Written() > 0 && !file.Failed()) {
        if (const auto failure = file.Finish()) stop = (stop ? *stop + "\n" : std::string()) + *failure;
    }
    file.Discard();
    ShowMessage(ReadEndMessage(run, stop));
}

std::optional<std::string> TForm7::ReadBlocks(ReadRun& run) {
    while (run.span.Start + run.span.Count > run.address) {
        if (auto stop = ReadOneBlock(run)) return stop;
        int count = 0;
        if (auto stop = StoreBlock(run, count)) return stop;
        // A short block: the memory has no more data.
        if (count < kMemoryBlockSize) return std::nullopt;
        run.address += count;
        ShowProgress(run.span, run.address);
        if (StoppedBetweenBlocks()) return "Чтение данных остановлено пользователем.";
    }
    return std::nullopt;
}

// Sends the block's F1h until the register accepts it, at most 1 + repeats times. A NAK or a
// corrupted answer counts as a rejection: its fields are not the block's.
std::optional<std::string> TForm7::ReadOneBlock(ReadRun& run) {
    const std::string data = ReadMemoryData(run.password, run.address);
    for (int attempt = 0;; ++attempt) {
        AnswerRecord* answer = SendCommand(kReadMemory, data);
        StoreAnswer(answer);
        Edit8.SetText(IntToStr(GetErrorCount() - run.reference));
        if (answer->NotSent()) return NotSentMessage + " Чтение данных остановлено.";
        if (answer->NoAnswer()) return "Ошибка! Таймаут устройства! Чтение данных остановлено.";
        const bool corrupted = !answer->Answered();
        const std::string code = corrupted ? CorruptionCode(*answer) : answer->ErrorField;
        Edit1.SetText(code);
        if (!corrupted) Edit2.SetText(StatusBytesText(*answer, false));
        if (code == "0000") {
            run.answer = answer;
            return std::nullopt;
        }
        if (attempt >= run.repeats)
            return "Ошибка чтения данных из флеш-памяти. \nЧтение данных остановлено. ErrCode=" + code;
        ++run.repeatTotal;
        Edit8.SetText(IntToStr(run.repeatTotal));
    }
}

// Appends the accepted block's bytes, no more than the span still wants; count is the number of
// bytes the register reported.
std::optional<std::string> TForm7::StoreBlock(ReadRun& run, int& count) {
    const std::optional<int> reported = BlockByteCount(run.answer->Field(1));
    if (!reported) return kBadInformation;
    const int wanted = static_cast<int>(std::min<int64_t>(*reported, run.remaining));
    const DecodedBlock block = DecodeBlock(run.answer->Field(2), wanted);
    // The bytes a damaged block holds before its fault are kept only behind whole blocks: a read that
    // fails in its first block leaves the file as it was.
    if (!block.Whole && run.address == run.span.Start) return kBadInformation;
    if (const auto failure = run.file.Append(block.Bytes)) return *failure + " Чтение данных остановлено.";
    if (!block.Whole) return kBadInformation;
    run.remaining -= wanted;
    count = *reported;
    return std::nullopt;
}

// Success only when the file holds every byte asked for; any other end says what the file holds.
std::string TForm7::ReadEndMessage(const ReadRun& run, const std::optional<std::string>& stop) {
    const int64_t held = run.file.Written();
    if (!stop && held == run.span.Count) return kReadComplete;
    const std::string reason =
        stop.value_or("Данные флеш-памяти регистратора закончились. Чтение данных завершено не полностью.");
    if (held == 0) return reason + "\nНи одного байта не записано, файл не изменён.";
    return reason + "\nВ файле байтов: " + IntToStr(held) + " из " + IntToStr(run.span.Count) +
           ", чтение остановлено на адресе " + IntToStr(run.span.Start + held) + ".";
}
