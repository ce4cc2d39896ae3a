#pragma once
// The Qt dialog under a TForm (internal to the form layer).
#include <QCloseEvent>
#include <QDialog>
#include <QKeyEvent>

#include "platform/forms/events.h"
#include "platform/forms/form.h"

class FormWidget : public QDialog {
public:
    explicit FormWidget(TForm& owner) : owner_(owner) {}
    TForm& Owner() const { return owner_; }

protected:
    // The close box asks the window to close the library's way (OnClose, modal result, main window).
    void closeEvent(QCloseEvent* event) override {
        event->ignore();
        RunHandler([this] { owner_.Close(); });
    }
    // Escape presses the window's cancel button, if it has one; it never closes the window by itself.
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
            owner_.EscapePressed();
            return;
        }
        QDialog::keyPressEvent(event);
    }
    void reject() override {}

private:
    TForm& owner_;
};
