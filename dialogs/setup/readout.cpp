#include "dialogs/setup/readout.h"

#include <algorithm>

#include "driver/driver.h"
#include "platform/files/replacement_file.h"
#include "platform/forms/forms.h"
#include "platform/text/text.h"
#include "shell/command_sequence.h"
#include "shell/session.h"

namespace {
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

// One packet: false when the transfer must end (after the message; a failed write is told when the
// file is kept); `ended` once a packet came empty.
bool ReadPacket(const ReadoutRequest& request, ReplacementFile& file, int packet, bool& ended) {
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
    if (!file.Write(*bytes)) return false;
    if (request.Written) request.Written(static_cast<int>(file.Written()));
    return true;
}

ReadoutResult ReadPackets(const ReadoutRequest& request, ReplacementFile& file, long long size) {
    bool ended = false;
    for (int packet = 0; !ended; ++packet) {
        if (request.Stopped && request.Stopped()) {
            ShowMessage("Чтение остановлено по запросу пользователя!");
            return ReadoutResult::Stopped;
        }
        if (!ReadPacket(request, file, packet, ended)) return ReadoutResult::Failed;
    }
    if (file.Written() < size) {
        ShowMessage("Получено " + ByteCount(file.Written()) + " из " + std::to_string(size) +
                    " - данные не полные!");
        return ReadoutResult::Failed;
    }
    return ReadoutResult::Done;
}

// The file keeps the packets that came, even when the transfer ended early; a transfer that brought
// no byte leaves the file as it was, and so does one whose bytes could not all be written.
bool Kept(ReplacementFile& file) {
    if (file.Written() == 0 && !file.Failed()) return true;
    if (!file.Failed() && file.Commit()) return true;
    ShowMessage("Ошибка записи в файл " + file.Path() + " - файл не изменён!");
    return false;
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
    ReplacementFile file(request.Path);
    if (!file.Open()) {
        ShowMessage("Невозможно создать файл " + request.Path + ". Ошибка!");
        return ReadoutResult::Failed;
    }
    const ReadoutResult result = ReadPackets(request, file, size);
    return Kept(file) ? result : ReadoutResult::Failed;
}
