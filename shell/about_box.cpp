#include "shell/about_box.h"

TForm3::TForm3() {
    SetCaption("О программе Kaltor");
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    Label1.SetCaption("ПО Kaltor (вер. 5.27 08.10.2014)");
    Label1.SetFontBold(true);
    Label2.SetCaption("Сервисная программа для технических специалистов");
    Label3.SetCaption("Регистраторы Kivrel: LT-6, LT-7, LX-2, LX-3, LX-9, RM-4, RM-4S.\n"
                      "Удаленный доступ к регистратору через Интернет.");
    Label3.SetWordWrap(true);
    Button1.SetCaption("Закрыть");

    Column main(*this);
    main.Add(Label1).Add(Label2).Add(Label3);
    main.Buttons({&Button1});
    Button1.OnClick = [this] { Button1Click(); };
}

void TForm3::Button1Click() {
    Close();
}
