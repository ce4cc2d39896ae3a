#pragma once
// The main window: port and baud-rate choice, connect and disconnect with model detection, the
// port probe at activation, the USB virtual port, the bank-terminal port test and the main menu.
#include <cstdint>
#include <string>
#include <vector>

#include "driver/answer_record.h"
#include "platform/forms/forms.h"
#include "platform/serial/serial_port.h"
#include "shell/port_control.h"

class TForm1 : public TForm {
public:
    TForm1();

    // ---- Controls --------------------------------------------------------------------------
    TGroupBox GroupBox1; // "Подключение к последовательному порту"
    TComboBox ComboBox1; // port
    TComboBox ComboBox2; // baud rate
    TShape Shape1;       // red: not connected, lime: connected
    TButton Button3;     // "Подключить" / "Отключить"
    TButton Button2;     // "Состояние регистратора"
    TButton Button5;     // "Восстановить USB"

    TGroupBox GroupBox2; // "Банковский терминал"
    TComboBox ComboBox3; // terminal port
    TComboBox ComboBox4; // terminal baud rate
    TShape Shape2;       // red: closed, green: tested
    TButton Button4;     // "Подключить" / "Отключить"

    TButton Button1; // "Закрыть"
    TStatusBar StatusBar1;
    TPortControl PortControl1;

    TMainMenu MainMenu1;
    TMenuItem N6, N7, N8, N9, N10, N16;                                 // "Продажа"
    TMenuItem N4, N31, N24;                                             // "Команды"
    TMenuItem N2, N11, PQ31, N12, N13, N14, N22, N15;                   // "Отчеты"
    TMenuItem N17, N25, N26, N36, N27, N18, N40, N20, N21, N1, N3, N41; // "Утилиты"
    TMenuItem N28, N29, N30, N19, N33, N42, N23, N32, IDDEV1, N43, N44; // "Фискальные параметры"
    TMenuItem N5;                                                       // "О программе..."

    // ---- Fields ------------------------------------------------------------------------------
    std::string ModelName;   // answer field 1 of 80h at connect
    uint8_t UsbLink = 0;     // 1 while connected through the USB virtual port
    std::string UsbPortName; // the port name while UsbLink is 1
    uint8_t UsbFound = 0;    // ends the USB probing loops
    std::string UsbComName;  // the USB virtual port's name found at activation, empty when none
    std::string LogFileName; // [LogFile] LogName as read at connect

    // ---- What other windows use ---------------------------------------------------------------
    // Closes the link and, when that succeeded, shows the disconnected state; false when it was not open.
    bool Disconnect();
    // Opens the link again on the chosen port and baud rate (after a speed change or a USB restart).
    // A port that does not open is named in a message, and the window shows the disconnected state
    // so that "Подключить" tries again; false then.
    bool ReopenLink();
    // The disconnected look: menus off, red, "Подключить", port lists enabled, no status line.
    void ShowDisconnectedState();
    // The connected look: menus on, lime, "Отключить", port lists disabled, status button enabled.
    void ShowConnectedState();
    void SetStatusLine(const std::string& text);
    // The port and baud rate chosen in the connection group.
    std::string SelectedPort() const { return ComboBox1.Text(); }
    std::string SelectedSpeed() const { return ComboBox2.Text(); }
    // Selects the baud-rate item with that text; false when there is none.
    bool SelectSpeed(const std::string& rate);

    // The USB virtual port (results UsbPortFound, UsbNotThisDevice, UsbNoMoreDevices).
    int GetUSBPort(const std::string& className, const std::string& friendlyName, int index,
                   std::string& comName);
    // Closes the link and restarts the device when found; the window then shows "Подключить".
    int RestoreUSBPort(const std::string& className, const std::string& friendlyName, int index,
                       std::string& comName);

    // ---- Handlers --------------------------------------------------------------------------------
    void FormActivate();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();

    // Menu handlers that choose a window.
    void N15Click();
    void N30Click();
    void N31Click();
    void N43Click();
    // Handlers that no menu item calls.
    void N34Click();
    void N35Click();
    void N38Click();

private:
    // Layout.
    void SetUpControls();
    void LayOut();
    void BindEvents();
    void BuildMenu();
    std::vector<TMenuItem*> ConnectedMenus();

    // Activation steps.
    void ResetHeaderPaperWidth();
    void SetProbing(bool probing);
    void ListPorts();
    void AddProbedPort(const std::string& name);
    void ProbeUsbPort();
    void PrepareSettingsFile();
    void SelectSavedPortAndSpeed();
    void KeepPortInUse(const std::string& port, const std::string& speed);

    // Connect steps.
    void Connect();
    void ReadConnectSettings();
    bool OpenChosenPort(uint32_t rate);
    void NoteUsbLink();
    void SelectRegisterSpeed(const std::string& rate);
    bool QueryDiagnostics();
    void ApplyModel(const AnswerRecord& answer);
    void ApplyPaperWidth(const std::string& model);
    void ApplyModelChoices(const std::string& model);
    void ApplyFirmwareVersion(const AnswerRecord& answer);

    // USB restart.
    void ForgetUsbLink();
    void OfferPortsAfterRestart(const std::string& otherPortInUse);
    bool UsbPortPresent();

    // Bank-terminal port.
    void OpenTerminalPort();
    void CloseTerminalPort();

    bool modelDetected_ = false; // ModelName belongs to the register connected now
    bool probing_ = false;       // the activation's port probe is under way
};

// "Невозможно подключить порт <port>:\n  <why>", for the register's port and the terminal's alike.
std::string PortNotOpenedMessage(const std::string& port, SerialError error);
