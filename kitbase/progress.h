#pragma once
// Driving any progress indicator without knowing its class: a process-wide registry maps control
// classes to the names of their maximum, minimum and position properties, and the setters write those
// properties through the table of published properties.
//
// The registry starts with the form layer's progress bar ("Max", "Min", "Position"). The entries are
// searched from the last to the first; the first whose class is the control's class or one of its
// ancestors wins, so a later registration overrides an earlier one.
#include <string>

#include "kitbase/published.h"

// Names longer than 63 characters are cut to 63.
void RegisterProgressControl(const TClassInfo& controlClass, const std::string& maxPropName,
                             const std::string& minPropName, const std::string& progressPropName);
// Removes every entry whose class is that class or derives from it.
void UnRegisterProgressControl(const TClassInfo& controlClass);
bool SupportsProgressControl(const TControl* control);

// True when the property was set. False for no control, no matching entry, or no property of that
// name of an integer, floating-point or variant kind. Floating-point and variant properties receive
// the value converted to their type.
bool SetProgressMax(TControl* control, int value);
bool SetProgressMin(TControl* control, int value);
bool SetProgressValue(TControl* control, int value);
