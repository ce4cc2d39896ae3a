#pragma once
// The form layer in one include: application object, windows, controls, menus, dialogs, the UI host,
// layout builders and window pictures.
#include "platform/forms/application.h"
#include "platform/forms/busy_cursor.h"
#include "platform/forms/controls.h"
#include "platform/forms/dialogs.h"
#include "platform/forms/errors.h"
#include "platform/forms/events.h"
#include "platform/forms/form.h"
#include "platform/forms/grab.h"
#include "platform/forms/grid.h"
#include "platform/forms/indicators.h"
#include "platform/forms/layout.h"
#include "platform/forms/menus.h"
#include "platform/forms/strings.h"
#include "platform/forms/timer.h"
#include "platform/forms/types.h"
#include "platform/forms/ui_host.h"
