#pragma once
// Logo programming: a ".BMP" picture loaded, shown, and sent to the register as its receipt logo
// (29h packets, closed by 31h), cut to the largest logo the register takes.
#include <optional>
#include <string>

#include <QImage>

#include "dialogs/setup/logo_bits.h"
#include "driver/answer_record.h"
#include "platform/forms/forms.h"

class TForm6 : public TForm {
public:
    TForm6();

    TEdit Edit1;            // "Пароль для программирования:"
    TLabel Label5, Label6;  // the register's maximum logo size
    TLabel Label9, Label10; // the picture's size
    TEdit Edit2, Edit3;     // the size to upload
    TGroupBox GroupBox1;    // "Вид логотипа"
    TImage Image1;
    TProgressBar ProgressBar1;
    TButton Button2, Button3, Button1;
    TOpenDialog OpenDialog1;

    void FormActivate();
    void Button2Click();
    void Button3Click();
    void Button1Click();

private:
    void LayOut();
    bool UploadSizeAllowed(int width, int height) const;

    QImage picture_;
    std::optional<LogoSize> maximum_; // unknown until the register told a usable size
};

extern TForm6* Form6;
