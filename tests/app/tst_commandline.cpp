// pellmarsh run from the command line, as a script would run it: the built program, with no display.
#include "FlexGrid.h"
#include "FormTestCase.h"
#include "InputBox.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QStringList kWorkedLoan{"--years", "30",   "--rate",      "6",   "--principal",  "200000",
                              "--tax",   "1200", "--insurance", "600", "--start-year", "2007"};

struct Run {
    int status = -1;
    QByteArray out;
    QString err;
};

} // namespace

class TestCommandLine : public FormTestCase {
    Q_OBJECT

    QTemporaryDir m_folder;

    // No platform chosen and no display: the program must pick the offscreen platform itself.
    Run pellmarsh(const QStringList& arguments) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            environment.remove(QString::fromLatin1(name));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_folder.path());
        QFile::remove(m_folder.filePath(QStringLiteral("out.csv")));
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(m_folder.path());
        process.start(QStringLiteral(PELLMARSH_BINARY), arguments);
        if (!process.waitForFinished() || process.exitStatus() != QProcess::NormalExit)
            return {};
        return {process.exitCode(), process.readAllStandardOutput(),
                QString::fromLocal8Bit(process.readAllStandardError())};
    }

    // Puts each option's text into its box as a paste would, and presses Calculate.
    void calculateInWindow(const QStringList& arguments) {
        for (qsizetype i = 0; i + 1 < arguments.size(); ++i) {
            const int box =
                QStringList{"--years", "--rate", "--principal", "--tax", "--insurance", "--start-year"}.indexOf(
                    arguments[i]);
            if (box >= 0)
                form().findChild<InputBox*>(QStringLiteral("Text%1").arg(box + 1))->setText(arguments[i + 1]);
        }
        calculate();
    }

private slots:
    void csvEqualsWindow_data() {
        QTest::addColumn<QStringList>("output");
        QTest::addColumn<QString>("file"); // empty: standard output
        QTest::newRow("standard output") << QStringList{"--csv"} << "";
        QTest::newRow("dash") << QStringList{"--csv", "-"} << "";
        QTest::newRow("file after --csv") << QStringList{"--csv", "out.csv"} << "out.csv";
        QTest::newRow("file before --csv") << QStringList{"out.csv", "--csv"} << "out.csv";
        QTest::newRow("--csv=FILE") << QStringList{"--csv=out.csv"} << "out.csv";
    }

    void csvEqualsWindow() {
        QFETCH(QStringList, output);
        QFETCH(QString, file);
        const Run run = pellmarsh(kWorkedLoan + output);
        QCOMPARE(run.status, 0);
        QByteArray csv = run.out;
        if (!file.isEmpty()) {
            QFile written(m_folder.filePath(file));
            QVERIFY(written.open(QIODevice::ReadOnly));
            csv = written.readAll();
            QVERIFY(run.out.isEmpty());
        }
        calculateInWindow(kWorkedLoan);
        const FlexGrid& grid = *form().MSHFlexGrid1;
        // The worked loan's texts hold no comma, quote or line break: no field is quoted.
        QVERIFY(csv.endsWith("\r\n"));
        const QList<QByteArray> records = csv.chopped(2).split('\n');
        QCOMPARE(records.size(), grid.rows());
        for (int row = 0; row < grid.rows(); ++row) {
            QStringList window;
            for (int col = 0; col < grid.cols(); ++col)
                window << grid.textAt(row, col);
            QCOMPARE(QString::fromUtf8(records[row]).chopped(row + 1 < grid.rows() ? 1 : 0).split(u','), window);
        }
    }

    void exitStatus_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::newRow("unknown option") << QStringList{"--bogus"} << 2 << "";
        QTest::newRow("option missing its value") << QStringList{"--csv", "--years"} << 2 << "";
        QTest::newRow("two files") << QStringList{"--csv", "a.csv", "b.csv"} << 2 << "";
        QTest::newRow("no output chosen") << QStringList{"--years", "30"} << 2 << "";
        QTest::newRow("both outputs") << QStringList{"--csv", "--pdf", "a.pdf"} << 2 << "";
        QTest::newRow("rate not a number")
            << QStringList{"--years", "30", "--rate", "abc", "--principal", "200000", "--csv"} << 1 << "";
        QTest::newRow("missing principal") << QStringList{"--years", "30", "--rate", "6", "--csv"} << 1 << "";
        QTest::newRow("principal over 12 characters")
            << QStringList{"--years", "30", "--rate", "6", "--principal", "1234567890123", "--pdf", "a.pdf"} << 1 << "";
        QTest::newRow("version") << QStringList{"--version"} << 0 << "pellmarsh 1.0.0\n";
    }

    // A usage error prints the usage; a failed Calculate prints the words of the window's box, and
    // writes nothing.
    void exitStatus() {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, out);
        const Run run = pellmarsh(arguments);
        QCOMPARE(run.status, status);
        QCOMPARE(QString::fromUtf8(run.out), out);
        if (status == 2)
            QVERIFY2(run.err.contains(QStringLiteral("Usage: ")), qPrintable(run.err));
        if (status == 1) {
            calculateInWindow(arguments);
            const QList<ModalWatcher::SeenBox> seen = boxes().take();
            QCOMPARE(seen.size(), 1);
            QCOMPARE(run.err, seen[0].text + u'\n');
        }
        QCOMPARE(QDir(m_folder.path()).entryList(QDir::Files), QStringList{});
    }
};

QTEST_MAIN(TestCommandLine)
#include "tst_commandline.moc"
