#pragma once
// A main window with fake dialogs for the window tests, and helpers to drive it.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "app/appcontext.h"
#include "app/documentwindow.h"
#include "app/mainwindow.h"
#include "app/noticewindow.h"
#include "app/richtextbox.h"
#include "fakedialogs.h"

struct AppFixture {
    yuedu::app::AppContext context;
    std::unique_ptr<yuedu::app::MainWindow> main;
    FakeDialogs *dialogs = nullptr;

    explicit AppFixture(const std::function<void(yuedu::app::AppContext &)> &setup = {}) {
        if (setup)
            setup(context);
        main = std::make_unique<yuedu::app::MainWindow>(context);
        auto fake = std::make_unique<FakeDialogs>();
        dialogs = fake.get();
        main->setDialogs(std::move(fake));
        main->show();
    }

    void trigger(const char *name) {
        auto *a = main->findChild<QAction *>(QString::fromLatin1(name));
        QVERIFY2(a, name);
        a->trigger();
    }

    QList<yuedu::app::DocumentWindow *> documents() const {
        QList<yuedu::app::DocumentWindow *> out;
        for (QMdiSubWindow *s : main->mdiArea()->subWindowList())
            if (auto *d = qobject_cast<yuedu::app::DocumentWindow *>(s->widget()))
                if (!d->isClosed())
                    out << d;
        return out;
    }

    yuedu::app::RichTextBox *box() const { return main->activeTextBox(); }
};

// Presses the button of the notice window as soon as a modal notice is up.
inline void answerNoticeWith(const char *buttonName) {
    QTimer::singleShot(0, [name = QString::fromLatin1(buttonName)] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == QStringLiteral("frmTip") && w->isVisible())
                if (auto *b = w->findChild<QAbstractButton *>(name))
                    b->click();
    });
}

// The notice window that is up, if any.
inline yuedu::app::NoticeWindow *openNotice() {
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *n = qobject_cast<yuedu::app::NoticeWindow *>(w); n && n->isVisible())
            return n;
    return nullptr;
}

// Closes a notice a test left open, so the next test starts without one.
inline void closeOpenNotice() {
    if (yuedu::app::NoticeWindow *n = openNotice())
        n->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
