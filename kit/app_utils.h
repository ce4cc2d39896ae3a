#pragma once
// Plain functions for keeping a form's placement and values between runs: default names of the
// settings file, key and section, typed reads and writes on either store, the placement keys of a
// window, the column widths of a grid, and a free file name in a folder.
//
// The stores are TIniFile and TRegIniFile (ini_files.h). A null store reads the fallback and writes
// nothing, as any object that is neither store does.
#include <functional>
#include <string>
#include <vector>

#include "kit/ini_files.h"
#include "platform/forms/application.h"
#include "platform/forms/errors.h"
#include "platform/forms/form.h"

class TControl;
class TStringGrid;

// ---- Default names ------------------------------------------------------------------------------------
// A form: its class name. A control: its window's class name and its own name ("TForm5Edit1"), or its
// own name alone outside a window. nullptr: empty.
std::string GetDefaultSection(const TForm* form);
std::string GetDefaultSection(const TControl* control);
// The hook's name when a hook is set; otherwise the program's file name with ".ini", in the per-user
// configuration folder ($XDG_CONFIG_HOME or ~/.config).
std::string GetDefaultIniName();
void SetDefaultIniNameHook(std::function<std::string()> hook);
// "Software\" + (company name + "\" when set) + (the application's title when the switch is on and the
// title is not empty, else the program's file name). The company name is empty and the switch off
// until a program sets them.
std::string GetDefaultIniRegKey();
void SetAppCompanyName(const std::string& company);
void SetUseAppTitle(bool useTitle);

// ---- Texts of settings files ---------------------------------------------------------------------------
// Line breaks (CR LF, LF CR, CR, LF) to the two characters "\n", and "\n" back to CR LF; texts longer than
// 4096 characters raise "Line too long".
std::string StrToIniStr(const std::string& text);
std::string IniStrToStr(const std::string& text);

std::string IniReadString(TCustomIniFile* ini, const std::string& section, const std::string& ident,
                          const std::string& fallback);
void IniWriteString(TCustomIniFile* ini, const std::string& section, const std::string& ident,
                    const std::string& value);
int IniReadInteger(TCustomIniFile* ini, const std::string& section, const std::string& ident, int fallback);
void IniWriteInteger(TCustomIniFile* ini, const std::string& section, const std::string& ident, int value);
bool IniReadBool(TCustomIniFile* ini, const std::string& section, const std::string& ident, bool fallback);
void IniWriteBool(TCustomIniFile* ini, const std::string& section, const std::string& ident, bool value);
void IniEraseSection(TCustomIniFile* ini, const std::string& section);
void IniDeleteKey(TCustomIniFile* ini, const std::string& section, const std::string& ident);
std::vector<std::string> IniReadSections(TCustomIniFile* ini);

// ---- Window placement ----------------------------------------------------------------------------------
// "Flags", "ShowCmd", "PixelsPerInch", "MinMaxPos" and "NormPos" (each position under the key with the
// screen size, "NormPos(1024x768)", then under the plain key).
void WriteFormPlacement(TForm& form, TCustomIniFile* ini, const std::string& section);
// Restores the position (a stored position counts only with the screen's pixels per inch) and the state.
void ReadFormPlacement(TForm& form, TCustomIniFile* ini, const std::string& section, bool loadState,
                       bool loadPosition);
// The same with a file or key of their own, in the section of the form's class name.
void SaveFormPlacement(TForm& form, const std::string& iniFileName, bool useRegistry);
void RestoreFormPlacement(TForm& form, const std::string& iniFileName, bool useRegistry);

// There are no multi-document windows here: these raise EInvalidOperation
// "Cannot create form. No MDI forms are currently active", as for a form that is no MDI parent.
void SaveMDIChildren(TForm& mainForm, TCustomIniFile* ini);
void RestoreMDIChildren(TForm& mainForm, TCustomIniFile* ini);

// Column widths under "Item0", "Item1"... in the grid's default section.
void SaveGridLayout(TStringGrid& grid, TCustomIniFile* ini);
void RestoreGridLayout(TStringGrid& grid, TCustomIniFile* ini);

// The first name made from the mask with n = 0, 1, ... that names no file in the folder; the name without
// the folder, empty when none is free. "%d" stands for n, with a width and a number of digits as in
// "LOG%3.3d.TXT" ("LOG000.TXT"), "%x" for n in hexadecimal, "%%" for "%".
std::string GetUniqueFileNameInDir(const std::string& path, const std::string& fileNameMask);

// ---- Finding and showing forms -------------------------------------------------------------------------
std::vector<TForm*> ScreenForms();
template <class Form> Form* FindForm() {
    for (TForm* form : ScreenForms())
        if (auto* found = dynamic_cast<Form*>(form)) return found;
    return nullptr;
}
// The settings file (or registry key) of the first form placement of the control's window, else the
// default one of the store; the section is the control's default section.
void GetDefaultIniData(const TControl* control, std::string& iniFileName, std::string& section,
                       bool useRegistry);
void GetDefaultIniData(const TForm* form, std::string& iniFileName, std::string& section, bool useRegistry);
// A minimised window back to its normal or maximised state.
void RestoreFromMinimised(TForm& form);
// Finds a window of the class (with the caption, when one is given) or creates one through the
// application, which keeps it to the end (with the caption set); brings it back from minimised and
// shows it.
template <class Form> Form* FindShowForm(const std::string& caption = "") {
    Form* found = nullptr;
    for (TForm* form : ScreenForms())
        if (auto* candidate = dynamic_cast<Form*>(form);
            candidate && (caption.empty() || form->Caption() == caption)) {
            found = candidate;
            break;
        }
    if (!found) {
        Application->CreateForm(found);
        if (!caption.empty()) found->SetCaption(caption);
    }
    RestoreFromMinimised(*found);
    found->Show();
    return found;
}
// Creates the window through the application only when the reference holds none.
template <class Form> void InstantiateForm(Form*& reference) {
    if (!reference) Application->CreateForm(reference);
}
// Creates the form, shows it modally and frees it; true for mrOk and mrYes.
template <class Form> bool ShowDialog() {
    Form form;
    const int result = form.ShowModal();
    return result == mrOk || result == mrYes;
}
