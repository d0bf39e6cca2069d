#pragma once

#include "loan/Apr.h"
#include "loan/LenderSchedule.h"
#include "loan/Offer.h"
#include "numbers/Decimal.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

// Offers side by side as a plain value: what each costs at closing, a month, over a horizon of years and over
// its whole term; its APR; and from which payment it is cheaper than the first offer. Every offer's first
// payment is on 1 January of the start year and its loan is made a month before.
struct OfferComparison {
    struct Figures {
        LenderSchedule schedule;
        QStringList problems; // why the offer has no figures; then only schedule and problems are set
        QStringList notes;    // what was left out of an offer that still has figures: a rate change outside it

        Decimal payment;                           // the regular monthly payment, fee not included
        std::optional<Decimal> paymentAfterChange; // from the rate change on
        Decimal points;                            // the amount, to the cent, halves up
        Decimal cashAtClosing;                     // points and closing fees
        Decimal amountFinanced;                    // principal less points and closing fees
        Apr apr; // on the payments, each with the monthly fee, payment k falling k months after the loan's date

        // Over the horizon's first payments, or fewer when the loan ends sooner.
        std::int64_t paymentsMade = 0;
        Decimal interestPaid;
        Decimal feesPaid; // points, closing fees and the monthly fees of the payments made
        Decimal balanceLeft;
        Decimal cost; // interest and every fee

        // Over the whole term.
        std::int64_t payments = 0;
        Decimal totalInterest;
        Decimal totalCost;

        // The first payment from which this offer's cost to date stays below the first offer's, to the later of
        // the two loans' last payments; none for the first offer itself, for an offer never cheaper, or when
        // either has no figures. breakEven is its text (breakEvenText), empty for the first offer.
        std::optional<std::int64_t> breakEvenPayment;
        QString breakEven;

        // For the chart: [0] at closing, [k] after payment k (points, closing fees, the interest of payments 1
        // to k and k monthly fees), level after the offer's last payment, to the longest offer's last payment.
        std::vector<Decimal> costToDate;

        bool hasFigures() const { return problems.isEmpty(); }
    };

    std::int64_t horizonMonths = 0; // twelve times the horizon's years, or the longest offer's payments
    std::vector<Figures> offers;    // in the offers' order
    // The offer with the lowest cost over the horizon; a tie goes to the smaller balance left, then to the
    // offer listed first. None when no offer has figures.
    std::optional<std::size_t> cheapest;
    // The principals differ: the costs compare loans of different sizes ("not like for like").
    bool principalsDiffer = false;

    // horizonYears of none, or of zero or less, is the longest offer's length.
    static OfferComparison compute(const std::vector<Offer>& offers, std::int64_t startYear,
                                   std::optional<int> horizonYears = std::nullopt);

    // "from the start" for payment 1, "after 1 year", "after 5 months", "after 4 years 7 months" for payment
    // 55, "never" for none.
    static QString breakEvenText(std::optional<std::int64_t> payment);
};
