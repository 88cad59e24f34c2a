#include "app/longtask.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <atomic>
#include <memory>

namespace yuedu::app {

bool runLongTask(QWidget *parent, long long textLength, const QString &label,
                 std::function<void()> work, long long threshold) {
    if (textLength <= threshold) {
        work();
        return true;
    }
    auto finished = std::make_shared<std::atomic<bool>>(false);
    QThread *thread = QThread::create([work = std::move(work), finished] {
        work();
        finished->store(true);
    });
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    // A cancelled worker may still run when the program ends: let it finish first.
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, thread, [thread] { thread->wait(); });

    QProgressDialog progress(label, QStringLiteral("取消"), 0, 0, parent);
    progress.setObjectName(QStringLiteral("analysisProgress"));
    progress.setWindowTitle(QStringLiteral("分析中"));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setAutoReset(false);

    QEventLoop loop;
    QObject::connect(thread, &QThread::finished, &loop, &QEventLoop::quit);
    QObject::connect(&progress, &QProgressDialog::canceled, &loop, &QEventLoop::quit);
    thread->start();
    progress.show();
    if (!finished->load())
        loop.exec();
    progress.hide();
    return finished->load();
}

} // namespace yuedu::app
