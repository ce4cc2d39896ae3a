// Writing an image file into the fiscal memory, 50 bytes a command; a rejected block stops the write.
#include <algorithm>
#include <filesystem>

#include "dialogs/fiscal/fiscal_memory.h"
#include "dialogs/fiscal/image_file.h"
#include "dialogs/fiscal/memory_blocks.h"
#include "driver/driver.h"
#include "shell/session.h"
#include "shell/typed_fields.h"

namespace {
const std::string kWriteCaption = "Ошибка записи в флеш-память:\n  ";
}

void TForm7::Button4Click() {
    if (!FieldsAccepted({{"Пароль:", Edit3.Text()}})) return;
    const Span span{StrToInt(Edit4.Text()), StrToInt(Edit5.Text())};
    if (!SpanAccepted(span) || !BlocksFormable(span, kWriteMemory)) return;
    OpenDialog1.SetInitialDir(std::filesystem::current_path().string());
    if (!OpenDialog1.Execute()) return;
    if (!Confirmed("Данные будут записаны в флеш-память регистратора. Продолжать?",
                   "Запись данных в флеш-память отменена!"))
        return;
    StartProgress(span);
    SetRunning(true);
    WriteFile(OpenDialog1.FileName(), span);
    SetRunning(false);
}

void TForm7::WriteFile(const std::string& path, const Span& span) {
    ImageFileReader file(path);
    if (!file.IsOpen()) {
        ShowMessage("Ошибка! Не удалось открыть файл " + path);
        return;
    }
    const std::string password = Edit3.Text();
    for (int64_t address = span.Start; span.Start + span.Count > address;) {
        const auto size =
            static_cast<size_t>(std::min<int64_t>(span.Start + span.Count - address, kMemoryBlockSize));
        const std::vector<uint8_t> block = file.Read(size);
        if (block.size() < size) {
            ShowMessage("Ошибка! Незапланированный конец файла!\n   Чтение прервано" +
                        WriteStopNote(span, address));
            return;
        }
        AnswerRecord* answer = SendCommand(kWriteMemory, WriteMemoryData(password, address, block));
        const AnswerCheck check = AnswerCheck()
                                      .Timeout(kWriteCaption + TimeoutMessage)
                                      .Caption(kWriteCaption)
                                      .CodeEdit(&Edit1)
                                      .After(WriteStopNote(span, address));
        if (!CheckAnswer(answer, check)) return;
        ShowAnswer(*answer);
        address += static_cast<int64_t>(size);
        ShowProgress(span, address);
        if (StoppedBetweenBlocks()) {
            ShowMessage("Запись данных остановлено пользователем." + WriteStopNote(span, address));
            return;
        }
    }
    ShowMessage("Успешно. Запись данных завершена.");
}

std::string TForm7::WriteStopNote(const Span& span, int64_t address) {
    return "\nЗаписано байтов: " + IntToStr(address - span.Start) + " из " + IntToStr(span.Count) +
           ", запись остановлена на адресе " + IntToStr(address) + ".";
}
