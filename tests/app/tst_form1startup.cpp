// Start-up defaults, the font-size list, and the frame and grid following the window's size.
#include "FlexGrid.h"
#include "Form1.h"
#include "FormHarness.h"
#include "InputBox.h"
#include "SharedState.h"
#include "WrappingCheckBox.h"

#include <QComboBox>
#include <QDate>
#include <QGroupBox>
#include <QSignalSpy>
#include <QTest>

#include <memory>

class TestForm1Startup : public QObject {
    Q_OBJECT

private slots:
    void cleanup() {
        if (!m_harness)
            return;
        const QString leftOver = m_harness->boxes().describePending();
        m_harness.reset();
        QVERIFY2(leftOver.isEmpty(), qPrintable(QStringLiteral("unexpected message box: ") + leftOver));
    }

    void fontSizeIsChosenOnceWhileLoading() {
        GridFontSize = 0;
        Form1 form;
        QCOMPARE(form.Text6->text(), QStringLiteral("Text6"));
        QCOMPARE(form.Check1->value(), 0);
        QCOMPARE(form.Combo1->count(), 0);

        struct Choice {
            std::int16_t points;
            int listIndex;
            QString text6; // what loading had done to Text6 by then
            int check1;
        };
        QList<Choice> choices;
        connect(&form, &Form1::gridFontSizeChosen, this, [&](std::int16_t points) {
            choices.append({points, form.Combo1->currentIndex(), form.Text6->text(), form.Check1->value()});
        });
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));

        // One choice, for "10", made while loading and before the year and the tick were set.
        QCOMPARE(choices.size(), 1);
        QCOMPARE(choices[0].points, std::int16_t{10});
        QCOMPARE(choices[0].listIndex, 4);
        QCOMPARE(choices[0].text6, QStringLiteral("Text6"));
        QCOMPARE(choices[0].check1, 0);
    }

    void startUpState() {
        m_harness = std::make_unique<FormHarness>();
        Form1& form = m_harness->form();
        QStringList items;
        for (int i = 0; i < form.Combo1->count(); ++i)
            items << form.Combo1->itemText(i);
        QStringList expected;
        for (int size = 6; size <= 25; ++size)
            expected << QString::number(size);
        QCOMPARE(items, expected);
        QCOMPARE(form.Combo1->currentIndex(), 4);
        QCOMPARE(form.Combo1->currentText(), QStringLiteral("10"));
        QCOMPARE(GridFontSize, std::int16_t{10});
        const std::array<QString, 12> months{"January", "February", "March",     "April",    "May",      "June",
                                             "July",    "August",   "September", "Octomber", "November", "Deceamber"};
        QCOMPARE(MonthNames, months);
        QCOMPARE(form.Text6->text(), QString::number(QDate::currentDate().year()));
        QCOMPARE(form.Check1->value(), 1);
        QCOMPARE(QApplication::focusWidget(), form.MSHFlexGrid1);
        QVERIFY(!form.Combo1->isVisible());
    }

    void choosingAFontSizeAppliesFromTheNextCalculate_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("item");
        QTest::newRow("largest") << 19 << "25";
        QTest::newRow("smallest") << 0 << "6";
    }

    void choosingAFontSizeAppliesFromTheNextCalculate() {
        QFETCH(int, index);
        QFETCH(QString, item);
        m_harness = std::make_unique<FormHarness>();
        Form1& form = m_harness->form();
        form.Check1->setValue(0);
        m_harness->type(*form.Text1, QStringLiteral("30"));
        m_harness->type(*form.Text2, QStringLiteral("6"));
        m_harness->type(*form.Text3, QStringLiteral("200000"));
        m_harness->calculate();
        FlexGrid& grid = *form.MSHFlexGrid1;
        grid.setCol(1);
        grid.setRow(1);
        QCOMPARE(grid.cellFontSize(), 10.0f);

        form.Combo1->setCurrentIndex(index);
        QCOMPARE(QString::number(GridFontSize), item);
        // Cells already written keep their size until Calculate writes them again.
        grid.setCol(1);
        grid.setRow(1);
        QCOMPARE(grid.cellFontSize(), 10.0f);
        m_harness->calculate();
        grid.setCol(1);
        grid.setRow(1);
        QCOMPARE(QString::number(grid.cellFontSize()), item);
        grid.setCol(0);
        grid.setRow(5);
        QCOMPARE(QString::number(grid.cellFontSize()), item);
    }

    // Sizes in pixels at 96 dpi (15 twips each); the frame's top is 1800 twips (120 pixels).
    void frameAndGridFollowTheWindow_data() {
        QTest::addColumn<QSize>("window");
        QTest::addColumn<QSize>("frame");
        QTest::addColumn<QSize>("grid");
        // 12000 x 9000 twips: frame 12000 x 7200, grid 11800 x 6800.
        QTest::newRow("larger") << QSize(800, 600) << QSize(800, 480) << QSize(787, 453);
        // 10260 x 7275: frame 10260 x 5475, grid 10060 x 5075.
        QTest::newRow("design size") << QSize(684, 485) << QSize(684, 365) << QSize(671, 338);
        // Narrower than the input band: 4500 x 3000 gives frame 4500 x 1200, grid 4300 x 800.
        QTest::newRow("smaller than the input band") << QSize(300, 200) << QSize(300, 80) << QSize(287, 53);
        // 1950 high: the frame keeps 150 twips, the grid would need -250 and gets none.
        QTest::newRow("grid height below zero") << QSize(400, 130) << QSize(400, 10) << QSize(387, 0);
        // 1500 high, above the frame's top: neither gets any height.
        QTest::newRow("height below the frame top") << QSize(400, 100) << QSize(400, 0) << QSize(387, 0);
        // 150 twips wide: the grid would need -50.
        QTest::newRow("width below 200 twips") << QSize(10, 600) << QSize(10, 480) << QSize(0, 453);
    }

    void frameAndGridFollowTheWindow() {
        QFETCH(QSize, window);
        QFETCH(QSize, frame);
        QFETCH(QSize, grid);
        m_harness = std::make_unique<FormHarness>();
        Form1& form = m_harness->form();
        form.resize(window);
        QCOMPARE(form.size(), window);
        QCOMPARE(form.Frame1->size(), frame);
        QCOMPARE(form.MSHFlexGrid1->size(), grid);
        // Left and top edges never move.
        QCOMPARE(form.Frame1->pos(), QPoint(0, 120));
        QCOMPARE(form.MSHFlexGrid1->pos(), QPoint(16, 152));
    }

    void minimisingNarrowsOnlyTheFrameAndRestoringRefitsAll() {
        m_harness = std::make_unique<FormHarness>();
        Form1& form = m_harness->form();
        form.resize(800, 600);
        const QSize gridBefore = form.MSHFlexGrid1->size();
        const int frameHeightBefore = form.Frame1->height();

        form.showMinimized();
        QTRY_VERIFY(form.isMinimized());
        QCOMPARE(form.scaleWidth(), 0.0f);
        QCOMPARE(form.scaleHeight(), 0.0f);
        QCOMPARE(form.Frame1->width(), 0);
        QCOMPARE(form.Frame1->height(), frameHeightBefore);
        QCOMPARE(form.MSHFlexGrid1->size(), gridBefore);

        form.showNormal();
        QTRY_VERIFY(!form.isMinimized());
        QCOMPARE(form.Frame1->size(), QSize(800, 480));
        QCOMPARE(form.MSHFlexGrid1->size(), QSize(787, 453));
    }

private:
    std::unique_ptr<FormHarness> m_harness;
};

QTEST_MAIN(TestForm1Startup)
#include "tst_form1startup.moc"
