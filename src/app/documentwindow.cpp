#include "app/documentwindow.h"

#include <QCloseEvent>
#include <QDir>
#include <QFontMetrics>
#include <QMdiSubWindow>
#include <QStyle>
#include <QTextDocument>
#include <QVBoxLayout>

#include "app/richtextbox.h"
#include "langdata/scriptconvert.h"
#include "langdata/textcodec.h"

namespace yuedu::app {

DocumentWindow::DocumentWindow(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("fwordserch"));
    setWindowTitle(kUntitledCaption);
    m_box = new app::RichTextBox(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_box);
    setFocusProxy(m_box);
    connect(m_box, &app::RichTextBox::modificationChanged, this, &DocumentWindow::updateFrameTitle);
    // A new edit after an undone conversion drops it from the history: it cannot come back.
    connect(m_box->document(), &QTextDocument::undoCommandAdded, this, [this] {
        const int steps = m_box->document()->availableUndoSteps();
        std::erase_if(m_conversions, [steps](const Conversion &c) { return c.undoSteps >= steps; });
    });
    // Undo and redo move across a conversion: the status line follows, once the step is done.
    connect(
        m_box->document(), &QTextDocument::contentsChanged, this,
        [this] {
            const int inForce = conversionsInForce();
            if (inForce != m_shownConversions) {
                m_shownConversions = inForce;
                emit fileChanged();
            }
        },
        Qt::QueuedConnection);
    resize(480, 320);
}

void DocumentWindow::setFile(const QString &path, const doc::FileFormat &format) {
    m_path = path;
    m_format = format;
    setWindowTitle(path.isEmpty() ? kUntitledCaption
                                  : kOpenedCaption + QDir::toNativeSeparators(path));
    emit fileChanged();
}

void DocumentWindow::setResult(const QString &suggestedName) {
    m_path = suggestedName;
    m_format = {};
    setWindowTitle(kResultCaption + suggestedName);
    emit fileChanged();
}

QString DocumentWindow::displayName() const {
    return m_path.isEmpty() ? windowTitle() : QDir::toNativeSeparators(m_path);
}

bool DocumentWindow::showFile(const QString &path, const doc::DocumentFile &file) {
    m_box->showDocument(file.content.document);
    m_replaced = file.content.replaced;
    m_ambiguous = file.content.ambiguous;
    m_conversions.clear();
    m_shownConversions = 0;
    m_withoutRecordAsRead = file.format.plainText() && isSimplifiedEncoding(file.format.encoding)
                                ? hanziOutsideBig5(m_box->toPlainText().toStdU16String())
                                : 0;
    m_skipped = static_cast<int>(file.content.unsupported);
    m_skippedWarned = false;
    // Word, PDF and the like are not written here: the text is saved under a new name.
    const bool converted = file.content.kind == doc::DocumentKind::Converted;
    setFile(converted ? QString() : path, file.format);
    if (converted)
        setWindowTitle(kOpenedCaption + QDir::toNativeSeparators(path));
    return !file.content.truncated;
}

void DocumentWindow::noteConverted(std::size_t changed, std::size_t withoutRecord) {
    // A conversion that changed nothing added no undo step and cannot be undone.
    const int steps = m_box->document()->availableUndoSteps();
    m_conversions.push_back({changed > 0 ? steps : 0, changed, withoutRecord});
    m_shownConversions = conversionsInForce();
}

std::size_t DocumentWindow::hanziWithoutRecord() const {
    const int inForce = conversionsInForce();
    return inForce > 0 ? m_conversions[static_cast<std::size_t>(inForce) - 1].withoutRecord
                       : m_withoutRecordAsRead;
}

int DocumentWindow::conversionsInForce() const {
    const int steps = m_box->document()->availableUndoSteps();
    int n = 0;
    while (n < static_cast<int>(m_conversions.size()) &&
           m_conversions[static_cast<std::size_t>(n)].undoSteps <= steps)
        ++n;
    return n;
}

bool DocumentWindow::convertedToTraditional() const {
    return conversionsInForce() > 0;
}

std::size_t DocumentWindow::convertedChars() const {
    std::size_t changed = 0;
    for (int i = 0; i < conversionsInForce(); ++i)
        changed += m_conversions[static_cast<std::size_t>(i)].changed;
    return changed;
}

void DocumentWindow::markSaved() {
    m_replaced = 0;
    m_ambiguous = false;
    m_skipped = 0;
    m_box->document()->setModified(false);
}

bool DocumentWindow::isModified() const {
    return m_box->document()->isModified();
}

void DocumentWindow::discard() {
    m_discarding = true;
    if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget()))
        frame->close();
    else
        close();
}

void DocumentWindow::changeEvent(QEvent *event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowTitleChange || event->type() == QEvent::ParentChange)
        updateFrameTitle();
}

void DocumentWindow::updateFrameTitle() {
    auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget());
    if (!frame || !m_box)
        return;
    const QString mark = isModified() ? QStringLiteral("*") : QString();
    QString title = windowTitle();
    // A narrow frame shortens the folders of the path, never the file's own name.
    const QFontMetrics metrics(frame->font());
    const int buttons = 4 * frame->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, frame);
    const int room = frame->width() - buttons;
    const qsizetype slash = title.lastIndexOf(QDir::separator());
    if (room > 0 && slash > 0 && metrics.horizontalAdvance(mark + title) > room) {
        const QString name = title.mid(slash);
        const QString head = title.left(slash);
        title = metrics.elidedText(head, Qt::ElideMiddle,
                                   room - metrics.horizontalAdvance(mark + name)) +
                name;
    }
    frame->setWindowTitle(mark + title);
}

void DocumentWindow::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    updateFrameTitle();
}

void DocumentWindow::closeEvent(QCloseEvent *event) {
    if (!m_closed && !m_discarding && m_guard && !m_guard(this)) {
        event->ignore();
        return;
    }
    m_closed = true;
    QWidget::closeEvent(event);
    event->accept();
}

} // namespace yuedu::app
