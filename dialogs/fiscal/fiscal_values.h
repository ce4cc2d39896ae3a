#pragma once
// Reading the fiscal parameters, step by step, as the programming window and the reading window
// both do: each step judges its answer, shows its message on failure and gives null.
#include <string>

#include "driver/answer_record.h"

using NumberQuery = AnswerRecord* (*)(const std::string& password, int* error);

// 42h, 44h or 46h with the messages named after the query ("Таймаут устройства! GetSerialNumber
// Ошибка!", "Ошибка GetSerialNumber!").
const AnswerRecord* ReadFiscalValue(NumberQuery query, const std::string& name, const std::string& password);
// 48h for tax row 0..4, a failure shown behind "Налог А:\n  " .. "Налог Д:\n  ".
const AnswerRecord* ReadTaxRow(const std::string& password, int row);

// Whether every query of a reading (42h, 44h, 46h, 48h for the five rows) can go out with this
// password; when one cannot, says so and nothing is sent.
bool FiscalReadingFormable(const std::string& password);
