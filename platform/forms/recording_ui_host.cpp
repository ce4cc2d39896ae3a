// The UI host of the tests: answers from queues, records every request.
#include <QCoreApplication>

#include "platform/forms/events.h"
#include "platform/forms/form.h"
#include "platform/forms/ui_host.h"

RecordingUiHost::RecordingUiHost() : previous_(&CurrentUiHost()) {
    SetUiHost(this);
}

RecordingUiHost::~RecordingUiHost() {
    if (&CurrentUiHost() == this) SetUiHost(previous_);
}

void RecordingUiHost::OnModal(const std::string& formName, std::function<void(TForm&)> action) {
    modalActions_[formName].push_back(std::move(action));
}

std::vector<std::string> RecordingUiHost::Texts() const {
    std::vector<std::string> texts;
    for (const auto& message : messages_)
        texts.push_back(message.text);
    return texts;
}

void RecordingUiHost::Clear() {
    messages_.clear();
    fileRequests_.clear();
    directoryRequests_.clear();
    modalShown_.clear();
    processMessagesCount_ = 0;
}

TMsgDlgBtn RecordingUiHost::ShowMessageBox(const MessageRequest& request) {
    messages_.push_back(request);
    if (answers_.empty()) return request.buttons.empty() ? mbOK : request.buttons.front();
    const TMsgDlgBtn answer = answers_.front();
    answers_.pop_front();
    return answer;
}

std::optional<std::string> RecordingUiHost::ChooseFile(const FileRequest& request) {
    fileRequests_.push_back(request);
    if (files_.empty()) return std::nullopt;
    auto answer = files_.front();
    files_.pop_front();
    return answer;
}

std::optional<std::string> RecordingUiHost::ChooseDirectory(const DirectoryRequest& request) {
    directoryRequests_.push_back(request);
    if (directories_.empty()) return std::nullopt;
    auto answer = directories_.front();
    directories_.pop_front();
    return answer;
}

void RecordingUiHost::RunModal(TForm& form) {
    modalShown_.push_back(form.ClassName());
    for (const std::string& key : {form.ClassName(), form.Name()}) {
        auto found = modalActions_.find(key);
        if (found == modalActions_.end() || found->second.empty()) continue;
        auto action = std::move(found->second.front());
        found->second.pop_front();
        RunHandler([&] { action(form); });
        return;
    }
}

void RecordingUiHost::ProcessMessages() {
    ++processMessagesCount_;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (OnProcessMessages) OnProcessMessages();
}
