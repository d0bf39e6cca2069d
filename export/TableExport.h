#pragma once

#include "export/PdfExport.h"

#include <QByteArray>
#include <QPageLayout>
#include <QString>

class QAbstractItemModel;
class QPagedPaintDevice;
class QPainter;

// Any table model taken out of the program as it shows it: the horizontal header as the first row, then
// every row's display texts. A row the model shows in bold (its font role) stays bold in HTML and on paper.
namespace TableExport {

// Tab-separated, one line per row ending with a line feed; a text holding a tab, a line break or a
// leading double quote goes in double quotes, as spreadsheets read it back as one cell.
QString plainText(const QAbstractItemModel& model);
// An HTML table with a header row.
QString html(const QAbstractItemModel& model);
// Both forms on the clipboard.
void copy(const QAbstractItemModel& model);

// CSV (RFC 4180) in UTF-8, records ended by CR LF.
QByteArray csv(const QAbstractItemModel& model);
// Written through a save file; returns the reason for a failure, as the system gives it, or an empty text.
QString saveCsv(const QAbstractItemModel& model, const QString& path);

// The table on pages: the title above the first page's rows, the header row at the top of every page,
// "Page N of M" at the foot. The painter is active on the device.
void paint(const QAbstractItemModel& model, const QString& title, QPainter& painter, QPagedPaintDevice& device);
// The same pages as a PDF file, written through a save file.
PdfExport::Outcome writePdf(const QAbstractItemModel& model, const QString& title, const QString& path,
                            const QPageLayout& pageLayout);

} // namespace TableExport
