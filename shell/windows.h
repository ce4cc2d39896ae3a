#pragma once
// The program's 54 windows: one instance of each, created at start and kept to the end.
#include "shell/about_box.h"
#include "shell/command_dialog.h"
#include "shell/command_tester.h"
#include "shell/free_resources.h"
#include "shell/later_windows.h"
#include "shell/main_window.h"
#include "shell/parameter_tester.h"
#include "shell/status_viewer.h"
#include "shell/usb_recovery.h"

extern TForm1* Form1;
extern TForm2* Form2;
extern TForm3* Form3;
extern TForm4* Form4;
extern TForm5* Form5;
extern TForm6* Form6;
extern TForm7* Form7;
extern TForm8* Form8;
extern TForm9* Form9;
extern TForm10* Form10;
extern TForm11* Form11;
extern TForm12* Form12;
extern TForm13* Form13;
extern TForm14* Form14;
extern TForm15* Form15;
extern TForm16* Form16;
extern TForm17* Form17;
extern TForm18* Form18;
extern TForm19* Form19;
extern TForm20* Form20;
extern TForm21* Form21;
extern TForm22* Form22;
extern TForm23* Form23;
extern TForm24* Form24;
extern TForm25* Form25;
extern TForm26* Form26;
extern TForm27* Form27;
extern TForm28* Form28;
extern TForm29* Form29;
extern TForm30* Form30;
extern TForm31* Form31;
extern TForm32* Form32;
extern TForm33* Form33;
extern TForm34* Form34;
extern TForm35* Form35;
extern TForm36* Form36;
extern TForm37* Form37;
extern TForm38* Form38;
extern TForm39* Form39;
extern TForm40* Form40;
extern TForm41* Form41;
extern TForm42* Form42;
extern TForm43* Form43;
extern TForm44* Form44;
extern TForm45* Form45;
extern TForm46* Form46;
extern TForm47* Form47;
extern TForm48* Form48;
extern TForm49* Form49;
extern TForm50* Form50;
extern TForm51* Form51;
extern TForm52* Form52;
extern TForm53* Form53;
extern TForm54* Form54;

// Creates every window, the main window first, in the order the program has always used (every
// window exists before the main window is first activated).
void CreateWindows(TApplication& application);
