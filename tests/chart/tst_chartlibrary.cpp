// The chart library on its own: this program links pellmarsh_chart and nothing else of Pellmarsh, so it
// builds only while the library links everything it calls. Also the chart's grouped money texts.
#include "chart/ChartText.h"
#include "chart/ChartWindow.h"
#include "windows/MessagePath.h"

#include <QTableWidget>
#include <QTest>

namespace {

ScheduleYear year(double label, const char* interest, const char* principal, const char* balance) {
    ScheduleYear figures;
    figures.year = label;
    figures.months = 12;
    figures.interest = Decimal::fromString(QString::fromLatin1(interest));
    figures.principal = Decimal::fromString(QString::fromLatin1(principal));
    figures.balance = Decimal::fromString(QString::fromLatin1(balance));
    return figures;
}

} // namespace

class TestChartLibrary : public QObject {
    Q_OBJECT

private slots:
    // The table beside the chart, as a user reads it: each year's figures to the cent, grouped as the
    // window's locale writes numbers.
    void aChartWindowShowsItsYearsInItsTable() {
        const MessagePath messages;
        ChartWindow window(messages);
        window.setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
        window.setYears(
            {year(2007, "11933.204", "2455.976", "197544.024"), year(2008, "11782.5", "2606.68", "194937.345")});
        window.open();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(!window.showsMessage());
        const QTableWidget& table = *window.table();
        QCOMPARE(table.rowCount(), 2);
        const auto row = [&](int r) {
            QStringList texts;
            for (int column = 0; column < table.columnCount(); ++column)
                texts << table.item(r, column)->text();
            return texts;
        };
        QCOMPARE(row(0), (QStringList{"2007", "11,933.20", "2,455.98", "197,544.02"}));
        QCOMPARE(row(1), (QStringList{"2008", "11,782.50", "2,606.68", "194,937.34"}));
    }

    void moneyIsGroupedAsTheLocaleWritesNumbers_data() {
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        const QLocale american(QLocale::English, QLocale::UnitedStates);
        const QLocale german(QLocale::German, QLocale::Germany);
        QTest::newRow("American") << "197544.02" << american << "197,544.02";
        QTest::newRow("German") << "197544.02" << german << "197.544,02";
        QTest::newRow("whole amount gets its cents") << "1000" << american << "1,000.00";
        QTest::newRow("one place gets its second") << "0.5" << american << "0.50";
        QTest::newRow("tie to the even cent, down") << "1234.565" << american << "1,234.56";
        QTest::newRow("tie to the even cent, up") << "1234.575" << american << "1,234.58";
        QTest::newRow("negative") << "-1234567.891" << american << "-1,234,567.89";
        QTest::newRow("a negative that rounds to zero has no sign") << "-0.004" << american << "0.00";
        QTest::newRow("beyond a double's exact cents")
            << "12345678901234567.89" << american << "12,345,678,901,234,567.89";
        QTest::newRow("three digits have no separator") << "999.99" << german << "999,99";
    }
    void moneyIsGroupedAsTheLocaleWritesNumbers() {
        QFETCH(QString, amount);
        QFETCH(QLocale, locale);
        QTEST(ChartText::money(Decimal::fromString(amount), locale), "text");
    }
};

QTEST_MAIN(TestChartLibrary)
#include "tst_chartlibrary.moc"
