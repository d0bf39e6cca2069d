// The schedule with extras as a table model: its rows as the what-if window lists them, its bold totals
// rows, and nothing answered outside the table. Qt's model tester checks the model throughout.
#include "tests/loan/ScheduleOfTexts.h"
#include "whatif/ExtraScheduleModel.h"

#include <QAbstractItemModelTester>
#include <QFont>
#include <QTest>

namespace {

ExtraSchedule scheduleWithExtras(const char* years, const char* monthlyExtra) {
    ExtraPayments extras;
    extras.monthly = Decimal::fromString(QString::fromLatin1(monthlyExtra));
    return ExtraSchedule::compute(scheduleOf(QString::fromLatin1(years), QStringLiteral("6"), QStringLiteral("12000")),
                                  extras);
}

} // namespace

class TestExtraScheduleModel : public QObject {
    Q_OBJECT

private:
    ExtraScheduleModel m_model;
    QAbstractItemModelTester m_tester{&m_model, QAbstractItemModelTester::FailureReportingMode::QtTest};

    bool isBold(int row) const {
        const QVariant font = m_model.index(row, ExtraScheduleModel::BalanceColumn).data(Qt::FontRole);
        return font.isValid() && font.value<QFont>().bold();
    }

private slots:
    // A totals row closes every year and the last, shorter one: only those rows are bold, and they read
    // "Total to date" where the months have their names.
    void onlyTheTotalsRowsAreBold_data() {
        QTest::addColumn<QString>("years");
        QTest::addColumn<QString>("monthlyExtra");
        QTest::addColumn<QList<int>>("totalsRows");
        QTest::addColumn<int>("rowCount");
        QTest::newRow("whole years") << "2"
                                     << "0" << QList<int>{12, 25} << 26;
        QTest::newRow("a last half year") << "2.5"
                                          << "0" << QList<int>{12, 25, 32} << 33;
        QTest::newRow("one month") << "0.0833333333333"
                                   << "0" << QList<int>{1} << 2;
        // 12,000 at 6 % with 2,000 a month more ends in the sixth month.
        QTest::newRow("extras end the loan in its first year") << "10"
                                                               << "2000" << QList<int>{6} << 7;
    }
    void onlyTheTotalsRowsAreBold() {
        QFETCH(QString, years);
        QFETCH(QString, monthlyExtra);
        QFETCH(QList<int>, totalsRows);
        m_model.setSchedule(scheduleWithExtras(qPrintable(years), qPrintable(monthlyExtra)));
        QTEST(m_model.rowCount(), "rowCount");
        for (int row = 0; row < m_model.rowCount(); ++row) {
            const bool totals = totalsRows.contains(row);
            QCOMPARE(isBold(row), totals);
            const QString month = m_model.index(row, ExtraScheduleModel::MonthColumn).data().toString();
            QCOMPARE(month == QStringLiteral("Total to date"), totals);
        }
    }

    // The first rows as the window lists them: money to the cent with two places, months by name.
    void rowsReadAsTheWindowListsThem() {
        m_model.setSchedule(scheduleWithExtras("2.5", "100"));
        const auto row = [this](int r) {
            QStringList texts;
            for (int column = 0; column < m_model.columnCount(); ++column)
                texts << m_model.index(r, column).data().toString();
            return texts;
        };
        QCOMPARE(row(0), (QStringList{"2007", "January", "431.75", "100.00", "60.00", "371.75", "11528.25"}));
        QCOMPARE(row(11).mid(0, 2), (QStringList{"2007", "December"}));
        QCOMPARE(row(12).mid(0, 4), (QStringList{"2007", "Total to date", "5180.96", "1200.00"}));
        // The year and the month stand on the left, the money on the right.
        QStringList alignments;
        for (int column = 0; column < m_model.columnCount(); ++column) {
            const auto alignment = Qt::Alignment(m_model.index(0, column).data(Qt::TextAlignmentRole).toInt());
            alignments << (alignment & Qt::AlignRight ? QStringLiteral("right") : QStringLiteral("left"));
        }
        QCOMPARE(alignments, (QStringList{"left", "left", "right", "right", "right", "right", "right"}));
    }

    // Asking past the table's edges, or for a header it does not have, answers nothing.
    void nothingIsAnsweredOutsideTheTable() {
        m_model.setSchedule(scheduleWithExtras("1", "0"));
        const int columns = m_model.columnCount();
        QCOMPARE(columns, ExtraScheduleModel::kColumnCount);
        QCOMPARE(m_model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Year"));
        QCOMPARE(m_model.headerData(columns - 1, Qt::Horizontal).toString(), QStringLiteral("Balance"));
        QVERIFY(!m_model.headerData(columns, Qt::Horizontal).isValid());
        QVERIFY(!m_model.headerData(-1, Qt::Horizontal).isValid());
        QVERIFY(!m_model.headerData(columns, Qt::Horizontal, Qt::FontRole).isValid());
        QVERIFY(!m_model.headerData(m_model.rowCount(), Qt::Vertical).isValid());
        QVERIFY(!m_model.index(0, columns).data().isValid());
        QVERIFY(!m_model.index(m_model.rowCount(), 0).data(Qt::FontRole).isValid());
        m_model.setSchedule({});
        QCOMPARE(m_model.rowCount(), 0);
        QVERIFY(!m_model.headerData(0, Qt::Vertical).isValid());
    }
};

QTEST_MAIN(TestExtraScheduleModel)
#include "tst_extraschedulemodel.moc"
