#pragma once

#include "loan/Extras.h"

#include <QAbstractTableModel>

// The schedule with extras as a table: Year, Month, Payment, Extra, Interest, Principal and Balance for
// each month, and after each year a bold totals row with the sums from the first month on and the balance.
// Texts are made when asked for, so a schedule of 26,000 months is shown at once.
class ExtraScheduleModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { YearColumn, MonthColumn, PaymentColumn, ExtraColumn, InterestColumn, PrincipalColumn, BalanceColumn };
    static constexpr int kColumnCount = 7;

    using QAbstractTableModel::QAbstractTableModel;

    void setSchedule(ExtraSchedule schedule);
    const ExtraSchedule& schedule() const { return m_schedule; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QString text(int row, int column) const;
    bool isTotals(int row) const;

    ExtraSchedule m_schedule;
};
