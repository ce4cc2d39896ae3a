#pragma once
// Windows whose content comes later: each is its class with its caption, plus the controls and
// fields that other windows already use. The menu opens them all the same.
#include <cstdint>

#include "platform/forms/forms.h"
#include "shell/session.h"
#include "shell/window_links.h"
