#pragma once
// The simulated register's goods base, payment forms, customer display and the document under way.
// Money is held in kopecks.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace regsim {

struct Article {
    std::string Name;
    int64_t Price = 0;
    int TaxGroup = 0;
    int Department = 0;
};

struct PaymentForm {
    int Mask = 0x03; // 01h sale, 02h refund, 80h change in cash
    std::string Name;
};
constexpr size_t kPaymentFormCount = 10;
// Cash first: the one form that gives change.
std::array<PaymentForm, kPaymentFormCount> DefaultPaymentForms();

// Service: the receipt of a service cash deposit or withdrawal (63h with flag 2).
enum class DocumentKind { None, Sale, Refund, NonFiscal, Service };

struct SoldLine {
    int64_t Code = 0;
    int64_t Amount = 0; // negative for a line cancelled
    int TaxGroup = 0;
};

struct Payment {
    int Type = 0;
    int64_t Amount = 0;
    std::string TransactionId; // card payments only
};

struct Receipt {
    DocumentKind Kind = DocumentKind::None;
    bool Cancelling = false; // between the start and the end of a cancellation
    std::vector<SoldLine> Lines;
    int64_t Adjustments = 0; // discounts (negative) and surcharges
    std::vector<Payment> Payments;
    std::vector<std::string> Printed; // comments and card lines, as sent

    bool Fiscal() const { return Kind == DocumentKind::Sale || Kind == DocumentKind::Refund; }
    int64_t Total() const;
    int64_t Paid() const;
};

// "12.34" as the register prints a sum.
std::string MoneyText(int64_t kopecks);

// Error fields of the receipt commands: detail then class.
inline const char* const kErrorDocumentState = "000B"; // not allowed in the document's state
inline const char* const kErrorArticleNotFound = "020A";
inline const char* const kErrorCancelStart = "030B";
inline const char* const kErrorCancelNotFound = "040B";
inline const char* const kErrorPaymentForm = "090B";
inline const char* const kErrorNoChange = "0A0B";
inline const char* const kErrorDiscountRange = "0B0B";
inline const char* const kErrorQuantity = "0F0B";
inline const char* const kErrorPrice = "100B";

} // namespace regsim
