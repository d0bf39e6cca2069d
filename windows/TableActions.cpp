#include "windows/TableActions.h"

#include "export/PrintLayout.h"
#include "export/TableExport.h"
#include "windows/MessagePath.h"
#include "windows/ToolWindow.h"

#include <QHBoxLayout>
#include <QLocale>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

TableActions::TableActions(const QAbstractItemModel& model, const QString& what, const QString& fileStem,
                           std::function<QString()> title, ToolWindow& window)
    : m_model(model)
    , m_what(what)
    , m_fileStem(fileStem)
    , m_title(std::move(title))
    , m_window(window) {
    auto* buttons = new QHBoxLayout(this);
    buttons->setContentsMargins(0, 0, 0, 0);
    copyButton = new QPushButton(QStringLiteral("&Copy"), this);
    csvButton = new QPushButton(QStringLiteral("&Save as CSV\u2026"), this);
    printButton = new QPushButton(QStringLiteral("&Print\u2026"), this);
    pdfButton = new QPushButton(QStringLiteral("&Export as PDF\u2026"), this);
    for (QPushButton* button : {copyButton, csvButton, printButton, pdfButton})
        buttons->addWidget(button);
    buttons->addStretch();
    connect(copyButton, &QPushButton::clicked, this, &TableActions::copy);
    connect(csvButton, &QPushButton::clicked, this, &TableActions::saveCsv);
    connect(printButton, &QPushButton::clicked, this, &TableActions::print);
    connect(pdfButton, &QPushButton::clicked, this, &TableActions::exportPdf);
}

QString TableActions::chooseFile(const QString& verb, const QString& suffix, const QString& filter) const {
    return m_window.fileChooser()(QStringLiteral("%1 %2 as %3").arg(verb, m_what, suffix.toUpper()),
                                  FileChoosers::inDocuments(m_fileStem + u'.' + suffix), filter);
}

void TableActions::copy() {
    TableExport::copy(m_model);
}

void TableActions::saveCsv() {
    const QString path = chooseFile(QStringLiteral("Save"), QStringLiteral("csv"), QStringLiteral("CSV files (*.csv)"));
    if (path.isEmpty())
        return;
    if (const QString reason = TableExport::saveCsv(m_model, path); !reason.isEmpty())
        m_window.messages().report(m_window, FileChoosers::failureText(path, reason));
}

void TableActions::print() {
    QPrinter printer;
    printer.setPageLayout(PrintLayout::pageLayoutFor(QLocale()));
    QPrintDialog dialog(&printer, &m_window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QPainter painter;
    if (!painter.begin(&printer)) {
        m_window.messages().report(m_window, QStringLiteral("The printer could not be started."));
        return;
    }
    TableExport::paint(m_model, m_title(), painter, printer);
}

void TableActions::exportPdf() {
    const QString path =
        chooseFile(QStringLiteral("Export"), QStringLiteral("pdf"), QStringLiteral("PDF files (*.pdf)"));
    if (path.isEmpty())
        return;
    const PdfExport::Outcome outcome =
        TableExport::writePdf(m_model, m_title(), path, PrintLayout::pageLayoutFor(QLocale()));
    if (outcome.status == PdfExport::Outcome::Status::Failed)
        m_window.messages().report(m_window, FileChoosers::failureText(path, outcome.reason));
}
