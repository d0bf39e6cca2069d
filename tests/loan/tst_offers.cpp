// Offers compared: points that buy a lower rate, a monthly fee, a shorter term and a rate change, over the
// whole term and shorter horizons; break-even against the first offer; principals that differ. The expected
// figures were worked out independently on exact rationals, the schedule to the cent as the lender bills it.
#include "loan/OfferComparison.h"
#include "numbers/Money.h"

#include <QTest>

namespace {

constexpr std::int64_t kStartYear = 2025;

Decimal amount(const char* text) {
    return Decimal::fromString(QString::fromLatin1(text));
}

QString shown(const Decimal& value) {
    return Money::text(value, Money::Rounding::HalfUp);
}

Offer offerOf(const char* name, const char* principal, const char* years, const char* ratePercent,
              const char* pointsPercent, const char* closingFees, const char* monthlyFee = "0") {
    return {QString::fromLatin1(name), amount(principal),   amount(years),      amount(ratePercent),
            amount(pointsPercent),     amount(closingFees), amount(monthlyFee), std::nullopt};
}

const Offer kNoPoints = offerOf("No points", "200000", "30", "6.5", "0", "2000");
const Offer kTwoPoints = offerOf("Two points", "200000", "30", "5.875", "2", "2000");
const Offer kMonthlyFee = offerOf("Monthly fee", "200000", "30", "6.25", "0", "0", "10");
const Offer kFifteenYears = offerOf("Fifteen years", "200000", "15", "5.75", "1", "1500");

Offer withRateChange(Offer offer, std::int64_t year, const char* ratePercent) {
    offer.rateChange = LenderTerms::RateChange{year, 1, amount(ratePercent)};
    return offer;
}

const Offer kRateChange = withRateChange(offerOf("Rate change", "200000", "30", "6", "0", "0"), 2030, "7.5");

} // namespace

Q_DECLARE_METATYPE(Offer)

class TestOffers : public QObject {
    Q_OBJECT

private slots:
    // Two points bring 6.5 % down to 5.875 %: 4,000 more at closing, won back by payment 39, when the cost to
    // date (points, fees and interest so far) drops below the offer without points for good.
    void pointsBuyALowerRate() {
        const OfferComparison comparison = OfferComparison::compute({kNoPoints, kTwoPoints}, kStartYear);
        const OfferComparison::Figures& none = comparison.offers[0];
        const OfferComparison::Figures& two = comparison.offers[1];
        QCOMPARE(comparison.horizonMonths, 360);
        QCOMPARE(shown(none.payment), "1264.14");
        QCOMPARE(shown(two.payment), "1183.08");
        QCOMPARE(shown(two.points), "4000.00");
        QCOMPARE(shown(two.cashAtClosing), "6000.00");
        QCOMPARE(shown(two.amountFinanced), "194000.00");
        QCOMPARE(shown(two.costToDate[38]), "42463.45");
        QCOMPARE(shown(none.costToDate[38]), "42431.19");
        QCOMPARE(shown(two.costToDate[39]), "43401.03");
        QCOMPARE(shown(none.costToDate[39]), "43473.32");
        QCOMPARE(two.breakEvenPayment, 39);
        QCOMPARE(two.breakEven, "after 3 years 3 months");
        QVERIFY(none.breakEven.isEmpty());
        QCOMPARE(shown(none.totalInterest), "255085.82");
        QCOMPARE(shown(two.totalInterest), "225904.31");
        QCOMPARE(shown(two.totalCost), "231904.31");
        QCOMPARE(comparison.cheapest, 1);
        QVERIFY(!comparison.principalsDiffer);
    }

    void aprOfEachOffer_data() {
        QTest::addColumn<Offer>("offer");
        QTest::addColumn<QString>("apr");
        QTest::addColumn<QString>("effective");

        QTest::newRow("closing fees") << kNoPoints << "6.597"
                                      << "6.800";
        QTest::newRow("points and closing fees") << kTwoPoints << "6.159"
                                                 << "6.336";
        QTest::newRow("a monthly fee, nothing at closing") << kMonthlyFee << "6.327"
                                                           << "6.513";
        QTest::newRow("fifteen years") << kFifteenYears << "6.025"
                                       << "6.194";
        QTest::newRow("6 % then 7.5 %") << kRateChange << "6.895"
                                        << "7.118";
    }

    void aprOfEachOffer() {
        QFETCH(Offer, offer);
        QFETCH(QString, apr);
        QFETCH(QString, effective);

        const OfferComparison::Figures figures = OfferComparison::compute({offer}, kStartYear).offers[0];
        QVERIFY(figures.apr.exists());
        QCOMPARE(figures.apr.annualShown().toString(), apr);
        QCOMPARE(figures.apr.effectiveShown()->toString(), effective);
    }

    // From January 2030, payment 61, the rate is 7.5 % and the payment is worked out again over the 300 left.
    void rateChange() {
        const OfferComparison comparison = OfferComparison::compute({kNoPoints, kRateChange}, kStartYear);
        const OfferComparison::Figures& changed = comparison.offers[1];
        QVERIFY(changed.notes.isEmpty());
        QCOMPARE(shown(changed.payment), "1199.10");
        QCOMPARE(shown(*changed.paymentAfterChange), "1375.33");
        QCOMPARE(shown(changed.schedule.rows[60].interest), "1163.18");
        QCOMPARE(shown(changed.totalInterest), "284542.83");
        // Cheaper than the first offer for years, dearer by the end: never a break-even.
        QVERIFY(changed.costToDate[1] < comparison.offers[0].costToDate[1]);
        QCOMPARE(changed.breakEven, "never");
    }

    void rateChangeOutsideTheLoanIsLeftOut() {
        const Offer late = withRateChange(kNoPoints, 2070, "9");
        const OfferComparison comparison = OfferComparison::compute({kNoPoints, late}, kStartYear);
        const OfferComparison::Figures& figures = comparison.offers[1];
        QVERIFY(figures.hasFigures());
        QCOMPARE(figures.notes.size(), 1);
        QVERIFY(!figures.paymentAfterChange);
        QCOMPARE(figures.totalCost, comparison.offers[0].totalCost);
    }

    void fourOffers_data() {
        QTest::addColumn<int>("horizonYears");
        QTest::addColumn<int>("offer");
        QTest::addColumn<int>("paymentsMade");
        QTest::addColumn<QString>("interest");
        QTest::addColumn<QString>("fees");
        QTest::addColumn<QString>("balance");
        QTest::addColumn<QString>("cost");
        QTest::addColumn<QString>("breakEven");

        QTest::newRow("1 year, no points") << 1 << 0 << 12 << "12934.18"
                                           << "2000.00"
                                           << "197764.50"
                                           << "14934.18"
                                           << "";
        QTest::newRow("1 year, monthly fee") << 1 << 2 << 12 << "12433.62"
                                             << "120.00"
                                             << "197656.46"
                                             << "12553.62"
                                             << "from the start";
        QTest::newRow("5 years, two points") << 5 << 1 << 60 << "56803.34"
                                             << "6000.00"
                                             << "185818.54"
                                             << "62803.34"
                                             << "after 3 years 3 months";
        QTest::newRow("5 years, fifteen years") << 5 << 3 << 60 << "50950.33"
                                                << "3500.00"
                                                << "151301.13"
                                                << "54450.33"
                                                << "after 11 months";
        QTest::newRow("30 years, fifteen years paid off") << 0 << 3 << 180 << "98947.72"
                                                          << "3500.00"
                                                          << "0.00"
                                                          << "102447.72"
                                                          << "after 11 months";
        QTest::newRow("30 years, monthly fee") << 0 << 2 << 360 << "243319.13"
                                               << "3600.00"
                                               << "0.00"
                                               << "246919.13"
                                               << "from the start";
    }

    void fourOffers() {
        QFETCH(int, horizonYears);
        QFETCH(int, offer);
        QFETCH(int, paymentsMade);
        QFETCH(QString, interest);
        QFETCH(QString, fees);
        QFETCH(QString, balance);
        QFETCH(QString, cost);
        QFETCH(QString, breakEven);

        const OfferComparison comparison =
            OfferComparison::compute({kNoPoints, kTwoPoints, kMonthlyFee, kFifteenYears}, kStartYear, horizonYears);
        const OfferComparison::Figures& figures = comparison.offers[std::size_t(offer)];
        QCOMPARE(figures.paymentsMade, paymentsMade);
        QCOMPARE(shown(figures.interestPaid), interest);
        QCOMPARE(shown(figures.feesPaid), fees);
        QCOMPARE(shown(figures.balanceLeft), balance);
        QCOMPARE(shown(figures.cost), cost);
        QCOMPARE(figures.breakEven, breakEven);
        // Every series runs to the longest offer's last payment, for the chart.
        QCOMPARE(figures.costToDate.size(), 361u);
    }

    void cheapestOverTheHorizon_data() {
        QTest::addColumn<int>("horizonYears");
        QTest::addColumn<QString>("cheapest");

        QTest::newRow("1 year: nothing at closing") << 1 << "Monthly fee";
        QTest::newRow("5 years") << 5 << "Fifteen years";
        QTest::newRow("the longest offer's 30 years") << 0 << "Fifteen years";
    }

    void cheapestOverTheHorizon() {
        QFETCH(int, horizonYears);
        QFETCH(QString, cheapest);

        const std::vector<Offer> offers = {kNoPoints, kTwoPoints, kMonthlyFee, kFifteenYears};
        const OfferComparison comparison = OfferComparison::compute(offers, kStartYear, horizonYears);
        QVERIFY(comparison.cheapest);
        QCOMPARE(offers[*comparison.cheapest].name, cheapest);
    }

    // The same offer twice: equal is not below, and a tie goes to the offer listed first.
    void sameOfferTwiceNeverBreaksEven() {
        const OfferComparison comparison = OfferComparison::compute({kTwoPoints, kTwoPoints}, kStartYear);
        QCOMPARE(comparison.offers[1].breakEven, "never");
        QCOMPARE(comparison.cheapest, 0);
    }

    void breakEvenTexts_data() {
        QTest::addColumn<int>("payment");
        QTest::addColumn<QString>("text");

        QTest::newRow("first payment") << 1 << "from the start";
        QTest::newRow("second payment") << 2 << "after 2 months";
        QTest::newRow("months only") << 5 << "after 5 months";
        QTest::newRow("one year") << 12 << "after 1 year";
        QTest::newRow("one year one month") << 13 << "after 1 year 1 month";
        QTest::newRow("whole years") << 36 << "after 3 years";
        QTest::newRow("years and months") << 55 << "after 4 years 7 months";
    }

    void breakEvenTexts() {
        QFETCH(int, payment);
        QFETCH(QString, text);
        QCOMPARE(OfferComparison::breakEvenText(payment), text);
    }

    void neverIsSaid() { QCOMPARE(OfferComparison::breakEvenText(std::nullopt), "never"); }

    void principalsDiffer() {
        const Offer smaller = offerOf("Smaller", "180000", "30", "6.5", "0", "2000");
        QVERIFY(OfferComparison::compute({kNoPoints, smaller}, kStartYear).principalsDiffer);
    }

    // Half a point of 1,001 is 5.005: halves up to 5.01, where halves to even would give 5.00.
    void pointsRoundHalvesUp() {
        const Offer offer = offerOf("Odd", "1001", "1", "5", "0.5", "0");
        QCOMPARE(shown(OfferComparison::compute({offer}, kStartYear).offers[0].points), "5.01");
    }

    void feesOfThePrincipalLeaveNoApr() {
        const Offer offer = offerOf("All fees", "100000", "30", "6", "0", "100000");
        const OfferComparison::Figures figures = OfferComparison::compute({offer}, kStartYear).offers[0];
        QVERIFY(figures.hasFigures());
        QCOMPARE(figures.apr.whyNone(), Apr::NoRate::NothingFinanced);
    }

    void negativeFeesGiveNoFigures() {
        const Offer offer = offerOf("Refund", "100000", "30", "6", "0", "-1");
        QVERIFY(!OfferComparison::compute({offer}, kStartYear).offers[0].hasFigures());
    }
};

QTEST_APPLESS_MAIN(TestOffers)
#include "tst_offers.moc"
