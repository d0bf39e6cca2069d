#include "windows/DatedAmountTable.h"

#include "loan/Calendar.h"
#include "numbers/NumberText.h"
#include "numbers/RuntimeError.h"
#include "windows/WindowColours.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QStyledItemDelegate>

namespace {

// The editors: amounts take digits and one decimal point, years digits only.
class DatedAmountDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            const QString keys = index.column() == DatedAmountTable::AmountColumn ? QStringLiteral("[0-9]*\\.?[0-9]*")
                                 : index.column() == DatedAmountTable::YearColumn ? QStringLiteral("[0-9]{0,5}")
                                                                                  : QString();
            if (!keys.isEmpty())
                line->setValidator(new QRegularExpressionValidator(QRegularExpression(keys), line));
        }
        return editor;
    }
};

} // namespace

DatedAmountTable::DatedAmountTable(const QString& amountHeader, const QString& rowName, const QString& amountWords,
                                   const QString& noAmount, QWidget* parent)
    : QTableWidget(0, ColumnCount, parent)
    , m_rowName(rowName)
    , m_amountWords(amountWords)
    , m_noAmount(noAmount) {
    setHorizontalHeaderLabels({QStringLiteral("Year"), QStringLiteral("Month"), amountHeader});
    setItemDelegate(new DatedAmountDelegate(this));
    horizontalHeader()->setStretchLastSection(true);
    verticalHeader()->hide();
    setTabKeyNavigation(false);
}

DatedAmountTable::Reading DatedAmountTable::read() {
    Reading reading;
    const QSignalBlocker blocker(this);
    for (int row = 0; row < rowCount(); ++row) {
        const auto text = [&](int column) {
            const QTableWidgetItem* cell = item(row, column);
            return cell ? cell->text() : QString();
        };
        QStringList rowProblems;
        Entry entry;
        entry.row = row;
        bool yearRead = false;
        entry.year = text(YearColumn).trimmed().toLongLong(&yearRead);
        if (!yearRead)
            rowProblems << QStringLiteral("its year \"%1\" is not a year").arg(text(YearColumn));
        entry.month = Calendar::monthFromText(text(MonthColumn));
        if (entry.month == 0)
            rowProblems << QStringLiteral("its month \"%1\" is not a month").arg(text(MonthColumn));
        if (text(AmountColumn).trimmed().isEmpty()) {
            rowProblems << m_noAmount;
        } else {
            try {
                entry.amount = readAmount(text(AmountColumn), m_amountWords);
            } catch (const RuntimeError& error) {
                rowProblems << error.message();
            }
        }
        shade(row, rowProblems.isEmpty() ? 0 : WindowColours::kUnreadRow);
        if (rowProblems.isEmpty())
            reading.entries.push_back(entry);
        else
            reading.problems << QStringLiteral("In %1 %2, %3.")
                                    .arg(m_rowName, QString::number(row + 1), rowProblems.join(QStringLiteral("; ")));
    }
    return reading;
}

void DatedAmountTable::addDatedRow(std::int64_t year, int month) {
    const int row = rowCount();
    {
        const QSignalBlocker blocker(this);
        insertRow(row);
        setItem(row, YearColumn, new QTableWidgetItem(QString::number(year)));
        setItem(row, MonthColumn, new QTableWidgetItem(Calendar::monthName(month)));
        setItem(row, AmountColumn, new QTableWidgetItem());
    }
    setCurrentCell(row, AmountColumn);
    setFocus();
    editItem(item(row, AmountColumn));
}

void DatedAmountTable::markLeftOut(int row) {
    const QSignalBlocker blocker(this);
    shade(row, WindowColours::kLeftOutRow);
}

void DatedAmountTable::shade(int row, QRgb colour) {
    for (int column = 0; column < ColumnCount; ++column) {
        if (QTableWidgetItem* cell = item(row, column))
            cell->setBackground(colour == 0 ? QBrush() : QBrush(QColor(colour)));
    }
}
