#pragma once
// The shell's own windows: one instance of each, created with the rest at start and kept to the end.
// The windows above the shell are reached through shell/window_links.h.
#include "shell/about_box.h"
#include "shell/command_dialog.h"
#include "shell/command_tester.h"
#include "shell/free_resources.h"
#include "shell/main_window.h"
#include "shell/parameter_tester.h"
#include "shell/status_viewer.h"
#include "shell/usb_recovery.h"
#include "shell/window_links.h"

extern TForm1* Form1;
extern TForm2* Form2;
extern TForm3* Form3;
extern TForm4* Form4;
extern TForm5* Form5;
extern TForm10* Form10;
extern TForm14* Form14;
extern TForm52* Form52;
