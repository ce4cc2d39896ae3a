#pragma once
#include "platform/forms/application.h"

// Creates every window, the main window first, in the order the program has always used (every
// window exists before the main window is first activated), and links the windows above the shell
// to it.
void CreateWindows(TApplication& application);
