// The UI host of the program: Qt's message box and file dialogs.
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QSet>

#include "platform/forms/activation.h"
#include "platform/forms/busy_cursor.h"
#include "platform/forms/control.h"
#include "platform/forms/dialogs.h"
#include "platform/forms/file_dialog.h"
#include "platform/forms/form.h"
#include "platform/forms/ui_host.h"

namespace {

QWidget* DialogParent() {
    TForm* active = activation::Active();
    return active && active->Visible() ? active->Widget() : nullptr;
}

QMessageBox::Icon IconOf(TMsgDlgType type) {
    switch (type) {
    case mtWarning:
        return QMessageBox::Warning;
    case mtError:
        return QMessageBox::Critical;
    case mtInformation:
        return QMessageBox::Information;
    case mtConfirmation:
        return QMessageBox::Question;
    default:
        return QMessageBox::NoIcon;
    }
}

struct ButtonLook {
    TMsgDlgBtn button;
    const char* caption;
    QMessageBox::ButtonRole role;
};
constexpr ButtonLook kButtonLooks[] = {
    {mbYes, "&Да", QMessageBox::YesRole},
    {mbNo, "&Нет", QMessageBox::NoRole},
    {mbOK, "ОК", QMessageBox::AcceptRole},
    {mbCancel, "Отмена", QMessageBox::RejectRole},
    {mbAbort, "&Прервать", QMessageBox::RejectRole},
    {mbRetry, "П&овторить", QMessageBox::AcceptRole},
    {mbIgnore, "Про&пустить", QMessageBox::AcceptRole},
    {mbAll, "&Все", QMessageBox::YesRole},
    {mbNoToAll, "Н&ет для всех", QMessageBox::NoRole},
    {mbYesToAll, "Да для &всех", QMessageBox::YesRole},
    {mbHelp, "&Справка", QMessageBox::HelpRole},
};

const ButtonLook& LookOf(TMsgDlgBtn button) {
    for (const auto& look : kButtonLooks)
        if (look.button == button) return look;
    return kButtonLooks[2];
}

// The button that Escape and the close box press: Cancel, else No, else the only button.
TMsgDlgBtn EscapeButton(const std::vector<TMsgDlgBtn>& buttons) {
    for (TMsgDlgBtn wanted : {mbCancel, mbNo, mbAbort})
        for (TMsgDlgBtn button : buttons)
            if (button == wanted) return button;
    return buttons.size() == 1 ? buttons.front() : mbCancel;
}

// Qt's name filter for one entry; each pattern also in lower and upper case, since the filters come
// from a platform whose file names ignore case. The dialog shows the description only (the patterns
// when there is none).
QString NameFilterOf(const FilterEntry& entry) {
    QStringList given;
    QStringList patterns;
    for (const auto& pattern : entry.patterns) {
        const QString text = ToQ(pattern);
        given << text;
        for (const QString& variant : {text, text.toLower(), text.toUpper()})
            if (!patterns.contains(variant)) patterns << variant;
    }
    const QString description = entry.description.empty() ? given.join(';') : ToQ(entry.description);
    return description + " (" + patterns.join(' ') + ")";
}

} // namespace

TMsgDlgBtn QtUiHost::ShowMessageBox(const MessageRequest& request) {
    const PersonWaitsScope person;
    QMessageBox box(IconOf(request.type), ToQ(request.caption), ToQ(request.text), QMessageBox::NoButton,
                    DialogParent());
    std::vector<std::pair<QAbstractButton*, TMsgDlgBtn>> pressed;
    const TMsgDlgBtn escape = EscapeButton(request.buttons);
    for (TMsgDlgBtn button : request.buttons) {
        const auto& look = LookOf(button);
        QPushButton* widget = box.addButton(QString::fromUtf8(look.caption), look.role);
        pressed.emplace_back(widget, button);
        if (pressed.size() == 1) box.setDefaultButton(widget);
        if (button == escape) box.setEscapeButton(widget);
    }
    box.exec();
    for (const auto& [widget, button] : pressed)
        if (box.clickedButton() == widget) return button;
    return escape;
}

std::optional<std::string> QtUiHost::ChooseFile(const FileRequest& request) {
    const PersonWaitsScope person;
    QFileDialog dialog(DialogParent());
    SetUpFileDialog(dialog);
    dialog.setWindowTitle(ToQ(!request.title.empty() ? request.title
                              : request.save         ? "Сохранить как"
                                                     : "Открыть"));
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (request.save) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDefaultSuffix(ToQ(request.defaultExt));
    QStringList filters;
    for (const auto& entry : ParseFilter(request.filter))
        filters << NameFilterOf(entry);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const int index = request.filterIndex - 1;
        dialog.selectNameFilter(filters.value(index >= 0 && index < filters.size() ? index : 0));
    }
    const QFileInfo given(ToQ(request.fileName));
    const QString directory = !request.initialDir.empty() ? ToQ(request.initialDir) : given.path();
    if (!directory.isEmpty()) dialog.setDirectory(directory);
    if (!request.fileName.empty() && !given.fileName().contains('*')) dialog.selectFile(given.fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return FromQ(dialog.selectedFiles().front());
}

std::optional<std::string> QtUiHost::ChooseDirectory(const DirectoryRequest& request) {
    const PersonWaitsScope person;
    const QString start = ToQ(!request.directory.empty() ? request.directory : request.root);
    QFileDialog dialog(DialogParent(), ToQ(request.caption), start);
    SetUpFileDialog(dialog);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return FromQ(dialog.selectedFiles().front());
}

void QtUiHost::RunModal(TForm& form) {
    const PersonWaitsScope person;
    form.RunModalLoop();
}

void QtUiHost::ProcessMessages() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}
