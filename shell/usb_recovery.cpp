#include "shell/usb_recovery.h"

#include "platform/clock/clock.h"
#include "shell/main_window_usb.h"
#include "shell/windows.h"

TForm52::TForm52() {
    SetCaption("Восстановление USB");
    Label1.SetCaption("Работа USB восстановлена");
    Label1.Hide();
    Timer1.SetEnabled(false);
    LayOut();
    Timer1.OnTimer = [this] { Timer1Timer(); };
    OnActivate = [this] { FormActivate(); };
}

void TForm52::LayOut() {
    Column main(*this);
    main.Add(Label1);
}

void TForm52::FormActivate() {
    Timer1.SetEnabled(true);
}

int TForm52::RestoreUSBPort(const std::string& className, const std::string& friendlyName, int index,
                            std::string& comName) {
    return Form1->RestoreUSBPort(className, friendlyName, index, comName);
}

// Gives the device time to settle, restarts it, then opens the link again.
void TForm52::Timer1Timer() {
    Timer1.SetEnabled(false);
    Sleep(10000);
    if (!RestartDevice()) {
        ShowMessage("USB отключен!");
        Close();
        return;
    }
    Sleep(1000);
    Reconnect();
}

// True once the device was found and restarted; false when there is none (also past the last index
// the probing ever walks).
bool TForm52::RestartDevice() {
    std::string comName;
    for (int index = 0; index < UsbIndexLimit; ++index) {
        const int result = RestoreUSBPort(UsbPortClass, UsbPortFriendlyName, index, comName);
        if (result == UsbPortFound) return true;
        if (result == UsbNoMoreDevices) return false;
    }
    return false;
}

// The restart left the main window disconnected; a link opened again shows it connected.
void TForm52::Reconnect() {
    if (!Form1->ReopenLink()) {
        Close();
        return;
    }
    Form1->ShowConnectedState();
    Label1.Show();
    Repaint();
    Sleep(1000);
    Close();
    Label1.Hide();
}
