// pellmarsh run from the command line, as a script would run it: the built program, with no display.
#include "FlexGrid.h"
#include "FormTestCase.h"
#include "InputBox.h"
#include "WrappingCheckBox.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QStringList kInputOptions{"--years", "--rate", "--principal", "--tax", "--insurance", "--start-year"};
const QStringList kWorkedLoan{"--years", "30",   "--rate",      "6",   "--principal",  "200000",
                              "--tax",   "1200", "--insurance", "600", "--start-year", "2007"};
} // namespace

class TestCommandLine : public FormTestCase {
    Q_OBJECT

    QTemporaryDir m_folder;

    // No platform chosen and no display: the program must pick the offscreen platform itself.
    QProcess& pellmarsh(const QStringList& arguments, QProcess& process) {
        QFile::remove(m_folder.filePath(QStringLiteral("out.csv")));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            environment.remove(QString::fromLatin1(name));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_folder.path());
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(m_folder.path());
        process.start(QStringLiteral(PELLMARSH_BINARY), arguments);
        process.waitForFinished();
        return process;
    }

    // Each option's text put into its box as a paste would, then Calculate pressed.
    void calculateInWindow(const QStringList& arguments) {
        for (qsizetype i = 0; i + 1 < arguments.size(); ++i) {
            if (const qsizetype box = kInputOptions.indexOf(arguments[i]); box >= 0)
                form().findChild<InputBox*>(QStringLiteral("Text%1").arg(box + 1))->setText(arguments[i + 1]);
        }
        form().Check1->setValue(arguments.contains(QStringLiteral("--no-schedule")) ? 0 : 1);
        calculate();
    }

private slots:
    void csvEqualsWindow_data() {
        QTest::addColumn<QStringList>("output");
        QTest::addColumn<bool>("toFile"); // else standard output
        QTest::newRow("standard output") << QStringList{"--csv"} << false;
        QTest::newRow("dash") << QStringList{"--csv", "-"} << false;
        QTest::newRow("file after --csv") << QStringList{"--csv", "out.csv"} << true;
        QTest::newRow("file before --csv") << QStringList{"out.csv", "--csv"} << true;
        QTest::newRow("--csv=FILE") << QStringList{"--csv=out.csv"} << true;
        QTest::newRow("summary only") << QStringList{"--no-schedule", "--csv"} << false;
    }

    void csvEqualsWindow() {
        QFETCH(QStringList, output);
        QFETCH(bool, toFile);
        QProcess process;
        QCOMPARE(pellmarsh(kWorkedLoan + output, process).exitCode(), 0);
        QByteArray csv = process.readAllStandardOutput();
        QFile written(m_folder.filePath(QStringLiteral("out.csv")));
        QCOMPARE(written.open(QIODevice::ReadOnly), toFile);
        if (toFile)
            csv += written.readAll();
        calculateInWindow(kWorkedLoan + output);
        const FlexGrid& grid = *form().MSHFlexGrid1;
        // The worked loan's texts hold no comma, quote or line break: no field is quoted.
        QVERIFY(csv.endsWith("\r\n"));
        const QStringList records = QString::fromUtf8(csv.chopped(2)).split(QStringLiteral("\r\n"));
        QCOMPARE(records.size(), grid.rows());
        for (int row = 0; row < grid.rows(); ++row) {
            const QStringList fields = records[row].split(u',');
            QCOMPARE(fields.size(), grid.cols());
            for (int col = 0; col < grid.cols(); ++col)
                QCOMPARE(fields[col], grid.textAt(row, col));
        }
    }

    void exitStatus_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::newRow("unknown option") << QStringList{"--bogus"} << 2;
        QTest::newRow("option missing its value") << QStringList{"--csv", "--years"} << 2;
        QTest::newRow("two files") << QStringList{"--csv", "a.csv", "b.csv"} << 2;
        QTest::newRow("no output chosen") << QStringList{"--years", "30"} << 2;
        QTest::newRow("rate not a number")
            << QStringList{"--years", "30", "--rate", "abc", "--principal", "1", "--csv"} << 1;
        QTest::newRow("missing principal") << QStringList{"--years", "30", "--rate", "6", "--csv"} << 1;
        QTest::newRow("principal over 12 characters")
            << QStringList{"--years", "30", "--rate", "6", "--principal", "1234567890123", "--pdf", "a.pdf"} << 1;
    }

    // A usage error prints the usage; a failed Calculate prints the words of the window's box. Neither
    // writes anything.
    void exitStatus() {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QProcess process;
        QCOMPARE(pellmarsh(arguments, process).exitCode(), status);
        QCOMPARE(process.readAllStandardOutput(), QByteArray());
        const QString err = QString::fromLocal8Bit(process.readAllStandardError());
        if (status == 2)
            QVERIFY2(err.contains(QStringLiteral("Usage: ")), qPrintable(err));
        if (status == 1) {
            calculateInWindow(arguments);
            const QList<SeenBox> seen = takeBoxes();
            QCOMPARE(seen.size(), 1);
            QCOMPARE(err, seen[0].text + u'\n');
        }
        QCOMPARE(QDir(m_folder.path()).entryList(QDir::Files), QStringList{});
    }

    void version() {
        QProcess process;
        QCOMPARE(pellmarsh({"--version"}, process).readAllStandardOutput(), QByteArray("pellmarsh 1.0.0\n"));
    }
};

QTEST_MAIN(TestCommandLine)
#include "tst_commandline.moc"
