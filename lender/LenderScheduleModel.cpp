#include "lender/LenderScheduleModel.h"

#include "lender/LenderText.h"
#include "windows/TableRoles.h"

#include <array>

using LenderText::money;

void LenderScheduleModel::setSchedule(LenderSchedule schedule) {
    beginResetModel();
    m_schedule = std::move(schedule);
    m_entries.clear();
    m_entries.reserve(m_schedule.rows.size() + m_schedule.years.size());
    std::size_t year = 0;
    for (std::size_t row = 0; row < m_schedule.rows.size(); ++row) {
        m_entries.push_back({false, std::uint32_t(row)});
        while (year < m_schedule.years.size() && m_schedule.years[year].lastRow == row)
            m_entries.push_back({true, std::uint32_t(year++)});
    }
    endResetModel();
}

bool LenderScheduleModel::isTotals(int row) const {
    return row >= 0 && std::size_t(row) < m_entries.size() && m_entries[std::size_t(row)].totals;
}

int LenderScheduleModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_entries.size());
}

int LenderScheduleModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QString LenderScheduleModel::text(const Entry& entry, int column) const {
    if (entry.totals) {
        const LenderSchedule::YearTotals& year = m_schedule.years[entry.index];
        switch (column) {
        case NumberColumn:
            return QString();
        case DateColumn:
            return QStringLiteral("%1 total").arg(year.year);
        case PaymentColumn:
            return money(year.payment);
        case InterestColumn:
            return money(year.interest);
        case PrincipalColumn:
            return money(year.principal);
        default:
            return money(year.balance);
        }
    }
    const LenderSchedule::Row& row = m_schedule.rows[entry.index];
    switch (column) {
    case NumberColumn:
        return QString::number(row.number);
    case DateColumn:
        return row.date.toIso();
    case PaymentColumn:
        return money(row.payment);
    case InterestColumn:
        return money(row.interest);
    case PrincipalColumn:
        return money(row.principal);
    default:
        return money(row.balance);
    }
}

QVariant LenderScheduleModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !hasIndex(index.row(), index.column(), index.parent()))
        return {};
    const Entry& entry = m_entries[std::size_t(index.row())];
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return text(entry, index.column());
    return TableRoles::styleOf(role, index.column() >= PaymentColumn, entry.totals);
}

QVariant LenderScheduleModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumnCount)
        return {};
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const std::array<QString, kColumnCount> kHeaders = {QStringLiteral("No."),       QStringLiteral("Date"),
                                                               QStringLiteral("Payment"),   QStringLiteral("Interest"),
                                                               QStringLiteral("Principal"), QStringLiteral("Balance")};
    return kHeaders[std::size_t(section)];
}
