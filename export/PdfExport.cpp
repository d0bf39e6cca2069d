#include "export/PdfExport.h"

#include "export/PrintLayout.h"
#include "grid/FlexGrid.h"

#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

PdfExport::Outcome PdfExport::write(const FlexGrid& grid, const QString& path, const QPageLayout& pageLayout,
                                    const GridPainter::Progress& progress) {
    const PrintLayout layout(*grid.gridModel(), pageLayout.paintRect(QPageLayout::Point).size());
    return writeWith(path, pageLayout, QStringLiteral("Loan schedule"),
                     [&](QPainter& painter, QPagedPaintDevice& device) {
                         return GridPainter(grid, layout).paint(painter, device, progress);
                     });
}

PdfExport::Outcome PdfExport::writeWith(const QString& path, const QPageLayout& pageLayout, const QString& title,
                                        const PagePainter& paint) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {Outcome::Status::Failed, file.errorString()};
    {
        QPdfWriter writer(&file);
        writer.setPageLayout(pageLayout);
        writer.setCreator(QStringLiteral("Pellmarsh"));
        writer.setTitle(title);
        QPainter painter;
        if (!painter.begin(&writer))
            return {Outcome::Status::Failed, QStringLiteral("The PDF could not be started.")};
        const bool finished = paint(painter, writer);
        painter.end();
        // The unfinished file is never committed: QSaveFile throws it away.
        if (!finished)
            return {Outcome::Status::Cancelled, {}};
    }
    if (!file.commit())
        return {Outcome::Status::Failed, file.errorString()};
    return {};
}
