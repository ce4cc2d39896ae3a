#pragma once
#include <QCoreApplication>
#include <QImage>
#include <gtest/gtest.h>
#include <initializer_list>
#include <string>

#include "platform/forms/forms.h"

// Every test of the controls runs with the application object and a recording UI host.
class ControlsTest : public ::testing::Test {
protected:
    ControlsTest() {
        EnsureApplication();
        Application->ResetTerminated();
    }
    RecordingUiHost host;
};

// The picture of several top-level windows as they lie on the screen, the first one's corner at (0, 0)
// (a drop-down is a window of its own, so a grab of the form alone would miss it).
QImage GrabWindows(std::initializer_list<QWidget*> windows);
// Writes the picture next to the test program, for a person to look at.
void SavePicture(const QImage& picture, const std::string& name);
// Sends a left press and release to a widget at a point.
void ClickAt(QWidget* widget, QPoint at, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void PressAt(QWidget* widget, QPoint at);
void ReleaseAt(QWidget* widget, QPoint at);
// Sends a key press (and its release) to a widget.
void PressKey(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
              const QString& text = {});
// The colour at a point as 0x00BBGGRR.
TColor PixelAt(const QImage& picture, int x, int y);
