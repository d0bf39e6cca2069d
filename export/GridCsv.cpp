#include "export/GridCsv.h"

#include "grid/FlexGridModel.h"

#include <QSaveFile>

namespace {

bool needsQuotes(const QString& text) {
    for (const QChar c : text) {
        if (c == u',' || c == u'"' || c == u'\n' || c == u'\r')
            return true;
    }
    return false;
}

} // namespace

QString GridCsv::field(const QString& text) {
    if (!needsQuotes(text))
        return text;
    QString quoted = text;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QByteArray GridCsv::document(const FlexGridModel& model) {
    QString csv;
    for (int row = 0; row < model.rows(); ++row) {
        for (int col = 0; col < model.cols(); ++col) {
            if (col > 0)
                csv += u',';
            csv += field(model.text(row, col));
        }
        csv += QStringLiteral("\r\n");
    }
    return csv.toUtf8();
}

QString GridCsv::save(const FlexGridModel& model, const QString& path) {
    return saveWhole(document(model), path);
}

QString GridCsv::saveWhole(const QByteArray& bytes, const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(bytes) != bytes.size() || !file.commit())
        return file.errorString();
    return {};
}
