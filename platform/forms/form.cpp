#include "platform/forms/form.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>
#include <cxxabi.h>
#include <typeinfo>
#include <vector>

#include "platform/clock/clock.h"
#include "platform/forms/activation.h"
#include "platform/forms/application.h"
#include "platform/forms/control.h"
#include "platform/forms/form_widget.h"
#include "platform/forms/indicators.h"
#include "platform/forms/menus.h"
#include "platform/forms/ui_host.h"

namespace {

// The least client area of any window: a window with few or no controls must still be seen and
// closed, or its modal loop would run unseen.
constexpr int LeastClientWidth = 240;
constexpr int LeastClientHeight = 80;
// Room beside the caption for the frame's icon and buttons.
constexpr int CaptionMargin = 120;

// The area of a window's own controls; it is at least as wide as the window's menu bar, so that every
// top-level item of the menu shows, and never smaller than the least size with its caption readable.
class ClientArea : public QWidget {
public:
    explicit ClientArea(QWidget* parent) : QWidget(parent) {}
    void SetMenuBar(QMenuBar* bar) {
        bar_ = bar;
        updateGeometry();
    }
    QSize sizeHint() const override { return LargeEnough(QWidget::sizeHint()); }
    QSize minimumSizeHint() const override { return LargeEnough(QWidget::minimumSizeHint()); }

private:
    QSize LargeEnough(QSize size) const {
        int width = std::max(size.width(), LeastClientWidth);
        if (bar_) {
            bar_->ensurePolished();
            width = std::max(width, bar_->sizeHint().width());
        }
        const QString caption = window()->windowTitle();
        width = std::max(width, fontMetrics().horizontalAdvance(caption) + CaptionMargin);
        return {width, std::max(size.height(), LeastClientHeight)};
    }
    QMenuBar* bar_ = nullptr;
};

// How long a repaint waits for a window just shown to reach the screen.
constexpr int64_t ExposeWaitMs = 500;

// The available area of the screen the window is on (the primary screen before its first show).
QRect AvailableArea(const QWidget& window) {
    QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

// The windows of ours hung under this one (see ShowWindow). FormWidget has no meta-object of its own,
// so Qt's typed lookup would take any dialog for one; the C++ type decides instead.
std::vector<FormWidget*> WindowsHungUnder(const QWidget& window) {
    std::vector<FormWidget*> found;
    for (QObject* child : window.children())
        if (auto* form = dynamic_cast<FormWidget*>(child)) found.push_back(form);
    return found;
}

} // namespace

TForm::TForm() : widget_(std::make_unique<FormWidget>(*this)) {
    frameLayout_ = new QVBoxLayout(widget_.get());
    frameLayout_->setContentsMargins(0, 0, 0, 0);
    frameLayout_->setSpacing(0);
    client_ = new ClientArea(widget_.get());
    frameLayout_->addWidget(client_, 1);
    ApplyFrame();
}

TForm::~TForm() {
    activation::Forget(*this);
    // Windows shown beside a modal one hang under it; give them back before this widget goes.
    for (FormWidget* child : WindowsHungUnder(*widget_))
        child->setParent(nullptr, child->windowFlags());
}

std::string TForm::Caption() const {
    return FromQ(widget_->windowTitle());
}
void TForm::SetCaption(const std::string& caption) {
    widget_->setWindowTitle(ToQ(caption));
    client_->updateGeometry();
}

void TForm::SetBorderStyle(TBorderStyle style) {
    borderStyle_ = style;
    ApplyFrame();
}

void TForm::SetBorderIcons(TBorderIcons icons) {
    borderIcons_ = icons;
    ApplyFrame();
}

void TForm::SetFormStyle(TFormStyle style) {
    formStyle_ = style;
    ApplyFrame();
}

void TForm::ApplyFrame() {
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint;
    if (borderStyle_ == bsNone) {
        flags |= Qt::FramelessWindowHint;
    } else {
        flags |= Qt::WindowTitleHint;
        if (borderIcons_ & biSystemMenu) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        const bool resizable = borderStyle_ == bsSizeable || borderStyle_ == bsSizeToolWin;
        if (resizable && (borderIcons_ & biMaximize)) flags |= Qt::WindowMaximizeButtonHint;
        if ((resizable || borderStyle_ == bsSingle) && (borderIcons_ & biMinimize))
            flags |= Qt::WindowMinimizeButtonHint;
    }
    if (formStyle_ == fsStayOnTop) flags |= Qt::WindowStaysOnTopHint;
    const bool fixed = borderStyle_ != bsSizeable && borderStyle_ != bsSizeToolWin;
    frameLayout_->setSizeConstraint(fixed ? QLayout::SetFixedSize : QLayout::SetDefaultConstraint);
    const bool wasVisible = widget_->isVisible();
    widget_->setWindowFlags(flags);
    if (wasVisible) widget_->show();
}

int TForm::Left() const {
    return widget_->x();
}
int TForm::Top() const {
    return widget_->y();
}
int TForm::Width() const {
    return widget_->width();
}
int TForm::Height() const {
    return widget_->height();
}
void TForm::SetLeft(int left) {
    widget_->move(left, widget_->y());
}
void TForm::SetTop(int top) {
    widget_->move(widget_->x(), top);
}
void TForm::SetWidth(int width) {
    widget_->resize(width, widget_->height());
}
void TForm::SetHeight(int height) {
    widget_->resize(widget_->width(), height);
}

bool TForm::Visible() const {
    return widget_->isVisible();
}
bool TForm::Active() const {
    return activation::Active() == this;
}
bool TForm::ActivatedAgain() const {
    return activation::ActivatingAgain() == this;
}

void TForm::Show() {
    ShowWindow();
}

void TForm::ShowWindow() {
    if (!widget_->isVisible()) {
        // A window shown beside a modal one must stay usable: it hangs under the modal window.
        TForm* modal = activation::TopModal();
        if (!modal_ && modal && modal != this && !widget_->parentWidget())
            widget_->setParent(modal->Widget(), widget_->windowFlags());
        if (position_ == poScreenCenter || position_ == poDesktopCenter || position_ == poMainFormCenter ||
            position_ == poOwnerFormCenter)
            CenterOnScreen();
        FitOnScreen();
        widget_->show();
        FitOnScreen();
        Fire(OnShow);
        activation::Shown(*this, true);
        return;
    }
    BringToFront();
    activation::Shown(*this, false);
}

void TForm::BringToFront() {
    if (widget_->isMinimized()) widget_->showNormal();
    widget_->raise();
    widget_->activateWindow();
}

void TForm::HideWindow() {
    if (!widget_->isVisible()) {
        activation::Hidden(*this);
        return;
    }
    HideWindowsBeside();
    widget_->hide();
    if (widget_->parentWidget()) widget_->setParent(nullptr, widget_->windowFlags());
    Fire(OnHide);
    activation::Hidden(*this);
}

// Windows shown beside this one hang under it (ShowWindow) and go with it. They leave the order of
// windows without activation events, so that this window's closing activates the one below it.
void TForm::HideWindowsBeside() {
    for (FormWidget* child : WindowsHungUnder(*widget_)) {
        activation::Forget(child->Owner());
        child->Owner().HideWindow();
    }
}

void TForm::CenterOnScreen() {
    widget_->adjustSize();
    const QRect area = AvailableArea(*widget_);
    if (area.isEmpty()) return;
    widget_->move(area.center() - widget_->rect().center());
}

// A window never reaches beyond the screen's available area: a resizable one is made smaller to fit,
// and one that was placed (moved or centred) is moved inside. A window never placed is left to the
// desktop, which puts it inside by itself. Once shown, the frame counts too.
void TForm::FitOnScreen() {
    if (!widget_->isVisible() && !widget_->testAttribute(Qt::WA_Resized)) widget_->adjustSize();
    const QRect area = AvailableArea(*widget_);
    if (area.isEmpty()) return;
    const QSize frame = widget_->frameGeometry().size() - widget_->size();
    const QSize room = area.size() - frame;
    if (widget_->width() > room.width() || widget_->height() > room.height())
        widget_->resize(widget_->size().boundedTo(room).expandedTo(widget_->minimumSize()));
    if (!widget_->testAttribute(Qt::WA_Moved)) return;
    const QSize outer = widget_->frameGeometry().size();
    const int left =
        std::clamp(widget_->x(), area.left(), std::max(area.left(), area.right() + 1 - outer.width()));
    const int top =
        std::clamp(widget_->y(), area.top(), std::max(area.top(), area.bottom() + 1 - outer.height()));
    if (left != widget_->x() || top != widget_->y()) widget_->move(left, top);
}

int TForm::ShowModal() {
    // A window already on the screen (a second press of what opened it) is brought to the front; the
    // show under way goes on, and this one ends at once as cancelled.
    if (modal_ || widget_->isVisible()) {
        if (modal_)
            BringToFront();
        else
            ShowWindow();
        return mrCancel;
    }
    modal_ = true;
    modalResult_ = mrNone;
    widget_->setWindowModality(Qt::ApplicationModal);
    ShowWindow();
    CloseModal();
    HideWindow();
    widget_->setWindowModality(Qt::NonModal);
    modal_ = false;
    return modalResult_;
}

// Waits for a modal result; OnClose may refuse it, and then the window waits again (only while a
// person is there to answer: a recording host ends the show at once).
void TForm::CloseModal() {
    UiHost& host = CurrentUiHost();
    for (;;) {
        if (modalResult_ == mrNone) host.RunModal(*this);
        if (modalResult_ == mrNone) modalResult_ = mrCancel;
        TCloseAction action = caHide;
        if (AskClose(action) || !host.WaitsForPeople() || (Application && Application->Terminated())) return;
        modalResult_ = mrNone;
    }
}

bool TForm::AskClose(TCloseAction& action) {
    Fire(OnClose, action);
    return action != caNone;
}

void TForm::RunModalLoop() {
    QEventLoop loop;
    modalLoop_ = &loop;
    while (modalResult_ == mrNone && !(Application && Application->Terminated()))
        loop.exec(QEventLoop::DialogExec);
    modalLoop_ = nullptr;
}

void TForm::SetModalResult(TModalResult result) {
    modalResult_ = result;
    if (result != mrNone && modalLoop_) modalLoop_->quit();
}

void TForm::Close() {
    if (modal_) {
        SetModalResult(mrCancel);
        return;
    }
    TCloseAction action = caHide;
    if (!AskClose(action)) return;
    if (Application && Application->MainForm() == this)
        Application->Terminate();
    else
        HideWindow();
}

void TForm::Hide() {
    if (modal_) {
        SetModalResult(mrCancel);
        return;
    }
    HideWindow();
}

// Paints at once. A window shown a moment ago may not be on the screen yet: the events that put it
// there are handled first (for a short while at most), so that what follows, often a wait, never
// leaves it black or stale.
void TForm::Repaint() {
    if (!widget_->isVisible()) return;
    QWindow* window = widget_->window()->windowHandle();
    const int64_t deadline = MonotonicMs() + ExposeWaitMs;
    while (window && !window->isExposed() && MonotonicMs() < deadline)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
    widget_->repaint();
}

TControl* TForm::ActiveControl() const {
    QWidget* focus = widget_->focusWidget();
    while (focus && focus != widget_.get()) {
        if (auto* control = static_cast<TControl*>(focus->property("kaltorControl").value<void*>()))
            return control;
        focus = focus->parentWidget();
    }
    return nullptr;
}

void TForm::SetActiveControl(TControl& control) {
    control.SetFocus();
}

void TForm::SetFocus() {
    widget_->activateWindow();
    widget_->setFocus(Qt::OtherFocusReason);
}

void TForm::SetMenu(TMainMenu& menu) {
    frameLayout_->setMenuBar(menu.Bar());
    static_cast<ClientArea*>(client_)->SetMenuBar(menu.Bar());
}

void TForm::SetStatusBar(TStatusBar& bar) {
    frameLayout_->addWidget(bar.Widget());
    bar.Placed();
}

std::string TForm::ClassName() const {
    const char* mangled = typeid(*this).name();
    int status = 0;
    char* demangled = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
    std::string name = status == 0 && demangled ? demangled : mangled;
    std::free(demangled);
    const auto colon = name.rfind("::");
    return colon == std::string::npos ? name : name.substr(colon + 2);
}

std::string TForm::Name() const {
    if (!name_.empty()) return name_;
    std::string name = ClassName();
    return name.size() > 1 && name[0] == 'T' ? name.substr(1) : name;
}

QWidget* TForm::Widget() const {
    return widget_.get();
}
QWidget* TForm::ClientWidget() const {
    return client_;
}

TForm* TForm::FormOf(const QWidget* widget) {
    if (!widget) return nullptr;
    auto* window = dynamic_cast<FormWidget*>(widget->window());
    return window ? &window->Owner() : nullptr;
}

void TForm::EscapePressed() {
    for (auto* button : widget_->findChildren<QPushButton*>()) {
        if (button->property("kaltorCancel").toBool() && button->isVisible() && button->isEnabled() &&
            TForm::FormOf(button) == this) {
            button->click();
            return;
        }
    }
}

bool TForm::PreviewKey(WORD& key, TShiftState shift) {
    if (!keyPreview_ || !OnKeyDown) return false;
    Fire(OnKeyDown, key, shift);
    return key == 0;
}
