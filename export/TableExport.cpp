#include "export/TableExport.h"

#include "export/GridClipboard.h"
#include "export/GridCsv.h"

#include <QAbstractItemModel>
#include <QClipboard>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QMimeData>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <vector>

namespace TableExport {

namespace {

constexpr double kFontPoints = 9.0;
constexpr double kCellPaddingPoints = 4.0;

QString headerText(const QAbstractItemModel& model, int column) {
    return model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
}

QString cellText(const QAbstractItemModel& model, int row, int column) {
    return model.data(model.index(row, column), Qt::DisplayRole).toString();
}

bool isBold(const QAbstractItemModel& model, int row) {
    const QVariant font = model.data(model.index(row, 0), Qt::FontRole);
    return font.isValid() && font.value<QFont>().bold();
}

bool isNumeric(const QAbstractItemModel& model, int row, int column) {
    const QVariant alignment = model.data(model.index(row, column), Qt::TextAlignmentRole);
    return alignment.isValid() && (Qt::Alignment(alignment.toInt()) & Qt::AlignRight);
}

// Every row, the header first, as texts.
template <class Field>
QString joined(const QAbstractItemModel& model, QChar separator, const QString& end, Field field) {
    QString out;
    const int columns = model.columnCount();
    for (int row = -1; row < model.rowCount(); ++row) {
        for (int column = 0; column < columns; ++column) {
            if (column > 0)
                out += separator;
            out += field(row < 0 ? headerText(model, column) : cellText(model, row, column));
        }
        out += end;
    }
    return out;
}

// Pages painted one row at a time, every column as wide as its widest text.
class TablePainter {
public:
    TablePainter(const QAbstractItemModel& model, const QString& title, QPainter& painter, QPagedPaintDevice& device)
        : m_model(model)
        , m_title(title)
        , m_painter(painter)
        , m_device(device) {}

    void paint() {
        // The painter works in points. A font's point size is turned into device pixels by the device's
        // resolution, and the painter's scale would turn it again, so it is given in points over that scale.
        const double pointsToDevice = m_device.logicalDpiY() / 72.0;
        m_painter.save();
        m_painter.scale(pointsToDevice, pointsToDevice);
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPointSizeF(kFontPoints / pointsToDevice);
        m_regular = font;
        font.setBold(true);
        m_bold = font;
        measure();

        const QRectF page = m_device.pageLayout().paintRect(QPageLayout::Point);
        const double width = page.width();
        const double bottom = page.height() - m_rowHeight * 2; // room for the footer
        const double scale = std::min(1.0, width / std::max(1.0, m_tableWidth));
        const double rowHeight = m_rowHeight * scale;
        const int rowsOnFirstPage = std::max(1, int((bottom - rowHeight * 3) / rowHeight));
        const int rowsPerPage = std::max(1, int((bottom - rowHeight) / rowHeight));
        const int rows = m_model.rowCount();
        const int pageCount =
            rows <= rowsOnFirstPage ? 1 : 1 + (rows - rowsOnFirstPage + rowsPerPage - 1) / rowsPerPage;

        int row = 0;
        for (int pageNumber = 1; pageNumber <= pageCount; ++pageNumber) {
            if (pageNumber > 1)
                m_device.newPage();
            m_painter.save();
            m_painter.scale(scale, scale);
            double top = 0;
            if (pageNumber == 1) {
                m_painter.setFont(m_bold);
                m_painter.drawText(QRectF(0, 0, m_tableWidth, m_rowHeight * 2), Qt::AlignLeft | Qt::AlignVCenter,
                                   m_title);
                top = m_rowHeight * 2;
            }
            paintRow(-1, top);
            top += m_rowHeight;
            const int end = std::min(rows, row + (pageNumber == 1 ? rowsOnFirstPage : rowsPerPage));
            for (; row < end; ++row, top += m_rowHeight)
                paintRow(row, top);
            m_painter.restore();
            m_painter.setFont(m_regular);
            m_painter.drawText(QRectF(0, bottom, width, m_rowHeight * 2), Qt::AlignCenter,
                               QStringLiteral("Page %1 of %2").arg(pageNumber).arg(pageCount));
        }
        m_painter.restore();
    }

private:
    void measure() {
        const QFontMetricsF metrics(m_bold, &m_device);
        m_rowHeight = metrics.height() + kCellPaddingPoints;
        const int columns = m_model.columnCount();
        m_widths.assign(std::size_t(columns), 0.0);
        for (int column = 0; column < columns; ++column) {
            double widest = metrics.horizontalAdvance(headerText(m_model, column));
            for (int row = 0; row < m_model.rowCount(); ++row)
                widest = std::max(widest, metrics.horizontalAdvance(cellText(m_model, row, column)));
            m_widths[std::size_t(column)] = widest + 2 * kCellPaddingPoints;
        }
        m_tableWidth = 0;
        for (const double w : m_widths)
            m_tableWidth += w;
    }

    void paintRow(int row, double top) {
        const bool header = row < 0;
        m_painter.setFont(header || isBold(m_model, row) ? m_bold : m_regular);
        double left = 0;
        for (int column = 0; column < int(m_widths.size()); ++column) {
            const double w = m_widths[std::size_t(column)];
            const QRectF cell(left, top, w, m_rowHeight);
            const bool right = !header && isNumeric(m_model, row, column);
            m_painter.drawText(cell.adjusted(kCellPaddingPoints, 0, -kCellPaddingPoints, 0),
                               (right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter,
                               header ? headerText(m_model, column) : cellText(m_model, row, column));
            left += w;
        }
        if (header)
            m_painter.drawLine(QPointF(0, top + m_rowHeight), QPointF(m_tableWidth, top + m_rowHeight));
    }

    const QAbstractItemModel& m_model;
    const QString& m_title;
    QPainter& m_painter;
    QPagedPaintDevice& m_device;
    QFont m_regular;
    QFont m_bold;
    std::vector<double> m_widths;
    double m_tableWidth = 0;
    double m_rowHeight = 0;
};

} // namespace

QString plainText(const QAbstractItemModel& model) {
    return joined(model, u'\t', QStringLiteral("\n"), GridClipboard::tabField);
}

QString html(const QAbstractItemModel& model) {
    QString out = QStringLiteral("<table>\n<tr>");
    for (int column = 0; column < model.columnCount(); ++column)
        out += QStringLiteral("<th>%1</th>").arg(headerText(model, column).toHtmlEscaped());
    out += QStringLiteral("</tr>\n");
    for (int row = 0; row < model.rowCount(); ++row) {
        out += QStringLiteral("<tr>");
        const bool bold = isBold(model, row);
        for (int column = 0; column < model.columnCount(); ++column) {
            QString text = cellText(model, row, column).toHtmlEscaped();
            if (bold)
                text = QStringLiteral("<b>%1</b>").arg(text);
            out += isNumeric(model, row, column) ? QStringLiteral("<td align=\"right\">%1</td>").arg(text)
                                                 : QStringLiteral("<td>%1</td>").arg(text);
        }
        out += QStringLiteral("</tr>\n");
    }
    return out + QStringLiteral("</table>\n");
}

void copy(const QAbstractItemModel& model) {
    auto* data = new QMimeData;
    data->setText(plainText(model));
    data->setHtml(html(model));
    QGuiApplication::clipboard()->setMimeData(data);
}

QByteArray csv(const QAbstractItemModel& model) {
    return joined(model, u',', QStringLiteral("\r\n"), GridCsv::field).toUtf8();
}

QString saveCsv(const QAbstractItemModel& model, const QString& path) {
    return GridCsv::saveWhole(csv(model), path);
}

void paint(const QAbstractItemModel& model, const QString& title, QPainter& painter, QPagedPaintDevice& device) {
    TablePainter(model, title, painter, device).paint();
}

PdfExport::Outcome writePdf(const QAbstractItemModel& model, const QString& title, const QString& path,
                            const QPageLayout& pageLayout) {
    return PdfExport::writeWith(path, pageLayout, title, [&](QPainter& painter, QPagedPaintDevice& device) {
        paint(model, title, painter, device);
        return true;
    });
}

} // namespace TableExport
