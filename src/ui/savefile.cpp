#include "ui/savefile.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QSaveFile>
#include <QStandardPaths>

namespace yuedu::ui {

bool saveFile(const QString &path, const std::string &bytes, QString *error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size()) ||
        !file.commit()) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}

bool saveAndReport(QWidget *parent, const QString &path, const std::string &bytes) {
    QString error;
    if (saveFile(path, bytes, &error))
        return true;
    QMessageBox::warning(parent, QStringLiteral("儲存"),
                         QStringLiteral("無法寫入檔案 %1：%2").arg(path, error));
    return false;
}

QString exportWithDialog(QWidget *parent, const QString &suggestedName, const QString &filter,
                         const std::string &bytes) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString path = QFileDialog::getSaveFileName(parent, QStringLiteral("匯出"),
                                                      QDir(folder).filePath(suggestedName), filter);
    if (path.isEmpty() || !saveAndReport(parent, path, bytes))
        return {};
    return path;
}

} // namespace yuedu::ui
