// The what-if window as the user meets it: opened with Ctrl+E from the calculated window, extras typed in
// its fields, and what it shows against the loan as calculated; and the same extras on the command line.
#include "app/InputBox.h"
#include "export/TableExport.h"
#include "tests/app/FormTestCase.h"
#include "whatif/ExtraScheduleModel.h"
#include "whatif/WhatIfWindow.h"
#include "windows/CheckedField.h"
#include "windows/TableActions.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

class TestWhatIf : public FormTestCase {
    Q_OBJECT

    WhatIfWindow* whatIf() { return form().findChild<WhatIfWindow*>(); }
    const ExtraScheduleModel& table() { return whatIf()->scheduleModel(); }

    // Ctrl+E in an input box, which types nothing there, opens the window in front.
    void openWhatIf() {
        const QString before = form().Text1->text();
        QTest::keyClick(form().Text1, Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(form().Text1->text(), before);
        QTRY_COMPARE(QApplication::activeWindow(), whatIf());
    }

    // The worked loan: 30 years at 6 % on 200,000 from 2007, calculated, and the window opened.
    void openOnWorkedLoan() {
        fill({"30", "6", "200000", "", "", "2007"});
        calculate();
        openWhatIf();
    }

    QString figure(const QString& name, bool withExtras = true) {
        for (const WhatIfText::ComparisonRow& row : whatIf()->comparison()) {
            if (row.name == name)
                return withExtras ? row.withExtras : row.asCalculated;
        }
        return QStringLiteral("no figure named ") + name;
    }

    QString cell(int row, ExtraScheduleModel::Column column) {
        return table().data(table().index(row, column)).toString();
    }

    void typeInto(QWidget* field, const QString& text) {
        field->setFocus();
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(field, text);
    }

    // Add, then keys typed into the new row's amount editor, which Add opens, and Enter.
    void addLump(const QString& keys) {
        QTest::mouseClick(whatIf()->addLump, Qt::LeftButton);
        QTest::keyClicks(QApplication::focusWidget(), keys);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        // The editor hands its text to the table once the event loop runs.
        QTRY_VERIFY(!lumpAmount(whatIf()->lumps->rowCount() - 1).isEmpty());
    }

    QString lumpAmount(int row) { return whatIf()->lumps->item(row, WhatIfWindow::LumpAmountColumn)->text(); }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // With no extras, every month row and every year's totals are the grid's, to the cent.
    void withoutExtrasTheTableIsTheGrids_data() {
        QTest::addColumn<QString>("golden");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("1 year") << "1-y-6-12000.tsv" << QStringList{"1", "6", "12000", "", "", "2007"};
        QTest::newRow("2.5 years") << "2.5-y-6-12000.tsv" << QStringList{"2.5", "6", "12000", "", "", "2007"};
        QTest::newRow("30 years") << "30-y-6-200000.tsv" << QStringList{"30", "6", "200000", "", "", "2007"};
    }
    void withoutExtrasTheTableIsTheGrids() {
        QFETCH(QString, golden);
        QFETCH(QStringList, texts);
        fill(texts);
        calculate();
        openWhatIf();
        // The golden grid's cells as "row col text ...": month rows have a year and a month name, totals
        // rows "Total End Of Year".
        std::map<std::pair<int, int>, QString> grid;
        for (const QString& line : goldenLines(golden)) {
            const QStringList fields = line.split(u'\t');
            grid[{fields[0].toInt(), fields[1].toInt()}] = fields[2];
        }
        const auto at = [&grid](int row, int column) {
            const auto found = grid.find({row, column});
            return found == grid.end() ? QString() : found->second;
        };
        int tableRow = 0;
        const auto amount = [](const QString& text) { return Decimal::fromString(text); };
        // Month and totals rows run from row 8 to the summary, with dashes and an empty row between years.
        const int lastRow = grid.rbegin()->first.first;
        for (int row = 8; row <= lastRow && at(row, 1) != QStringLiteral("Total Summary:"); ++row) {
            const QString month = at(row, 1);
            if (month.startsWith(u'-') || month.isEmpty())
                continue;
            QVERIFY2(tableRow < table().rowCount(), qPrintable(QStringLiteral("row %1 is past the table").arg(row)));
            if (month != QStringLiteral("Total End Of Year") &&
                cell(tableRow, ExtraScheduleModel::MonthColumn) == QStringLiteral("Total to date"))
                QFAIL(qPrintable(QStringLiteral("row %1: the grid has a month where the table has totals").arg(row)));
            QCOMPARE(cell(tableRow, ExtraScheduleModel::YearColumn), at(row, 0));
            QCOMPARE(amount(cell(tableRow, ExtraScheduleModel::InterestColumn)), amount(at(row, 2)));
            QCOMPARE(amount(cell(tableRow, ExtraScheduleModel::PrincipalColumn)), amount(at(row, 3)));
            QCOMPARE(amount(cell(tableRow, ExtraScheduleModel::BalanceColumn)), amount(at(row, 4)));
            ++tableRow;
        }
        QCOMPARE(tableRow, table().rowCount());
        QCOMPARE(figure(QStringLiteral("Interest saved")), QStringLiteral("0.00"));
        QCOMPARE(figure(QStringLiteral("Time saved")), QStringLiteral("none"));
    }

    // 100 more every month: 295 payments instead of 360, the last in July 2031, as exact arithmetic gives.
    void aHundredMoreEveryMonthSavesFiveYearsFiveMonths() {
        openOnWorkedLoan();
        typeInto(whatIf()->monthlyAmount, QStringLiteral("100"));
        QCOMPARE(figure(QStringLiteral("Number of payments"), false), QStringLiteral("360"));
        QCOMPARE(figure(QStringLiteral("Number of payments")), QStringLiteral("295"));
        QCOMPARE(figure(QStringLiteral("Last payment")), QStringLiteral("July 2031"));
        QCOMPARE(figure(QStringLiteral("Total interest"), false), QStringLiteral("231676.38"));
        QCOMPARE(figure(QStringLiteral("Total interest")), QStringLiteral("182537.97"));
        QCOMPARE(figure(QStringLiteral("Interest saved")), QStringLiteral("49138.41"));
        QCOMPARE(figure(QStringLiteral("Time saved")), QStringLiteral("5 years 5 months"));
        QVERIFY(whatIf()->comparisonText().contains(QStringLiteral("Interest saved: 49138.41")));
        QCOMPARE(cell(0, ExtraScheduleModel::ExtraColumn), QStringLiteral("100.00"));
        // Both balances are drawn: the extras' line reaches zero in 2031.
        QCOMPARE(whatIf()->extraBalance()->points().last().y(), 0.0);
        QVERIFY(whatIf()->extraBalance()->points().last().x() < 2032);
        QCOMPARE(whatIf()->calculatedBalance()->count(), 31);
    }

    // A lump of 10,000 in December 2007, added as a one-off payment: 318 payments.
    void aLumpInDecemberSavesInterest() {
        openOnWorkedLoan();
        addLump(QStringLiteral("10,000"));
        QCOMPARE(lumpAmount(0), QStringLiteral("10000")); // a comma is not typed into an amount
        QCOMPARE(figure(QStringLiteral("Number of payments")), QStringLiteral("318"));
        QCOMPARE(figure(QStringLiteral("Interest saved")), QStringLiteral("41044.31"));
        QCOMPARE(cell(11, ExtraScheduleModel::ExtraColumn), QStringLiteral("10000.00"));

        // Paying less instead: as many payments as without it, a lower one from January 2008.
        QTest::mouseClick(whatIf()->payLess, Qt::LeftButton);
        QCOMPARE(figure(QStringLiteral("Number of payments")), QStringLiteral("360"));
        QCOMPARE(cell(11, ExtraScheduleModel::PaymentColumn), QStringLiteral("1199.10"));
        QCOMPARE(cell(13, ExtraScheduleModel::MonthColumn), QStringLiteral("January"));
        QCOMPARE(cell(13, ExtraScheduleModel::PaymentColumn), QStringLiteral("1138.40"));
        QCOMPARE(figure(QStringLiteral("Monthly payment")), QStringLiteral("1138.40"));

        // Removed, the loan is as calculated again.
        whatIf()->lumps->setCurrentCell(0, 0);
        QTest::mouseClick(whatIf()->removeLump, Qt::LeftButton);
        QCOMPARE(figure(QStringLiteral("Monthly payment")), QStringLiteral("1199.10"));
    }

    // A field that does not read is marked with its reason; the figures stay those of the last extras that
    // read, marked out of date; the text stays as typed, and no box opens.
    void aFieldThatIsNotANumberIsMarkedAndKept() {
        openOnWorkedLoan();
        typeInto(whatIf()->monthlyAmount, QStringLiteral("100"));
        typeInto(whatIf()->monthlyAmount, QStringLiteral("."));
        QCOMPARE(whatIf()->monthlyAmount->text(), QStringLiteral("."));
        QVERIFY(whatIf()->monthlyAmount->reasonLabel()->isVisibleTo(whatIf()));
        QVERIFY2(whatIf()->monthlyAmount->reasonLabel()->text().contains(QStringLiteral("the extra every month")),
                 qPrintable(whatIf()->monthlyAmount->reasonLabel()->text()));
        QVERIFY(whatIf()->isOutOfDate());
        QCOMPARE(figure(QStringLiteral("Number of payments")), QStringLiteral("295"));
        // Letters, a sign or a second point are not typed at all.
        QTest::keyClicks(whatIf()->monthlyAmount, QStringLiteral("a-.5"));
        QCOMPARE(whatIf()->monthlyAmount->text(), QStringLiteral(".5"));
        QVERIFY(!whatIf()->isOutOfDate());
        QVERIFY(!whatIf()->monthlyAmount->reasonLabel()->isVisibleTo(whatIf()));
        QCOMPARE(cell(0, ExtraScheduleModel::ExtraColumn), QStringLiteral("0.50"));
    }

    void aLumpOutsideTheLoanIsMarkedAndLeftOut() {
        openOnWorkedLoan();
        addLump(QStringLiteral("5000"));
        whatIf()->lumps->item(0, WhatIfWindow::LumpYearColumn)->setText(QStringLiteral("2050"));
        QVERIFY2(whatIf()->lumpsProblem->text().contains(QStringLiteral("outside the loan")),
                 qPrintable(whatIf()->lumpsProblem->text()));
        QVERIFY(whatIf()->lumps->item(0, WhatIfWindow::LumpAmountColumn)->background().style() != Qt::NoBrush);
        QCOMPARE(figure(QStringLiteral("Number of payments")), QStringLiteral("360"));
        QVERIFY(!whatIf()->isOutOfDate());
        // Back inside the loan, its month typed as a number: paid with the first payment, January 2007.
        whatIf()->lumps->item(0, WhatIfWindow::LumpYearColumn)->setText(QStringLiteral("2007"));
        whatIf()->lumps->item(0, WhatIfWindow::LumpMonthColumn)->setText(QStringLiteral("1"));
        QVERIFY2(!whatIf()->lumpsProblem->isVisibleTo(whatIf()), qPrintable(whatIf()->lumpsProblem->text()));
        QCOMPARE(cell(0, ExtraScheduleModel::ExtraColumn), QStringLiteral("5000.00"));
    }

    // Before any Calculate it says so; a later Calculate updates the figures and keeps the extras.
    void itFollowsEachCalculateKeepingTheExtras() {
        openWhatIf();
        QVERIFY(whatIf()->showsMessage());
        fill({"30", "6", "200000", "", "", "2007"});
        calculate();
        QVERIFY(!whatIf()->showsMessage());
        typeInto(whatIf()->monthlyAmount, QStringLiteral("100"));
        fill({"15", "6", "200000", "", "", "2007"});
        calculate();
        QCOMPARE(whatIf()->monthlyAmount->text(), QStringLiteral("100"));
        QCOMPARE(figure(QStringLiteral("Number of payments"), false), QStringLiteral("180"));
        QCOMPARE(cell(0, ExtraScheduleModel::ExtraColumn), QStringLiteral("100.00"));
        // A yearly extra falls in December unless another month is chosen.
        typeInto(whatIf()->yearlyAmount, QStringLiteral("1000"));
        QCOMPARE(cell(11, ExtraScheduleModel::ExtraColumn), QStringLiteral("1100.00"));
    }

    // Tab reaches every field and button; every field has a name the screen reader reads; Escape closes.
    void theKeyboardReachesEverything() {
        openOnWorkedLoan();
        whatIf()->monthlyAmount->setFocus();
        QSet<QWidget*> reached;
        for (int i = 0; i < 40; ++i) {
            reached.insert(QApplication::focusWidget());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        for (QWidget* field : std::initializer_list<QWidget*>{
                 whatIf()->monthlyAmount, whatIf()->monthlyFromYear, whatIf()->monthlyFromMonth, whatIf()->yearlyAmount,
                 whatIf()->yearlyMonth, whatIf()->lumps, whatIf()->addLump, whatIf()->removeLump,
                 whatIf()->finishSooner, whatIf()->scheduleView, whatIf()->actions->copyButton,
                 whatIf()->actions->csvButton, whatIf()->actions->printButton, whatIf()->actions->pdfButton}) {
            QVERIFY2(reached.contains(field) || reached.contains(field->focusProxy()),
                     qPrintable(field->accessibleName() + field->objectName()));
        }
        for (QWidget* field : whatIf()->findChildren<QLineEdit*>())
            QVERIFY(!field->accessibleName().isEmpty() || field->parentWidget()->inherits("QSpinBox"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!whatIf()->isVisible());
    }

    // The cursor is in "Extra every month" when the window opens: an amount typed at once lands there.
    void anAmountTypedAtOnceIsTheExtraEveryMonth() {
        openOnWorkedLoan();
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("100"));
        QCOMPARE(whatIf()->monthlyAmount->text(), QStringLiteral("100"));
        QCOMPARE(whatIf()->monthlyAmount->accessibleName(), QStringLiteral("Extra every month"));
        QCOMPARE(figure(QStringLiteral("Number of payments")), QStringLiteral("295"));
    }

    // The PDF is on the paper the desktop's locale uses, as the grid's is.
    void thePdfIsOnTheLocalesPaper_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QByteArray>("mediaBox");
        QTest::newRow("Letter in the United States") << "en_US" << QByteArray("/MediaBox [0 0 612.000000 792.000000]");
        QTest::newRow("A4 in Germany") << "de_DE" << QByteArray("/MediaBox [0 0 595.000000 842.000000]");
    }
    void thePdfIsOnTheLocalesPaper() {
        QFETCH(QString, locale);
        QFETCH(QByteArray, mediaBox);
        QLocale::setDefault(QLocale(locale));
        openOnWorkedLoan();
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("extras.pdf"));
        whatIf()->setFileChooser([path](auto&&...) { return path; });
        QTest::mouseClick(whatIf()->actions->pdfButton, Qt::LeftButton);
        QLocale::setDefault(QLocale::c());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray pdf = file.readAll();
        QVERIFY2(pdf.contains(mediaBox), pdf.mid(pdf.indexOf("/MediaBox"), 30).constData());
        // Its text reads back as the table's rows, each cell apart from the next.
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
        QVERIFY(text.waitForFinished(60000));
        const QString pages = QString::fromUtf8(text.readAllStandardOutput()).simplified();
        QVERIFY2(pages.startsWith(QStringLiteral("As calculated: 30 years at 6 % on 200000 from 2007, 1199.10 a month "
                                                 "Year Month Payment Extra Interest Principal Balance "
                                                 "2007 January 1199.10 0.00 1000.00 199.10 199800.90")),
                 qPrintable(pages.left(300)));
        QVERIFY(pages.contains(QStringLiteral("2007 Total to date 14389.21 0.00 11933.19 2456.02 197543.98")));
    }

    // A file that cannot be written is told in a box on the window, through the main window's message path;
    // a sink put in that path takes the box instead.
    void aFailedSaveIsToldThroughTheMessagePath() {
        openOnWorkedLoan();
        const QString path = QStringLiteral("/nonexistent-folder/extras.csv");
        whatIf()->setFileChooser([path](auto&&...) { return path; });
        QTest::mouseClick(whatIf()->actions->csvButton, Qt::LeftButton);
        const QList<SeenBox> boxes = takeBoxes();
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].title, QStringLiteral("Pellmarsh v1.0 \u2014 What If"));
        QVERIFY2(boxes[0].text.startsWith(QStringLiteral("Could not write /nonexistent-folder/extras.csv: ")),
                 qPrintable(boxes[0].text));
        QCOMPARE(boxes[0].icon, QMessageBox::Critical);

        QStringList sunk;
        form().messages().setSink([&sunk](MessagePath::Kind, const QString&, const QString& text) { sunk << text; });
        QTest::mouseClick(whatIf()->actions->csvButton, Qt::LeftButton);
        form().messages().setSink({});
        QCOMPARE(sunk.size(), 1);
        QCOMPARE(sunk[0], boxes[0].text);
        QVERIFY(takeBoxes().isEmpty());
    }

    // Copy, Save as CSV and Export as PDF take the schedule with extras; the command line writes the same CSV.
    void theScheduleWithExtrasGoesElsewhere() {
        openOnWorkedLoan();
        typeInto(whatIf()->monthlyAmount, QStringLiteral("100"));
        const QByteArray csv = TableExport::csv(table());
        QVERIFY(csv.startsWith("Year,Month,Payment,Extra,Interest,Principal,Balance\r\n2007,January,1199.10,100.00,"));

        QTest::mouseClick(whatIf()->actions->copyButton, Qt::LeftButton);
        const QString copied = QApplication::clipboard()->text();
        QCOMPARE(copied.count(u'\n'), table().rowCount() + 1);
        QVERIFY(copied.contains(QStringLiteral("2031\tJuly\t")));

        QTemporaryDir folder;
        for (const QString& name : {QStringLiteral("extras.csv"), QStringLiteral("extras.pdf")}) {
            const QString path = folder.filePath(name);
            whatIf()->setFileChooser([path](auto&&...) { return path; });
            QTest::mouseClick(name.endsWith("csv") ? whatIf()->actions->csvButton : whatIf()->actions->pdfButton,
                              Qt::LeftButton);
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.read(4), name.endsWith("csv") ? csv.left(4) : QByteArray("%PDF"));
        }

        QProcess process;
        process.start(QStringLiteral(PELLMARSH_BINARY), {"--years", "30", "--rate", "6", "--principal", "200000",
                                                         "--start-year", "2007", "--extra-monthly", "100", "--csv"});
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), 0);
        QCOMPARE(process.readAllStandardOutput(), csv);
    }

    // The command line's extras: a start month, a yearly month, lumps, pay less, and what it refuses. The
    // figures are those of exact rational arithmetic on the same loan.
    void theCommandLineTakesExtras_data() {
        QTest::addColumn<QStringList>("extras");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("expectedLines");
        QTest::newRow("monthly from March 2008")
            << QStringList{"--extra-monthly", "100@2008-03"} << 0
            << QStringList{"Number of payments with extra payments: 300", "Time saved: 5 years"};
        QTest::newRow("yearly in June") << QStringList{"--extra-yearly", "1200@6"} << 0
                                        << QStringList{"Last payment with extra payments: June 2031"};
        QTest::newRow("two lumps") << QStringList{"--lump", "2007-12=10000", "--lump", "2008-12=10000"} << 0
                                   << QStringList{"Total interest with extra payments: 160802.62"};
        QTest::newRow("pay less") << QStringList{"--lump", "2007-12=10000", "--pay-less"} << 0
                                  << QStringList{"Monthly payment with extra payments: 1138.40"};
        QTest::newRow("a lump after the loan")
            << QStringList{"--lump", "2037-10=5000"} << 0
            << QStringList{"pellmarsh: --lump 2037-10 falls outside the loan; it is left out.",
                           "Number of payments with extra payments: 360"};
        QTest::newRow("a month 13") << QStringList{"--lump", "2007-13=1"} << 2 << QStringList{};
        QTest::newRow("a signed amount") << QStringList{"--extra-monthly", "-100"} << 2 << QStringList{};
    }
    void theCommandLineTakesExtras() {
        QFETCH(QStringList, extras);
        QFETCH(int, status);
        QFETCH(QStringList, expectedLines);
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(QStringLiteral(PELLMARSH_BINARY), QStringList{"--years", "30", "--rate", "6", "--principal",
                                                                    "200000", "--start-year", "2007", "--summary"} +
                                                            extras);
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), status);
        const QStringList printed = QString::fromUtf8(process.readAll()).split(u'\n');
        for (const QString& line : expectedLines)
            QVERIFY2(printed.contains(line), qPrintable(line));
    }
};

QTEST_MAIN(TestWhatIf)
#include "tst_whatif.moc"
