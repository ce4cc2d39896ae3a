#pragma once
// Turning what the receiver collected into the answer record. Internal to the driver.
#include <array>
#include <string>
#include <string_view>

#include "driver/answer_record.h"
#include "driver/receiver.h"

// Runs once after every read loop: checksum check, status bytes and StatusWord, the data copy,
// the fix-up of the command last sent (record.SentCode) and the split into fields.
void ParseAnswer(Receiver& receiver, const std::string& sentData, AnswerRecord& record);

// Some commands answer numbers the register writes without their separator; puts it in.
void ApplyAnswerFixUp(uint32_t sentCode, std::string& data);

// Splits data at ";" into at most 20 fields; the 20th keeps the rest of the data, separators included.
// Returns the number of fields (1 or more; the caller treats empty data as no fields).
size_t SplitAnswerData(std::string_view data, std::array<std::string_view, AnswerFieldSlots>& fields);
