#pragma once
// Daily reports: X and Z reports, the control tape's printout and its clearing.
#include "platform/forms/forms.h"

// Types of the daily-report command.
enum DailyReportType { drZ = 0, drX = 1, drClearTape = 2, drUnloadTape = 5 };
// Types of the additional daily-report command.
enum ExtraReportType { erDepartments = 0, erOperators = 1, erControlTape = 2 };

class TForm23 : public TForm {
public:
    TForm23();

    TEdit Edit1;     // password
    TEdit Edit3;     // error field of the last answer
    TButton Button2; // "X-отчет"
    TButton Button3; // "Z-отчет"
    TButton Button5; // "Печать контрольной ленты"
    TButton Button6; // "Обнуления контрольной ленты"
    TButton Button4; // "Состояние регистратора"
    TButton Button1; // "Закрыть"

    void Button2Click();
    void Button3Click();
    void Button5Click();
    void Button6Click();
    void Button4Click();
    void Button1Click();
};

extern TForm23* Form23;
