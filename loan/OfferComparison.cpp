#include "loan/OfferComparison.h"

#include "numbers/Money.h"
#include "numbers/RuntimeError.h"

#include <algorithm>

namespace {

constexpr int kPercent = 100;

bool negative(const Decimal& value) {
    return value.isNegative() && !value.isZero();
}

QStringList offerProblems(const Offer& offer) {
    QStringList problems;
    if (negative(offer.pointsPercent))
        problems << QStringLiteral("The points cannot be negative.");
    if (negative(offer.closingFees))
        problems << QStringLiteral("The closing fees cannot be negative.");
    if (negative(offer.monthlyFee))
        problems << QStringLiteral("The monthly fee cannot be negative.");
    return problems;
}

LenderTerms termsOf(const Offer& offer, std::int64_t startYear) {
    LenderTerms terms; // the lender's defaults: monthly, payment and interest to the cent, halves up
    terms.principal = offer.principal;
    terms.ratePercent = offer.ratePercent;
    terms.lengthInYears = offer.lengthInYears;
    terms.startYear = startYear;
    if (offer.rateChange)
        terms.rateChanges.push_back(*offer.rateChange);
    return terms;
}

// The figures that need only the offer's own schedule; throws RuntimeError for an amount beyond the decimal
// range.
void workOut(OfferComparison::Figures& figures, const Offer& offer, std::int64_t horizonMonths) {
    const LenderSchedule& schedule = figures.schedule;
    figures.payment = schedule.summary.regularPayment;
    if (schedule.rates.size() > 1)
        figures.paymentAfterChange = schedule.rates[1].payment;
    figures.points =
        Money::toCents(offer.principal * offer.pointsPercent / Decimal::fromInteger(kPercent), Money::Rounding::HalfUp);
    figures.cashAtClosing = figures.points + offer.closingFees;
    figures.amountFinanced = offer.principal - figures.cashAtClosing;

    std::vector<Apr::Flow> flows;
    flows.reserve(schedule.rows.size());
    figures.costToDate.reserve(schedule.rows.size() + 1);
    figures.costToDate.push_back(figures.cashAtClosing);
    for (const LenderSchedule::Row& row : schedule.rows) {
        flows.push_back({row.payment + offer.monthlyFee, row.number, 0});
        figures.costToDate.push_back(figures.costToDate.back() + row.interest + offer.monthlyFee);
    }
    figures.apr = Apr::solve(figures.amountFinanced, flows);

    figures.payments = std::int64_t(schedule.rows.size());
    figures.paymentsMade = std::min(horizonMonths, figures.payments);
    const std::size_t made = std::size_t(figures.paymentsMade);
    figures.cost = figures.costToDate[made];
    figures.feesPaid = figures.cashAtClosing + offer.monthlyFee * Decimal::fromInteger(figures.paymentsMade);
    figures.interestPaid = figures.cost - figures.feesPaid;
    figures.balanceLeft = made == 0 ? offer.principal : schedule.rows[made - 1].balance;
    figures.totalCost = figures.costToDate.back();
    figures.totalInterest = schedule.summary.totalInterest;
}

// The first payment k from which `offer`'s cost to date stays below `first`'s to the end of both series
// (equal is not below); none when it is not below at the last.
std::optional<std::int64_t> breakEvenAgainst(const std::vector<Decimal>& offer, const std::vector<Decimal>& first) {
    for (std::size_t k = offer.size() - 1; k >= 1; --k) {
        if (!(offer[k] < first[k]))
            return k + 1 < offer.size() ? std::optional<std::int64_t>(std::int64_t(k + 1)) : std::nullopt;
    }
    return 1;
}

} // namespace

OfferComparison OfferComparison::compute(const std::vector<Offer>& offers, std::int64_t startYear,
                                         std::optional<int> horizonYears) {
    OfferComparison comparison;
    comparison.offers.resize(offers.size());
    for (std::size_t i = 0; i < offers.size(); ++i) {
        Figures& figures = comparison.offers[i];
        figures.problems = offerProblems(offers[i]);
        figures.schedule = LenderSchedule::compute(termsOf(offers[i], startYear));
        const LenderSchedule& schedule = figures.schedule;
        figures.problems << schedule.problems;
        if (!schedule.stopMessage.isEmpty())
            figures.problems << schedule.stopMessage;
        if (schedule.error)
            figures.problems << schedule.error->message();
        if (!schedule.outsideChanges.empty())
            figures.notes << QStringLiteral("The rate change is outside the loan and is left out.");
        if (i > 0 && offers[i].principal != offers[0].principal)
            comparison.principalsDiffer = true;
    }

    std::size_t longest = 0;
    for (const Figures& figures : comparison.offers) {
        if (figures.hasFigures())
            longest = std::max(longest, figures.schedule.rows.size());
    }
    comparison.horizonMonths = horizonYears && *horizonYears > 0
                                   ? std::int64_t(*horizonYears) * Calendar::kMonthsPerYear
                                   : std::int64_t(longest);

    for (std::size_t i = 0; i < offers.size(); ++i) {
        Figures& figures = comparison.offers[i];
        if (!figures.hasFigures())
            continue;
        try {
            workOut(figures, offers[i], comparison.horizonMonths);
            // Level after the last payment, so every series reaches the longest offer's last payment.
            figures.costToDate.resize(longest + 1, figures.costToDate.back());
        } catch (const RuntimeError& error) {
            figures.problems << error.message();
        }
    }

    for (std::size_t i = 1; i < comparison.offers.size(); ++i) {
        const Figures& first = comparison.offers.front();
        Figures& figures = comparison.offers[i];
        if (!figures.hasFigures() || !first.hasFigures())
            continue;
        figures.breakEvenPayment = breakEvenAgainst(figures.costToDate, first.costToDate);
        figures.breakEven = breakEvenText(figures.breakEvenPayment);
    }

    for (std::size_t i = 0; i < comparison.offers.size(); ++i) {
        const Figures& figures = comparison.offers[i];
        if (!figures.hasFigures())
            continue;
        if (!comparison.cheapest) {
            comparison.cheapest = i;
            continue;
        }
        const Figures& best = comparison.offers[*comparison.cheapest];
        if (figures.cost < best.cost || (figures.cost == best.cost && figures.balanceLeft < best.balanceLeft))
            comparison.cheapest = i;
    }
    return comparison;
}

QString OfferComparison::breakEvenText(std::optional<std::int64_t> payment) {
    if (!payment)
        return QStringLiteral("never");
    if (*payment <= 1)
        return QStringLiteral("from the start");
    const std::int64_t years = *payment / Calendar::kMonthsPerYear;
    const std::int64_t months = *payment % Calendar::kMonthsPerYear;
    QStringList parts;
    if (years > 0)
        parts << (years == 1 ? QStringLiteral("1 year") : QStringLiteral("%1 years").arg(years));
    if (months > 0)
        parts << (months == 1 ? QStringLiteral("1 month") : QStringLiteral("%1 months").arg(months));
    return QStringLiteral("after ") + parts.join(u' ');
}
