#pragma once

#include "numbers/Decimal.h"

#include <QStringList>
#include <QTableWidget>

#include <cstdint>
#include <vector>

// A table of amounts the user types against a year and a month, a row each: one-off payments, rate changes.
// Years take digits only and amounts digits and one point; a month is its number or its name. A row that does
// not read is shaded and its reasons given; one the window leaves out (dated outside the loan) is shaded apart.
class DatedAmountTable : public QTableWidget {
    Q_OBJECT

public:
    enum Column { YearColumn, MonthColumn, AmountColumn, ColumnCount };

    // One row that reads, and where it stands in the table.
    struct Entry {
        int row = 0;
        std::int64_t year = 0;
        int month = 1;
        Decimal amount;
    };
    struct Reading {
        std::vector<Entry> entries; // the rows that read, in order
        QStringList problems;       // "In <rowName> 2, its month "Smarch" is not a month."
    };

    // `amountHeader` heads the amount column ("Amount"); `rowName` names a row in the problems ("one-off
    // payment"); `amountWords` names the amount in a reason ("The amount"); `noAmount` is the reason for an
    // empty one ("it has no amount").
    DatedAmountTable(const QString& amountHeader, const QString& rowName, const QString& amountWords,
                     const QString& noAmount, QWidget* parent = nullptr);

    // Reads every row, shading those that do not read.
    Reading read();
    // A row dated `year` and `month` with no amount, the cursor in its amount.
    void addDatedRow(std::int64_t year, int month);
    // Shades a row that reads but is left out.
    void markLeftOut(int row);

private:
    void shade(int row, QRgb colour);

    QString m_rowName;
    QString m_amountWords;
    QString m_noAmount;
};
