#pragma once
// The windows of receipts, reports, fiscal memory and fiscalisation: one header for each, each declaring its
// window's global.
#include "dialogs/fiscal/article_loading.h"
#include "dialogs/fiscal/daily_reports.h"
#include "dialogs/fiscal/extra_reports.h"
#include "dialogs/fiscal/fiscal_memory.h"
#include "dialogs/fiscal/fiscal_receipt.h"
#include "dialogs/fiscal/journal_copy.h"
#include "dialogs/fiscal/non_fiscal_receipt.h"
#include "dialogs/fiscal/payment_forms.h"
#include "dialogs/fiscal/periodic_report.h"
#include "dialogs/fiscal/pq_daily_reports.h"
#include "dialogs/fiscal/receipt_copy.h"
#include "dialogs/fiscal/service_cash.h"
#include "dialogs/fiscal/sold_goods_report.h"
#include "dialogs/fiscal/void_close_receipt.h"
