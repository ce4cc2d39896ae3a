#pragma once
// How the shell reaches the windows of the subsystems above it (script monitor, dialogs): the main
// window opens them from its menu and sets the few fields of the three role classes below.
//
// Each subsystem declares its own typed windows: a dialog's header declares `extern TForm20* Form20;`
// and its source defines it; the folder's *_windows.h lists the dialog headers. The program's start-up
// (app/window_set.cpp) creates all 54 windows in their fixed order and fills `Linked`, so the shell
// needs no header from above it.
#include <cstdint>
#include <string>

#include "platform/forms/forms.h"
#include "platform/serial/serial_port.h"
#include "shell/port_control.h"

// Receipt header dialog: the paper width that the main window sets by model.
class TPaperWidthForm : public TForm {
public:
    TEdit Edit2;         // "Ширина ленты (симв.):"
    TComboBox ComboBox2; // takes the edit's place for some models
};

// Register parameters: the speed list and the model-dependent check boxes that connect sets.
class TRegisterSpeedForm : public TForm {
public:
    TComboBox ComboBox2; // "Скорость обмена:"
    TCheckBox CheckBox16;
    TCheckBox CheckBox17;
    TCheckBox CheckBox18;
};

// Fiscal receipt: the bank-terminal port that the main window tests and names.
class TTerminalForm : public TForm {
public:
    std::string TerminalPortName; // the port the card payment opens; set by the main window's test
    LineSettings TerminalDcb;     // the line settings of the last test
    uint32_t TerminalError = 0;   // the port error of the last open (a SerialError value), 0 when none
    int32_t TerminalResult = 0;   // the result of the last line-settings call (1 done, 0 failed)
    T1CommTimeouts TerminalTimeouts;
};

struct TWindowLinks {
    TForm* Form6 = nullptr;
    TForm* Form7 = nullptr;
    TForm* Form8 = nullptr;
    TForm* Form9 = nullptr;
    TPaperWidthForm* Form11 = nullptr;
    TForm* Form12 = nullptr;
    TForm* Form13 = nullptr;
    TForm* Form15 = nullptr;
    TForm* Form16 = nullptr;
    TForm* Form17 = nullptr;
    TForm* Form18 = nullptr;
    TForm* Form19 = nullptr;
    TForm* Form20 = nullptr;
    TTerminalForm* Form21 = nullptr;
    TForm* Form22 = nullptr;
    TForm* Form23 = nullptr;
    TForm* Form24 = nullptr;
    TForm* Form25 = nullptr;
    TRegisterSpeedForm* Form26 = nullptr;
    TForm* Form27 = nullptr;
    TForm* Form28 = nullptr;
    TForm* Form29 = nullptr;
    TForm* Form30 = nullptr;
    TForm* Form31 = nullptr;
    TForm* Form32 = nullptr;
    TForm* Form33 = nullptr;
    TForm* Form34 = nullptr;
    TForm* Form35 = nullptr;
    TForm* Form36 = nullptr;
    TForm* Form37 = nullptr;
    TForm* Form38 = nullptr;
    TForm* Form39 = nullptr;
    TForm* Form40 = nullptr;
    TForm* Form41 = nullptr;
    TForm* Form42 = nullptr;
    TForm* Form43 = nullptr;
    TForm* Form44 = nullptr;
    TForm* Form45 = nullptr;
    TForm* Form46 = nullptr;
    TForm* Form47 = nullptr;
    TForm* Form48 = nullptr;
    TForm* Form49 = nullptr;
    TForm* Form50 = nullptr;
    TForm* Form51 = nullptr;
    TForm* Form53 = nullptr;
    TForm* Form54 = nullptr;
};
extern TWindowLinks Linked;
