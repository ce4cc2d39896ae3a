#pragma once
// A wrapper around the delivery of every event to its receiver (the receiver's event filters and its
// own processing): deliver runs that delivery once and returns its result. The kit's window hook sees
// events before and after a control's processing through it. One wrapper at a time; none by default.
#include <functional>

class QEvent;
class QObject;

using TEventDeliveryWrapper =
    std::function<bool(QObject* receiver, QEvent* event, const std::function<bool()>& deliver)>;
void SetEventDeliveryWrapper(TEventDeliveryWrapper wrapper);
