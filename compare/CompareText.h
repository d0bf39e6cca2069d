#pragma once

#include "loan/Offer.h"
#include "loan/OfferComparison.h"

#include <QString>
#include <QStringList>

#include <vector>

// How the comparison of offers is written, the same in the window, its exports and on the command line:
// amounts to the cent with two places and no grouping, rates to three places, halves up.
namespace CompareText {

// One figure across the offers, in their order.
struct Row {
    QString name;
    std::vector<QString> values;
};

// "9.686", or the reason there is none.
QString rate(const std::optional<Decimal>& percent);
// The whole years of the horizon: the months over 12, rounded up.
int horizonYears(const OfferComparison& comparison);
// The offers' names, then their payments, cash at closing, APR, effective annual rate, the figures over the
// horizon and over the whole term, break-even against the first offer, which is cheapest, and notes.
std::vector<Row> rows(const OfferComparison& comparison, const std::vector<Offer>& offers);
// One block a offer, each beginning "Offer: NAME", as "name: value" lines.
QStringList summaryLines(const OfferComparison& comparison, const std::vector<Offer>& offers);
// The comparison as lines of text, as the screen reader reads it.
QString describe(const std::vector<Row>& rows);

} // namespace CompareText
