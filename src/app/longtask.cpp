#include "app/longtask.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>

#include "app/richtextbox.h"
#include "ui/backgroundtask.h"
#include <algorithm>
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
    QEventLoop loop;
    // The work reads data the window's owner keeps (the loaded tables): a window going away
    // waits for a cancelled worker still reading them.
    const QPointer<QThread> thread =
        ui::startBackgroundTask(parent, [work = std::move(work), finished] {
            work();
            finished->store(true);
        });
    if (thread)
        QObject::connect(thread, &QThread::finished, &loop, &QEventLoop::quit);

    QProgressDialog progress(label, QStringLiteral("取消"), 0, 0, parent);
    progress.setObjectName(QStringLiteral("analysisProgress"));
    progress.setWindowTitle(QStringLiteral("分析中"));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setAutoReset(false);

    QObject::connect(&progress, &QProgressDialog::canceled, &loop, &QEventLoop::quit);
    progress.show();
    if (!finished->load())
        loop.exec();
    progress.hide();
    // A cancel counts even when the work ended while the click waited its turn.
    return finished->load() && !progress.wasCanceled();
}

bool insertInSteps(QWidget *parent, app::RichTextBox *box, const QString &text,
                   long long threshold) {
    if (text.size() <= threshold) {
        box->setSelText(text);
        return true;
    }
    // Pieces end at a line break where there is one, so a CR LF is never cut in two.
    constexpr qsizetype kPiece = 64 * 1024;
    QProgressDialog progress(QStringLiteral("正在放入結果，請稍候……"), QStringLiteral("取消"), 0,
                             static_cast<int>(text.size() / 1024) + 1, parent);
    progress.setObjectName(QStringLiteral("insertProgress"));
    progress.setWindowTitle(QStringLiteral("放入結果"));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.show();
    qsizetype at = 0;
    while (at < text.size()) {
        qsizetype end = std::min(at + kPiece, text.size());
        if (end < text.size()) {
            const qsizetype lineEnd = text.lastIndexOf(u'\n', end - 1);
            if (lineEnd >= at)
                end = lineEnd + 1;
        }
        box->setSelText(text.mid(at, end - at));
        at = end;
        progress.setValue(static_cast<int>(at / 1024));
        QCoreApplication::processEvents();
        if (progress.wasCanceled())
            return false;
    }
    progress.hide();
    return true;
}

} // namespace yuedu::app
