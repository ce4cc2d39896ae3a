#pragma once
// The register's network settings: remote access (TForm42: read, and the server's address and port
// written) and the acquirer link (TForm49: every value read and written, or loaded from a file).
#include <optional>
#include <string>
#include <vector>

#include "dialogs/setup/link_params_file.h"
#include "driver/answer_record.h"
#include "platform/forms/forms.h"

class TForm42 : public TForm {
public:
    TForm42();

    TEdit Edit6;                             // password
    TCheckBox CheckBox1;                     // "DHCP включен", display only
    TEdit Edit4, Edit5;                      // server address and port
    TEdit Edit1, Edit2, Edit3, Edit7, Edit8; // read only
    TEdit Edit9;                             // error field
    TButton Button1, Button2, Button3;

    bool RemoteAccessLoaded = false; // an automatic read has completed

    void FormActivate();
    void Button1Click();
    void Button2Click();
    void Button3Click();

private:
    bool Read();
};

class TForm49 : public TForm {
public:
    TForm49();

    TEdit Edit6; // password
    TCheckBox CheckBox1;
    TEdit Edit1, Edit2, Edit3, Edit4, Edit5, Edit7, Edit8;
    TButton Button1, Button2, Button4, Button3;
    TOpenDialog OpenDialog1;

    bool LinkParamsPrimed = false; // the first activation emptied the fields, or a read came first

    void FormActivate();
    void Button1Click();
    void Button2Click();
    void Button4Click();
    void Button3Click();
};

extern TForm42* Form42;
extern TForm49* Form49;
