#pragma once
// "匯出…": asks where to write a result and writes it whole (a temporary file, then a rename),
// telling the user when that fails.
#include <QString>
#include <QWidget>
#include <string>

namespace yuedu {

// Writes bytes to path; on failure returns false and the reason in *error.
bool writeExportFile(const QString &path, const std::string &bytes, QString *error);

// Shows the save dialog (suggestedName in the user's documents folder, the given filter) and
// writes bytes to the chosen file; a failure is shown in a message box. Returns the path
// written, empty when cancelled or failed.
QString exportWithDialog(QWidget *parent, const QString &suggestedName, const QString &filter,
                         const std::string &bytes);

} // namespace yuedu
