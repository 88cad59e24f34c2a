#include "app/splashwindow.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

#include "app/appcontext.h"

namespace yuedu::app {

SplashWindow::SplashWindow(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmSplash"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xF4, 0xEE, 0xDC));
    setPalette(pal);

    QLabel *logo = label("imgLogo", QStringLiteral("閱"));
    QFont logoFont = logo->font();
    logoFont.setPointSize(54);
    logo->setFont(logoFont);
    logo->setStyleSheet(QStringLiteral("color:#8b1a1a; border:3px solid #8b1a1a; padding:6px;"));

    QLabel *product = label("lblProductName", kProgramTitle);
    QFont big = product->font();
    big.setPointSize(24);
    big.setBold(true);
    product->setFont(big);
    QLabel *version = label("lblVersion", versionText());
    QLabel *platform = label("lblPlatform", QStringLiteral("Windows 95/98"));
    QLabel *company = label("lblCompanyProduct", QStringLiteral("中文閱讀與詞彙研究"));
    QLabel *text1 = label("Label1", QStringLiteral("字、詞彙及文章屬性分析"));
    QLabel *design = label("Lbldesign", QStringLiteral("按 Enter 或按一下滑鼠繼續"));

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(24, 24, 24, 24);
    grid->addWidget(logo, 0, 0, 3, 1);
    grid->addWidget(company, 0, 1);
    grid->addWidget(product, 1, 1);
    grid->addWidget(text1, 2, 1);
    grid->addWidget(version, 3, 1, Qt::AlignRight);
    grid->addWidget(platform, 4, 1, Qt::AlignRight);
    grid->addWidget(design, 5, 0, 1, 2, Qt::AlignCenter);
    // Image1 .. Image7 are decorations; a few carry the dismissing click as well.
    auto *row = new QHBoxLayout;
    grid->addLayout(row, 6, 0, 1, 2);
    for (int k = 1; k <= 7; ++k) {
        auto *img = new QLabel(this);
        img->setObjectName(QStringLiteral("Image%1").arg(k));
        img->setFixedSize(14, 14);
        img->setAttribute(Qt::WA_NoMousePropagation);
        img->setStyleSheet(QStringLiteral("background:#c9a227; border-radius:7px;"));
        row->addWidget(img);
        if (k == 4 || k == 7)
            img->installEventFilter(this);
    }
    for (QLabel *l : {logo, company, design, product})
        l->installEventFilter(this);
}

QLabel *SplashWindow::label(const char *name, const QString &text) {
    auto *l = new QLabel(text, this);
    l->setObjectName(QString::fromLatin1(name));
    // Clicks on labels that do not dismiss the window must not reach it either.
    l->setAttribute(Qt::WA_NoMousePropagation);
    return l;
}

void SplashWindow::dismissWithWaitCursor() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    accept();
}

void SplashWindow::mousePressEvent(QMouseEvent *event) {
    event->accept();
    dismissWithWaitCursor();
}

bool SplashWindow::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::MouseButtonPress) {
        dismissWithWaitCursor();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void SplashWindow::keyPressEvent(QKeyEvent *event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool ctrlT = event->key() == Qt::Key_T && (event->modifiers() & Qt::ControlModifier);
    if (enter || ctrlT)
        accept();
    // Escape and every other key leave the window standing.
}

} // namespace yuedu::app
