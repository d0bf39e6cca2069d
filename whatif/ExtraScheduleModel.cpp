#include "whatif/ExtraScheduleModel.h"

#include "loan/Calendar.h"
#include "numbers/Money.h"
#include "numbers/NumberText.h"
#include "windows/TableRoles.h"

#include <array>

namespace {

// Twelve month rows and a totals row to each year; only the last year can be shorter.
constexpr int kRowsPerYear = Calendar::kMonthsPerYear + 1;

} // namespace

void ExtraScheduleModel::setSchedule(ExtraSchedule schedule) {
    beginResetModel();
    m_schedule = std::move(schedule);
    endResetModel();
}

int ExtraScheduleModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_schedule.months.size() + m_schedule.years.size());
}

int ExtraScheduleModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

bool ExtraScheduleModel::isTotals(int row) const {
    const std::size_t year = std::size_t(row / kRowsPerYear);
    const std::size_t monthsBefore = year * Calendar::kMonthsPerYear;
    return row % kRowsPerYear ==
           int(std::min<std::size_t>(Calendar::kMonthsPerYear, m_schedule.months.size() - monthsBefore));
}

QString ExtraScheduleModel::text(int row, int column) const {
    if (isTotals(row)) {
        const ExtraYear& year = m_schedule.years[std::size_t(row / kRowsPerYear)];
        switch (column) {
        case YearColumn:
            return doubleText(year.year);
        case MonthColumn:
            return QStringLiteral("Total to date");
        case PaymentColumn:
            return Money::text(year.paymentToDate);
        case ExtraColumn:
            return Money::text(year.extraToDate);
        case InterestColumn:
            return Money::text(year.interestToDate);
        case PrincipalColumn:
            return Money::text(year.principalToDate);
        default:
            return Money::text(year.balance);
        }
    }
    const ExtraMonth& month =
        m_schedule.months[std::size_t(row / kRowsPerYear * Calendar::kMonthsPerYear + row % kRowsPerYear)];
    switch (column) {
    case YearColumn:
        return doubleText(month.year);
    case MonthColumn:
        return Calendar::monthName(month.month);
    case PaymentColumn:
        return Money::text(month.payment);
    case ExtraColumn:
        return Money::text(month.extra);
    case InterestColumn:
        return Money::text(month.interest);
    case PrincipalColumn:
        return Money::text(month.principal);
    default:
        return Money::text(month.balance);
    }
}

QVariant ExtraScheduleModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !checkIndex(index, CheckIndexOption::ParentIsInvalid))
        return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return text(index.row(), index.column());
    return TableRoles::styleOf(role, index.column() >= PaymentColumn, isTotals(index.row()));
}

QVariant ExtraScheduleModel::headerData(int section, Qt::Orientation orientation, int role) const {
    const int sections = orientation == Qt::Horizontal ? columnCount() : rowCount();
    if (section < 0 || section >= sections)
        return {};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const std::array<QString, kColumnCount> headers = {
        QStringLiteral("Year"),     QStringLiteral("Month"),     QStringLiteral("Payment"), QStringLiteral("Extra"),
        QStringLiteral("Interest"), QStringLiteral("Principal"), QStringLiteral("Balance")};
    return headers[std::size_t(section)];
}
