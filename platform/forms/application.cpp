#include "platform/forms/application.h"
#include "platform/forms/event_delivery.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include "platform/forms/activation.h"
#include "platform/forms/busy_cursor.h"
#include "platform/forms/control.h"
#include "platform/forms/dialogs.h"
#include "platform/forms/events.h"
#include "platform/forms/keys.h"
#include "platform/forms/thread_post.h"
#include "platform/forms/ui_host.h"

TApplication* Application = nullptr;

namespace {

TEventDeliveryWrapper& DeliveryWrapper() {
    static TEventDeliveryWrapper wrapper;
    return wrapper;
}

// Qt's application with the layer's two duties in its event dispatch: the window's key preview, and
// catching whatever an event throws so that it never unwinds through Qt.
class DispatchingApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        AcceptPostedEvent();
        try {
            if (event->type() == QEvent::KeyPress && receiver->isWidgetType() && PreviewKey(receiver, event))
                return true;
            if (const TEventDeliveryWrapper& wrapper = DeliveryWrapper())
                return wrapper(receiver, event, [&] { return QApplication::notify(receiver, event); });
            return QApplication::notify(receiver, event);
        } catch (...) {
            if (Application) Application->HandleException(std::current_exception());
            return false;
        }
    }

private:
    static bool PreviewKey(QObject* receiver, QEvent* event) {
        TForm* form = TForm::FormOf(static_cast<QWidget*>(receiver));
        if (!form || !form->KeyPreview()) return false;
        const auto& keyEvent = static_cast<const QKeyEvent&>(*event);
        WORD key = VirtualKeyOf(keyEvent);
        return key != 0 && form->PreviewKey(key, ShiftOf(keyEvent));
    }
};

std::string WithFinalPeriod(std::string message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') message += '.';
    return message;
}

} // namespace

void SetEventDeliveryWrapper(TEventDeliveryWrapper wrapper) {
    DeliveryWrapper() = std::move(wrapper);
}

void RunHandler(const std::function<void()>& handler) {
    const BusyScope busy;
    try {
        handler();
    } catch (...) {
        if (Application)
            Application->HandleException(std::current_exception());
        else
            throw;
    }
}

TApplication::TApplication(int& argc, char** argv) {
    if (!QApplication::instance()) qt_ = std::make_unique<DispatchingApplication>(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    title_ = FromQ(QCoreApplication::applicationName());
    Application = this;
}

TApplication::~TApplication() {
    DestroyForms();
    if (Application == this) Application = nullptr;
}

void TApplication::Adopt(std::unique_ptr<TForm> form) {
    TForm& created = *form;
    forms_.push_back(std::move(form));
    if (!mainForm_) mainForm_ = &created;
    Fire(created.OnCreate);
}

void TApplication::DestroyForms() {
    mainForm_ = nullptr;
    while (!forms_.empty())
        forms_.pop_back();
}

void TApplication::Run() {
    if (!mainForm_ || terminated_) return;
    RunHandler([this] { mainForm_->Show(); });
    while (!terminated_)
        QApplication::exec();
    if (mainForm_) mainForm_->HideWindow();
}

void TApplication::ProcessMessages() {
    CurrentUiHost().ProcessMessages();
}

void TApplication::Terminate() {
    terminated_ = true;
    QCoreApplication::exit(0);
}

void TApplication::ShowException(const std::exception& error) {
    MessageRequest request;
    request.kind = MessageRequest::Error;
    request.text = WithFinalPeriod(error.what());
    request.caption = title_;
    request.type = mtError;
    request.buttons = {mbOK};
    CurrentUiHost().ShowMessageBox(request);
}

void TApplication::HandleException(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        ShowException(e);
    } catch (...) {
        ShowException(std::runtime_error("Unknown exception"));
    }
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
    return ::MessageBox(text, caption.empty() ? title_ : caption, flags);
}

TForm* TApplication::ActiveForm() const {
    return activation::Active();
}

TApplication& EnsureApplication() {
    if (!Application) {
        static int argc = 1;
        static char name[] = "kaltor";
        static char* argv[] = {name, nullptr};
        // Left to the end of the process: Qt's own statics may be gone before ours are destroyed.
        new TApplication(argc, argv);
    }
    return *Application;
}

// Fontconfig, under Qt's text drawing, keeps a cache to the end of the process by design; the leak
// checker of sanitizer builds is told so, for every program that uses windows.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\n";
}
