#pragma once
// The simulated register's state and how it answers each command. Not thread-safe by itself:
// RegisterSimulator guards it. Commands it does not know get the default answer.
#include <array>
#include <cstdint>
#include <ctime>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "tools/regsim/network_state.h"
#include "tools/regsim/register_model_fiscal.h"
#include "tools/regsim/register_model_receipt.h"
#include "tools/regsim/reports_state.h"
#include "tools/regsim/setup_state.h"

namespace regsim {

struct DateTime {
    int Year = 2000, Month = 1, Day = 1, Hour = 0, Minute = 0, Second = 0;
    bool operator==(const DateTime&) const = default;
};

// The answer to one command before it is framed: error field and data (UTF-8). The status bytes
// come from RegisterState.
struct ModelAnswer {
    std::string Error = "0000";
    std::string Data;
    bool Silent = false; // no answer at all (the register is restarting)
};

// Answer fields of A0h, in order (texts as the register sends them).
struct FreeResources {
    std::string MayFiscalize = "1";
    std::string MayWriteFactoryNumber = "1";
    std::string MayWriteFiscalNumber = "1";
    std::string MayWriteTaxNumber = "1";
    std::string MayWriteTaxRates = "1";
    std::string MayWritePassword = "1";
    std::string EmergencyClears = "0";
    std::string FreeFiscalReports = "1825";
    std::string ShiftOpenDate = "000000"; // DDMMYY
    std::string ShiftOpenTime = "0000";   // HHMM
    std::string FreeArticles = "10000";
    std::string FreeReceipts = "2000";
};

struct RegisterState {
    std::string Password = "736204"; // the access password, the first field of almost every command

    // Answer fields of 80h, in order.
    std::string Model = "Kivrel LT-6";
    std::string Firmware = "3.01";
    std::string FurtherText = "Симулятор";
    std::string FactoryNumber = "KV00000001";
    std::string FiscalNumber = "0000000000";
    std::string TaxNumber = "000000000000";
    std::string LogoBytes = "2304"; // logo size in bytes; with the width it gives the height
    std::string LogoWidth = "192";  // in pixels
    std::string LastReportNumber = "0";
    std::string ReceiptNumber = "0";
    std::string PaymentTypes = "10";

    // S0 to S5 without bit 7, which every answer sets. S0 bit 0 is the service mode.
    std::array<uint8_t, 6> Status{};

    FreeResources Resources;
    // Service counters 0 to 20 (88h, 89h); one that was never set reads "0".
    std::map<int, std::string> Counters = {{0, "87"}, {11, "65536"}, {16, "1460"}};

    FiscalData Fiscal;
    // Goods base, payment forms, customer display and the document under way (receipt commands).
    std::map<int64_t, Article> Articles;
    std::array<PaymentForm, kPaymentFormCount> PaymentForms = DefaultPaymentForms();
    std::string DisplayUpper, DisplayLower;
    Receipt Document;
    SetupState Setup;
    ReportsState Reports;
    NetworkState Network;
};

// A register that answers commands. The clock runs on the host's local clock plus an offset, or
// stands still at a set time.
class RegisterModel {
public:
    static constexpr int CounterCount = 21;

    RegisterModel();

    // The answer to one command. A modelled command whose first field is not the password gets
    // kErrorPassword; a code the register does not have gets kErrorUnknownCommand; any other
    // command gets DefaultAnswer, whatever its data.
    ModelAnswer Handle(uint8_t code, const std::string& data);

    RegisterState State;
    ModelAnswer DefaultAnswer;

    void SetClock(const DateTime& time, bool running);
    DateTime Clock() const;

private:
    // One handler per modelled command, given the data fields after the password check.
    ModelAnswer SetDateTime(const std::vector<std::string>& fields);
    ModelAnswer GetDateTime(const std::vector<std::string>& fields);
    ModelAnswer DiagnosticInfo(const std::vector<std::string>& fields);
    ModelAnswer SetServiceCounter(const std::vector<std::string>& fields);
    ModelAnswer GetServiceCounter(const std::vector<std::string>& fields);
    ModelAnswer GetFreeResources(const std::vector<std::string>& fields);
    // Cash, reports and copies (register_model_reports.cpp).
    ModelAnswer CashInOut(const std::vector<std::string>& fields);
    ModelAnswer CashInOutInReceipt(const std::vector<std::string>& fields);
    ModelAnswer MoveCash(const std::string& amount, int field);
    ModelAnswer DailyReport(const std::vector<std::string>& fields);
    ModelAnswer ExtraDailyReport(const std::vector<std::string>& fields);
    ModelAnswer PeriodicReportByDate(const std::vector<std::string>& fields);
    ModelAnswer PeriodicReportByNumber(const std::vector<std::string>& fields);
    ModelAnswer ArticleReport(const std::vector<std::string>& fields);
    ModelAnswer ReceiptCopyByNumber(const std::vector<std::string>& fields);
    ModelAnswer JournalCopyByNumber(const std::vector<std::string>& fields);
    ModelAnswer JournalCopyByDate(const std::vector<std::string>& fields);
    ModelAnswer ClearArticles(const std::vector<std::string>& fields);
    // register_model_fiscal.cpp
    ModelAnswer Fiscalize(const std::vector<std::string>& fields);
    ModelAnswer SetSerialNumber(const std::vector<std::string>& fields);
    ModelAnswer GetSerialNumber(const std::vector<std::string>& fields);
    ModelAnswer SetFiscalNumber(const std::vector<std::string>& fields);
    ModelAnswer GetFiscalNumber(const std::vector<std::string>& fields);
    ModelAnswer SetTaxIdNumber(const std::vector<std::string>& fields);
    ModelAnswer GetTaxIdNumber(const std::vector<std::string>& fields);
    ModelAnswer SetTaxes(const std::vector<std::string>& fields);
    ModelAnswer GetTaxes(const std::vector<std::string>& fields);
    ModelAnswer ClearFiscalMemory(const std::vector<std::string>& fields);
    ModelAnswer ReadFiscalMemory(const std::vector<std::string>& fields);
    ModelAnswer WriteFiscalMemory(const std::vector<std::string>& fields);
    ModelAnswer Restart(const std::vector<std::string>& fields);
    // Silence while restarting, a refusal while busy; nothing when the register takes commands.
    std::optional<ModelAnswer> Unavailable();
    // Receipts (register_model_receipt.cpp).
    ModelAnswer AddArticle(const std::vector<std::string>& fields);
    ModelAnswer SetPaymentForm(const std::vector<std::string>& fields);
    ModelAnswer GetPaymentForm(const std::vector<std::string>& fields);
    ModelAnswer OpenNonFiscal(const std::vector<std::string>& fields);
    ModelAnswer PrintLine(const std::vector<std::string>& fields);
    ModelAnswer OpenReceipt(const std::vector<std::string>& fields);
    ModelAnswer Sell(const std::vector<std::string>& fields);
    ModelAnswer CloseDocument(const std::vector<std::string>& fields);
    ModelAnswer Pay(const std::vector<std::string>& fields);
    ModelAnswer PayByCard(const std::vector<std::string>& fields);
    ModelAnswer ItemPercent(const std::vector<std::string>& fields);
    ModelAnswer ItemAbsolute(const std::vector<std::string>& fields);
    ModelAnswer SubtotalPercent(const std::vector<std::string>& fields);
    ModelAnswer SubtotalAbsolute(const std::vector<std::string>& fields);
    ModelAnswer TaxGroupPercent(const std::vector<std::string>& fields);
    ModelAnswer TaxGroupAbsolute(const std::vector<std::string>& fields);
    ModelAnswer Cancel(const std::vector<std::string>& fields);
    ModelAnswer Subtotal(const std::vector<std::string>& fields);
    ModelAnswer PrintBarcode(const std::vector<std::string>& fields);
    ModelAnswer Display(const std::vector<std::string>& fields);
    ModelAnswer Adjust(int64_t base, const std::string& value, bool percent);
    ModelAnswer TakePayment(int type, const std::string& amount, const std::string& transactionId);
    void ShowDocumentState();
    // Set-up commands (register_model_setup.cpp).
    ModelAnswer SetRegistratorParams(const std::vector<std::string>& fields);
    ModelAnswer GetRegistratorParams(const std::vector<std::string>& fields);
    ModelAnswer SetHeaderFooter(const std::vector<std::string>& fields);
    ModelAnswer GetHeaderFooter(const std::vector<std::string>& fields);
    ModelAnswer SetUserLogo(const std::vector<std::string>& fields);
    ModelAnswer CloseUserLogo(const std::vector<std::string>& fields);
    ModelAnswer SetOperatorParams(const std::vector<std::string>& fields);
    ModelAnswer GetOperatorParams(const std::vector<std::string>& fields);
    ModelAnswer ClearOperator(const std::vector<std::string>& fields);
    ModelAnswer AddTmpBuffLine(const std::vector<std::string>& fields);
    ModelAnswer GetServiceInfo(const std::vector<std::string>& fields);
    ModelAnswer SetDecimalPoint(const std::vector<std::string>& fields);
    ModelAnswer GetDecimalPoint(const std::vector<std::string>& fields);
    ModelAnswer SetDeviceId(const std::vector<std::string>& fields);
    ModelAnswer GetDeviceId(const std::vector<std::string>& fields);
    // Network, read-out and modem commands (register_model_network.cpp).
    ModelAnswer SetRemoteAccess(const std::vector<std::string>& fields);
    ModelAnswer GetRemoteAccess(const std::vector<std::string>& fields);
    ModelAnswer SetAcquirerLink(const std::vector<std::string>& fields);
    ModelAnswer GetAcquirerLink(const std::vector<std::string>& fields);
    ModelAnswer SetDataSource(const std::vector<std::string>& fields);
    ModelAnswer ReadDataFromBuf(const std::vector<std::string>& fields);
    ModelAnswer GetModemState(const std::vector<std::string>& fields);
    ModelAnswer GetAcquirerSession(const std::vector<std::string>& fields);
    // Commands whose first field is a password of their own rather than the access password.
    ModelAnswer SetModePasswords(const std::vector<std::string>& fields);
    ModelAnswer SetServiceInfo(const std::vector<std::string>& fields);

    long long clockOffset_ = 0;            // seconds added to the host's local time
    std::optional<DateTime> stoppedClock_; // set when the clock stands still
};

// Whether the register has this command code at all (modelled here or not).
bool RegisterHasCommand(uint8_t code);

// The data text split at ";" (a final ";" ends the last field rather than opening an empty one).
std::vector<std::string> SplitFields(const std::string& data);

// Error fields the model gives: detail (two hex digits) then class.
inline const char* const kErrorOk = "0000";
inline const char* const kErrorUnknownCommand = "0002"; // rErr_InstrCODE
inline const char* const kErrorPassword = "0006";       // rErrPWD
inline const char* const kErrorDateFormat = "0C05";     // err_DateFormat
inline const char* const kErrorTimeFormat = "0D05";     // err_TimeFormat
std::string FieldFormatError(int field);                // rErr_FieldFormat of field N: "NN03"
std::string FieldValueError(int field);                 // rErr_FieldValue of field N: "NN04"

} // namespace regsim
