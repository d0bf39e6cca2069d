// The lender's schedule window as the user meets it: opened with Ctrl+L, its presets, rate changes, a payment
// that does not cover its interest, a date that does not exist, and the command line's CSV beside its table.
#include "app/InputBox.h"
#include "export/TableExport.h"
#include "lender/LenderScheduleModel.h"
#include "lender/LenderWindow.h"
#include "tests/app/FormTestCase.h"
#include "windows/CheckedField.h"
#include "windows/TableActions.h"

#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

#include <map>

class TestLenderWindow : public FormTestCase {
    Q_OBJECT

    LenderWindow* lender() { return form().findChild<LenderWindow*>(); }
    const LenderScheduleModel& table() { return lender()->scheduleModel(); }

    // Ctrl+L in an input box, which types nothing there, opens the window in front.
    void openLender() {
        form().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form()));
        const QString before = form().Text1->text();
        QTest::keyClick(form().Text1, Qt::Key_L, Qt::ControlModifier);
        QCOMPARE(form().Text1->text(), before);
        QTRY_COMPARE(QApplication::activeWindow(), lender());
    }

    void openOn(const QStringList& texts) {
        fill(texts);
        calculate();
        openLender();
    }

    QString figure(const QString& name, int column = 1) {
        for (const LenderText::SummaryRow& row : lender()->summary()) {
            if (row.name == name)
                return std::array{row.name, row.lender, row.asCalculated, row.difference}[std::size_t(column)];
        }
        return QStringLiteral("no figure named ") + name;
    }

    QString cell(int row, LenderScheduleModel::Column column) {
        return table().data(table().index(row, column)).toString();
    }

    // The table's row of the payment numbered `number`, or of the year's totals "YYYY total".
    int rowOf(const QString& numberOrTotal) {
        for (int row = 0; row < table().rowCount(); ++row) {
            if (cell(row, LenderScheduleModel::NumberColumn) == numberOrTotal ||
                cell(row, LenderScheduleModel::DateColumn) == numberOrTotal)
                return row;
        }
        return -1;
    }

    // A choice made with the keyboard: the list opened with Alt+Down, the entry found with the arrows, Enter.
    void choose(QComboBox* box, const QString& text) {
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Down, Qt::AltModifier);
        QAbstractItemView* list = box->view();
        QTRY_VERIFY(list->isVisible());
        QTest::keyClick(list, Qt::Key_Home);
        for (int i = 0; i < box->count() && list->currentIndex().data().toString() != text; ++i)
            QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Return);
        QTRY_VERIFY(!list->isVisible());
        QCOMPARE(box->currentText(), text);
    }

    void typeInto(QWidget* field, const QString& text) {
        field->setFocus();
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(field, text);
    }

    // Add, then keys typed into the new rate change's rate, which Add opens, and Enter.
    void addRateChange(const QString& rate) {
        QTest::mouseClick(lender()->addChange, Qt::LeftButton);
        QTest::keyClicks(QApplication::focusWidget(), rate);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_VERIFY(!lender()->rateChanges->item(lender()->rateChanges->rowCount() - 1, 2)->text().isEmpty());
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // Before any Calculate it says so; the first Calculate brings the figures, with the cursor in the preset.
    void itWaitsForACalculateThenOpensOnThePreset() {
        openLender();
        QVERIFY(lender()->showsMessage());
        QCOMPARE(lender()->windowTitle(), QStringLiteral("Pellmarsh v1.0 \u2014 Lender's Schedule"));
        QCOMPARE(lender()->findChild<QLabel*>(QStringLiteral("message"))->text(),
                 QStringLiteral("Calculate a loan to see it as a lender bills it"));
        QTest::keyClick(lender(), Qt::Key_Escape);
        openOn({"25", "13.25", "50000", "", "", "2007"});
        QVERIFY(!lender()->showsMessage());
        QCOMPARE(QApplication::focusWidget(), lender()->preset);
        QCOMPARE(lender()->preset->currentText(), QStringLiteral("Lender: payment and interest to the cent"));
    }

    // A calculator manual's example: 50,000 at 13.25 % over 25 years, payment and interest to the cent.
    void theLenderPresetMatchesTheCalculatorManual() {
        openOn({"25", "13.25", "50000", "", "", "2007"});
        QCOMPARE(figure(QStringLiteral("Payment")), QStringLiteral("573.35"));
        QCOMPARE(figure(QStringLiteral("Payment"), 2), QStringLiteral("573.35"));
        QCOMPARE(figure(QStringLiteral("Number of payments")), QStringLiteral("300"));
        QCOMPARE(cell(0, LenderScheduleModel::InterestColumn), QStringLiteral("552.08"));
        QCOMPARE(cell(0, LenderScheduleModel::PrincipalColumn), QStringLiteral("21.27"));
        QCOMPARE(cell(1, LenderScheduleModel::InterestColumn), QStringLiteral("551.85"));
        QCOMPARE(cell(1, LenderScheduleModel::PrincipalColumn), QStringLiteral("21.50"));
        // Payments 13 to 24 are the year 2008.
        const int year = rowOf(QStringLiteral("2008 total"));
        QCOMPARE(cell(year, LenderScheduleModel::NumberColumn), QString());
        QCOMPARE(cell(year, LenderScheduleModel::InterestColumn), QStringLiteral("6570.72"));
        QCOMPARE(cell(year, LenderScheduleModel::PrincipalColumn), QStringLiteral("309.48"));
        QCOMPARE(cell(year, LenderScheduleModel::BalanceColumn), QStringLiteral("49419.21"));
        QCOMPARE(cell(year - 1, LenderScheduleModel::DateColumn), QStringLiteral("2008-12-01"));
        QVERIFY(table().data(table().index(year, 0), Qt::FontRole).value<QFont>().bold());
        QVERIFY(!table().data(table().index(year - 1, 0), Qt::FontRole).value<QFont>().bold());
        QVERIFY(lender()->summaryText().contains(QStringLiteral("Payment: 573.35, as calculated 573.35")));
    }

    // "As calculated: nothing rounded" is the main grid's month rows, to the cent.
    void asCalculatedIsTheGridsMonthRows_data() {
        QTest::addColumn<QString>("golden");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("1 year") << "1-y-6-12000.tsv" << QStringList{"1", "6", "12000", "", "", "2007"};
        QTest::newRow("2.5 years") << "2.5-y-6-12000.tsv" << QStringList{"2.5", "6", "12000", "", "", "2007"};
        QTest::newRow("30 years") << "30-y-6-200000.tsv" << QStringList{"30", "6", "200000", "", "", "2007"};
    }
    void asCalculatedIsTheGridsMonthRows() {
        QFETCH(QString, golden);
        QFETCH(QStringList, texts);
        openOn(texts);
        choose(lender()->preset, QStringLiteral("As calculated: nothing rounded"));
        QCOMPARE(lender()->paymentRounding->currentText(), QStringLiteral("Not rounded"));
        std::map<std::pair<int, int>, QString> grid;
        for (const QString& line : goldenLines(golden)) {
            const QStringList fields = line.split(u'\t');
            grid[{fields[0].toInt(), fields[1].toInt()}] = fields[2];
        }
        const auto at = [&grid](int row, int column) {
            const auto found = grid.find({row, column});
            return found == grid.end() ? QString() : found->second;
        };
        const auto amount = [](const QString& text) { return Decimal::fromString(text); };
        int payment = 0;
        for (int row = 8; at(row, 1) != QStringLiteral("Total Summary:"); ++row) {
            const QString month = at(row, 1);
            if (month.startsWith(u'-') || month.isEmpty() || month == QStringLiteral("Total End Of Year"))
                continue;
            const int tableRow = rowOf(QString::number(++payment));
            QVERIFY2(tableRow >= 0, qPrintable(QStringLiteral("no payment %1").arg(payment)));
            QCOMPARE(amount(cell(tableRow, LenderScheduleModel::InterestColumn)), amount(at(row, 2)));
            QCOMPARE(amount(cell(tableRow, LenderScheduleModel::PrincipalColumn)), amount(at(row, 3)));
            QCOMPARE(amount(cell(tableRow, LenderScheduleModel::BalanceColumn)), amount(at(row, 4)));
        }
        QCOMPARE(figure(QStringLiteral("Number of payments")), QString::number(payment));
        QCOMPARE(figure(QStringLiteral("Total interest"), 3), QStringLiteral("0.00"));
    }

    // Canada: 350,000 at 5 % compounded semi-annually over 25 years. The preset keeps how often the borrower
    // pays; any other detail turns it into "Custom".
    void canadaCompoundsSemiAnnuallyAndPaysBiweekly() {
        openOn({"25", "5", "350000", "", "", "2007"});
        choose(lender()->preset, QStringLiteral("Canada: compounded semi-annually"));
        QCOMPARE(lender()->compounding->currentText(), QStringLiteral("Semi-annually"));
        QCOMPARE(figure(QStringLiteral("Payment")), QStringLiteral("2035.62"));
        choose(lender()->frequency, QStringLiteral("Accelerated biweekly"));
        QCOMPARE(lender()->preset->currentText(), QStringLiteral("Custom"));
        QCOMPARE(figure(QStringLiteral("Payment")), QStringLiteral("1017.81"));
        QCOMPARE(cell(1, LenderScheduleModel::DateColumn), QStringLiteral("2007-01-15"));
        choose(lender()->preset, QStringLiteral("Canada: compounded semi-annually"));
        QCOMPARE(lender()->frequency->currentText(), QStringLiteral("Accelerated biweekly"));
        QCOMPARE(figure(QStringLiteral("Payment")), QStringLiteral("1017.81"));
    }

    // Germany: 200,000 at 2 % with a 3 % initial repayment, and the balance when the fixed rate ends.
    void germanyPaysTheRatePlusAnInitialRepayment() {
        openOn({"30", "2", "200000", "", "", "2007"});
        choose(lender()->preset, QStringLiteral("Germany: rate and initial repayment"));
        QCOMPARE(lender()->paymentAmount->text(), QStringLiteral("2"));
        QCOMPARE(figure(QStringLiteral("Payment")), QStringLiteral("666.67"));
        typeInto(lender()->paymentAmount, QStringLiteral("3"));
        QCOMPARE(figure(QStringLiteral("Payment")), QStringLiteral("833.33"));
        typeInto(lender()->balanceAfter, QStringLiteral("10"));
        QCOMPARE(figure(QStringLiteral("Balance after 10 years")), QStringLiteral("133640.67"));
        const int payment120 = rowOf(QStringLiteral("120"));
        QCOMPARE(cell(payment120, LenderScheduleModel::InterestColumn), QStringLiteral("223.75"));
        QCOMPARE(cell(payment120, LenderScheduleModel::PrincipalColumn), QStringLiteral("609.58"));
        // The repayment typed stays when the preset is chosen again.
        choose(lender()->preset, QStringLiteral("Lender: payment and interest to the cent"));
        choose(lender()->preset, QStringLiteral("Germany: rate and initial repayment"));
        QCOMPARE(lender()->paymentAmount->text(), QStringLiteral("3"));
    }

    // Past the loan's end the balance is nothing owed; a schedule that stops before then has no such balance.
    void theBalanceAfterTheLoanIsNothingOwed() {
        openOn({"1", "6", "12000", "", "", "2007"});
        typeInto(lender()->balanceAfter, QStringLiteral("2"));
        QCOMPARE(figure(QStringLiteral("Balance after 2 years")), QStringLiteral("0.00"));
        choose(lender()->paymentBasis, QStringLiteral("A fixed amount"));
        typeInto(lender()->paymentAmount, QStringLiteral("10"));
        QVERIFY(!lender()->stopText().isEmpty());
        QCOMPARE(figure(QStringLiteral("Balance after 2 years")), QStringLiteral("none"));
    }

    // A rate change works the payment out again, or keeps it and moves the end; one outside the loan is marked.
    void aRateChangeWorksThePaymentOutAgainOrMovesTheEnd() {
        openOn({"30", "6", "200000", "", "", "2007"});
        addRateChange(QStringLiteral("7"));
        QVERIFY2(lender()->stopText().isEmpty() && !lender()->isOutOfDate(),
                 qPrintable(lender()->stopText() + lender()->termsProblem->text() + lender()->changesProblem->text()));
        QCOMPARE(cell(rowOf(QStringLiteral("12")), LenderScheduleModel::PaymentColumn), QStringLiteral("1199.10"));
        const QString newPayment = cell(rowOf(QStringLiteral("13")), LenderScheduleModel::PaymentColumn);
        QVERIFY2(Decimal::fromString(newPayment) > Decimal::fromString(u"1300"), qPrintable(newPayment));
        QCOMPARE(figure(QStringLiteral("Number of payments")), QStringLiteral("360"));
        QTest::mouseClick(lender()->keepPayment, Qt::LeftButton);
        QCOMPARE(cell(rowOf(QStringLiteral("13")), LenderScheduleModel::PaymentColumn), QStringLiteral("1199.10"));
        QVERIFY(figure(QStringLiteral("Number of payments")).toInt() > 360);
        QCOMPARE(lender()->preset->currentText(), QStringLiteral("Custom"));

        lender()->rateChanges->item(0, LenderWindow::ChangeYearColumn)->setText(QStringLiteral("2050"));
        QVERIFY(lender()->changesProblem->text().contains(QStringLiteral("left out")));
        QCOMPARE(cell(rowOf(QStringLiteral("13")), LenderScheduleModel::PaymentColumn), QStringLiteral("1199.10"));
        QCOMPARE(figure(QStringLiteral("Number of payments")), QStringLiteral("360"));
        QTest::mouseClick(lender()->removeChange, Qt::LeftButton);
        QCOMPARE(lender()->rateChanges->rowCount(), 0);
        QVERIFY(!lender()->changesProblem->isVisibleTo(lender()));
    }

    // A fixed payment below the first month's interest never pays the loan off: the schedule stops and says
    // why, with the date and both amounts.
    void aPaymentThatDoesNotCoverTheInterestStops() {
        openOn({"25", "13.25", "50000", "", "", "2007"});
        choose(lender()->paymentBasis, QStringLiteral("A fixed amount"));
        QVERIFY(lender()->paymentAmount->isEnabled());
        typeInto(lender()->paymentAmount, QStringLiteral("500"));
        const QString stop = lender()->stopText();
        for (const char* part : {"2007-01-01", "500.00", "552.08"})
            QVERIFY2(stop.contains(QLatin1String(part)), qPrintable(stop));
        QCOMPARE(table().rowCount(), 0);
        QVERIFY(!lender()->isOutOfDate());
        typeInto(lender()->paymentAmount, QStringLiteral("600"));
        QCOMPARE(lender()->stopText(), QString());
        QCOMPARE(cell(0, LenderScheduleModel::PaymentColumn), QStringLiteral("600.00"));
    }

    // A date that does not exist is marked with its reason; the figures stay, out of date; nothing typed is lost.
    void aDateThatDoesNotExistIsMarkedAndTheFiguresKept() {
        openOn({"25", "13.25", "50000", "", "", "2007"});
        typeInto(lender()->firstPayment, QStringLiteral("2007-02-30"));
        QVERIFY(lender()->firstPayment->isMarked());
        QVERIFY(lender()->firstPayment->reasonLabel()->isVisibleTo(lender()));
        QVERIFY(lender()->isOutOfDate());
        QCOMPARE(lender()->firstPayment->text(), QStringLiteral("2007-02-30"));
        QCOMPARE(cell(0, LenderScheduleModel::DateColumn), QStringLiteral("2007-01-01"));
        typeInto(lender()->firstPayment, QStringLiteral("2007-01-31"));
        QVERIFY(!lender()->isOutOfDate());
        QCOMPARE(cell(0, LenderScheduleModel::DateColumn), QStringLiteral("2007-01-31"));
        QCOMPARE(cell(1, LenderScheduleModel::DateColumn), QStringLiteral("2007-02-28"));
        QCOMPARE(cell(2, LenderScheduleModel::DateColumn), QStringLiteral("2007-03-31"));
    }

    // A semi-monthly first payment on a day with no second payment in its month is marked at the date.
    void aSemiMonthlyDayWithoutASecondPaymentIsMarked() {
        openOn({"25", "13.25", "50000", "", "", "2007"});
        choose(lender()->frequency, QStringLiteral("Semi-monthly"));
        QCOMPARE(cell(1, LenderScheduleModel::DateColumn), QStringLiteral("2007-01-16"));
        typeInto(lender()->firstPayment, QStringLiteral("2007-01-14"));
        QVERIFY(lender()->firstPayment->isMarked());
        QVERIFY2(
            lender()->firstPayment->reasonLabel()->text().contains(QStringLiteral("not possible for semi-monthly")),
            qPrintable(lender()->firstPayment->reasonLabel()->text()));
        QVERIFY(lender()->isOutOfDate());
        QCOMPARE(cell(1, LenderScheduleModel::DateColumn), QStringLiteral("2007-01-16"));
        typeInto(lender()->firstPayment, QStringLiteral("2007-01-20"));
        QVERIFY(!lender()->firstPayment->isMarked());
        QCOMPARE(cell(1, LenderScheduleModel::DateColumn), QStringLiteral("2007-02-05"));
    }

    // Tab reaches every field and button; each has a name the screen reader reads; Escape closes.
    void theKeyboardReachesEverything() {
        openOn({"30", "6", "200000", "", "", "2007"});
        choose(lender()->paymentBasis, QStringLiteral("A fixed amount"));
        lender()->preset->setFocus();
        QSet<QWidget*> reached;
        for (int i = 0; i < 40; ++i) {
            reached.insert(QApplication::focusWidget());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        for (QWidget* field : std::initializer_list<QWidget*>{
                 lender()->preset, lender()->frequency, lender()->firstPayment, lender()->compounding,
                 lender()->interestCount, lender()->loanDate, lender()->paymentRounding, lender()->interestRounding,
                 lender()->paymentBasis, lender()->paymentAmount, lender()->rateChanges, lender()->addChange,
                 lender()->removeChange, lender()->newPayment, lender()->balanceAfter, lender()->scheduleView,
                 lender()->actions->copyButton, lender()->actions->pdfButton}) {
            QVERIFY2(reached.contains(field) || reached.contains(field->focusProxy()),
                     qPrintable(field->accessibleName()));
            QVERIFY(!field->accessibleName().isEmpty() || !field->findChildren<QLabel*>().isEmpty() ||
                    qobject_cast<QAbstractButton*>(field));
        }
        QWidget* last = QApplication::focusWidget();
        QTest::keyClick(last, Qt::Key_Escape);
        QVERIFY2(!lender()->isVisible(), last->metaObject()->className());
    }

    // The command line writes the window's table, and its summary the window's figures.
    void theCommandLineWritesTheWindowsTable() {
        openOn({"25", "13.25", "50000", "", "", "2007"});
        choose(lender()->frequency, QStringLiteral("Biweekly"));
        const QByteArray csv = TableExport::csv(table());
        QVERIFY(csv.startsWith("No.,Date,Payment,Interest,Principal,Balance\r\n1,2007-01-01,"));
        QVERIFY(csv.contains("\r\n,2007 total,"));
        const QStringList loan{"--years", "25",           "--rate", "13.25",       "--principal",
                               "50000",   "--start-year", "2007",   "--frequency", "biweekly"};
        QProcess process;
        process.start(QStringLiteral(PELLMARSH_BINARY), loan + QStringList{"--csv"});
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), 0);
        QCOMPARE(process.readAllStandardOutput(), csv);
        process.start(QStringLiteral(PELLMARSH_BINARY), loan + QStringList{"--summary", "--balance-after", "5"});
        QVERIFY(process.waitForFinished(60000));
        const QStringList lines = QString::fromUtf8(process.readAllStandardOutput()).split(u'\n');
        QVERIFY2(lines.contains(QStringLiteral("Payment: ") + figure(QStringLiteral("Payment"))),
                 qPrintable(lines.join(u'|')));
        QVERIFY(lines.contains(QStringLiteral("Number of payments: 650")));
        QVERIFY(lines.contains(QStringLiteral("First payment: 2007-01-01")));
        QVERIFY(lines.filter(QRegularExpression(QStringLiteral("^Balance after 5 years: [0-9]+\\.[0-9]{2}$"))).size() ==
                1);
    }

    void theTableModelAnswersAsAModelShould() {
        openOn({"2.5", "6", "12000", "", "", "2007"});
        QAbstractItemModelTester tester(lender()->scheduleView->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(table().rowCount(), 30 + 3);
        QCOMPARE(table().headerData(LenderScheduleModel::kColumnCount, Qt::Horizontal), QVariant());
        QCOMPARE(table().data(table().index(table().rowCount(), 0)), QVariant());
        choose(lender()->frequency, QStringLiteral("Weekly"));
        QCOMPARE(cell(1, LenderScheduleModel::DateColumn), QStringLiteral("2007-01-08"));
    }
};

QTEST_MAIN(TestLenderWindow)
#include "tst_lenderwindow.moc"
