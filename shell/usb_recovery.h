#pragma once
// USB recovery: restarts the register's USB virtual serial device and reconnects the link without
// the user's help.
#include <string>

#include "platform/forms/forms.h"

class TForm52 : public TForm {
public:
    TForm52();

    TLabel Label1; // "Работа USB восстановлена", shown for a second after a reconnect
    TTimer Timer1;

    void FormActivate();
    void Timer1Timer();
    // The same restart as the main window's, with its arguments and results.
    int RestoreUSBPort(const std::string& className, const std::string& friendlyName, int index,
                       std::string& comName);

private:
    void LayOut();
    bool RestartDevice();
    void Reconnect();
};
