// The monitor's script files: choosing one, the recent-file list, and the three ways to run it.
#include <filesystem>

#include "monitor/extended_script.h"
#include "monitor/plain_script.h"
#include "monitor/script_monitor.h"
#include "shell/settings.h"

void TForm28::LoadRecentFiles() {
    ComboBox1.Items().Clear();
    for (int n = 1; n <= settings::RecentFileCount; ++n) {
        const std::string name = ReadSetting(settings::RecentFile(n));
        if (!name.empty()) ComboBox1.Items().Add(name);
    }
    ComboBox1.SetItemIndex(ComboBox1.Items().IndexOf(ScriptFileName));
}

// A name already in the list is selected and nothing is written; a new one goes first, the oldest of
// five drops out, and the list is saved.
void TForm28::AddRecentFile(const std::string& fileName) {
    if (fileName.empty()) return;
    const int known = ComboBox1.Items().IndexOf(fileName);
    if (known >= 0) {
        ComboBox1.SetItemIndex(known);
        return;
    }
    std::vector<std::string> names = ComboBox1.Items().ToVector();
    names.insert(names.begin(), fileName);
    names.resize(settings::RecentFileCount);
    for (int n = 1; n <= settings::RecentFileCount; ++n)
        WriteSetting(settings::RecentFile(n), names[n - 1]);
    std::erase(names, std::string());
    ComboBox1.Items().Assign(names);
    ComboBox1.SetItemIndex(0);
}

// The extended language's variables live in its run; the view keeps the last run's rows until the
// next run declares its own.
void TForm28::ChooseScript(const std::string& fileName) {
    ScriptFileName = fileName;
    Edit4.SetText("0");
}

void TForm28::Button5Click() {
    OpenDialog1.SetInitialDir(std::filesystem::current_path().string());
    if (!OpenDialog1.Execute()) return;
    ChooseScript(OpenDialog1.FileName());
    AddRecentFile(OpenDialog1.FileName());
}

void TForm28::ComboBox1Change() {
    ChooseScript(ComboBox1.Text());
}

template <class Run> void TForm28::RunScript(Run run) {
    if (running_) return;
    SetRunning(true);
    struct Done {
        TForm28& form;
        ~Done() { form.SetRunning(false); }
    } done{*this};
    run();
}

// The run buttons are off while a run is under way; its view shows everything once it ends.
void TForm28::SetRunning(bool running) {
    running_ = running;
    for (TButton* button : {&Button6, &Button8, &Button11})
        button->SetEnabled(!running);
    if (!running) FlushView();
    view_.SetRunning(running);
}

void TForm28::Button6Click() {
    RunScript([this] { RunExtendedScript(ScriptFileName, *this); });
}

// Edit4 is read before anything runs: a text that is not a number ends the handler with the
// conversion error.
void TForm28::Button8Click() {
    RunScript([this] {
        const int linesDone = StrToInt(Edit4.Text());
        PlainScriptRun(*this).Continue(ScriptFileName, linesDone);
    });
}

void TForm28::Button11Click() {
    RunScript([this] {
        const int linesDone = StrToInt(Edit4.Text());
        PlainScriptRun(*this).Step(ScriptFileName, linesDone);
    });
}
