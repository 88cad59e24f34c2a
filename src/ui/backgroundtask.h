#pragma once
// The one way the program runs an analysis off the user-interface thread: the work runs on a
// thread of its own, and `finished` is called on the user-interface thread once it is done.
// The work must only touch objects it owns (shared pointers it captured) and read-only data
// that outlives owner. When owner goes away, or the program ends, a worker still running is
// waited for, so it never reads data that is gone.
#include <QPointer>
#include <QThread>
#include <functional>

class QObject;

namespace yuedu::ui {

// Starts work; finished (if given) runs on owner's thread after it, unless owner is gone by
// then. Returns the thread, which deletes itself when done.
QPointer<QThread> startBackgroundTask(QObject *owner, std::function<void()> work,
                                      std::function<void()> finished = {});

// Waits for a task started above to end (nothing when it has ended already).
void waitForTask(const QPointer<QThread> &task);

} // namespace yuedu::ui
