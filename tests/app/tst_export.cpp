// Save as CSV, Export as PDF and Print on the real window, as the user reaches them.
#include "ExportActions.h"
#include "FlexGrid.h"
#include "FormTestCase.h"
#include "GridCsv.h"
#include "InputBox.h"
#include "PrintLayout.h"

#include <QAction>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class TestExport : public FormTestCase {
    Q_OBJECT

    QStringList m_proposed; // what the file dialog was asked to propose

    // The file dialog answers with `path` (empty: cancelled).
    void answerFileDialog(const QString& path) {
        m_proposed.clear();
        form().findChild<ExportActions*>()->setFileChooser(
            [this, path](const QString&, const QString& proposed, const QString&) {
                m_proposed << proposed;
                return path;
            });
    }

private slots:
    // Tests run as root, which writes into a folder whatever its permissions: these failures are real for
    // root too. Ctrl+S is pressed in the grid, and in an input box, which its code 19 must not reach.
    void csvSaveFails_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>("focus");
        QTest::newRow("parent is a file") << "notes.txt/loan-schedule.csv"
                                          << "Not a directory"
                                          << "MSHFlexGrid1";
        QTest::newRow("parent vanished") << "gone/loan-schedule.csv"
                                         << "No such file or directory"
                                         << "Text1";
    }

    void csvSaveFails() {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        QFETCH(QString, focus);
        QTemporaryDir folder;
        QFile notes(folder.filePath(QStringLiteral("notes.txt")));
        QVERIFY(notes.open(QIODevice::WriteOnly));
        notes.close();
        fill({"30", "6", "200000"});
        calculate();
        const QByteArray before = GridCsv::document(*form().MSHFlexGrid1->gridModel());
        const QString path = folder.filePath(name);
        answerFileDialog(path);
        QTest::keyClick(form().findChild<QWidget*>(focus), Qt::Key_S, Qt::ControlModifier);

        QCOMPARE(m_proposed, QStringList{QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) +
                                         QStringLiteral("/loan-schedule.csv")});
        const QList<SeenBox> seen = takeBoxes();
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen[0].icon, QMessageBox::Critical);
        QVERIFY2(seen[0].text.contains(path) && seen[0].text.contains(reason), qPrintable(seen[0].text));
        QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{"notes.txt"});
        QCOMPARE(form().Text1->text(), QStringLiteral("30"));
        QCOMPARE(GridCsv::document(*form().MSHFlexGrid1->gridModel()), before); // the grid untouched
    }

    // The worked loan on paper: the summary opens page 1, the schedule's header opens every later page,
    // and the file has as many pages as the layout counted.
    void pdfOfWorkedLoan() {
        fill({"30", "6", "200000", "1200", "600", "2007"});
        calculate();
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("loan.pdf"));
        answerFileDialog(path);
        const QList<QAction*> actions = form().MSHFlexGrid1->actions();
        (*std::find_if(actions.begin(), actions.end(), [](QAction* a) {
            return a->text() == "Export as PDF…";
        }))->trigger();

        QProcess pdftotext;
        pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
        QVERIFY(pdftotext.waitForFinished() && pdftotext.exitCode() == 0);
        QStringList pages = QString::fromUtf8(pdftotext.readAllStandardOutput()).split(u'\f');
        pages.removeLast(); // after the last page's form feed
        const PrintLayout layout(*form().MSHFlexGrid1->gridModel(),
                                 PrintLayout::pageLayoutFor(QLocale()).paintRect(QPageLayout::Point).size());
        QCOMPARE(pages.size(), layout.pageCount());
        QVERIFY(pages.size() > 2);
        for (qsizetype page = 0; page < pages.size(); ++page) {
            const QStringList words = pages[page].simplified().split(u' ');
            QCOMPARE(words.mid(0, page == 0 ? 3 : 5).join(u' '),
                     page == 0 ? "Montly PayMent: 1199.1" : "Year Month Interest Principal Balance");
            QCOMPARE(words.mid(words.size() - 4).join(u' '),
                     QStringLiteral("Page %1 of %2").arg(page + 1).arg(pages.size()));
        }
    }

    // Ctrl+P opens the print preview from an input box; its code 16 does not reach the box.
    void printFromInputBox() {
        fill({"", "", "12"});
        form().Text3->setFocus();
        QTest::keyClick(form().Text3, Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(form().Text3->text(), QStringLiteral("12"));
        const QList<SeenBox> seen = takeBoxes();
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen[0].title, QStringLiteral("Print Preview"));
    }
};

QTEST_MAIN(TestExport)
#include "tst_export.moc"
