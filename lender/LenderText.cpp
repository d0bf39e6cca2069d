#include "lender/LenderText.h"

#include "numbers/Money.h"

namespace LenderText {

namespace {

QString dateText(const std::optional<Calendar::Date>& date) {
    return date ? date->toIso() : QString();
}

// The main window's figures for its loan: it pays the same every month, the first in January of its start year.
struct CalculatedFigures {
    LoanOutcome outcome;
    Calendar::Date first;
    Calendar::Date last;
};

CalculatedFigures calculatedFigures(const Schedule& schedule) {
    const LoanOutcome outcome = LoanOutcome::of(schedule);
    return {outcome, Calendar::Date{std::int64_t(schedule.startYear), 1, 1},
            Calendar::Date{std::int64_t(outcome.lastYear), outcome.lastMonth, 1}};
}

} // namespace

QString money(const Decimal& value) {
    return Money::text(value, Money::Rounding::HalfUp);
}

std::vector<SummaryRow> summary(const LenderSchedule& schedule, std::optional<int> balanceAfterYears,
                                const Schedule* asCalculated) {
    const LenderSchedule::Summary& figures = schedule.summary;
    std::optional<CalculatedFigures> calculated;
    if (asCalculated)
        calculated = calculatedFigures(*asCalculated);
    const auto amountRow = [&](const QString& name, const Decimal& lender, const Decimal* theirs) {
        if (!theirs)
            return SummaryRow{name, money(lender), {}, {}};
        const Decimal shown = Money::toCents(*theirs, Money::Rounding::HalfEven);
        return SummaryRow{name, money(lender), Money::text(shown),
                          money(Money::toCents(lender, Money::Rounding::HalfUp) - shown)};
    };
    const LoanOutcome* outcome = calculated ? &calculated->outcome : nullptr;
    std::vector<SummaryRow> rows;
    rows.push_back(
        amountRow(QStringLiteral("Payment"), figures.regularPayment, outcome ? &outcome->monthlyPayment : nullptr));
    rows.push_back({QStringLiteral("Number of payments"), QString::number(figures.payments),
                    outcome ? QString::number(outcome->payments) : QString(),
                    outcome ? QString::number(figures.payments - outcome->payments) : QString()});
    rows.push_back({QStringLiteral("First payment"),
                    dateText(figures.firstPayment),
                    calculated ? calculated->first.toIso() : QString(),
                    {}});
    rows.push_back({QStringLiteral("Last payment"),
                    dateText(figures.lastPayment),
                    calculated ? calculated->last.toIso() : QString(),
                    {}});
    rows.push_back(amountRow(QStringLiteral("Last payment amount"), figures.lastPaymentAmount,
                             outcome ? &outcome->monthlyPayment : nullptr));
    rows.push_back(amountRow(QStringLiteral("Total interest"), figures.totalInterest,
                             outcome ? &outcome->totalInterest : nullptr));
    rows.push_back(amountRow(QStringLiteral("Total paid"), figures.totalPaid, outcome ? &outcome->totalPaid : nullptr));
    if (balanceAfterYears) {
        const QString name = QStringLiteral("Balance after %1 years").arg(*balanceAfterYears);
        const Decimal* theirs = nullptr;
        if (asCalculated && *balanceAfterYears >= 1 && std::size_t(*balanceAfterYears) <= asCalculated->years.size())
            theirs = &asCalculated->years[std::size_t(*balanceAfterYears - 1)].balance;
        if (figures.balanceAfterYears)
            rows.push_back(amountRow(name, *figures.balanceAfterYears, theirs));
        else // a loan paid off before then owes nothing; one that stops before then has no such balance
            rows.push_back({name, schedule.isPaidOff() ? money(Decimal()) : QStringLiteral("none"), {}, {}});
    }
    return rows;
}

QStringList summaryLines(const std::vector<SummaryRow>& rows) {
    QStringList lines;
    for (const SummaryRow& row : rows)
        lines << QStringLiteral("%1: %2").arg(row.name, row.lender);
    return lines;
}

} // namespace LenderText
