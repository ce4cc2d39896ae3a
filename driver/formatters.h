#pragma once
// One function per register command: each prints its typed parameters into the command's data text
// and sends it. Texts are UTF-8; the link converts them to CP1251 at the frame. Money and quantities
// always carry "." as the decimal separator, whatever the process locale.
//
// Every function returns the answer record of the exchange (also kept as LastAnswer), never null. A
// refused call sends nothing, sets *error to one of the refusal codes below and returns the record
// marked not sent (NotSent(): no error field, no fields), which every judge reports as not sent.
// When a call is sent, *error becomes 0. Any `error` may be null.
#include <cstdint>
#include <string>

#include "driver/answer_record.h"

// Refusal codes (negative; nothing was sent).
constexpr int RefusalBarcode = -100;        // EAN-13 code that is not twelve digits
constexpr int RefusalLogoLine = -110;       // logo line below 0
constexpr int RefusalLogoPixels = -111;     // logo pixel text not exactly 48 characters
constexpr int RefusalHeaderLine = -121;     // header line to write outside 0..20
constexpr int RefusalReadHeaderLine = -131; // header line to read outside 0..20
constexpr int RefusalQuantity = -151;       // sale quantity not above 0, or not a finite number
constexpr int RefusalOutOfRange = -151;     // payment type outside 0..9, unknown data source
constexpr int RefusalPrice = -152;          // sale price below 0, or not a finite number
constexpr int RefusalDataTooLong = -160;    // data text longer than a frame carries (219 CP1251 bytes)

// Data text of the last formatter call.
extern std::string DataBuffer;
// Answer of the last formatter call (or of RepeatCommand); null until the first.
extern AnswerRecord* LastAnswer;

// Forms commands without sending them, so that a window learns before the first command of a
// sequence goes out whether every later one can go out too. While a FormingCheck lives, each
// formatter checks its parameters and forms its data text as when sending, then sends nothing: it
// leaves DataBuffer, LastAnswer and the answer record as they were, sets *error to 0 or to its
// refusal code and returns the check's own record, marked not sent. Checks do not nest.
//
//     FormingCheck check;
//     AddTmpBuffLine(password, 0, line, nullptr);
//     SetServiceInfo(oldPassword, newPassword, date, days, mask, nullptr);
//     if (check.FirstRefusal() != 0) ... // nothing of the sequence may go out
class FormingCheck {
public:
    FormingCheck();
    ~FormingCheck();
    FormingCheck(const FormingCheck&) = delete;
    FormingCheck& operator=(const FormingCheck&) = delete;

    // The refusal code of the first command that could not go out; 0 when every one could.
    int FirstRefusal() const { return firstRefusal_; }
    // The command code of that first refused command.
    unsigned FirstRefusedCommand() const { return firstRefusedCommand_; }
    // How many commands were formed, refused ones included.
    int Formed() const { return formed_; }

    // For the formatters: notes one formed command and gives the record to return for it.
    AnswerRecord* Note(unsigned command, int refusal);

private:
    int firstRefusal_ = 0;
    unsigned firstRefusedCommand_ = 0;
    int formed_ = 0;
    AnswerRecord record_;
};

// A command's data text (UTF-8) that one frame carries: at most 219 bytes in CP1251. The link sends
// nothing longer, and every formatter refuses it.
bool FitsInFrame(const std::string& data);

// A command without a formatter of its own (an article line's 24h, the card payment's 78h, the
// fiscal-memory blocks), with the data text the window made: sent and kept like a formatter's,
// refused with RefusalDataTooLong when a frame cannot carry it, and under a FormingCheck only formed.
AnswerRecord* SendPrepared(unsigned code, const std::string& data, int* error);

// ---- Date, time, header lines, articles, register parameters (20h..30h) ----------------------
AnswerRecord* SetDateTime(const std::string& password, const std::string& date, const std::string& time,
                          int* error);
AnswerRecord* GetDateTime(const std::string& password, int unused, int* error = nullptr);
AnswerRecord* SetHeaderFooter(const std::string& password, int line, const std::string& text, int attribute,
                              int* error);
AnswerRecord* GetHeaderFooter(const std::string& password, int line, int* error);
AnswerRecord* GetArticulIndex(const std::string& password, int articleCode, int* error);
AnswerRecord* GetArticulDataByIndex(const std::string& password, int index, int* error);
AnswerRecord* SetRegistratorParams(const std::string& password, int speed, int contrast, int documentOptions,
                                   int printOptions, int drawerOpenPulse, int drawerClosePulse,
                                   int nameLength, int* error);
AnswerRecord* GetRegistratorParams(const std::string& password, int* error);
AnswerRecord* SetUserLogo(const std::string& password, int line, const std::string& pixels, int* error);
// Four mode passwords; no access password.
AnswerRecord* SetModePsw(const std::string& manualReports, const std::string& programming,
                         const std::string& reports, const std::string& administrator, int* error);
AnswerRecord* ClearOpetratorPsw(const std::string& password, int operatorIndex, int* error);
AnswerRecord* SetPaymentParams(const std::string& password, int payment, int permissionMask,
                               const std::string& name, int* error);
AnswerRecord* GetPaymentParams(const std::string& password, int payment, int* error);
AnswerRecord* SetOperatorParams(const std::string& password, int operatorIndex,
                                const std::string& operatorPassword, const std::string& name, int* error);
AnswerRecord* GetOperatorParams(const std::string& password, int operatorIndex, int* error);

// ---- Service information, fiscal numbers, taxes, decimal point (34h..4Ah) --------------------
AnswerRecord* AddTmpBuffLine(const std::string& password, int line, const std::string& text, int* error);
// Old and new reminder password; no access password.
AnswerRecord* SetServiceInfo(const std::string& oldPassword, const std::string& newPassword,
                             const std::string& date, int days, int mask, int* error);
AnswerRecord* GetServiceInfo(const std::string& password, int* error);
AnswerRecord* Fiscalize(const std::string& password, const std::string& first, const std::string& second,
                        int* error);
AnswerRecord* SetSerialNumber(const std::string& password, const std::string& factoryNumber, int* error);
AnswerRecord* GetSerialNumber(const std::string& password, int* error);
AnswerRecord* SetFiscalNumber(const std::string& password, const std::string& fiscalNumber, int* error);
AnswerRecord* GetFiscalNumber(const std::string& password, int* error);
AnswerRecord* SetTaxIdNumber(const std::string& password, const std::string& number,
                             const std::string& numberType, int* error);
AnswerRecord* GetTaxIdNumber(const std::string& password, int* error);
// Without a linked group the last field is sent as -1.
AnswerRecord* SetTaxes(const std::string& password, int tax, int mask, const std::string& value,
                       const std::string& name, int* error);
AnswerRecord* SetTaxes(const std::string& password, int tax, int mask, const std::string& value,
                       const std::string& name, int linkedGroup, int* error);
AnswerRecord* GetTaxes(const std::string& password, int tax, int* error);
AnswerRecord* SetDecimalPoint(const std::string& password, int position, int* error);
AnswerRecord* GetDecimalPoint(const std::string& password, int* error);

// ---- Receipts, sales, payments, discounts, cash (60h..77h) -----------------------------------
AnswerRecord* OpenNonFiscalReceipt(const std::string& password, int* error);
AnswerRecord* PrintText(const std::string& password, const std::string& text, int* error);
// Sent as 65h with flag 0.
AnswerRecord* CloseNonFiscalReceipt(const std::string& password, int* error);
AnswerRecord* OpenFiscalReceipt(const std::string& password, int operatorNumber, int till, int returnReceipt,
                                int* error);
// Quantity and price as typed by the user, sent unchanged.
AnswerRecord* SellItem(const std::string& password, int articleCode, const std::string& quantity,
                       const std::string& price, int* error);
// Sends the quantity with three decimals, then the price with two.
AnswerRecord* SellItem(const std::string& password, int64_t articleCode, double price, double quantity,
                       int* error);
AnswerRecord* CloseFiscalReceipt(const std::string& password, int flag, int* error);
AnswerRecord* MakePayment(const std::string& password, int paymentType, double amount, int* error);
AnswerRecord* DiscountItemPercent(const std::string& password, double value, int* error);
AnswerRecord* DiscountItemAbsolute(const std::string& password, double value, int* error);
// Type 0 whole receipt, 1 begin, 2 end, 3 abandon the cancellation.
AnswerRecord* CancelOperation(const std::string& password, int type, int* error);
AnswerRecord* PrintTotal(const std::string& password, int flag, int* error);
AnswerRecord* CashInOut(const std::string& password, int operatorNumber, double amount, int* error);
AnswerRecord* DiscountSubtotalPercent(const std::string& password, double value, int* error);
AnswerRecord* DiscountSubtotalAbsolute(const std::string& password, double value, int* error);
AnswerRecord* DiscountTaxGroupPercent(const std::string& password, double value, int taxGroup, int* error);
AnswerRecord* DiscountTaxGroupAbsolute(const std::string& password, double value, int taxGroup, int* error);
AnswerRecord* CashInOutInReceipt(const std::string& password, int operatorNumber, double amount, int* error);

// ---- Diagnostics, display, counters, reports, copies, read-out (80h..F3h) --------------------
AnswerRecord* GetDiagnosticInfo(const std::string& password, int* error);
// Function 0 clear, 1 upper line, 2 lower line, 3 date and time.
AnswerRecord* ShowOnDisplay(const std::string& password, const std::string& text, int function, int value,
                            int* error);
AnswerRecord* PrintServiceReport(const std::string& password, int type, int* error);
AnswerRecord* SetServiceCounter(const std::string& password, int counter, int value, int* error);
AnswerRecord* GetServiceCounter(const std::string& password, int counter, int* error);
AnswerRecord* GetFreeResources(const std::string& password, int* error);
// Type 0 Z report, 1 X report, 2 control-tape clearing.
AnswerRecord* PrintDailyReport(const std::string& password, int type, int* error);
AnswerRecord* PrintPeriodicReportByDate(const std::string& password, const std::string& firstDate,
                                        const std::string& lastDate, int type, int* error);
AnswerRecord* PrintPeriodicReportByNumber(const std::string& password, int first, int last, int type,
                                          int* error);
AnswerRecord* PrintArticulReport(const std::string& password, int64_t firstCode, int64_t lastCode,
                                 int* error);
AnswerRecord* PrintReceiptCopyByNumber(const std::string& password, int first, int last, int* error);
// Type 0 departments, 1 operators, 2 control tape.
AnswerRecord* PrintExtraDailyReport(const std::string& password, int type, int unused1, int unused2,
                                    int* error);
// Selects what the register streams next: 0, 1 (stored document by number), 2, 3 (public key by
// index) or 5 (firmware); any other sub-function is refused with RefusalOutOfRange.
AnswerRecord* SetDataSource(const std::string& password, int subFunction, int unused, int number,
                            int* error = nullptr);
AnswerRecord* ReadDataFromBuf(const std::string& password, int* error = nullptr);
AnswerRecord* PrintJournalCopyByNumber(const std::string& password, int first, int last,
                                       int* error = nullptr);
AnswerRecord* PrintJournalCopyByDate(const std::string& password, const std::string& firstDate,
                                     const std::string& firstTime, const std::string& lastDate,
                                     const std::string& lastTime, int print, int* error = nullptr);
AnswerRecord* RestartRegistrator(const std::string& password, int* error);
