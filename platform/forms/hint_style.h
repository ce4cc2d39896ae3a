#pragma once
// A control's hint in a colour of its own, hidden after a while and shown again at an interval while
// the pointer rests on the control; Qt's own tooltip offers neither.
#include "platform/forms/types.h"

class QWidget;
class TControl;

struct HintStyle {
    TColor Color;      // the hint's background
    unsigned ShowMs;   // how long the hint stays
    unsigned ReshowMs; // the hint is shown again this long after it was shown
};

// The control's hint text stays its Hint(); the waits run through the clock's time scale.
void SetHintStyle(TControl& control, const HintStyle& style);
// The window that shows the control's styled hint; nullptr when it has no style.
QWidget* StyledHintWindow(const TControl& control);
