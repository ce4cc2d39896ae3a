#pragma once
// The windows of receipts, reports, fiscal memory and fiscalisation: one header for each, each declaring its
// window's global.
#include "dialogs/fiscal/article_loading.h"
#include "dialogs/fiscal/fiscal_memory.h"
#include "dialogs/fiscal/fiscal_receipt.h"
#include "dialogs/fiscal/payment_forms.h"
