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

Q_DECLARE_METATYPE(Decimal)

class TestOffers : public QObject {
    Q_OBJECT

private slots:
    // Two points bring 6.5 % down to 5.875 %: 4,000 more at closing, won back by payment 39, when the cost to
    // date (points, fees and interest so far) drops below the offer without points for good.
    void pointsBuyALowerRate() {
        const OfferComparison comparison = OfferComparison::compute({kNoPoints, kTwoPoints}, kStartYear);
        const OfferComparison::Figures& none = comparison.offers[0];
        const OfferComparison::Figures& two = comparison.offers[1];
        QCOMPARE(shown(none.payment), "1264.14");
        QCOMPARE(shown(two.payment), "1183.08");
        QCOMPARE(shown(two.points), "4000.00");
        QCOMPARE(shown(two.cashAtClosing), "6000.00");
        QCOMPARE(shown(two.costToDate[38]), "42463.45");
        QCOMPARE(shown(none.costToDate[38]), "42431.19");
        QCOMPARE(shown(two.costToDate[39]), "43401.03");
        QCOMPARE(shown(none.costToDate[39]), "43473.32");
        QCOMPARE(two.breakEvenPayment, 39);
        QCOMPARE(two.breakEven, "after 3 years 3 months");
        QCOMPARE(two.apr.effectiveShown()->toString(), "6.336");
        QCOMPARE(shown(two.totalCost), "231904.31");
        QCOMPARE(comparison.cheapest, 1);
        QVERIFY(!comparison.principalsDiffer);
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
        QCOMPARE(changed.apr.annualShown().toString(), "6.895");
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
        QTest::addColumn<int>("horizonYears"); // 0: the longest offer's 30 years
        QTest::addColumn<int>("offer");
        QTest::addColumn<int>("paymentsMade");
        QTest::addColumn<Decimal>("interest");
        QTest::addColumn<Decimal>("fees");
        QTest::addColumn<Decimal>("balance");
        QTest::addColumn<Decimal>("cost");
        QTest::addColumn<Decimal>("apr");
        QTest::addColumn<QString>("breakEven");
        QTest::addColumn<QString>("cheapest");

        QTest::newRow("1 year, no points")
            << 1 << 0 << 12 << amount("12934.18") << amount("2000") << amount("197764.50") << amount("14934.18")
            << amount("6.597") << QString() << QStringLiteral("Monthly fee");
        QTest::newRow("1 year, monthly fee")
            << 1 << 2 << 12 << amount("12433.62") << amount("120") << amount("197656.46") << amount("12553.62")
            << amount("6.327") << QStringLiteral("from the start") << QStringLiteral("Monthly fee");
        QTest::newRow("5 years, two points")
            << 5 << 1 << 60 << amount("56803.34") << amount("6000") << amount("185818.54") << amount("62803.34")
            << amount("6.159") << QStringLiteral("after 3 years 3 months") << QStringLiteral("Fifteen years");
        QTest::newRow("5 years, fifteen years")
            << 5 << 3 << 60 << amount("50950.33") << amount("3500") << amount("151301.13") << amount("54450.33")
            << amount("6.025") << QStringLiteral("after 11 months") << QStringLiteral("Fifteen years");
        QTest::newRow("30 years, fifteen years paid off")
            << 0 << 3 << 180 << amount("98947.72") << amount("3500") << amount("0") << amount("102447.72")
            << amount("6.025") << QStringLiteral("after 11 months") << QStringLiteral("Fifteen years");
        QTest::newRow("30 years, monthly fee")
            << 0 << 2 << 360 << amount("243319.13") << amount("3600") << amount("0") << amount("246919.13")
            << amount("6.327") << QStringLiteral("from the start") << QStringLiteral("Fifteen years");
    }

    void fourOffers() {
        QFETCH(int, horizonYears);
        QFETCH(int, offer);
        QFETCH(int, paymentsMade);
        QFETCH(Decimal, interest);
        QFETCH(Decimal, fees);
        QFETCH(Decimal, balance);
        QFETCH(Decimal, cost);
        QFETCH(Decimal, apr);
        QFETCH(QString, breakEven);
        QFETCH(QString, cheapest);

        const std::vector<Offer> offers = {kNoPoints, kTwoPoints, kMonthlyFee, kFifteenYears};
        const OfferComparison comparison = OfferComparison::compute(offers, kStartYear, horizonYears);
        const OfferComparison::Figures& figures = comparison.offers[std::size_t(offer)];
        QCOMPARE(figures.paymentsMade, paymentsMade);
        QCOMPARE(figures.interestPaid, interest);
        QCOMPARE(figures.feesPaid, fees);
        QCOMPARE(figures.balanceLeft, balance);
        QCOMPARE(figures.cost, cost);
        QCOMPARE(figures.apr.annualShown(), apr);
        QCOMPARE(figures.breakEven, breakEven);
        QCOMPARE(offers[comparison.cheapest.value()].name, cheapest);
        // Every series runs to the longest offer's last payment, for the chart.
        QCOMPARE(figures.costToDate.size(), 361u);
    }

    void sameOfferTwiceNeverBreaksEven() {
        const OfferComparison comparison = OfferComparison::compute({kTwoPoints, kTwoPoints}, kStartYear);
        QCOMPARE(comparison.offers[1].breakEven, "never");
        QCOMPARE(comparison.cheapest, 0);
    }

    void breakEvenTexts() {
        QCOMPARE(OfferComparison::breakEvenText(1), "from the start");
        QCOMPARE(OfferComparison::breakEvenText(2), "after 2 months");
        QCOMPARE(OfferComparison::breakEvenText(12), "after 1 year");
        QCOMPARE(OfferComparison::breakEvenText(13), "after 1 year 1 month");
        QCOMPARE(OfferComparison::breakEvenText(36), "after 3 years");
        QCOMPARE(OfferComparison::breakEvenText(55), "after 4 years 7 months");
        QCOMPARE(OfferComparison::breakEvenText(std::nullopt), "never");
    }

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
