#pragma once

#include "loan/Offer.h"
#include "windows/WindowOptions.h"

#include <vector>

// The comparison of offers on the command line: --points, --fees and --monthly-fee add costs to the calculated
// loan, which is offer 1; each --offer adds an offer that starts from offer 1's terms; --horizon sets the years
// the loan is kept. Any of them makes the run a comparison, in which --rate-change is offer 1's and the other
// lender's options are refused.
class CompareOptions : public WindowOptions {
public:
    CompareOptions();

    QList<QCommandLineOption> options() const override;
    bool isGiven(const QCommandLineParser& parser) const override;
    QStringList borrowed() const override { return {QStringLiteral("rate-change")}; }
    QString name() const override { return QStringLiteral("the comparison of offers"); }
    QString needsSchedule() const override { return QStringLiteral("The comparison of offers"); }
    QString read(const QCommandLineParser& parser) override;
    int run(const std::optional<Schedule>& loan, const ScriptOutput& output) override;

private:
    // The changes --offer makes to offer 1's terms, kept as read until the loan is known.
    struct OfferText {
        QString name;
        std::optional<Decimal> principal;
        std::optional<Decimal> years;
        std::optional<Decimal> rate;
        std::optional<Decimal> points;
        std::optional<Decimal> fees;
        std::optional<Decimal> monthlyFee;
        std::optional<LenderTerms::RateChange> rateChange;
    };

    QString readOffer(const QString& value, OfferText& offer) const;

    QCommandLineOption m_points;
    QCommandLineOption m_fees;
    QCommandLineOption m_monthlyFee;
    QCommandLineOption m_offer;
    QCommandLineOption m_horizon;
    Offer m_first; // offer 1's costs and rate change; its loan comes from Calculate
    std::vector<OfferText> m_more;
    std::optional<int> m_horizonYears;
};
