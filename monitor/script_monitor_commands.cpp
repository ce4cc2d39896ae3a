// The monitor's single command: typing the code, sending, repeating, and the favourites.
#include "driver/driver.h"
#include "monitor/command_line.h"
#include "monitor/exchange_lines.h"
#include "monitor/script_monitor.h"
#include "shell/session.h"

namespace {

// Shows why an exchange brought no answer to look at; false then.
bool AnswerArrived(const AnswerRecord* answer) {
    if (!answer || answer->NotSent()) {
        ShowMessage(NotSentMessage);
        return false;
    }
    if (answer->NoAnswer()) {
        ShowMessage(CommandTimeoutMessage);
        return false;
    }
    if (answer->StatusWord == StatusChecksum) {
        ShowMessage(ChecksumErrorMessage);
        return false;
    }
    return true;
}

constexpr int CodeChars = 2;
constexpr int PasswordChars = 6;

} // namespace

void TForm28::UpdateSendButton() {
    Button2.SetEnabled(CharCount(Edit1.Text()) == CodeChars && CharCount(Edit2.Text()) == PasswordChars);
}

// The code follows the edit whenever it holds two characters, so that what is sent is what is shown.
void TForm28::Edit1Change() {
    UpdateSendButton();
    codeValid_ = false;
    if (CharCount(Edit1.Text()) != CodeChars) return;
    const std::optional<unsigned> code = CommandCodeFromHex(Edit1.Text());
    if (!code) {
        if (!quietCode_ && !running_) ShowMessage(InvalidCodeMessage);
        return;
    }
    CurrentCode = *code;
    codeValid_ = true;
}

void TForm28::Edit2Change() {
    UpdateSendButton();
}

void TForm28::Edit1KeyDown(WORD& key, TShiftState) {
    if (key == VK_RETURN) Edit3.SetFocus();
}

AnswerRecord* TForm28::SendTypedCommand() {
    if (!codeValid_) {
        ShowMessage(InvalidCodeMessage);
        return nullptr;
    }
    AnswerRecord* answer = SendScriptCommand(CurrentCode, Edit2.Text() + ";" + Edit3.Text());
    if (answer->NotSent()) ShowAnswer(*answer); // no error field: the previous command's must go
    return AnswerArrived(answer) ? answer : nullptr;
}

void TForm28::Button2Click() {
    const AnswerRecord* answer = SendTypedCommand();
    if (!answer) return;
    if (!HideData()) {
        AddMessage(SentDataLine(Edit1.Text(), *answer));
        AddMessage(AnswerDataLine(*answer));
    }
    ShowAnswer(*answer);
}

// Enter sends even when the password is incomplete; the status edit keeps what it showed.
void TForm28::Edit3KeyDown(WORD& key, TShiftState) {
    if (key != VK_RETURN) return;
    const AnswerRecord* answer = SendTypedCommand();
    if (!answer) return;
    if (!HideData()) AddExchange(*answer);
    Edit5.SetText(answer->ErrorField);
}

// The register sees a resend of the last frame, with the same sequence number.
void TForm28::Button9Click() {
    AnswerRecord* answer = RepeatCommand(0);
    if (answer) Session.CurrentAnswer = answer;
    if (!AnswerArrived(answer)) return;
    if (!HideData()) AddExchange(*answer);
    ShowAnswer(*answer);
}

void TForm28::Button3Click() {
    ListBox1.Items().Add(Edit1.Text() + "->" + Edit3.Text());
}

// An item is the code, "->" and the data.
void TForm28::ListBox1DblClick() {
    const int index = ListBox1.ItemIndex();
    if (index < 0) return;
    const std::string item = ListBox1.Items()[index];
    Edit1.SetText(CharLeft(item, 2));
    Edit3.SetText(item.substr(CharLeft(item, 4).size()));
}
