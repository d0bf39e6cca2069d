#include "compare/CompareText.h"

#include "numbers/Money.h"

namespace CompareText {

namespace {

QString money(const Decimal& value) {
    return Money::text(value, Money::Rounding::HalfUp);
}

QString aprText(const Apr& apr) {
    return apr.exists() ? rate(apr.annualShown()) : QStringLiteral("no rate exists");
}

QString effectiveText(const Apr& apr) {
    return apr.exists() ? rate(apr.effectiveShown()) : QStringLiteral("no rate exists");
}

} // namespace

QString rate(const std::optional<Decimal>& percent) {
    if (!percent)
        return QStringLiteral("beyond range");
    QString digits = percent->toString();
    qsizetype point = digits.indexOf(u'.');
    if (point < 0) {
        point = digits.size();
        digits += u'.';
    }
    return digits.leftJustified(point + 1 + Apr::kShownPlaces, u'0');
}

int horizonYears(const OfferComparison& comparison) {
    return int((comparison.horizonMonths + Calendar::kMonthsPerYear - 1) / Calendar::kMonthsPerYear);
}

std::vector<Row> rows(const OfferComparison& comparison, const std::vector<Offer>& offers) {
    const QString years = QString::number(horizonYears(comparison));
    std::vector<Row> table = {
        {QStringLiteral("Offer"), {}},
        {QStringLiteral("Monthly payment"), {}},
        {QStringLiteral("Payment after rate change"), {}},
        {QStringLiteral("Cash at closing"), {}},
        {QStringLiteral("APR %"), {}},
        {QStringLiteral("Effective annual rate %"), {}},
        {QStringLiteral("Payments over %1 years").arg(years), {}},
        {QStringLiteral("Interest over %1 years").arg(years), {}},
        {QStringLiteral("Fees over %1 years").arg(years), {}},
        {QStringLiteral("Balance after %1 years").arg(years), {}},
        {QStringLiteral("Cost over %1 years").arg(years), {}},
        {QStringLiteral("Total interest"), {}},
        {QStringLiteral("Total cost"), {}},
        {QStringLiteral("Break-even against offer 1"), {}},
        {QStringLiteral("Cheapest"), {}},
        {QStringLiteral("Notes"), {}},
    };
    for (std::size_t i = 0; i < comparison.offers.size(); ++i) {
        const OfferComparison::Figures& figures = comparison.offers[i];
        const bool shown = figures.hasFigures();
        const auto amount = [shown](const Decimal& value) { return shown ? money(value) : QString(); };
        QStringList notes = figures.problems + figures.notes;
        if (i > 0 && comparison.principalsDiffer && offers[i].principal != offers[0].principal)
            notes << QStringLiteral("not like for like: its principal differs from offer 1's");
        const std::array<QString, 16> values = {
            offers[i].name,
            amount(figures.payment),
            shown && figures.paymentAfterChange ? money(*figures.paymentAfterChange) : QString(),
            amount(figures.cashAtClosing),
            shown ? aprText(figures.apr) : QString(),
            shown ? effectiveText(figures.apr) : QString(),
            shown ? QString::number(figures.paymentsMade) : QString(),
            amount(figures.interestPaid),
            amount(figures.feesPaid),
            amount(figures.balanceLeft),
            amount(figures.cost),
            amount(figures.totalInterest),
            amount(figures.totalCost),
            i == 0 ? QString() : figures.breakEven,
            comparison.cheapest == i ? QStringLiteral("cheapest over %1 years").arg(years) : QString(),
            notes.join(QStringLiteral("; ")),
        };
        for (std::size_t row = 0; row < table.size(); ++row)
            table[row].values.push_back(values[row]);
    }
    return table;
}

QStringList summaryLines(const OfferComparison& comparison, const std::vector<Offer>& offers) {
    const QString years = QString::number(horizonYears(comparison));
    QStringList lines;
    for (std::size_t i = 0; i < comparison.offers.size(); ++i) {
        const OfferComparison::Figures& figures = comparison.offers[i];
        if (i > 0)
            lines << QString();
        lines << QStringLiteral("Offer: %1").arg(offers[i].name);
        if (!figures.hasFigures()) {
            lines << QStringLiteral("No figures: %1").arg(figures.problems.join(u' '));
            continue;
        }
        lines << QStringLiteral("Payment: %1").arg(money(figures.payment));
        if (figures.paymentAfterChange)
            lines << QStringLiteral("Payment after rate change: %1").arg(money(*figures.paymentAfterChange));
        lines << QStringLiteral("Cash at closing: %1").arg(money(figures.cashAtClosing))
              << QStringLiteral("APR: %1").arg(aprText(figures.apr))
              << QStringLiteral("Effective annual rate: %1").arg(effectiveText(figures.apr))
              << QStringLiteral("Interest over %1 years: %2").arg(years, money(figures.interestPaid))
              << QStringLiteral("Cost over %1 years: %2").arg(years, money(figures.cost))
              << QStringLiteral("Balance after %1 years: %2").arg(years, money(figures.balanceLeft))
              << QStringLiteral("Total interest: %1").arg(money(figures.totalInterest));
        if (i > 0)
            lines << QStringLiteral("Break-even: %1").arg(figures.breakEven);
    }
    return lines;
}

QString describe(const std::vector<Row>& rows) {
    QStringList lines;
    for (std::size_t offer = 0; !rows.empty() && offer < rows.front().values.size(); ++offer) {
        QStringList figures;
        for (std::size_t row = 1; row < rows.size(); ++row) {
            if (!rows[row].values[offer].isEmpty())
                figures << QStringLiteral("%1: %2").arg(rows[row].name, rows[row].values[offer]);
        }
        lines << QStringLiteral("%1. %2.").arg(rows.front().values[offer], figures.join(QStringLiteral(", ")));
    }
    return lines.join(u'\n');
}

} // namespace CompareText
