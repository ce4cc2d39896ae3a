#pragma once
// Message boxes, questions and the file and folder dialogs. All of them go through the UI host.
#include <string>
#include <vector>

#include "platform/forms/types.h"

// A message with an OK button, captioned with the application's title.
void ShowMessage(const std::string& text);
// A message box with the button set and icon of flags (MB_OKCANCEL | MB_ICONQUESTION ...);
// returns IDOK, IDCANCEL, IDYES, IDNO, ... An empty caption takes the application's title.
int MessageBox(const std::string& text, const std::string& caption, unsigned flags = MB_OK);
// A message with a type (its caption: "Предупреждение", "Ошибка", "Информация", "Подтверждение")
// and buttons; returns mrYes, mrNo, mrOk, ...
int MessageDlg(const std::string& text, TMsgDlgType type, const std::vector<TMsgDlgBtn>& buttons,
               int helpContext = 0);

// The buttons of a MessageBox flag set, in the order shown.
std::vector<TMsgDlgBtn> ButtonsOfFlags(unsigned flags);
// The result of a pressed button: mrOk ... mrYesToAll (IDOK ... IDNO are the same numbers).
int ResultOfButton(TMsgDlgBtn button);

// One entry of a dialog filter "description|pattern" (patterns separated by ";").
struct FilterEntry {
    std::string description;
    std::vector<std::string> patterns;
};
// Parses the library's filter text "description|pattern|description|pattern".
std::vector<FilterEntry> ParseFilter(const std::string& filter);
// Matching of a file name with a pattern ("*.BIN", "*.*", "1.SIG"), ignoring case.
bool MatchesPattern(const std::string& fileName, const std::string& pattern);
// The file name with "." + defaultExt appended when it has no extension of its own.
std::string WithDefaultExt(const std::string& fileName, const std::string& defaultExt);

class TOpenDialog {
public:
    TOpenDialog() = default;
    TOpenDialog(const TOpenDialog&) = delete;
    TOpenDialog& operator=(const TOpenDialog&) = delete;
    virtual ~TOpenDialog() = default;

    // Runs the dialog; true when the user chose a file, whose full path is then in FileName().
    bool Execute();

    std::string Title() const { return title_; }
    void SetTitle(const std::string& title) { title_ = title; }
    std::string Filter() const { return filter_; }
    void SetFilter(const std::string& filter) { filter_ = filter; }
    int FilterIndex() const { return filterIndex_; } // 1-based, as in the library
    void SetFilterIndex(int index) { filterIndex_ = index; }
    std::string DefaultExt() const { return defaultExt_; }
    void SetDefaultExt(const std::string& ext) { defaultExt_ = ext; }
    std::string InitialDir() const { return initialDir_; }
    void SetInitialDir(const std::string& dir) { initialDir_ = dir; }
    std::string FileName() const { return fileName_; }
    void SetFileName(const std::string& name) { fileName_ = name; }

protected:
    virtual bool ForSaving() const { return false; }

private:
    std::string title_;
    std::string filter_;
    int filterIndex_ = 1;
    std::string defaultExt_;
    std::string initialDir_;
    std::string fileName_;
};

class TSaveDialog : public TOpenDialog {
protected:
    bool ForSaving() const override { return true; }
};

// Asks for a folder; true and the folder in directory when the user chose one.
bool SelectDirectory(const std::string& caption, const std::string& root, std::string& directory);
