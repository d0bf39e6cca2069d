#include "windows/ScriptOutput.h"

#include "export/PrintLayout.h"
#include "export/TableExport.h"
#include "windows/FileChooser.h"

#include <QFile>
#include <QLocale>

#include <cstdio>

namespace {

void printTo(FILE* stream, const QString& text) {
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    std::fflush(stream);
}

bool writeStandardOutput(const QByteArray& bytes) {
    QFile out;
    return out.open(stdout, QIODevice::WriteOnly) && out.write(bytes) == bytes.size() && out.flush();
}

} // namespace

ScriptOutput::Table ScriptOutput::tableOf(const QAbstractItemModel& model, const QString& title) {
    return {[&model] { return TableExport::csv(model); },
            [&model](const QString& path) { return TableExport::saveCsv(model, path); },
            [&model, title](const QString& path) {
                return TableExport::writePdf(model, title, path, PrintLayout::pageLayoutFor(QLocale()));
            }};
}

int ScriptOutput::write(const Table& table) const {
    if (pdfFile) {
        const PdfExport::Outcome outcome = table.writePdf(*pdfFile);
        if (outcome.status != PdfExport::Outcome::Status::Written) {
            printError(FileChoosers::failureText(*pdfFile, outcome.reason) + u'\n');
            return kExitFailed;
        }
    }
    if (!csvFile)
        return kExitDone;
    if (csvFile->isEmpty() || *csvFile == QStringLiteral("-")) {
        if (summary)
            printOut(QStringLiteral("\n"));
        if (!writeStandardOutput(table.csv())) {
            printError(QStringLiteral("Could not write the standard output.\n"));
            return kExitFailed;
        }
        return kExitDone;
    }
    if (const QString reason = table.saveCsv(*csvFile); !reason.isEmpty()) {
        printError(FileChoosers::failureText(*csvFile, reason) + u'\n');
        return kExitFailed;
    }
    return kExitDone;
}

void ScriptOutput::printOut(const QString& text) {
    printTo(stdout, text);
}

void ScriptOutput::printError(const QString& text) {
    printTo(stderr, text);
}
