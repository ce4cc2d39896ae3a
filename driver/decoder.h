#pragma once
// Turns an answer's error field into a Russian message for a message box.
#include <string>

#include "driver/answer_record.h"

// The message for a command that got no complete answer; dialogs show it too.
inline const std::string NoAnswerMessage = "Таймаут устройства! Ошибка!";
// The driver refused the command (an argument, or a data text longer than a frame): nothing went out.
inline const std::string NotSentMessage = "Команда не отправлена!";
// The register answered the frame with NAK: it did not take the command.
inline const std::string RefusedFrameMessage = "Регистратор не принял команду";
// An answer came whose checksum is wrong: nothing in it can be trusted.
inline const std::string BadChecksumMessage = "Неверная контрольная сумма";

// Register error codes: class x 100h + detail, where the error field reads detail then class.
enum AnswerErrorCode {
    rExecOK = 0x0000,

    erHW_Unknow = 0x0100,
    erHW_Printer,
    erHW_Ram,
    erHW_Rom,
    erHW_Flash,
    erHW_Display,
    erHW_Clock,
    erHW_PowerDown,
    erHW_SIM,
    erHW_SD,

    rErr_InstrCODE = 0x0200,
    err_FunctionAbsent,
    err_MsgNoData,
    err_MsgSize,

    rErr_FieldFormat = 0x0300,

    rErr_FieldValue = 0x0400,
    rErr_FieldValue1,
    rErr_FieldValue2,
    rErr_FieldValue3,
    rErr_FieldValue4,
    rErr_FieldValue5,
    rErr_FieldValue6,
    rErr_FieldValue7,

    erFIS_NoFreeSpace = 0x0500,
    erFIS_Write,
    erFIS_NoZN,
    erFIS_LastDate,
    erFIS_DateChange,
    erFIS_ErrorLock,
    erFIS_WriteLock,
    erFIS_NoFiscalMode,
    erFIS_DateIsNoSet,
    erFIS_24hOvf,
    erFIS_Clock,
    erFIS_TaxTable,
    err_DateFormat,
    err_TimeFormat,

    rErrPWD = 0x0600,

    erMODE_Service = 0x0700,
    erMODE_Shift,
    erMUST_GET_TL,

    rErrMatch = 0x0800,

    rErrNoClear = 0x0900,
    rErrNULLAdress,
    rErrOutArea,
    rErrLowBuff,
    rErrDataError,

    erART_NoFreeSpace = 0x0A00,
    erART_LongLength,
    erART_CodeNotFount,
    erART_IndexOutBase,
    erART_Dublicate,
    erART_DisabledTax,

    erTRS_InvalidDocState = 0x0B00,
    erTRS_NoFreeSpace,
    erTRS_UnknowType,
    erTRS_CancelStart,
    erTRS_CancelNotFound,
    erTRS_CancelNoFull,
    erTRS_Nosing4Cancel,
    erTRS_NoAvalCheakCopy,
    erTRS_Cash2Low,
    erTRS_PayModeDisable,
    erTRS_PayReshtaDisable,
    erTRS_DiscontOutRange,
    erTRS_TotalSummOvf,
    erTRS_TotalPayOvf,
    erTRS_AddressRange,
    erTRS_Quantity,
    erTRS_Price,
    erTRS_CancelLock,

    erTMPBuff_Header = 0xC000,
    rErrTMPBuffCMP,
    erTMPBuff_OutArea,

    rErrSIM_Chain = 0xD000,
    rErrSIM_SignNotValid,
    rErrSIM_LastPublicKeyNotValid,

    rErrSD_Format = 0xD100,
    rErrSD_Create,
    rErrSD_Read,
    rErrSD_Chain,
    rErrSD_FileNotFound,

    erPrmFormatStr_DataPoint = 0xF000,
    erPrmFormatStr_DataType,
    erPrmFormatStr_MMode,
    erPrmFormatStr_Justify,
    erPrmFormatStr_Position,
};

// Why the exchange brought no intact answer; empty when one came. No record at all counts as not sent.
const std::string& ExchangeFailureMessage(const AnswerRecord* record);

// True only for the error field "0000" of an intact answer, with an empty message (the record's
// Succeeded()). Otherwise false and the message: the exchange failure above (not sent, no answer, NAK,
// bad checksum; the error field is not read then, as it is stale or untrustworthy), the text of the error
// code, or empty for a code without text (an unknown class, or an error field that is not four
// upper-case hexadecimal digits).
bool DecodeAnswerError(std::string& message, const AnswerRecord* record);

// Why the driver refused to form a command, from a refusal code of the formatters (formatters.h),
// as the end of a sentence: "данные команды длиннее, чем вмещает кадр".
std::string RefusalReason(int refusal);

// Why one command cannot go out: "Команда 35h не может быть отправлена: <reason>."
std::string UnformableCommandText(unsigned command, int refusal);

// Put after the message of a refusal that stopped a sequence before its first command.
inline const std::string NothingSentNote = "\nВ регистратор ничего не отправлено.";

// A command of a sequence cannot go out, so nothing of the sequence was sent: "Команда 35h не может
// быть отправлена: <reason>.\nВ регистратор ничего не отправлено."
std::string UnformableCommandMessage(unsigned command, int refusal);
