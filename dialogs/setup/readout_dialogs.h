#pragma once
// Read-out of register data into files: the firmware (TForm45, with progress and stop), a public
// key (TForm43) and a stored document (TForm46).
#include "controls/directory_edit.h"
#include "dialogs/setup/readout.h"
#include "platform/forms/forms.h"

class TForm45 : public TForm {
public:
    TForm45();

    TEdit Edit2, Edit7; // password, error field
    TProgressBar ProgressBar1;
    TButton Button1, Button3, Button2; // start, "Стоп", "Выход"
    TSaveDialog SaveDialog1;

    bool StopRequested = false;

    void FormActivate();
    void Button1Click();
    void Button3Click();
    void Button2Click();
};

class TForm43 : public TForm {
public:
    TForm43();

    TEdit Edit2, Edit7;
    TRadioGroup RadioGroup1;
    TButton Button1, Button2;
    TSaveDialog SaveDialog1;

    void FormActivate();
    void Button1Click();
    void Button2Click();
};

class TForm46 : public TForm {
public:
    TForm46();

    TEdit Edit2, Edit6, Edit8; // password, file number, extension
    TDirectoryEdit DirectoryEdit1;
    TEdit Edit4, Edit7; // file name, error field
    TButton Button2, Button1;

    void Edit6Change();
    void Edit8Change();
    void Button2Click();
    void Button1Click();

private:
    std::string TargetPath() const;
};

extern TForm43* Form43;
extern TForm45* Form45;
extern TForm46* Form46;
