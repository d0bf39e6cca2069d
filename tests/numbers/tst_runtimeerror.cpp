#include "ErrorContext.h"
#include "RuntimeError.h"

#include <QTest>

class TestRuntimeError : public QObject {
    Q_OBJECT

private slots:
    void capturesTheInnermostStep() {
        ErrorContext outer(QStringLiteral("computing the monthly payment"));
        {
            ErrorContext inner(QStringLiteral("reading the principal (Text3)"));
            const RuntimeError error(RuntimeError::Kind::Conversion, QStringLiteral("\"abc\" is not a number."));
            QCOMPARE(error.context(), QStringLiteral("reading the principal (Text3)"));
            QVERIFY(error.userText().startsWith(QStringLiteral("\"abc\" is not a number.")));
            QVERIFY(error.userText().contains(QStringLiteral("while reading the principal (Text3).")));
            QCOMPARE(QString::fromUtf8(error.what()), error.userText());
        }
        const RuntimeError later(RuntimeError::Kind::Overflow, QStringLiteral("too large"));
        QCOMPARE(later.context(), QStringLiteral("computing the monthly payment"));
    }

    void noStepMeansJustTheMessage() {
        const RuntimeError error(RuntimeError::Kind::GridIndex, QStringLiteral("Row 40 is outside the grid."));
        QVERIFY(error.context().isEmpty());
        QCOMPARE(error.userText(), QStringLiteral("Row 40 is outside the grid."));
        QCOMPARE(error.kind(), RuntimeError::Kind::GridIndex);
    }
};

QTEST_GUILESS_MAIN(TestRuntimeError)
#include "tst_runtimeerror.moc"
