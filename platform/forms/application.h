#pragma once
// The application object: owns Qt's application, creates the windows, runs the message loop and
// shows what escapes an event handler.
//
//     int main(int argc, char** argv) {
//         TApplication app(argc, argv);            // sets the global Application
//         Application->Initialize();
//         Application->CreateForm(Form1);          // the first window created is the main window
//         Application->CreateForm(Form2);
//         Application->Run();                      // until the main window closes
//     }
//
// Tests call EnsureApplication() once instead (it creates the object when there is none).
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/form.h"

class QApplication;

class TApplication {
public:
    TApplication(int& argc, char** argv);
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;
    // Destroys the windows (last created first), then Qt's application.
    ~TApplication();

    void Initialize() {}

    // Creates a window, keeps it to the end and stores it in the global pointer; the first window
    // created becomes the main window. OnCreate runs after the window's constructor.
    template <class Form> void CreateForm(Form*& reference) {
        auto form = std::make_unique<Form>();
        reference = form.get();
        Adopt(std::move(form));
    }
    TForm* MainForm() const { return mainForm_; }
    // Destroys every window created by CreateForm (tests use it between cases).
    void DestroyForms();

    // Shows the main window and runs the message loop until it closes or Terminate is called.
    void Run();
    // Handles the events that are waiting (through the UI host, so tests can hook it).
    void ProcessMessages();
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Clears the terminated flag (tests that run several loops).
    void ResetTerminated() { terminated_ = false; }

    // The caption of message boxes without one of their own; the program's file name by default.
    std::string Title() const { return title_; }
    void SetTitle(const std::string& title) { title_ = title; }

    // The error box: the exception's message, with a "." added when the message does not already end
    // in punctuation, captioned with the title.
    void ShowException(const std::exception& error);
    // Called for whatever escapes an event handler.
    void HandleException(std::exception_ptr error);

    // A message box captioned with the title when caption is empty; returns IDOK, IDCANCEL, IDYES ...
    int MessageBox(const std::string& text, const std::string& caption = "", unsigned flags = 0);

    // The window of ours that is active now, or nullptr.
    TForm* ActiveForm() const;

private:
    void Adopt(std::unique_ptr<TForm> form);

    std::unique_ptr<QApplication> qt_;
    std::vector<std::unique_ptr<TForm>> forms_;
    TForm* mainForm_ = nullptr;
    bool terminated_ = false;
    std::string title_;
};

// The one application object of the program (nullptr before it is made).
extern TApplication* Application;

// Creates the application object when there is none (tests); returns it.
TApplication& EnsureApplication();
