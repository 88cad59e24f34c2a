#include "ui/backgroundtask.h"

#include <QCoreApplication>

namespace yuedu::ui {

QPointer<QThread> startBackgroundTask(QObject *owner, std::function<void()> work,
                                      std::function<void()> finished) {
    QThread *thread = QThread::create(std::move(work));
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    if (finished)
        QObject::connect(thread, &QThread::finished, owner ? owner : thread,
                         [finished = std::move(finished)] { finished(); });
    // A worker cancelled by its caller may still run when the program ends: let it finish.
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, thread, [thread] { thread->wait(); });
    if (owner)
        QObject::connect(owner, &QObject::destroyed, thread, [thread] { thread->wait(); });
    thread->start();
    return thread;
}

void waitForTask(const QPointer<QThread> &task) {
    if (task)
        task->wait();
}

} // namespace yuedu::ui
