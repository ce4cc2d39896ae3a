#include "controls/directory_edit.h"

#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>

#include "controls/file_utils.h"
#include "controls/resource_strings.h"
#include "controls/resources.h"
#include "controls/window_utils.h"
#include "platform/forms/dialogs.h"
#include "platform/forms/event_hook.h"

namespace {

// The class library's folder dialog: its caption and its question before it makes a new folder.
const char* const kSelectDirCaption = "Выбор папки";
const char* const kConfirmCreateDir = "The specified directory does not exist. Create it?";

std::vector<std::string> LocalFilesOf(const QMimeData* data) {
    std::vector<std::string> names;
    if (!data || !data->hasUrls()) return names;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile()) names.push_back(FromQ(url.toLocalFile()));
    return names;
}

std::vector<std::string> SplitDirs(const std::string& text) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t semicolon; (semicolon = text.find(';', start)) != std::string::npos; start = semicolon + 1)
        parts.push_back(text.substr(start, semicolon - start));
    parts.push_back(text.substr(start));
    return parts;
}

std::string FolderPart(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return "";
    return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace

// ---- TFileDirEdit --------------------------------------------------------------------------------

TFileDirEdit::TFileDirEdit() {
    SetGlyphKind(gkDefault);
    // Drops of files and folders; without AcceptFiles a drop of files is refused (text drops stay).
    new EventHook(Widget(), [this](QEvent& event) {
        const auto type = event.type();
        if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) return false;
        auto& drop = static_cast<QDropEvent&>(event);
        const std::vector<std::string> names = LocalFilesOf(drop.mimeData());
        if (names.empty()) return false;
        if (!acceptFiles_) {
            drop.ignore();
            return true;
        }
        drop.acceptProposedAction();
        if (type == QEvent::Drop) RunHandler([&] { DropFiles(names); });
        return true;
    });
}

TFileDirEdit::~TFileDirEdit() = default;

void TFileDirEdit::SetAcceptFiles(bool accept) {
    acceptFiles_ = accept;
}

void TFileDirEdit::DropFiles(const std::vector<std::string>& names) {
    if (names.empty()) return;
    ClearFileList();
    for (const std::string& name : names) {
        ReceptFileDir(name);
        if (!multipleDirs_) break;
    }
    Fire(OnDropFiles);
}

QImage TFileDirEdit::GetDefaultBitmap(bool& destroy) {
    static const QImage glyph = MakeBitmap("FEDITBMP"); // one picture for all file and folder edits
    destroy = false;
    return glyph;
}

void TFileDirEdit::ClearSelection() {
    if (Line()->hasSelectedText()) Line()->del();
}

// ---- TDirectoryEdit ------------------------------------------------------------------------------

void TDirectoryEdit::ButtonClick() {
    TFileDirEdit::ButtonClick();
    std::string folder = Text();
    bool action = true;
    if (OnBeforeDialog) OnBeforeDialog(*this, folder, action);
    if (!action) return;
    static const std::string root = "/";
    if (folder.empty()) folder = initialDir_.empty() ? root : initialDir_;
    if (!DirExists(folder)) folder = root;
    action = RunDialog(folder);
    if (CanOperate() && Widget()->isVisible()) SetFocus();
    if (OnAfterDialog) OnAfterDialog(*this, folder, action);
    if (!action) return;
    ClearSelection();
    SetText(Joined(folder));
    if (!folder.empty() && DirExists(folder)) initialDir_ = folder;
}

bool TDirectoryEdit::RunDialog(std::string& folder) {
    if (dialogKind_ == dkWin32) return BrowseDirectory(folder, dialogText_, HelpContext());
    return SelectDirectory(folder);
}

// The class library's folder dialog; with sdAllowCreate and sdPerformCreate a chosen folder that does
// not exist yet is made (after a question with sdPrompt).
bool TDirectoryEdit::SelectDirectory(std::string& folder) {
    std::string chosen = folder;
    if (!::SelectDirectory(kSelectDirCaption, "", chosen)) return false;
    chosen = RemoveBackSlash(chosen);
    const bool create = (dialogOptions_ & sdAllowCreate) && (dialogOptions_ & sdPerformCreate);
    if (create && !DirExists(chosen)) {
        if ((dialogOptions_ & sdPrompt) &&
            MessageDlg(kConfirmCreateDir, mtConfirmation, {mbYes, mbNo}, 0) != mrYes)
            return false;
        ForceDirectories(chosen);
    }
    folder = chosen;
    return true;
}

std::string TDirectoryEdit::EachDir(std::string (*convert)(const std::string&)) const {
    if (!MultipleDirs()) return convert(Text());
    std::string result;
    for (const std::string& dir : SplitDirs(Text())) {
        const std::string converted = convert(dir);
        if (converted.empty()) continue;
        result += (result.empty() ? "" : ";") + converted;
    }
    return result;
}

std::string TDirectoryEdit::GetLongName() const {
    return EachDir(ShortToLongPath);
}

std::string TDirectoryEdit::GetShortName() const {
    return EachDir(LongToShortPath);
}

// A file gives its folder; a folder is taken as it is (without a trailing "/").
void TDirectoryEdit::ReceptFileDir(const std::string& name) {
    const bool isFile = GetFileSize(name) >= 0;
    const std::string folder = isFile ? FolderPart(name) : RemoveBackSlash(name);
    SetText(Joined(folder));
}

// With MultipleDirs a folder is added to the text after ";"; otherwise it replaces the text.
std::string TDirectoryEdit::Joined(const std::string& folder) const {
    std::string text = Text();
    if (text.empty() || !MultipleDirs()) return folder;
    text += ';';
    text += folder;
    return text;
}

// ---- TFilenameEdit -------------------------------------------------------------------------------

TFilenameEdit::TFilenameEdit() : dialog_(MakeDialog(dkOpen)) {
    dialog_->SetTitle(SListCaption);
    dialog_->SetFilter(SDefaultFilter);
}

TFilenameEdit::~TFilenameEdit() = default;

std::unique_ptr<TOpenDialog> TFilenameEdit::MakeDialog(TFileDialogKind kind) const {
    if (kind == dkSave || kind == dkSavePicture) return std::make_unique<TSaveDialog>();
    return std::make_unique<TOpenDialog>();
}

void TFilenameEdit::SetDialogKind(TFileDialogKind kind) {
    if (kind == dialogKind_) return;
    auto fresh = MakeDialog(kind);
    fresh->SetTitle(dialog_->Title());
    fresh->SetFilter(dialog_->Filter());
    fresh->SetFilterIndex(dialog_->FilterIndex());
    fresh->SetDefaultExt(dialog_->DefaultExt());
    fresh->SetInitialDir(dialog_->InitialDir());
    fresh->SetFileName(dialog_->FileName());
    dialog_ = std::move(fresh);
    dialogKind_ = kind;
}

std::string TFilenameEdit::FileName() const {
    const std::string text = Text();
    if (GetFileSize(text) >= 0) return text;
    std::string name, rest;
    SplitCommandLine(text, name, rest);
    return name;
}

void TFilenameEdit::SetFileName(const std::string& name) {
    std::string unquoted = name;
    std::erase(unquoted, '"');
    if (!name.empty() && !ValidFileName(unquoted)) throw EComboEditError("Invalid file name - " + name);
    const bool quote = name.find(' ') != std::string::npos && !name.starts_with('"');
    SetText(quote ? "\"" + name + "\"" : name);
    SelectAll();
}

void TFilenameEdit::ButtonClick() {
    TFileDirEdit::ButtonClick();
    std::string name = FileName();
    bool action = true;
    if (OnBeforeDialog) OnBeforeDialog(*this, name, action);
    if (!action) return;
    dialog_->SetFileName("");
    if (ValidFileName(name)) {
        const std::string folder = FolderPart(name);
        if (DirExists(folder)) dialog_->SetInitialDir(folder);
        const std::string file = name.substr(name.find_last_of('/') + 1);
        if (!file.empty() && ValidFileName(file)) dialog_->SetFileName(file);
    }
    action = dialog_->Execute();
    if (action) name = dialog_->FileName();
    if (CanOperate() && Widget()->isVisible()) SetFocus();
    if (OnAfterDialog) OnAfterDialog(*this, name, action);
    if (!action) return;
    ClearSelection();
    SetFileName(name);
    dialog_->SetInitialDir(FolderPart(name));
}

std::string TFilenameEdit::GetLongName() const {
    return ShortToLongFileName(FileName());
}

std::string TFilenameEdit::GetShortName() const {
    return LongToShortFileName(FileName());
}

void TFilenameEdit::ReceptFileDir(const std::string& name) {
    if (!MultipleDirs()) return SetFileName(name);
    if (files_.empty()) SetFileName(name);
    files_.push_back(name);
}
