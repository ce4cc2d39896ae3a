#pragma once
// Windows whose content comes later: each is its class with its caption, plus the controls and
// fields that other windows already use. The menu opens them all the same.
#include <cstdint>
#include <string>

#include "platform/forms/forms.h"
#include "platform/serial/serial_port.h"
#include "shell/port_control.h"
#include "shell/session.h"

class TForm6 : public TForm {
public:
    TForm6();
};
class TForm7 : public TForm {
public:
    TForm7();
};
class TForm8 : public TForm {
public:
    TForm8();
};
class TForm9 : public TForm {
public:
    TForm9();
};

// Receipt header and advertising text: the paper width that the main window sets by model.
class TForm11 : public TForm {
public:
    TForm11();
    TEdit Edit2;         // "Ширина ленты (симв.):"
    TComboBox ComboBox2; // takes the edit's place for some models
};

class TForm12 : public TForm {
public:
    TForm12();
};
class TForm13 : public TForm {
public:
    TForm13();
};
class TForm15 : public TForm {
public:
    TForm15();
};
class TForm16 : public TForm {
public:
    TForm16();
};
class TForm17 : public TForm {
public:
    TForm17();
};
class TForm18 : public TForm {
public:
    TForm18();
};
class TForm19 : public TForm {
public:
    TForm19();
};
class TForm20 : public TForm {
public:
    TForm20();
};

// Fiscal receipt: the bank-terminal port that the main window tests and names.
class TForm21 : public TForm {
public:
    TForm21();
    std::string TerminalPortName; // the port the card payment opens; set by the main window's test
    LineSettings TerminalDcb;     // the line settings of the last test
    uint32_t TerminalError = 0;   // the port error of the last open (a SerialError value), 0 when none
    int32_t TerminalResult = 0;   // the result of the last line-settings call (1 done, 0 failed)
    T1CommTimeouts TerminalTimeouts;
};

class TForm22 : public TForm {
public:
    TForm22();
};
class TForm23 : public TForm {
public:
    TForm23();
};
class TForm24 : public TForm {
public:
    TForm24();
};
class TForm25 : public TForm {
public:
    TForm25();
};

// Register parameters: the speed list and the model-dependent check boxes that connect sets.
class TForm26 : public TForm {
public:
    TForm26();
    TComboBox ComboBox2; // "Скорость обмена:"
    TCheckBox CheckBox16;
    TCheckBox CheckBox17;
    TCheckBox CheckBox18;
};

class TForm27 : public TForm {
public:
    TForm27();
};
class TForm28 : public TForm {
public:
    TForm28();
};
class TForm29 : public TForm {
public:
    TForm29();
};
class TForm30 : public TForm {
public:
    TForm30();
};
class TForm31 : public TForm {
public:
    TForm31();
};
class TForm32 : public TForm {
public:
    TForm32();
};
class TForm33 : public TForm {
public:
    TForm33();
};

// Payment forms: the number of the register's payment types, kept in the shared session.
class TForm34 : public TForm {
public:
    TForm34();
    int32_t& PaymentCount = Session.PaymentCount;
};

class TForm35 : public TForm {
public:
    TForm35();
};
class TForm36 : public TForm {
public:
    TForm36();
};
class TForm37 : public TForm {
public:
    TForm37();
};
class TForm38 : public TForm {
public:
    TForm38();
};
class TForm39 : public TForm {
public:
    TForm39();
};
class TForm40 : public TForm {
public:
    TForm40();
};
class TForm41 : public TForm {
public:
    TForm41();
};
class TForm42 : public TForm {
public:
    TForm42();
};
class TForm43 : public TForm {
public:
    TForm43();
};
class TForm44 : public TForm {
public:
    TForm44();
};
class TForm45 : public TForm {
public:
    TForm45();
};
class TForm46 : public TForm {
public:
    TForm46();
};
class TForm47 : public TForm {
public:
    TForm47();
};
class TForm48 : public TForm {
public:
    TForm48();
};
class TForm49 : public TForm {
public:
    TForm49();
};
class TForm50 : public TForm {
public:
    TForm50();
};
class TForm51 : public TForm {
public:
    TForm51();
};
class TForm53 : public TForm {
public:
    TForm53();
};
class TForm54 : public TForm {
public:
    TForm54();
};
