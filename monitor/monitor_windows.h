#pragma once
// The windows of the script monitor, its variables view and the script preparation windows: one header for
// each, each declaring its window's global.
#include "monitor/goods_sale_window.h"
#include "monitor/goods_script_window.h"
#include "monitor/receipt_print_window.h"
#include "monitor/script_monitor.h"
#include "monitor/variables_view.h"
