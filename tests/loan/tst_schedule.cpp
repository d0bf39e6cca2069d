#include "FlexGrid.h"
#include "Formula.h"
#include "Payment.h"
#include "RuntimeError.h"
#include "SharedState.h"
#include "WindowFont.h"

#include <QLineEdit>
#include <QTest>

Q_DECLARE_METATYPE(RuntimeError::Kind)

namespace {

const QString kSeparator0(22, u'-');
const QString kSeparator(17, u'-');
const QStringList kEmptyRow(5);

// 12000 borrowed at 6 % for one year from 2007, worked out by hand with 15-digit balances.
const QList<QStringList> kOneYearRows = {
    {"Year ", "Month ", "Interest ", "Principal ", "Balance "},
    {"2007", "January", "60", "972.8", "11027.2"},
    {"2007", "February", "55.14", "977.66", "10049.54"},
    {"2007", "March", "50.25", "982.55", "9066.99"},
    {"2007", "April", "45.33", "987.46", "8079.53"},
    {"2007", "May", "40.4", "992.4", "7087.13"},
    {"2007", "June", "35.44", "997.36", "6089.77"},
    {"2007", "July", "30.45", "1002.35", "5087.42"},
    {"2007", "August", "25.44", "1007.36", "4080.06"},
    {"2007", "September", "20.4", "1012.4", "3067.66"},
    {"2007", "Octomber", "15.34", "1017.46", "2050.2"},
    {"2007", "November", "10.25", "1022.55", "1027.66"},
    {"2007", "Deceamber", "5.14", "1027.66", "0"}, // -0.00000000027 before rounding
    {kSeparator0, kSeparator, kSeparator, kSeparator, kSeparator},
    {"2007", "Total End Of Year", "393.57", "12000", "0"},
    kEmptyRow,
    {"", "Total Summary:", "", "", ""},
    {"Total Monthly Payment: ", "1032.8", "", "", ""},
    {"Total Interest: ", "393.57", "", "", ""},
    {"Total Principal", "12000", "", "", ""},
    {"Total Payment Pay:", "12393.57", "", "", ""},
    kEmptyRow,
};

// The main window as the schedule sees it: "Text1", "Text3", "Text6", the font "Font" and a 2 x 2 grid.
struct LoanWindow {
    LoanWindow() {
        for (const char* name : {"Text1", "Text3", "Text6"})
            (new QLineEdit(&window))->setObjectName(name);
        new WindowFont(&window);
        grid->setRows(2);
        grid->setCols(2);
        GridFontSize = 10;
        MonthNames = {"January", "February", "March",     "April",    "May",      "June",
                      "July",    "August",   "September", "Octomber", "November", "Deceamber"};
    }
    // Fills the boxes and sets MonthlyRate and MonthlyPayment as the Calculate command does; then builds.
    void build(const QString& years, const QString& principal, const QString& startYear = "2007", bool run = true) {
        window.findChild<QLineEdit*>("Text1")->setText(years);
        window.findChild<QLineEdit*>("Text3")->setText(principal);
        window.findChild<QLineEdit*>("Text6")->setText(startYear);
        MonthlyRate = Payment::monthlyRate(u"6");
        MonthlyPayment = Payment::monthlyPayment(principal, MonthlyRate, Payment::paymentCount(years));
        if (run)
            Formula::BuildSchedule(*grid, window);
    }
    QString at(int row, int col) const {
        return row < grid->rows() && col < grid->cols() ? grid->textAt(row, col) : "";
    }
    Decimal value(int row, int col) const { return Decimal::fromString(at(row, col)); }
    QStringList rowTexts(int row, int cols = 5) const {
        QStringList texts;
        for (int col = 0; col < cols; ++col)
            texts << at(row, col);
        return texts;
    }
    int count(int col, const QStringList& texts) const {
        int found = 0;
        for (int row = 0; row < grid->rows(); ++row)
            found += texts.contains(at(row, col)) ? 1 : 0;
        return found;
    }

    QWidget window;
    FlexGrid* grid = new FlexGrid(&window);
};

} // namespace

class TestSchedule : public QObject {
    Q_OBJECT

private slots:
    void oneYearLoan_data() {
        QTest::addColumn<QString>("earlierYears");
        QTest::newRow("fresh grid") << "";
        QTest::newRow("after a 30-year schedule") << "30";
    }
    void oneYearLoan() {
        QFETCH(QString, earlierYears);
        LoanWindow w;
        if (!earlierYears.isEmpty())
            w.build(earlierYears, "200000");
        w.build("1", "12000");
        QCOMPARE(w.grid->rows(), 29);
        QCOMPARE(w.grid->cols(), 5);
        for (int i = 0; i < kOneYearRows.size(); ++i)
            QCOMPARE(w.rowTexts(7 + i), kOneYearRows[i]);
    }

    void thirtyYearLoan() {
        LoanWindow w;
        w.build("30", "200000");
        QCOMPARE(w.grid->rows(), 464);
        for (int year = 0; year < 30; ++year) {
            const int first = 8 + 15 * year;
            for (int month = 0; month < 12; ++month)
                QCOMPARE(w.rowTexts(first + month, 2), (QStringList{QString::number(2007 + year), MonthNames[month]}));
            QCOMPARE(w.at(first + 12, 0), kSeparator0);
            QCOMPARE(w.rowTexts(first + 13, 2), (QStringList{QString::number(2007 + year), "Total End Of Year"}));
            QCOMPARE(w.value(first + 13, 3) + w.value(first + 13, 4), Decimal::fromInteger(200000));
            QCOMPARE(w.rowTexts(first + 14), kEmptyRow);
        }
        QCOMPARE(w.rowTexts(8), (QStringList{"2007", "January", "1000", "199.1", "199800.9"}));
        QCOMPARE(w.at(454, 4), "0");
        // Totals to date: the second totals row covers 24 months, each rounded by at most half a cent.
        Decimal twoYears;
        for (int month = 0; month < 12; ++month)
            twoYears += w.value(8 + month, 2) + w.value(23 + month, 2);
        QVERIFY((w.value(36, 2) - twoYears).roundedTo(0).isZero());
        QCOMPARE(w.rowTexts(458, 2), (QStringList{"", "Total Summary:"}));
        QCOMPARE(w.rowTexts(459, 2), (QStringList{"Total Monthly Payment: ", "1199.1"}));
        QCOMPARE(w.rowTexts(460, 2), (QStringList{"Total Interest: ", "231676.38"}));
        QCOMPARE(w.rowTexts(461, 2), (QStringList{"Total Principal", w.at(456, 3)}));
        QCOMPARE(w.rowTexts(462, 1), QStringList{"Total Payment Pay:"});
        QCOMPARE(w.value(462, 1), w.value(460, 1) + w.value(461, 1));
        QCOMPARE(w.rowTexts(463), kEmptyRow);
    }

    void formats_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<float>("size");
        QTest::addColumn<uint>("back");
        QTest::addColumn<uint>("fore");
        QTest::addColumn<int>("alignment");
        QTest::newRow("header") << 7 << 2 << true << 12.f << 0u << 0u << 0;
        QTest::newRow("year label") << 8 << 0 << false << 10.f << 0u << 0u << 1;
        QTest::newRow("balance") << 19 << 4 << true << 10.f << 0u << 0u << 0;
        QTest::newRow("separator") << 20 << 0 << false << 10.f << 0u << 0u << 0;
        QTest::newRow("totals") << 21 << 4 << true << 10.f << 255u << 16777215u << 0;
        QTest::newRow("summary title") << 23 << 1 << true << 10.f << 65280u << 0u << 0;
    }
    void formats() {
        QFETCH(int, row);
        QFETCH(int, col);
        LoanWindow w;
        w.build("1", "12000");
        w.grid->setRow(row);
        w.grid->setCol(col);
        QTEST(w.grid->cellFontBold(), "bold");
        QTEST(w.grid->cellFontSize(), "size");
        QTEST(uint(w.grid->cellBackColor()), "back");
        QTEST(uint(w.grid->cellForeColor()), "fore");
        QTEST(int(w.grid->cellAlignment()), "alignment");
    }

    // Every month on its own row; after the last month a year block, even for a shorter year, then the
    // final block once.
    void layout_data() {
        QTest::addColumn<QString>("years");
        QTest::addColumn<QString>("startYear");
        QTest::addColumn<int>("rowCount");
        QTest::addColumn<int>("lastMonthRow");
        QTest::addColumn<QStringList>("lastMonth"); // year label and month name
        // clang-format off
        QTest::newRow("empty start year, 3 y") << "3" << "0" << 59 << 49 << QStringList{"2", "Deceamber"};
        QTest::newRow("half a year") << "0.5" << "2007" << 23 << 13 << QStringList{"2007", "June"};
        QTest::newRow("two and a half years") << "2.5" << "2007" << 53 << 43 << QStringList{"2009", "June"};
        QTest::newRow("32 months") << "2.625" << "2007" << 55 << 45 << QStringList{"2009", "August"};
        // clang-format on
    }
    void layout() {
        QFETCH(QString, years);
        QFETCH(QString, startYear);
        QFETCH(int, lastMonthRow);
        QFETCH(QStringList, lastMonth);
        LoanWindow w;
        w.build(years, "12000", startYear);
        QTEST(w.grid->rows(), "rowCount");
        QCOMPARE(w.at(8, 0), startYear);
        QCOMPARE(w.rowTexts(lastMonthRow, 2), lastMonth);
        QCOMPARE(w.at(lastMonthRow, 4), "0");
        QCOMPARE(w.at(lastMonthRow + 1, 0), kSeparator0);
        QCOMPARE(w.rowTexts(lastMonthRow + 2, 2), (QStringList{lastMonth[0], "Total End Of Year"}));
        QCOMPARE(w.rowTexts(lastMonthRow + 3), kEmptyRow);
        QCOMPARE(w.rowTexts(lastMonthRow + 4, 2), (QStringList{"", "Total Summary:"}));
        QCOMPARE(w.at(lastMonthRow + 6, 1), w.at(lastMonthRow + 2, 2));
        QCOMPARE(w.rowTexts(lastMonthRow + 7, 2), (QStringList{"Total Principal", "12000"}));
        QCOMPARE(w.count(1, {"Total Summary:"}), 1);
        QCOMPARE(w.count(1, QStringList(MonthNames.begin(), MonthNames.end())), Payment::paymentCount(years));
    }

    void failures_data() {
        QTest::addColumn<QString>("years");
        QTest::addColumn<QString>("startYear");
        QTest::addColumn<QString>("member"); // renamed away, or replaced by an object without a text
        QTest::addColumn<RuntimeError::Kind>("kind");
        QTest::addColumn<int>("rowsLeft");
        QTest::addColumn<QStringList>("cells"); // "row:column:text" as left behind
        using K = RuntimeError::Kind;
        const QStringList untouched{"1:1:kept", "7:4:"};
        const QStringList header{"1:1:kept", "7:4:Balance ", "8:1:"};
        const QStringList firstName{"8:1:January", "8:0:"};
        // clang-format off
        QTest::newRow("start year 40000") << "2" << "40000" << "" << K::Overflow << 38
                                          << QStringList{"21:0:40000", "21:1:Total End Of Year", "23:1:"};
        QTest::newRow("n + 8 beyond 16 bits, 2730 y") << "2730" << "2007" << "" << K::Overflow << 8 << header;
        QTest::newRow("rows beyond 16 bits, 2184 y") << "2184" << "2007" << "" << K::Overflow << 8 << header;
        QTest::newRow("n beyond 16 bits, 2731 y") << "2731" << "2007" << "" << K::Overflow << 2 << untouched;
        QTest::newRow("start year not a number") << "1" << "2007:" << "" << K::Conversion << 23 << firstName;
        QTest::newRow("no Text6") << "1" << "2007" << "Text6" << K::MissingMember << 23 << firstName;
        QTest::newRow("Text6 without text") << "1" << "2007" << "Text6 plain" << K::MissingMember << 23 << firstName;
        QTest::newRow("no Text1") << "1" << "2007" << "Text1" << K::MissingMember << 2 << untouched;
        // clang-format on
    }
    void failures() {
        QFETCH(QString, years);
        QFETCH(QString, startYear);
        QFETCH(QString, member);
        QFETCH(QStringList, cells);
        LoanWindow w;
        w.grid->setRow(1);
        w.grid->setCol(1);
        w.grid->setText("kept");
        w.build(years, "12000", startYear, false);
        const QString name = member.section(u' ', 0, 0);
        if (!name.isEmpty()) {
            w.window.findChild<QObject*>(name)->setObjectName("renamed");
            if (member.endsWith("plain"))
                (new QObject(&w.window))->setObjectName(name);
        }
        try {
            Formula::BuildSchedule(*w.grid, w.window);
            QFAIL("no error raised");
        } catch (const RuntimeError& error) {
            QTEST(error.kind(), "kind");
            QVERIFY2(error.message().contains(name), qPrintable(error.message()));
        }
        QTEST(w.grid->rows(), "rowsLeft");
        for (const QString& cell : cells)
            QCOMPARE(w.at(cell.section(u':', 0, 0).toInt(), cell.section(u':', 1, 1).toInt()), cell.section(u':', 2));
    }
};

QTEST_MAIN(TestSchedule)
#include "tst_schedule.moc"
