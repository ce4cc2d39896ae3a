#pragma once
// Everything that waits for a person passes through one UI host: message boxes and questions, file
// and folder dialogs, modal shows and letting the message loop run. The program uses the Qt host;
// tests install a RecordingUiHost, which answers from queues and records what was asked.
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/forms/types.h"

class TForm;

struct MessageRequest {
    enum Kind { Message, Box, Dialog, Error };
    Kind kind = Message; // ShowMessage, MessageBox, MessageDlg, or the application's error box
    std::string text;    // exactly as the program passed it (line breaks and blanks kept)
    std::string caption;
    TMsgDlgType type = mtInformation;
    std::vector<TMsgDlgBtn> buttons; // in the order shown; the first is the default
};

struct FileRequest {
    bool save = false;
    std::string title;
    std::string filter; // "description|pattern|description|pattern"
    int filterIndex = 1;
    std::string defaultExt;
    std::string initialDir;
    std::string fileName;
};

struct DirectoryRequest {
    std::string caption;
    std::string root;
    std::string directory;
};

class UiHost {
public:
    virtual ~UiHost() = default;
    // Shows a message box and returns the button pressed.
    virtual TMsgDlgBtn ShowMessageBox(const MessageRequest& request) = 0;
    // The chosen file's full path, or nothing when cancelled.
    virtual std::optional<std::string> ChooseFile(const FileRequest& request) = 0;
    virtual std::optional<std::string> ChooseDirectory(const DirectoryRequest& request) = 0;
    // Waits while a modal window is shown; returns when the window has a modal result (or never got one).
    virtual void RunModal(TForm& form) = 0;
    // Lets the message loop handle what is waiting.
    virtual void ProcessMessages() = 0;
    // False when nobody is there to answer a window that refuses to close.
    virtual bool WaitsForPeople() const = 0;
};

// The host in use: the one installed last, else the Qt host.
UiHost& CurrentUiHost();
// Installs a host (nullptr goes back to the Qt host).
void SetUiHost(UiHost* host);

// The real host: Qt message boxes and file dialogs, the modal window's own event loop.
class QtUiHost : public UiHost {
public:
    TMsgDlgBtn ShowMessageBox(const MessageRequest& request) override;
    std::optional<std::string> ChooseFile(const FileRequest& request) override;
    std::optional<std::string> ChooseDirectory(const DirectoryRequest& request) override;
    void RunModal(TForm& form) override;
    void ProcessMessages() override;
    bool WaitsForPeople() const override { return true; }
};

// The host for tests; installs itself for its lifetime and puts the previous host back after.
//
//     RecordingUiHost host;
//     host.AnswerNext(mbCancel);                         // the next question gets "Отмена"
//     host.ChooseNextFile("/tmp/image.bin");             // the next file dialog picks this file
//     host.OnModal("TForm5", [&](TForm& f) { ...; f.SetModalResult(mrOk); });
//     Form7->Button3.Click();
//     EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Успешно!"}));
//
// Unanswered questions get their first (default) button; unanswered file and folder dialogs are
// cancelled; a modal window without a callback is closed at once with mrCancel. Every request is
// recorded, with the modal windows shown (their class names).
class RecordingUiHost : public UiHost {
public:
    RecordingUiHost();
    ~RecordingUiHost() override;
    RecordingUiHost(const RecordingUiHost&) = delete;
    RecordingUiHost& operator=(const RecordingUiHost&) = delete;

    void AnswerNext(TMsgDlgBtn button) { answers_.push_back(button); }
    void ChooseNextFile(const std::string& path) { files_.push_back(path); }
    void CancelNextFile() { files_.push_back(std::nullopt); }
    void ChooseNextDirectory(const std::string& path) { directories_.push_back(path); }
    void CancelNextDirectory() { directories_.push_back(std::nullopt); }
    // Queues an action for the next modal show of the window with that class name ("TForm5") or
    // name ("Form5"); the action runs while the window is shown and may set its ModalResult.
    void OnModal(const std::string& formName, std::function<void(TForm&)> action);
    // Runs on each ProcessMessages (after Qt's events), e.g. to press a stop button mid-run.
    std::function<void()> OnProcessMessages;

    const std::vector<MessageRequest>& Messages() const { return messages_; }
    std::vector<std::string> Texts() const;
    const std::vector<FileRequest>& FileRequests() const { return fileRequests_; }
    const std::vector<DirectoryRequest>& DirectoryRequests() const { return directoryRequests_; }
    const std::vector<std::string>& ModalShown() const { return modalShown_; }
    int ProcessMessagesCount() const { return processMessagesCount_; }
    void Clear();

    TMsgDlgBtn ShowMessageBox(const MessageRequest& request) override;
    std::optional<std::string> ChooseFile(const FileRequest& request) override;
    std::optional<std::string> ChooseDirectory(const DirectoryRequest& request) override;
    void RunModal(TForm& form) override;
    void ProcessMessages() override;
    bool WaitsForPeople() const override { return false; }

private:
    UiHost* previous_ = nullptr;
    std::deque<TMsgDlgBtn> answers_;
    std::deque<std::optional<std::string>> files_;
    std::deque<std::optional<std::string>> directories_;
    std::map<std::string, std::deque<std::function<void(TForm&)>>> modalActions_;
    std::vector<MessageRequest> messages_;
    std::vector<FileRequest> fileRequests_;
    std::vector<DirectoryRequest> directoryRequests_;
    std::vector<std::string> modalShown_;
    int processMessagesCount_ = 0;
};
