#pragma once
// The folder edit: a single-line edit that holds a folder path (or several, separated by ";"), with a
// button at its right edge that asks for a folder and writes the choice into the text. Folders (or
// files, which give their folder) dragged from a file manager onto it can be accepted too.
//
// TFileDirEdit holds what the folder edit shares with a file-name edit: the drop of file URLs, the
// events around the dialog and the folder glyph of the button.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/combo_edit.h"
#include "platform/forms/dialogs.h"

class TFileDirEdit;

// Before and after the dialog: the name may be changed, and action set to false stops the browse.
using TExecOpenDialogEvent = std::function<void(TFileDirEdit& sender, std::string& name, bool& action)>;

class TFileDirEdit : public TCustomComboEdit {
public:
    TFileDirEdit();
    ~TFileDirEdit() override;

    // Whether dropped files and folders are taken; false by default.
    bool AcceptFiles() const { return acceptFiles_; }
    void SetAcceptFiles(bool accept);
    bool MultipleDirs() const { return multipleDirs_; }
    void SetMultipleDirs(bool multiple) { multipleDirs_ = multiple; }
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int context) { helpContext_ = context; }

    std::string LongName() const { return GetLongName(); }
    std::string ShortName() const { return GetShortName(); }

    // Takes the names of a drop as the window system hands them over, whatever their length.
    void DropFiles(const std::vector<std::string>& names);

    TNotifyEvent OnDropFiles;
    TExecOpenDialogEvent OnBeforeDialog;
    TExecOpenDialogEvent OnAfterDialog;

protected:
    QImage GetDefaultBitmap(bool& destroy) override;
    virtual std::string GetLongName() const = 0;
    virtual std::string GetShortName() const = 0;
    virtual void ReceptFileDir(const std::string& name) = 0;
    virtual void ClearFileList() {}
    // The text with its selection removed, as the text box shows it before a chosen name is written.
    void ClearSelection();

private:
    bool acceptFiles_ = false;
    bool multipleDirs_ = false;
    int helpContext_ = 0;
};

enum TSelectDirOpt : unsigned { sdAllowCreate = 1, sdPerformCreate = 2, sdPrompt = 4 };
using TSelectDirOpts = unsigned;
enum TDirDialogKind { dkVCL, dkWin32 };

class TDirectoryEdit : public TFileDirEdit {
public:
    TDirectoryEdit() = default;

    TSelectDirOpts DialogOptions() const { return dialogOptions_; }
    void SetDialogOptions(TSelectDirOpts options) { dialogOptions_ = options; }
    std::string InitialDir() const { return initialDir_; }
    void SetInitialDir(const std::string& folder) { initialDir_ = folder; }
    // The prompt of the folder browser (dkWin32).
    std::string DialogText() const { return dialogText_; }
    void SetDialogText(const std::string& text) { dialogText_ = text; }
    TDirDialogKind DialogKind() const { return dialogKind_; }
    void SetDialogKind(TDirDialogKind kind) { dialogKind_ = kind; }

protected:
    void ButtonClick() override;
    std::string GetLongName() const override;
    std::string GetShortName() const override;
    void ReceptFileDir(const std::string& name) override;

private:
    bool RunDialog(std::string& folder);
    std::string Joined(const std::string& folder) const;
    bool SelectDirectory(std::string& folder);
    std::string EachDir(std::string (*convert)(const std::string&)) const;

    TSelectDirOpts dialogOptions_ = 0;
    std::string initialDir_;
    std::string dialogText_;
    TDirDialogKind dialogKind_ = dkVCL;
};

// "Invalid file name - %s": a file name that cannot be one.
class EComboEditError : public Exception {
public:
    using Exception::Exception;
};

enum TFileDialogKind { dkOpen, dkSave, dkOpenPicture, dkSavePicture };

// The file-name edit: the button asks for a file with an open or save dialog.
class TFilenameEdit : public TFileDirEdit {
public:
    TFilenameEdit();
    ~TFilenameEdit() override;

    // Changing the kind makes a new dialog with the old one's settings.
    TFileDialogKind DialogKind() const { return dialogKind_; }
    void SetDialogKind(TFileDialogKind kind);
    TOpenDialog& Dialog() { return *dialog_; }
    // The text when it names an existing file; otherwise its first part, taken out of its quotes.
    std::string FileName() const;
    // A name that is no valid file name raises EComboEditError; a name with a blank is quoted.
    void SetFileName(const std::string& name);
    std::string InitialDir() const { return dialog_->InitialDir(); }
    void SetInitialDir(const std::string& folder) { dialog_->SetInitialDir(folder); }
    // With MultipleDirs, the names of the last drop.
    const std::vector<std::string>& FileList() const { return files_; }

protected:
    void ButtonClick() override;
    std::string GetLongName() const override;
    std::string GetShortName() const override;
    void ReceptFileDir(const std::string& name) override;
    void ClearFileList() override { files_.clear(); }

private:
    std::unique_ptr<TOpenDialog> MakeDialog(TFileDialogKind kind) const;

    TFileDialogKind dialogKind_ = dkOpen;
    std::unique_ptr<TOpenDialog> dialog_;
    std::vector<std::string> files_;
};
