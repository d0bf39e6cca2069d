#pragma once

#include "loan/LenderSchedule.h"

#include <QAbstractTableModel>

#include <vector>

// The lender's schedule as a table: No., Date, Payment, Interest, Principal and Balance for each payment, and
// after each calendar year's last payment a bold totals row ("2007 total") with that year's own sums and the
// balance. Amounts are shown to the cent, halves up, as statements print them; a totals row's sums are exact
// and rounded once. Texts are made when asked for, so 113,000 weekly payments show at once.
class LenderScheduleModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { NumberColumn, DateColumn, PaymentColumn, InterestColumn, PrincipalColumn, BalanceColumn };
    static constexpr int kColumnCount = 6;

    using QAbstractTableModel::QAbstractTableModel;

    void setSchedule(LenderSchedule schedule);
    const LenderSchedule& schedule() const { return m_schedule; }

    // Whether a row of the table is a year's totals.
    bool isTotals(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    // A row of the table: a payment, or a year's totals, by its index in the schedule.
    struct Entry {
        bool totals = false;
        std::uint32_t index = 0;
    };

    QString text(const Entry& entry, int column) const;

    LenderSchedule m_schedule;
    std::vector<Entry> m_entries;
};
