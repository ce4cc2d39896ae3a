// Connect, disconnect and model detection.
#include <algorithm>

#include "driver/driver.h"
#include "driver/session_log.h"
#include "shell/main_window.h"
#include "shell/main_window_models.h"
#include "shell/session.h"
#include "shell/settings.h"
#include "shell/windows.h"

namespace {
const std::string DiagnosticCaption = "Проверка состояния регистратора:\n  ";
const std::string ServiceModeSuffix = " Сервис.реж.";

bool InServiceMode(const AnswerRecord& answer) {
    return (answer.StatusBytes[0] & 0x01) != 0;
}

// Told once for each log file, not at every connect.
void TellLogUnwritable() {
    static std::string toldFor;
    const std::string& path = SessionLogPath();
    if (path == toldFor) return;
    toldFor = path;
    ShowMessage("Файл протокола обмена не может быть открыт для записи:\n" + path + "\nПротокол не ведется.");
}
} // namespace

void TForm1::Button3Click() {
    Session.StatusReady = 0;
    if (Shape1.BrushColor() != clRed) {
        // Closing fails only on a link already lost (a reopen at a new speed that failed); the window
        // must not stay stuck in the connected look then, so that the next press connects again.
        if (!Disconnect()) ShowDisconnectedState();
        return;
    }
    Connect();
}

void TForm1::Connect() {
    modelDetected_ = false;
    ReadConnectSettings();
    const uint32_t rate = static_cast<uint32_t>(StrToInt(ComboBox2.Text()));
    if (!OpenChosenPort(rate)) return;
    if (SessionLogFailed()) TellLogUnwritable();
    NoteUsbLink();
    ShowConnectedState();
    SelectRegisterSpeed(std::to_string(rate)); // the rate the link opened at, whatever was typed
    Session.UkrVersion = ReadSetting(settings::UkrVersion);
    Linked.Form26->CheckBox16.Hide();
    Linked.Form26->CheckBox17.Hide();
    SendNoReply();
    if (!QueryDiagnostics()) return;
    WriteSetting(settings::Port, ComboBox1.Text());
    WriteSetting(settings::Speed, ComboBox2.Text());
    ApplyModel(*Session.CurrentAnswer);
}

// A port that does not open leaves the link not ready: nothing can be sent on it.
bool TForm1::OpenChosenPort(uint32_t rate) {
    if (OpenLink(ComboBox1.Text(), rate)) return true;
    ShowMessage(PortNotOpenedMessage(ComboBox1.Text(), LinkOpenError()));
    return false;
}

std::string PortNotOpenedMessage(const std::string& port, SerialError error) {
    return "Невозможно подключить порт" + (port.empty() ? "" : " " + port) + ":\n  " + SerialErrorText(error);
}

bool TForm1::ReopenLink() {
    const int rate = StrToIntDef(SelectedSpeed(), 0); // a rate that is no number is refused by the port
    if (OpenChosenPort(static_cast<uint32_t>(std::max(rate, 0)))) return true;
    Session.StatusReady = 0;
    ShowDisconnectedState();
    return false;
}

void TForm1::ReadConnectSettings() {
    Session.PriorityLevel = ReadSetting(settings::PriorityLevel);
    Session.ElJournal = ReadSetting(settings::ElJournal);
    Session.PaymentCount = 10;
    if (ReadSetting(settings::Log) != 0) {
        LogFileName = ReadSetting(settings::LogName);
        SetLogFileName(LogFileName);
    } else {
        SetLogFileName(""); // switched off since an earlier connect: nothing more is logged
    }
    SetRetryCount(ReadSetting(settings::Reply));
}

void TForm1::NoteUsbLink() {
    // No USB port found means an empty name, which no opened port can be.
    UsbLink = (!UsbComName.empty() && ComboBox1.Text() == UsbComName) ? 1 : 0;
    UsbPortName = UsbLink ? UsbComName : "";
    Button5.SetVisible(UsbLink != 0);
    SetUsbLink(UsbLink != 0);
}

void TForm1::SelectRegisterSpeed(const std::string& rate) {
    const auto index = BaudRateIndex(rate);
    if (index) Linked.Form26->ComboBox2.SetItemIndex(*index);
}

// The diagnostic query of connect; false when the register did not answer it well. The window stays
// connected either way.
bool TForm1::QueryDiagnostics() {
    StoreAnswer(GetDiagnosticInfo(DefaultPassword, nullptr));
    const auto failure = DecodedFailure(Session.CurrentAnswer, DiagnosticCaption);
    if (!failure) return true;
    if (Session.HighPriority()) {
        N1.SetVisible(true);
        N3.SetVisible(true);
    }
    ShowMessage(*failure);
    return false;
}

void TForm1::ApplyModel(const AnswerRecord& answer) {
    Session.PaymentCount = PaymentCountFromField(answer.Field(11));
    ModelName = answer.Field(1);
    modelDetected_ = true;
    ApplyPaperWidth(ModelName);
    ApplyModelChoices(ModelName);
    SetStatusLine(StatusLineText(answer) + (InServiceMode(answer) ? ServiceModeSuffix : ""));
    Session.StatusReady = 1;
    Session.DeviceModel = answer.Field(1);
    ApplyFirmwareVersion(answer);
}

void TForm1::ApplyPaperWidth(const std::string& model) {
    const PaperWidth width = ModelSetupFor(model).Width;
    Linked.Form11->Edit2.SetText(width.EditText);
    Linked.Form11->Edit2.SetVisible(width.EditShown);
    Linked.Form11->ComboBox2.Items().Clear();
    for (const auto& item : width.ComboItems)
        Linked.Form11->ComboBox2.Items().Add(item);
    Linked.Form11->ComboBox2.SetText(width.ComboText);
    Linked.Form11->ComboBox2.SetVisible(!width.EditShown);
}

void TForm1::ApplyModelChoices(const std::string& model) {
    const ModelSetup setup = ModelSetupFor(model);
    Form5->CheckBox42.SetCaption(
        setup.ModemFamily ? "(2)Не все чеки переданы в модем, база товаров не обнулена" : "(2) Резерв");
    Form5->CheckBox41.SetCaption(setup.ModemFamily ? "(1)Блокировка 72 часа, данные не переданы"
                                                   : "(1) Резерв");
    N42.SetVisible(!setup.ModemFamily);
    IDDEV1.SetVisible(!setup.ModemFamily);
    if (setup.SmallFontControlBox) Linked.Form26->CheckBox17.Show();
    if (setup.NarrowPaperBox) Linked.Form26->CheckBox17.Hide();
    Linked.Form26->CheckBox18.SetVisible(setup.NarrowPaperBox);
    PQ31.SetEnabled(setup.Pq);
    N12.SetEnabled(!setup.Pq);
    Session.PqVariant = setup.Pq ? 1 : 0;
}

void TForm1::ApplyFirmwareVersion(const AnswerRecord& answer) {
    Session.FirmwareVersion =
        EffectiveFirmwareVersion(Session.UkrVersion, answer.Field(2), Session.FirmwareVersion);
    const ServiceItems items = ServiceItemsFor(Session.FirmwareVersion, Session.HighPriority());
    if (items.Maintenance) N1.SetVisible(true);
    if (items.Counters) N3.SetVisible(true);
}

bool TForm1::Disconnect() {
    if (!CloseLink()) return false;
    ShowDisconnectedState();
    return true;
}

void TForm1::Button2Click() {
    StoreAnswer(GetDiagnosticInfo(DefaultPassword, nullptr));
    const auto failure = DecodedFailure(Session.CurrentAnswer, DiagnosticCaption);
    if (failure) ShowMessage(*failure);
    // An error code alone goes on to the viewer; an exchange that brought no intact answer stops.
    if (!Session.CurrentAnswer->Answered()) return;
    const AnswerRecord& answer = *Session.CurrentAnswer;
    Session.PaymentCount = PaymentCountFromField(answer.Field(11));
    SetStatusLine(StatusLineText(answer));
    Form5->ShowModal();
    Session.StatusReady = 1;
}
