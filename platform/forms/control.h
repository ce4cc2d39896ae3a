#pragma once
// The base of every control: a Qt widget with the library's common properties.
//
// Controls are plain members of their window: constructed first, without a parent, and put into the
// window by the layout builders (layout.h). Until then they are never shown on their own. A control
// owns its widget; destroying either one is safe in any order.
#include <QPointer>
#include <QWidget>
#include <string>

class TForm;

class TControl {
public:
    TControl(const TControl&) = delete;
    TControl& operator=(const TControl&) = delete;
    virtual ~TControl();

    // The control's own flags, as set; a control inside a disabled group box keeps Enabled() true
    // but cannot be operated (see CanOperate()).
    bool Enabled() const;
    void SetEnabled(bool enabled);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Enabled here and in every parent, and not display-only: what a user could operate.
    bool CanOperate() const;
    // A display-only control (with everything inside it) shows its value in the normal colours but
    // takes no input: no clicks, keys, wheel or focus.
    bool DisplayOnly() const;
    void SetDisplayOnly(bool displayOnly);
    // At least wide enough for that many digits of the control's font; it may grow.
    void SetMinWidthChars(int chars);

    std::string Hint() const; // the tooltip
    void SetHint(const std::string& hint);
    std::string Name() const;
    void SetName(const std::string& name);

    // Geometry in pixels. The layout places controls; SetWidth/SetHeight ask for a fixed size.
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void SetWidth(int width);
    void SetHeight(int height);

    void SetFocus();
    bool Focused() const;
    void Repaint();
    // The window the control was laid out in, or nullptr.
    TForm* ParentForm() const;

    QWidget* Widget() const { return widget_; }
    // Called by the layout once the widget has its parent: applies the Visible flag.
    void Placed();

protected:
    explicit TControl(QWidget* widget);

private:
    QPointer<QWidget> widget_;
    bool visible_ = true;
};

// Conversions between the UTF-8 texts of the layer and Qt.
QString ToQ(const std::string& text);
std::string FromQ(const QString& text);
