#pragma once
// The one way the program writes a file it made (exports, results): whole or not at all (a
// temporary file, then a rename), and a failure told to the user in the same words everywhere.
#include <QString>
#include <string>

class QWidget;

namespace yuedu::ui {

// Writes bytes to path; on failure returns false and the reason in *error.
bool saveFile(const QString &path, const std::string &bytes, QString *error = nullptr);

// Writes bytes to path and shows a failure in a message box. Returns whether it was written.
bool saveAndReport(QWidget *parent, const QString &path, const std::string &bytes);

// Asks where to write (suggestedName in the user's documents folder, the given filter) and
// writes bytes there. Returns the path written, empty when cancelled or failed.
QString exportWithDialog(QWidget *parent, const QString &suggestedName, const QString &filter,
                         const std::string &bytes);

} // namespace yuedu::ui
