// The program's 54 windows: created at start in the order the program has always used, with the main
// window first, and linked to the shell that opens them.
#include "app/window_set.h"

#include "dialogs/fiscal/fiscal_windows.h"
#include "dialogs/setup/setup_windows.h"
#include "monitor/monitor_windows.h"
#include "shell/windows.h"

namespace {
void LinkWindows() {
    Linked = {Form6,  Form7,  Form8,  Form9,  Form11, Form12, Form13, Form15, Form16, Form17, Form18, Form19,
              Form20, Form21, Form22, Form23, Form24, Form25, Form26, Form27, Form28, Form29, Form30, Form31,
              Form32, Form33, Form34, Form35, Form36, Form37, Form38, Form39, Form40, Form41, Form42, Form43,
              Form44, Form45, Form46, Form47, Form48, Form49, Form50, Form51, Form53, Form54};
}
} // namespace

void CreateWindows(TApplication& application) {
    application.SetTitle("Kaltor"); // the caption of every message box, as of the main window
    application.CreateForm(Form1);
    application.CreateForm(Form2);
    application.CreateForm(Form3);
    application.CreateForm(Form5);
    application.CreateForm(Form6);
    application.CreateForm(Form7);
    application.CreateForm(Form8);
    application.CreateForm(Form9);
    application.CreateForm(Form11);
    application.CreateForm(Form12);
    application.CreateForm(Form13);
    application.CreateForm(Form14);
    application.CreateForm(Form15);
    application.CreateForm(Form16);
    application.CreateForm(Form17);
    application.CreateForm(Form18);
    application.CreateForm(Form19);
    application.CreateForm(Form20);
    application.CreateForm(Form21);
    application.CreateForm(Form22);
    application.CreateForm(Form10);
    application.CreateForm(Form23);
    application.CreateForm(Form24);
    application.CreateForm(Form25);
    application.CreateForm(Form26);
    application.CreateForm(Form27);
    application.CreateForm(Form4);
    application.CreateForm(Form28);
    application.CreateForm(Form29);
    application.CreateForm(Form30);
    application.CreateForm(Form33);
    application.CreateForm(Form35);
    application.CreateForm(Form34);
    application.CreateForm(Form36);
    application.CreateForm(Form37);
    application.CreateForm(Form31);
    application.CreateForm(Form32);
    application.CreateForm(Form38);
    application.CreateForm(Form39);
    application.CreateForm(Form40);
    application.CreateForm(Form41);
    application.CreateForm(Form42);
    application.CreateForm(Form43);
    application.CreateForm(Form45);
    application.CreateForm(Form46);
    application.CreateForm(Form47);
    application.CreateForm(Form48);
    application.CreateForm(Form49);
    application.CreateForm(Form50);
    application.CreateForm(Form51);
    application.CreateForm(Form52);
    application.CreateForm(Form44);
    application.CreateForm(Form53);
    application.CreateForm(Form54);
    LinkWindows();
}
