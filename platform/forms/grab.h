#pragma once
// A picture of a window, for tests that want to look at one.
#include <string>

class TForm;
class QWidget;

// Renders the window, shown or not, into a PNG file (the window is laid out at its natural size
// first); true when the file was written.
bool GrabToPng(TForm& form, const std::string& path);
bool GrabToPng(QWidget& widget, const std::string& path);
