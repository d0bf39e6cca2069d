#include "app/ExportActions.h"

#include "app/Form1.h"
#include "export/GridCsv.h"
#include "export/GridPainter.h"
#include "export/PdfExport.h"
#include "export/PrintLayout.h"
#include "grid/FlexGrid.h"
#include "windows/EventBoundary.h"

#include <QAction>
#include <QDir>
#include <QLocale>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>

namespace {

// A PDF export shows its progress once it has taken this long.
constexpr int kProgressDelayMilliseconds = 500;

} // namespace

ExportActions::ExportActions(Form1& form)
    : QObject(&form)
    , m_form(form)
    , m_chooseFile(FileChoosers::saveDialog(form)) {
    addAction(QStringLiteral("Save as CSV…"), QKeySequence(Qt::CTRL | Qt::Key_S), &ExportActions::saveCsv);
    addAction(QStringLiteral("Print…"), QKeySequence(Qt::CTRL | Qt::Key_P), &ExportActions::print);
    addAction(QStringLiteral("Export as PDF…"), QKeySequence(), &ExportActions::exportPdf);
}

void ExportActions::addAction(const QString& text, const QKeySequence& shortcut, void (ExportActions::*handler)()) {
    auto* action = new QAction(text, m_form.MSHFlexGrid1);
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this,
            [this, handler] { EventBoundary::run(m_form.messages(), m_form, [&] { (this->*handler)(); }); });
    m_form.MSHFlexGrid1->addAction(action);
}

void ExportActions::setFileChooser(FileChooser chooser) {
    m_chooseFile = std::move(chooser);
}

QString ExportActions::proposedPath(const QString& suffix) {
    return FileChoosers::inDocuments(QStringLiteral("loan-schedule.") + suffix);
}

void ExportActions::reportFailure(const QString& path, const QString& reason) {
    m_form.messages().report(m_form, FileChoosers::failureText(path, reason));
}

void ExportActions::saveCsv() {
    const QString path = m_chooseFile(QStringLiteral("Save as CSV"), proposedPath(QStringLiteral("csv")),
                                      QStringLiteral("CSV files (*.csv)"));
    if (path.isEmpty())
        return;
    const QString reason = GridCsv::save(*m_form.MSHFlexGrid1->gridModel(), path);
    if (!reason.isEmpty())
        reportFailure(path, reason);
}

void ExportActions::print() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(PrintLayout::pageLayoutFor(QLocale()));
    QPrintPreviewDialog preview(&printer, &m_form);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* target) {
        QPainter painter(target);
        const PrintLayout layout(*m_form.MSHFlexGrid1->gridModel(),
                                 target->pageLayout().paintRect(QPageLayout::Point).size());
        GridPainter(*m_form.MSHFlexGrid1, layout).paint(painter, *target);
    });
    preview.exec();
}

void ExportActions::exportPdf() {
    const QString path = m_chooseFile(QStringLiteral("Export as PDF"), proposedPath(QStringLiteral("pdf")),
                                      QStringLiteral("PDF files (*.pdf)"));
    if (path.isEmpty())
        return;
    QProgressDialog progress(QStringLiteral("Writing %1…").arg(QDir::toNativeSeparators(path)),
                             QStringLiteral("Cancel"), 0, 1, &m_form);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(kProgressDelayMilliseconds);
    const PdfExport::Outcome outcome = PdfExport::write(
        *m_form.MSHFlexGrid1, path, PrintLayout::pageLayoutFor(QLocale()), [&](int pagesDone, int pageCount) {
            progress.setMaximum(pageCount);
            progress.setValue(pagesDone);
            return !progress.wasCanceled();
        });
    progress.reset();
    if (outcome.status == PdfExport::Outcome::Status::Failed)
        reportFailure(path, outcome.reason);
}
