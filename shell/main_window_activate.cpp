// Main window activation: the port lists and their probe, the USB probe, the settings file and the
// saved choices; the bank-terminal port test.
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "platform/clock/clock.h"
#include "shell/main_window.h"
#include "shell/main_window_models.h"
#include "shell/main_window_usb.h"
#include "shell/session.h"
#include "shell/settings.h"
#include "shell/windows.h"

namespace {
constexpr unsigned PortProbeMs = 200;
constexpr unsigned UsbStepMs = 100;
constexpr unsigned ProbeEndMs = 1000;
// Enumeration stops here even if the port list never ends.
constexpr int PortLimit = 1024;

// Port names or paths separated by ":" or blanks, from an environment variable.
std::vector<std::string> PortsOfVariable(const char* name) {
    const char* variable = std::getenv(name);
    std::vector<std::string> ports;
    if (!variable) return ports;
    std::string text(variable);
    for (char& c : text)
        if (c == ':') c = ' ';
    std::istringstream words(text);
    for (std::string port; words >> port;)
        ports.push_back(port);
    return ports;
}

// KALTOR_EXTRA_PORTS: ports offered after the ports found (a simulated register on a pseudo-terminal
// is not among them).
std::vector<std::string> ExtraPorts() {
    return PortsOfVariable("KALTOR_EXTRA_PORTS");
}

// KALTOR_TERMINAL_PORTS: ports offered to the bank-terminal list only (a simulated terminal); naming
// one shows the bank-terminal group with the first of them selected.
std::vector<std::string> TerminalPorts() {
    return PortsOfVariable("KALTOR_TERMINAL_PORTS");
}

void SelectItem(TComboBox& box, int index) {
    if (index >= 0 && index < box.Items().Count()) box.SetItemIndex(index);
}
} // namespace

void TForm1::FormActivate() {
    // A window opened from the menu while the probe lets the message loop run activates this one
    // again when it closes; the probe under way finishes the work.
    if (probing_) return;
    // Activation also runs while connected (after every dialog): the lists must go on naming the
    // port and rate in use, which the dialogs that reopen the link read.
    const bool connected = Shape1.BrushColor() != clRed;
    const std::string portInUse = ComboBox1.Text();
    const std::string speedInUse = ComboBox2.Text();
    ResetHeaderPaperWidth();
    // The header dialog goes on with the width of the register that is connected.
    if (connected && modelDetected_) ApplyPaperWidth(ModelName);
    SetProbing(true);
    // Whatever a step raises, the window must not stay locked with its buttons off.
    struct ProbeEnd {
        TForm1* window;
        ~ProbeEnd() { window->SetProbing(false); }
    } probeEnd{this};
    // The probe sleeps on this thread: the window is painted first (just shown, or uncovered by a
    // dialog that closed), so that it never shows black or stale meanwhile.
    Repaint();
    DecimalSeparator = '.';
    ComboBox1.Items().Clear();
    ComboBox3.Items().Clear();
    ListPorts();
    ProbeUsbPort();
    Sleep(ProbeEndMs);
    SetCaption("Kaltor");
    const auto terminalPorts = TerminalPorts();
    SelectItem(ComboBox3, terminalPorts.empty() ? 0 : ComboBox3.Items().IndexOf(terminalPorts.front()));
    PrepareSettingsFile();
    GroupBox2.SetVisible(!ReadSetting(settings::Terminal).empty() || !terminalPorts.empty());
    SelectSavedPortAndSpeed();
    if (connected) KeepPortInUse(portInUse, speedInUse);
    SelectItem(ComboBox4, BaudRateTexts.size() - 1);
}

void TForm1::ResetHeaderPaperWidth() {
    Linked.Form11->Edit2.SetText("40");
    Linked.Form11->Edit2.Show();
    Linked.Form11->ComboBox2.Hide();
}

// While the probe runs, the window cannot be closed, connected or left for the about box.
void TForm1::SetProbing(bool probing) {
    probing_ = probing;
    Button1.SetEnabled(!probing);
    Button3.SetEnabled(!probing);
    N5.SetEnabled(!probing);
}

void TForm1::ListPorts() {
    PortControl1.BeginEnumeratePorts();
    std::string name = PortControl1.EnumeratePorts();
    for (int count = 0; !name.empty() && count < PortLimit; ++count) {
        AddProbedPort(name);
        name = PortControl1.EnumeratePorts();
    }
    PortControl1.EndEnumeratePorts();
    for (const auto& port : ExtraPorts())
        AddProbedPort(port);
    for (const auto& port : TerminalPorts())
        ComboBox3.Items().Add(port);
}

void TForm1::AddProbedPort(const std::string& name) {
    ComboBox1.Items().Add(name);
    ComboBox3.Items().Add(name);
    SetCaption("Проверка портов: " + name);
    ComboBox1.SetText(name);
    Repaint(); // the name shows during the wait
    Sleep(PortProbeMs);
    Repaint();
    Application->ProcessMessages();
}

void TForm1::ProbeUsbPort() {
    UsbComName.clear();
    UsbFound = 0;
    for (int index = 0; !UsbFound && index < UsbIndexLimit; ++index) {
        SetCaption("Тестирование USB устройств: Шаг " + std::to_string(index + 1));
        Sleep(UsbStepMs);
        Repaint();
        Application->ProcessMessages();
        const int result = GetUSBPort(UsbPortClass, UsbPortFriendlyName, index, UsbComName);
        if (result == UsbNoMoreDevices) UsbComName.clear();
        UsbFound = (result == UsbNoMoreDevices || result == UsbPortFound) ? 1 : 0;
    }
}

void TForm1::PrepareSettingsFile() {
    if (Session.StartFolder.empty()) Session.StartFolder = std::filesystem::current_path().string();
    Session.IniFileName = Session.StartFolder + "/fpinit.ini";
    if (SettingsFileExists()) return;
    // A file that cannot be made is reported once, instead of a creation message at every activation.
    if (CreateSettingsFile())
        ShowMessage("Файл fpinit.ini отсутствует.\n Создание файла!");
    else
        TellSettingsUnwritable();
}

void TForm1::SelectSavedPortAndSpeed() {
    const std::string port = ReadSetting(settings::Port);
    int portIndex = port.empty() ? -1 : ComboBox1.Items().IndexOf(port);
    if (portIndex < 0) {
        // Without a saved port that is present, an extra port (a simulated register) is the likely choice.
        const auto extra = ExtraPorts();
        portIndex = extra.empty() ? 0 : ComboBox1.Items().IndexOf(extra.front());
    }
    SelectItem(ComboBox1, portIndex < 0 ? 0 : portIndex);

    const std::string speed = ReadSetting(settings::Speed);
    const auto speedIndex = speed.empty() ? std::nullopt : BaudRateIndex(speed);
    SelectItem(ComboBox2, speedIndex.value_or(DefaultBaudRateIndex));
}

void TForm1::KeepPortInUse(const std::string& port, const std::string& speed) {
    const int portIndex = ComboBox1.Items().IndexOf(port);
    if (portIndex >= 0)
        ComboBox1.SetItemIndex(portIndex);
    else
        ComboBox1.SetText(port);
    SelectSpeed(speed);
}

void TForm1::Button4Click() {
    if (Shape2.BrushColor() == clRed)
        OpenTerminalPort();
    else
        CloseTerminalPort();
}

// Only tests the port: the fiscal receipt opens it again by name when it takes a card payment.
void TForm1::OpenTerminalPort() {
    TTerminalForm& receipt = *Linked.Form21;
    receipt.TerminalTimeouts = T1CommTimeouts{0, 0, 5000, 0, 0};
    receipt.TerminalPortName = ComboBox3.Text();
    SerialPort port;
    const SerialError opened = port.Open(receipt.TerminalPortName);
    receipt.TerminalError = static_cast<uint32_t>(opened);
    receipt.TerminalDcb =
        LineSettings{static_cast<uint32_t>(StrToInt(ComboBox4.Text())), 8, Parity::None, StopBits::One};
    const SerialError failure = port.IsOpen() ? port.Configure(receipt.TerminalDcb) : opened;
    receipt.TerminalResult = failure == SerialError::None ? 1 : 0;
    port.Close();
    // A port that failed its test is reported and stays red rather than shown as tested.
    if (failure != SerialError::None) {
        ShowMessage(PortNotOpenedMessage(receipt.TerminalPortName, failure));
        return;
    }
    Shape2.SetBrushColor(clGreen);
    Button4.SetCaption("Отключить");
    ComboBox3.SetEnabled(false);
    ComboBox4.SetEnabled(false);
}

void TForm1::CloseTerminalPort() {
    Shape2.SetBrushColor(clRed);
    Button4.SetCaption("Подключить");
    ComboBox3.SetEnabled(true);
    ComboBox4.SetEnabled(true);
}
