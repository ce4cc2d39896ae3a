#pragma once
// The windows of register set-up, network settings, read-out and modem state: one header for each, each
// declaring its window's global.
#include "dialogs/setup/clock_dialog.h"
#include "dialogs/setup/decimal_point_dialog.h"
#include "dialogs/setup/header_dialog.h"
#include "dialogs/setup/logo_dialog.h"
#include "dialogs/setup/modem_dialogs.h"
#include "dialogs/setup/network_dialogs.h"
#include "dialogs/setup/operators_dialog.h"
#include "dialogs/setup/readout_dialogs.h"
#include "dialogs/setup/register_params_dialog.h"
#include "dialogs/setup/reminder_dialog.h"
#include "dialogs/setup/service_counters_dialog.h"
