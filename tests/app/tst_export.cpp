// Save as CSV, Export as PDF and Print on the real window, as the user reaches them; and the same Calculate
// and CSV run from the command line as a script runs it: the built program, with no display; and its help.
#include "app/ExportActions.h"
#include "app/InputBox.h"
#include "app/WrappingCheckBox.h"
#include "export/GridCsv.h"
#include "export/PrintLayout.h"
#include "grid/FlexGrid.h"
#include "tests/app/FormTestCase.h"

#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

class TestExport : public FormTestCase {
    Q_OBJECT

    const QStringList m_workedLoan{"30", "6", "200000", "1200", "600", "2007"};
    std::optional<QTemporaryDir> m_folder;

    // The texts calculated; the file dialog answers with `name` in a fresh folder.
    QString prepare(const QStringList& texts, const QString& name) {
        fill(texts);
        calculate();
        m_folder.emplace();
        const QString path = m_folder->filePath(name);
        form().findChild<ExportActions*>()->setFileChooser([path](auto&&...) { return path; });
        return path;
    }

private slots:
    void theCommandLineWritesTheWindowsGridOrItsMessage_data() {
        QTest::addColumn<QStringList>("texts"); // Text1.. given as options
        QTest::addColumn<QStringList>("more");  // the further arguments
        QTest::addColumn<int>("status");
        QTest::newRow("standard output") << m_workedLoan << QStringList{"--csv"} << 0;
        QTest::newRow("file after --csv") << m_workedLoan << QStringList{"--csv", "out.csv"} << 0;
        QTest::newRow("summary only") << m_workedLoan << QStringList{"--no-schedule", "--csv"} << 0;
        QTest::newRow("rate not a number") << QStringList{"30", "abc", "1"} << QStringList{"--csv"} << 1;
        QTest::newRow("principal over 12 characters")
            << QStringList{"30", "6", "1234567890123"} << QStringList{"--pdf", "a.pdf"} << 1;
        QTest::newRow("unknown option") << m_workedLoan << QStringList{"--bogus", "--csv"} << 2;
        QTest::newRow("no output chosen") << m_workedLoan << QStringList{} << 2;
        QTest::newRow("version") << QStringList{} << QStringList{"--version"} << 0;
    }
    // The grid the window shows for the same texts, cell for cell as CSV; or the words of the window's box
    // (status 1); or what is malformed (status 2). A failure writes nothing. No platform is chosen and there is no
    // display: the program must pick the offscreen platform itself.
    void theCommandLineWritesTheWindowsGridOrItsMessage() {
        QFETCH(QStringList, texts);
        QFETCH(QStringList, more);
        QFETCH(int, status);
        const QStringList options{"--years", "--rate", "--principal", "--tax", "--insurance", "--start-year"};
        QStringList arguments;
        for (qsizetype i = 0; i < texts.size(); ++i)
            arguments << options[i] << texts[i];
        form().Check1->setValue(more.contains(QStringLiteral("--no-schedule")) ? 0 : 1);
        QFile written(prepare(texts, QStringLiteral("out.csv")));
        const QList<SeenBox> seen = takeBoxes();
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            qunsetenv(name); // the test itself already has its platform
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_folder->path()));
        QProcess process;
        process.setWorkingDirectory(m_folder->path());
        process.start(QStringLiteral(PELLMARSH_BINARY), arguments + more);
        QVERIFY(process.waitForFinished());
        const QByteArray csv = more.contains("--version") ? QByteArray("pellmarsh 1.0.0\n")
                                                          : GridCsv::document(*form().MSHFlexGrid1->gridModel());
        written.open(QIODevice::ReadOnly);
        QCOMPARE(process.exitCode(), status);
        QCOMPARE(process.readAllStandardOutput() + written.readAll(), status == 0 ? csv : QByteArray());
        QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files), more.filter(QStringLiteral("out.csv")));
        const QString err = QString::fromLocal8Bit(process.readAllStandardError());
        if (status == 1)
            QCOMPARE(err, seen.value(0).text + u'\n');
        else if (status == 2) // what is wrong, in one line, and where the help is; not the whole help
            QVERIFY2(err.startsWith(QStringLiteral("pellmarsh: ")) && err.count(u'\n') == 2 &&
                         err.endsWith(QStringLiteral("\nTry 'pellmarsh --help' for more information.\n")),
                     qPrintable(err));
    }

    // Without options, or with only Qt's own, the program opens its window and waits for its user, where the
    // command line would have finished long before.
    void withoutOptionsTheWindowOpens_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("no arguments") << QStringList{};
        QTest::newRow("Qt's own style option") << QStringList{"-style", "Fusion"};
    }
    void withoutOptionsTheWindowOpens() {
        QFETCH(QStringList, arguments);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(PELLMARSH_BINARY), arguments);
        QVERIFY(process.waitForStarted());
        QVERIFY2(!process.waitForFinished(3000), process.readAllStandardError().constData());
        process.kill();
        process.waitForFinished();
    }

    // The help names every input by the label the window shows above its box, never by a design name.
    void helpNamesTheLabels() {
        QProcess process;
        process.start(QStringLiteral(PELLMARSH_BINARY), {QStringLiteral("--help")});
        QVERIFY(process.waitForFinished() && process.exitCode() == 0);
        const QString help = QString::fromLocal8Bit(process.readAllStandardOutput()).simplified();
        const QRegularExpression designName(QStringLiteral("Text[1-6]|Check1|Command1|MSHFlexGrid1|Form1"));
        QCOMPARE(designName.match(help).captured(), QString());
        for (const QLabel* label :
             {form().Label1, form().Label2, form().Label3, form().Label4, form().Label5, form().Label6})
            QVERIFY2(help.contains(u'"' + label->text().trimmed() + u'"'), qPrintable(label->text()));
    }

    // Tests run as root, which writes into a folder whatever its permissions: a file as the folder fails for root
    // too. Ctrl+S and Ctrl+P pressed in an input box reach the window, not the box (codes 19 and 16).
    void ctrlSAndCtrlPInABoxReachTheWindow() {
        const QString path = prepare(m_workedLoan, QStringLiteral("notes.txt/loan-schedule.csv"));
        QFile notes(m_folder->filePath(QStringLiteral("notes.txt")));
        QVERIFY(notes.open(QIODevice::WriteOnly));
        QTest::keyClick(form().Text1, Qt::Key_P, Qt::ControlModifier);
        form().activateWindow(); // as the window manager does when the preview closes
        QVERIFY(QTest::qWaitForWindowActive(&form()));
        QTest::keyClick(form().Text1, Qt::Key_S, Qt::ControlModifier);
        const QList<SeenBox> seen = takeBoxes();
        QCOMPARE(seen.size(), 2);
        const SeenBox &preview = seen[0], &saveFailure = seen[1];
        QCOMPARE(preview.title, QStringLiteral("Print Preview"));
        QVERIFY2(saveFailure.text.contains(path) && saveFailure.text.contains("Not a directory"),
                 qPrintable(saveFailure.text));
        QCOMPARE(QDir(m_folder->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{"notes.txt"});
        QCOMPARE(form().Text1->text(), QStringLiteral("30"));
    }

    // The worked loan on paper: the summary opens page 1, the schedule's header opens every later page,
    // each page ends with its footer, and the file has as many pages as the layout counted. The first
    // year's totals cell "Total End Of Year" (row 21, column 1) prints white on red: inside it every
    // pixel is red or a blend of red and white, and some are white.
    void theWorkedLoanPrintsPageByPageWithItsRedTotals() {
        const QString path = prepare(m_workedLoan, QStringLiteral("loan.pdf"));
        form().findChild<ExportActions*>()->exportPdf();
        QProcess pdftotext;
        pdftotext.start(QStringLiteral("pdftotext"), {"-layout", path, "-"});
        QVERIFY(pdftotext.waitForFinished() && pdftotext.exitCode() == 0);
        const QStringList pages = QString::fromUtf8(pdftotext.readAllStandardOutput()).split(u'\f', Qt::SkipEmptyParts);
        const PrintLayout layout(*form().MSHFlexGrid1->gridModel(),
                                 PrintLayout::pageLayoutFor(QLocale()).paintRect(QPageLayout::Point).size());
        QVERIFY(pages.size() == layout.pageCount() && pages.size() > 2 && layout.pages()[0].endRow > 21);
        for (qsizetype page = 0; page < pages.size(); ++page) {
            const QString text = pages[page].simplified();
            QVERIFY2(text.startsWith(page == 0 ? "Montly PayMent: 1199.1 Tax: 1200 Annual Insur: 600"
                                               : "Year Month Interest Principal Balance ") &&
                         text.endsWith(QStringLiteral("Page %1 of %2").arg(page + 1).arg(pages.size())),
                     qPrintable(text));
        }
        QProcess pdftoppm; // at 72 dots per inch, a pixel is a point
        pdftoppm.start(QStringLiteral("pdftoppm"), {"-r", "72", "-l", "1", "-singlefile", "-png", path, path});
        QVERIFY(pdftoppm.waitForFinished() && pdftoppm.exitCode() == 0);
        const QImage page(path + QStringLiteral(".png"));
        const QRectF paper = PrintLayout::pageLayoutFor(QLocale()).paintRect(QPageLayout::Point);
        double top = paper.top();
        for (int row = 0; row < 21; ++row)
            top += layout.rowHeightPoints(row);
        const QRect cell =
            QRectF(paper.left() + layout.colWidthPoints(0), top, layout.colWidthPoints(1), layout.rowHeightPoints(21))
                .toAlignedRect()
                .adjusted(2, 2, -2, -2); // clear of the lines between cells
        int leastRed = 255, white = 0;
        for (int y = cell.top(); y <= cell.bottom(); ++y) {
            for (int x = cell.left(); x <= cell.right(); ++x) {
                const QColor pixel = page.pixelColor(x, y);
                leastRed = std::min(leastRed, pixel.red());
                white += pixel == Qt::white;
            }
        }
        QVERIFY2(leastRed > 240 && white > 0, qPrintable(QStringLiteral("red %1, %2 white").arg(leastRed).arg(white)));
    }
};

QTEST_MAIN(TestExport)
#include "tst_export.moc"
