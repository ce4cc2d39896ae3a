// The windows still waiting for their content: captions, and the controls other windows set.
#include "shell/later_windows.h"

#include "shell/main_window_models.h"
