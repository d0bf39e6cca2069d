// The grid's Save as CSV, Export as PDF and Print on the real window, as the user reaches them.
#include "ExportActions.h"
#include "FlexGrid.h"
#include "FormTestCase.h"
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
    QAction* action(const QString& text) {
        for (QAction* action : form().MSHFlexGrid1->actions()) {
            if (action->text() == text)
                return action;
        }
        return nullptr;
    }
    QStringList gridTexts() {
        QStringList texts;
        for (int row = 0; row < form().MSHFlexGrid1->rows(); ++row)
            for (int col = 0; col < form().MSHFlexGrid1->cols(); ++col)
                texts << form().MSHFlexGrid1->textAt(row, col);
        return texts;
    }

private slots:
    // Tests run as root, which writes into any folder whatever its permissions: the failures here are
    // real for root too, a parent that is a regular file and a parent that does not exist.
    void csvSaveFails_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QTest::newRow("parent is a file") << "notes.txt/loan-schedule.csv"
                                          << "Not a directory";
        QTest::newRow("parent vanished") << "gone/loan-schedule.csv"
                                         << "No such file or directory";
    }

    void csvSaveFails() {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        QTemporaryDir folder;
        QFile notes(folder.filePath(QStringLiteral("notes.txt")));
        QVERIFY(notes.open(QIODevice::WriteOnly));
        notes.close();
        typeLoan();
        calculate();
        const QStringList before = gridTexts();
        const QString path = folder.filePath(name);
        answerFileDialog(path);
        QTest::keyClick(form().MSHFlexGrid1, Qt::Key_S, Qt::ControlModifier);

        const QList<ModalWatcher::SeenBox> seen = boxes().take();
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen[0].icon, QMessageBox::Critical);
        QVERIFY2(seen[0].text.contains(path) && seen[0].text.contains(reason), qPrintable(seen[0].text));
        QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{"notes.txt"});
        QCOMPARE(gridTexts(), before);
    }

    // The worked loan on paper: the summary opens page 1, the schedule's header opens every later page,
    // and the file has as many pages as the layout counted.
    void pdfOfWorkedLoan() {
        typeLoan();
        type(*form().Text4, QStringLiteral("1200"));
        type(*form().Text5, QStringLiteral("600"));
        form().Text6->clear();
        type(*form().Text6, QStringLiteral("2007"));
        calculate();
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("loan.pdf"));
        answerFileDialog(path);
        action(QStringLiteral("Export as PDF…"))->trigger();
        QCOMPARE(m_proposed, QStringList{ExportActions::proposedPath(QStringLiteral("pdf"))});

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
            const QStringList lines = pages[page].simplified().split(u' ');
            const QString opening = lines.mid(0, page == 0 ? 3 : 5).join(u' ');
            QCOMPARE(opening, page == 0 ? "Montly PayMent: 1199.1" : "Year Month Interest Principal Balance");
            QCOMPARE(lines.mid(lines.size() - 4).join(u' '),
                     QStringLiteral("Page %1 of %2").arg(page + 1).arg(pages.size()));
        }
    }

    // Ctrl+S and Ctrl+P reach their commands from an input box, and no character lands in the box.
    void shortcutsFromInputBoxes_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("dialog");
        QTest::newRow("Ctrl+S in the length") << "Text1" << int(Qt::Key_S) << "";
        QTest::newRow("Ctrl+P in the principal") << "Text3" << int(Qt::Key_P) << "Print Preview";
    }

    void shortcutsFromInputBoxes() {
        QFETCH(QString, box);
        QFETCH(int, key);
        QFETCH(QString, dialog);
        answerFileDialog({});
        auto* input = form().findChild<InputBox*>(box);
        type(*input, QStringLiteral("12"));
        QTest::keyClick(input, Qt::Key(key), Qt::ControlModifier);
        QCOMPARE(input->text(), QStringLiteral("12"));
        const QList<ModalWatcher::SeenBox> seen = boxes().take();
        if (dialog.isEmpty()) {
            QCOMPARE(seen.size(), 0);
            QCOMPARE(m_proposed, QStringList{QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                                                 .filePath("loan-schedule.csv")});
        } else {
            QCOMPARE(seen.size(), 1);
            QCOMPARE(seen[0].title, dialog);
        }
    }
};

QTEST_MAIN(TestExport)
#include "tst_export.moc"
