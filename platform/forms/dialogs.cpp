#include "platform/forms/dialogs.h"

#include <QString>
#include <algorithm>

#include "platform/forms/application.h"
#include "platform/forms/ui_host.h"

namespace {

std::string ApplicationTitle() {
    return Application ? Application->Title() : std::string();
}

TMsgDlgType TypeOfFlags(unsigned flags) {
    switch (flags & 0xF0) {
    case MB_ICONERROR:
        return mtError;
    case MB_ICONQUESTION:
        return mtConfirmation;
    case MB_ICONWARNING:
        return mtWarning;
    case MB_ICONINFORMATION:
        return mtInformation;
    default:
        return mtCustom;
    }
}

std::string CaptionOfType(TMsgDlgType type) {
    switch (type) {
    case mtWarning:
        return "Предупреждение";
    case mtError:
        return "Ошибка";
    case mtInformation:
        return "Информация";
    case mtConfirmation:
        return "Подтверждение";
    default:
        return ApplicationTitle();
    }
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) return parts;
        start = end + 1;
    }
}

} // namespace

void ShowMessage(const std::string& text) {
    MessageRequest request;
    request.kind = MessageRequest::Message;
    request.text = text;
    request.caption = ApplicationTitle();
    request.buttons = {mbOK};
    CurrentUiHost().ShowMessageBox(request);
}

std::vector<TMsgDlgBtn> ButtonsOfFlags(unsigned flags) {
    switch (flags & 0x0F) {
    case MB_OKCANCEL:
        return {mbOK, mbCancel};
    case MB_ABORTRETRYIGNORE:
        return {mbAbort, mbRetry, mbIgnore};
    case MB_YESNOCANCEL:
        return {mbYes, mbNo, mbCancel};
    case MB_YESNO:
        return {mbYes, mbNo};
    case MB_RETRYCANCEL:
        return {mbRetry, mbCancel};
    default:
        return {mbOK};
    }
}

int ResultOfButton(TMsgDlgBtn button) {
    switch (button) {
    case mbYes:
        return mrYes;
    case mbNo:
        return mrNo;
    case mbOK:
        return mrOk;
    case mbCancel:
        return mrCancel;
    case mbAbort:
        return mrAbort;
    case mbRetry:
        return mrRetry;
    case mbIgnore:
        return mrIgnore;
    case mbAll:
        return mrAll;
    case mbNoToAll:
        return mrNoToAll;
    case mbYesToAll:
        return mrYesToAll;
    default:
        return mrNone;
    }
}

int MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
    MessageRequest request;
    request.kind = MessageRequest::Box;
    request.text = text;
    request.caption = caption;
    request.type = TypeOfFlags(flags);
    request.buttons = ButtonsOfFlags(flags);
    return ResultOfButton(CurrentUiHost().ShowMessageBox(request));
}

int MessageDlg(const std::string& text, TMsgDlgType type, const std::vector<TMsgDlgBtn>& buttons, int) {
    MessageRequest request;
    request.kind = MessageRequest::Dialog;
    request.text = text;
    request.caption = CaptionOfType(type);
    request.type = type;
    request.buttons = buttons.empty() ? std::vector<TMsgDlgBtn>{mbOK} : buttons;
    return ResultOfButton(CurrentUiHost().ShowMessageBox(request));
}

std::vector<FilterEntry> ParseFilter(const std::string& filter) {
    std::vector<FilterEntry> entries;
    if (filter.empty()) return entries;
    const auto parts = Split(filter, '|');
    for (size_t i = 0; i < parts.size(); i += 2) {
        FilterEntry entry{parts[i], {}};
        if (i + 1 < parts.size())
            for (const auto& pattern : Split(parts[i + 1], ';'))
                if (!pattern.empty()) entry.patterns.push_back(pattern);
        entries.push_back(entry);
    }
    return entries;
}

bool MatchesPattern(const std::string& fileName, const std::string& pattern) {
    const std::u32string name = QString::fromStdString(fileName).toLower().toStdU32String();
    const std::u32string mask = QString::fromStdString(pattern).toLower().toStdU32String();
    // "*.*" means every file, also those without a dot, as on the platform these filters come from.
    if (mask == U"*.*" || mask == U"*") return true;
    size_t n = 0, m = 0, starName = std::u32string::npos, starMask = std::u32string::npos;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == U'*') {
            starMask = m++;
            starName = n;
        } else if (m < mask.size() && (mask[m] == U'?' || mask[m] == name[n])) {
            ++n;
            ++m;
        } else if (starMask != std::u32string::npos) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == U'*')
        ++m;
    return m == mask.size();
}

std::string WithDefaultExt(const std::string& fileName, const std::string& defaultExt) {
    if (defaultExt.empty() || fileName.empty()) return fileName;
    const size_t slash = fileName.rfind('/');
    const std::string base = slash == std::string::npos ? fileName : fileName.substr(slash + 1);
    if (base.find('.') != std::string::npos) return fileName;
    return fileName + "." + defaultExt;
}

bool TOpenDialog::Execute() {
    FileRequest request;
    request.save = ForSaving();
    request.title = title_;
    request.filter = filter_;
    request.filterIndex = filterIndex_;
    request.defaultExt = defaultExt_;
    request.initialDir = initialDir_;
    request.fileName = fileName_;
    const auto chosen = CurrentUiHost().ChooseFile(request);
    if (!chosen) return false;
    fileName_ = WithDefaultExt(*chosen, defaultExt_);
    return true;
}

bool SelectDirectory(const std::string& caption, const std::string& root, std::string& directory) {
    const auto chosen = CurrentUiHost().ChooseDirectory({caption, root, directory});
    if (!chosen) return false;
    directory = *chosen;
    return true;
}
