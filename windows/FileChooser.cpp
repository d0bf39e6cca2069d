#include "windows/FileChooser.h"

#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>

namespace FileChoosers {

FileChooser saveDialog(QWidget& parent) {
    return [&parent](const QString& title, const QString& proposed, const QString& filter) {
        return QFileDialog::getSaveFileName(&parent, title, proposed, filter);
    };
}

QString inDocuments(const QString& name) {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)).filePath(name);
}

QString failureText(const QString& path, const QString& reason) {
    return QStringLiteral("Could not write %1: %2").arg(QDir::toNativeSeparators(path), reason);
}

} // namespace FileChoosers
