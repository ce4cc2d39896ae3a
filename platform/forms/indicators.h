#pragma once
// Controls that show a state: shape, status bar, progress bar, gauge and picture.
#include <string>
#include <vector>

#include "platform/forms/control.h"
#include "platform/forms/events.h"
#include "platform/forms/types.h"

class QStatusBar;
class QLabel;
class QProgressBar;

// A filled figure; white brush, black pen, a rectangle by default.
class TShape : public TControl {
public:
    TShape();
    TColor BrushColor() const { return brushColor_; }
    void SetBrushColor(TColor color);
    TColor PenColor() const { return penColor_; }
    void SetPenColor(TColor color);
    TShapeType Shape() const { return shape_; }
    void SetShape(TShapeType shape);

private:
    friend class ShapeWidget;
    TColor brushColor_ = clWhite;
    TColor penColor_ = clBlack;
    TShapeType shape_ = stRectangle;
};

// The bar at the bottom of a window (TForm::SetStatusBar). With SimplePanel, or without panels, it
// shows SimpleText; else its panels, each with a text and a width in pixels. The last panel reaches
// to the right end of the bar, whatever its width.
class TStatusBar : public TControl {
public:
    TStatusBar();
    bool SimplePanel() const { return simplePanel_; }
    void SetSimplePanel(bool simple);
    std::string SimpleText() const { return simpleText_; }
    void SetSimpleText(const std::string& text);
    // Adds a panel and returns its index.
    int AddPanel(int width = 50, const std::string& text = "");
    int PanelCount() const { return static_cast<int>(panels_.size()); }
    std::string PanelText(int index) const;
    void SetPanelText(int index, const std::string& text);
    int PanelWidth(int index) const;
    void SetPanelWidth(int index, int width);

private:
    void Arrange();
    QLabel& Panel(int index) const;
    QStatusBar* bar_;
    QLabel* simpleLabel_;
    std::vector<QLabel*> panels_;
    std::vector<int> widths_;
    std::string simpleText_;
    bool simplePanel_ = false;
};

class TProgressBar : public TControl {
public:
    TProgressBar();
    int Min() const;
    void SetMin(int min);
    int Max() const;
    void SetMax(int max);
    int Position() const;
    void SetPosition(int position); // kept within Min..Max

private:
    QProgressBar* bar_;
};

// A horizontal bar filled to Progress between MinValue and MaxValue, with the percentage written in
// it; black on white by default.
class TGauge : public TControl {
public:
    TGauge();
    int MinValue() const { return minValue_; }
    void SetMinValue(int value);
    int MaxValue() const { return maxValue_; }
    void SetMaxValue(int value);
    int Progress() const { return progress_; }
    void SetProgress(int value); // kept within MinValue..MaxValue
    int PercentDone() const;
    TColor ForeColor() const { return foreColor_; }
    void SetForeColor(TColor color);
    TColor BackColor() const { return backColor_; }
    void SetBackColor(TColor color);

private:
    friend class GaugeWidget;
    void Changed();
    int minValue_ = 0;
    int maxValue_ = 100;
    int progress_ = 0;
    TColor foreColor_ = clBlack;
    TColor backColor_ = clWhite;
};

// A picture; LoadFromFile raises EInvalidGraphic when the file is not a picture.
class TImage : public TControl {
public:
    TImage();
    void LoadFromFile(const std::string& path);
    void Clear();
    bool Empty() const;
    int PictureWidth() const;
    int PictureHeight() const;
    // Scales the picture to the control's size.
    void SetStretch(bool stretch);
    TNotifyEvent OnClick;

private:
    QLabel* label_;
};
