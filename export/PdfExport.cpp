#include "export/PdfExport.h"

#include "export/PrintLayout.h"
#include "grid/FlexGrid.h"

#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

PdfExport::Outcome PdfExport::write(const FlexGrid& grid, const QString& path, const QPageLayout& pageLayout,
                                    const GridPainter::Progress& progress) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {Outcome::Status::Failed, file.errorString()};
    {
        QPdfWriter writer(&file);
        writer.setPageLayout(pageLayout);
        writer.setCreator(QStringLiteral("Pellmarsh"));
        writer.setTitle(QStringLiteral("Loan schedule"));
        QPainter painter;
        if (!painter.begin(&writer))
            return {Outcome::Status::Failed, QStringLiteral("The PDF could not be started.")};
        const PrintLayout layout(*grid.gridModel(), pageLayout.paintRect(QPageLayout::Point).size());
        const bool finished = GridPainter(grid, layout).paint(painter, writer, progress);
        painter.end();
        // The unfinished file is never committed: QSaveFile throws it away.
        if (!finished)
            return {Outcome::Status::Cancelled, {}};
    }
    if (!file.commit())
        return {Outcome::Status::Failed, file.errorString()};
    return {};
}
