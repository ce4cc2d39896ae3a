// Kaltor: the application object, the 54 windows and the message loop.
#include <exception>

#include "app/qt_texts.h"
#include "app/window_set.h"
#include "platform/forms/forms.h"

int main(int argc, char** argv) {
    TApplication application(argc, argv);
    try {
        application.Initialize();
        UseRussianQtTexts();
        CreateWindows(application);
        application.Run();
    } catch (const std::exception& error) {
        application.ShowException(error);
        return 1;
    }
    return 0;
}
