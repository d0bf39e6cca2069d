#pragma once

#include "export/GridPainter.h"

#include <QPageLayout>
#include <QString>

#include <functional>

class FlexGrid;

// The grid's pages written as a PDF file. The file is written under a temporary name beside `path` and
// takes its place only once complete: a cancelled or failed export leaves no file behind, and an
// earlier file of that name as it was.
namespace PdfExport {

struct Outcome {
    enum class Status { Written, Cancelled, Failed };
    Status status = Status::Written;
    QString reason; // for a failure, as the system gives it
};

Outcome write(const FlexGrid& grid, const QString& path, const QPageLayout& pageLayout,
              const GridPainter::Progress& progress = {});

// Pages of any kind, drawn by `paint` into a PDF titled `title`, written the same way. `paint` returns
// false when the export was cancelled.
using PagePainter = std::function<bool(QPainter& painter, QPagedPaintDevice& device)>;
Outcome writeWith(const QString& path, const QPageLayout& pageLayout, const QString& title, const PagePainter& paint);

} // namespace PdfExport
