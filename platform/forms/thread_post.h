#pragma once
// Runs a task on the thread that a Qt object lives on, through that thread's event loop; callable from
// any thread. Every task our code hands from a worker thread to the user-interface thread goes through
// here.
//
// Qt hands a posted event over under a lock inside its own library, which ThreadSanitizer cannot see
// in a Qt that was not built with it: every write made before the post would look like a race with the
// task reading it. In a ThreadSanitizer build, posting and the start of every event's delivery (see
// application.cpp) also take one lock of ours, so the sanitizer sees the hand-over that Qt makes and
// still checks everything else. Other builds leave that lock out.
#include <functional>

class QObject;

void PostToThreadOf(QObject* receiver, std::function<void()> task);

// Called by the event dispatch before it touches an event.
void AcceptPostedEvent();
