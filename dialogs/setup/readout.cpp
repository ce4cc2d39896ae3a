#include "dialogs/setup/readout.h"

#include <cstdio>
#include <memory>

#include "driver/driver.h"
#include "platform/forms/forms.h"
#include "platform/text/text.h"
#include "shell/command_sequence.h"
#include "shell/session.h"

namespace {
using File = std::unique_ptr<FILE, int (*)(FILE*)>;

const std::string kSourceCaption = "SetDataSource ошибка:\n  ";
const std::string kPacketCaption = "ReadDataFromBuf ошибка:\n  ";

// The leading decimal digits of a field; none give 0.
long long LeadingNumber(const std::string& field) {
    long long value = 0;
    for (char c : field) {
        if (c < '0' || c > '9' || value > 1'000'000'000'000LL) break;
        value = value * 10 + (c - '0');
    }
    return value;
}

bool Judged(AnswerRecord* answer, const std::string& caption, TEdit* errorEdit) {
    return CheckAnswer(answer, AnswerCheck().Decoded(caption).CodeEdit(errorEdit));
}

// One packet: false (after the message) when the transfer must end; `ended` once a packet came empty.
bool ReadPacket(const ReadoutRequest& request, FILE* file, int packet, long long& written, bool& ended) {
    AnswerRecord* answer = ReadDataFromBuf(request.Password);
    if (!Judged(answer, kPacketCaption, request.ErrorEdit)) return false;
    if (TryDecimalStrToInt(answer->Field(1)) != packet) {
        ShowMessage("Ошибка последовательного номера пакета - чтение остановлено!");
        return false;
    }
    if (answer->Field(2).empty()) {
        ended = true;
        return true;
    }
    const auto bytes = UnescapePacket(Utf8ToCp1251(answer->Field(2)));
    if (!bytes) {
        ShowMessage("Неверные данные пакета " + std::to_string(packet) + " - чтение остановлено!");
        return false;
    }
    if (std::fwrite(bytes->data(), 1, bytes->size(), file) != bytes->size() || std::fflush(file) != 0) {
        ShowMessage("Ошибка записи в файл " + request.Path + " - чтение остановлено!");
        return false;
    }
    written += static_cast<long long>(bytes->size());
    if (request.Written) request.Written(static_cast<int>(written));
    return true;
}
} // namespace

ReadoutResult ReadOut(const ReadoutRequest& request) {
    const auto source = [&] { return SetDataSource(request.Password, request.Function, 0, request.Number); };
    const bool formable = CommandSequence().Formable([&] {
        source();
        ReadDataFromBuf(request.Password);
    });
    if (!formable) {
        if (request.ErrorEdit) request.ErrorEdit->Clear(); // nothing was answered
        return ReadoutResult::Failed;
    }
    AnswerRecord* answer = source();
    if (!Judged(answer, kSourceCaption, request.ErrorEdit)) return ReadoutResult::Failed;
    const long long size = LeadingNumber(answer->Field(1));
    if (request.Started) request.Started(static_cast<int>(std::min<long long>(size, 0x7FFFFFFF)));
    if (size == 0) {
        ShowMessage("Нет данных!");
        return ReadoutResult::Failed;
    }
    File file(std::fopen(request.Path.c_str(), "wb"), &std::fclose);
    if (!file) {
        ShowMessage("Невозможно создать файл " + request.Path + ". Ошибка!");
        return ReadoutResult::Failed;
    }
    long long written = 0;
    bool ended = false;
    for (int packet = 0; !ended; ++packet) {
        if (request.Stopped && request.Stopped()) {
            ShowMessage("Чтение остановлено по запросу пользователя!");
            return ReadoutResult::Stopped;
        }
        if (!ReadPacket(request, file.get(), packet, written, ended)) return ReadoutResult::Failed;
    }
    if (written < size) {
        ShowMessage("Получено " + std::to_string(written) + " байт из " + std::to_string(size) +
                    " - данные не полные!");
        return ReadoutResult::Failed;
    }
    return ReadoutResult::Done;
}
