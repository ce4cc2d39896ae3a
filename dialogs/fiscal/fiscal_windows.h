#pragma once
// The windows of receipts, reports, fiscal memory and fiscalisation: one header for each, each declaring its
// window's global.
#include "dialogs/fiscal/fiscal_memory.h"
