// yuedu-iconwriter OUTDIR: writes the program's icon in every size it is painted in, in the
// layout of an icon theme (OUTDIR/<N>x<N>/apps/yuedu.png), for the install. Run at build time.
#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <cstdio>

#include "app/appcontext.h"

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: yuedu-iconwriter OUTDIR\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen"); // a build machine has no display
    QGuiApplication app(argc, argv);
    const QIcon icon = yuedu::app::programIcon();
    const QString root = QString::fromLocal8Bit(argv[1]);
    for (const QSize &size : icon.availableSizes()) {
        const QString dir =
            QStringLiteral("%1/%2x%3/apps").arg(root).arg(size.width()).arg(size.height());
        if (!QDir().mkpath(dir) || !icon.pixmap(size).save(dir + QStringLiteral("/yuedu.png"))) {
            std::fprintf(stderr, "yuedu-iconwriter: cannot write %s\n", qPrintable(dir));
            return 1;
        }
    }
    return 0;
}
