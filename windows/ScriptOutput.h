#pragma once

#include "export/PdfExport.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

class QAbstractItemModel;

// What the command line was asked to write, and the one way every table is written: a summary on standard
// output, then the table as CSV (to its file, or to standard output when the file is empty or "-") or as a PDF.
// Failures go to standard error, worded as the windows word them.
class ScriptOutput {
public:
    static constexpr int kExitDone = 0;
    static constexpr int kExitFailed = 1;
    static constexpr int kExitUsage = 2;

    // How one table is written.
    struct Table {
        std::function<QByteArray()> csv;
        // Returns the reason for a failure, or an empty text.
        std::function<QString(const QString& path)> saveCsv;
        std::function<PdfExport::Outcome(const QString& path)> writePdf;
    };
    // A table model, with `title` above its first page's rows.
    static Table tableOf(const QAbstractItemModel& model, const QString& title);

    bool summary = false;
    std::optional<QString> csvFile;
    std::optional<QString> pdfFile;

    // The table as asked; after a summary on standard output, a CSV there follows an empty line. Returns the
    // exit status.
    int write(const Table& table) const;

    static void printOut(const QString& text);
    static void printError(const QString& text);
};
