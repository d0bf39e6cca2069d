#pragma once

#include <QString>

#include <functional>

class QWidget;

// Asks the user for the file to write: the dialog's title, the proposed path and the name filter; an
// empty answer cancels. Tests put their own answer in place of the dialog.
using FileChooser = std::function<QString(const QString& title, const QString& proposed, const QString& filter)>;

namespace FileChoosers {

// The desktop's save dialog, on `parent`.
FileChooser saveDialog(QWidget& parent);
// `name` in the user's documents folder: "loan-schedule.csv".
QString inDocuments(const QString& name);
// The words shown when a file could not be written, in a window's box or on standard error.
QString failureText(const QString& path, const QString& reason);

} // namespace FileChoosers
