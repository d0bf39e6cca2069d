// The Compare Offers window as the user meets it: opened with Ctrl+K on the calculated loan, offers added and
// typed into, points that pay off after a while, a rate change, a field that does not read, four offers, and
// the command line's summary beside the window's figures. The figures of the points offer were worked out
// apart, on exact rationals: payments of 1199.10 at 6 % and 1151.31 at 5.625 %, interest to the cent halves up,
// and the cost to date of the second, 3500 at closing, below the first's from payment 56 on.
#include "app/InputBox.h"
#include "compare/CompareModel.h"
#include "compare/CompareWindow.h"
#include "tests/app/FormTestCase.h"
#include "windows/CheckedField.h"

#include <QAbstractItemModelTester>
#include <QChartView>
#include <QComboBox>
#include <QLabel>
#include <QLineSeries>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTest>

class TestCompareWindow : public FormTestCase {
    Q_OBJECT

    CompareWindow* compare() { return form().findChild<CompareWindow*>(); }
    const CompareWindow::OfferFields& offer(std::size_t index) { return compare()->offers()[index]; }
    QString figure(const QString& name, std::size_t offer) { return compare()->figure(name, offer); }

    // Ctrl+K in an input box, which types nothing there, opens the window in front.
    void openCompare() {
        form().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form()));
        const QString before = form().Text1->text();
        QTest::keyClick(form().Text1, Qt::Key_K, Qt::ControlModifier);
        QCOMPARE(form().Text1->text(), before);
        QTRY_COMPARE(QApplication::activeWindow(), compare());
    }

    // The worked loan, 30 years at 6 % on 200,000 from 2007, calculated and the window opened.
    void openOnWorkedLoan() {
        fill({"30", "6", "200000", "", "", "2007"});
        calculate();
        openCompare();
    }

    void typeInto(QWidget* field, const QString& text) {
        field->setFocus();
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        if (text.isEmpty())
            QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, text);
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // Before any Calculate it says so; then offer 1, and offer 2 as its copy, are the calculated loan, and the
    // cursor is in offer 1's name.
    void itStartsFromTheCalculatedLoan() {
        openCompare();
        QVERIFY(compare()->showsMessage());
        QCOMPARE(compare()->windowTitle(), QStringLiteral("Pellmarsh v1.0 \u2014 Compare Offers"));
        QTest::keyClick(compare(), Qt::Key_Escape);
        openOnWorkedLoan();
        QVERIFY(!compare()->showsMessage());
        QCOMPARE(QApplication::focusWidget(), offer(0).name);
        QCOMPARE(offer(0).principal->text(), QStringLiteral("200000"));
        QCOMPARE(offer(1).rate->text(), QStringLiteral("6"));
        QCOMPARE(figure(QStringLiteral("Monthly payment"), 0), QStringLiteral("1199.10"));
        QCOMPARE(figure(QStringLiteral("APR %"), 0), QStringLiteral("6.000"));
        QCOMPARE(figure(QStringLiteral("Effective annual rate %"), 0), QStringLiteral("6.168"));
        // A later Calculate is followed until offer 1 is edited.
        fill({"15", "6", "200000", "", "", "2007"});
        calculate();
        QCOMPARE(offer(0).years->text(), QStringLiteral("15"));
        typeInto(offer(0).rate, QStringLiteral("6.5"));
        fill({"20", "6", "200000", "", "", "2007"});
        calculate();
        QCOMPARE(offer(0).years->text(), QStringLiteral("15"));
    }

    // A lower rate bought with a point and 1500 of fees costs more at first and less from payment 56 on.
    void pointsPayOffAfterFourYearsEightMonths() {
        openOnWorkedLoan();
        typeInto(offer(1).name, QStringLiteral("Points"));
        typeInto(offer(1).rate, QStringLiteral("5.625"));
        typeInto(offer(1).points, QStringLiteral("1"));
        typeInto(offer(1).fees, QStringLiteral("1500"));
        typeInto(compare()->horizon, QStringLiteral("7"));
        QCOMPARE(figure(QStringLiteral("Offer"), 1), QStringLiteral("Points"));
        QCOMPARE(figure(QStringLiteral("Monthly payment"), 1), QStringLiteral("1151.31"));
        QCOMPARE(figure(QStringLiteral("Cash at closing"), 1), QStringLiteral("3500.00"));
        QCOMPARE(figure(QStringLiteral("Cost over 7 years"), 0), QStringLiteral("80003.27"));
        QCOMPARE(figure(QStringLiteral("Cost over 7 years"), 1), QStringLiteral("78262.66"));
        QCOMPARE(figure(QStringLiteral("Break-even against offer 1"), 1), QStringLiteral("after 4 years 8 months"));
        QCOMPARE(figure(QStringLiteral("Cheapest"), 1), QStringLiteral("cheapest over 7 years"));
        QCOMPARE(figure(QStringLiteral("Cheapest"), 0), QString());
        const CompareModel& model = compare()->comparisonModel();
        QVERIFY(model.data(model.index(0, 2), Qt::FontRole).value<QFont>().bold());
        QVERIFY(!model.data(model.index(0, 1), Qt::FontRole).value<QFont>().bold());
        QVERIFY(compare()->comparisonText().contains(QStringLiteral("Cheapest: cheapest over 7 years")));
        // Over four years the points have not paid off yet.
        typeInto(compare()->horizon, QStringLiteral("4"));
        QCOMPARE(figure(QStringLiteral("Cheapest"), 0), QStringLiteral("cheapest over 4 years"));
        // The chart draws each offer's cost and marks the horizon.
        const QList<QAbstractSeries*> series = compare()->chartView()->chart()->series();
        QCOMPARE(series.size(), 5);
        QVERIFY(series[0]->isVisible() && series[1]->isVisible() && !series[2]->isVisible());
        QCOMPARE(series[1]->name(), QStringLiteral("Points"));
        QCOMPARE(qobject_cast<QLineSeries*>(series[1])->at(84).y(), 78262.66);
        QCOMPARE(series.back()->name(), QStringLiteral("Keep the loan for 4 years"));
        QCOMPARE(qobject_cast<QLineSeries*>(series.back())->at(0).x(), 2011.0);
    }

    // A rate change after a fixed period works the payment out again; one outside the loan is marked.
    void aRateChangeGivesAPaymentAfterIt() {
        openOnWorkedLoan();
        typeInto(offer(1).changeYear, QStringLiteral("2012"));
        typeInto(offer(1).changeRate, QStringLiteral("8"));
        QCOMPARE(figure(QStringLiteral("Payment after rate change"), 0), QString());
        const QString after = figure(QStringLiteral("Payment after rate change"), 1);
        QVERIFY2(Decimal::fromString(after) > Decimal::fromString(u"1400"), qPrintable(after));
        QVERIFY(Decimal::fromString(figure(QStringLiteral("APR %"), 1)) > Decimal::fromString(u"6.5"));
        typeInto(offer(1).changeYear, QStringLiteral("2050"));
        QVERIFY(offer(1).changeRate->isMarked());
        QCOMPARE(figure(QStringLiteral("Payment after rate change"), 1), QString());
    }

    // A field that does not read is marked with its reason; the figures stay, out of date; nothing is lost.
    void aFieldThatDoesNotReadIsMarkedAndTheFiguresKept() {
        openOnWorkedLoan();
        typeInto(offer(1).rate, QStringLiteral("5"));
        const QString payment = figure(QStringLiteral("Monthly payment"), 1);
        typeInto(offer(1).principal, QString());
        QVERIFY(offer(1).principal->isMarked());
        QVERIFY(offer(1).principal->reasonLabel()->isVisibleTo(compare()));
        QVERIFY(compare()->isOutOfDate());
        QCOMPARE(figure(QStringLiteral("Monthly payment"), 1), payment);
        typeInto(offer(1).principal, QStringLiteral("150000"));
        QVERIFY(!compare()->isOutOfDate());
        QVERIFY(compare()->likeForLike->isVisibleTo(compare()));
        QVERIFY(figure(QStringLiteral("Notes"), 1).contains(QStringLiteral("not like for like")));
    }

    // Four offers at most, each a copy of the one before; two at least.
    void fourOffersSideBySide() {
        openOnWorkedLoan();
        typeInto(offer(1).rate, QStringLiteral("5.5"));
        QTest::mouseClick(compare()->addOffer, Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), offer(2).name);
        QCOMPARE(offer(2).rate->text(), QStringLiteral("5.5"));
        typeInto(offer(2).years, QStringLiteral("15"));
        QTest::mouseClick(compare()->addOffer, Qt::LeftButton);
        QVERIFY(!compare()->addOffer->isEnabled());
        typeInto(offer(3).points, QStringLiteral("2"));
        QCOMPARE(compare()->comparisonModel().columnCount(), 5);
        QCOMPARE(figure(QStringLiteral("Offer"), 3), QStringLiteral("Offer 4"));
        QCOMPARE(figure(QStringLiteral("Payments over 30 years"), 2), QStringLiteral("180"));
        QCOMPARE(figure(QStringLiteral("Cash at closing"), 3), QStringLiteral("4000.00"));
        QAbstractItemModelTester tester(compare()->comparisonView->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(compare()->comparisonModel().headerData(5, Qt::Horizontal), QVariant());
        QTest::mouseClick(compare()->removeOffer, Qt::LeftButton);
        QTest::mouseClick(compare()->removeOffer, Qt::LeftButton);
        QVERIFY(!compare()->removeOffer->isEnabled());
        QCOMPARE(compare()->comparisonModel().columnCount(), 3);
    }

    // Tab reaches every field and button; each field has a name the screen reader reads; Escape closes.
    void theKeyboardReachesEverything() {
        openOnWorkedLoan();
        QSet<QWidget*> reached;
        for (int i = 0; i < 40; ++i) {
            reached.insert(QApplication::focusWidget());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        for (const CompareWindow::OfferFields& fields : compare()->offers()) {
            for (QWidget* field : std::initializer_list<QWidget*>{
                     fields.name, fields.principal, fields.years, fields.rate, fields.points, fields.fees,
                     fields.monthlyFee, fields.changeYear, fields.changeMonth, fields.changeRate}) {
                QVERIFY2(reached.contains(field) || reached.contains(field->focusProxy()),
                         qPrintable(field->accessibleName()));
                QVERIFY(field->accessibleName().startsWith(QStringLiteral("Offer ")));
            }
        }
        for (QWidget* control : std::initializer_list<QWidget*>{compare()->addOffer, compare()->removeOffer,
                                                                compare()->horizon, compare()->comparisonView})
            QVERIFY2(reached.contains(control) || reached.contains(control->focusProxy()),
                     control->metaObject()->className());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!compare()->isVisible());
    }

    // The command line's summary holds the window's figures for the same offers.
    void theCommandLinesSummaryIsTheWindows() {
        openOnWorkedLoan();
        typeInto(offer(1).rate, QStringLiteral("5.625"));
        typeInto(offer(1).points, QStringLiteral("1"));
        typeInto(offer(1).fees, QStringLiteral("1500"));
        typeInto(compare()->horizon, QStringLiteral("7"));
        QProcess process;
        process.start(QStringLiteral(PELLMARSH_BINARY),
                      {"--years", "30", "--rate", "6", "--principal", "200000", "--start-year", "2007", "--offer",
                       "rate=5.625,points=1,fees=1500", "--horizon", "7", "--summary"});
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), 0);
        const QStringList lines = QString::fromUtf8(process.readAllStandardOutput()).split(u'\n');
        const qsizetype second = lines.indexOf(QStringLiteral("Offer: Offer 2"));
        QVERIFY(second > 0);
        for (const auto& [line, name] :
             {std::pair{QStringLiteral("Payment"), QStringLiteral("Monthly payment")},
              std::pair{QStringLiteral("Cash at closing"), QStringLiteral("Cash at closing")},
              std::pair{QStringLiteral("APR"), QStringLiteral("APR %")},
              std::pair{QStringLiteral("Effective annual rate"), QStringLiteral("Effective annual rate %")},
              std::pair{QStringLiteral("Interest over 7 years"), QStringLiteral("Interest over 7 years")},
              std::pair{QStringLiteral("Cost over 7 years"), QStringLiteral("Cost over 7 years")},
              std::pair{QStringLiteral("Balance after 7 years"), QStringLiteral("Balance after 7 years")},
              std::pair{QStringLiteral("Total interest"), QStringLiteral("Total interest")},
              std::pair{QStringLiteral("Break-even"), QStringLiteral("Break-even against offer 1")}}) {
            const QString expected = line + QStringLiteral(": ") + figure(name, 1);
            QVERIFY2(lines.mid(second).contains(expected), qPrintable(expected + u'|' + lines.join(u'|')));
        }
        QVERIFY(lines.mid(0, second).contains(QStringLiteral("APR: 6.000")));
        QVERIFY(lines.mid(0, second).filter(QStringLiteral("Break-even")).isEmpty());
    }
};

QTEST_MAIN(TestCompareWindow)
#include "tst_comparewindow.moc"
