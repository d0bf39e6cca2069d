// What every window of the program's own shares, met as a user meets it: the message until there are figures,
// the first field focused on opening, Escape, and fields that mark what does not read with the reason beside.
#include "windows/CheckedField.h"
#include "windows/MessagePath.h"
#include "windows/OutOfDateNote.h"
#include "windows/ToolWindow.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QVBoxLayout>

namespace {

// The smallest window on the layer: one amount field and one date field.
class SmallWindow : public ToolWindow {
public:
    explicit SmallWindow(const MessagePath& messages)
        : ToolWindow(QStringLiteral("Small"), QStringLiteral("Calculate a loan to see it"), messages) {
        auto* page = new QWidget(this);
        auto* layout = new QVBoxLayout(page);
        amount =
            new CheckedField(CheckedField::Accepts::Amount, QStringLiteral("Amount"), QStringLiteral("the amount"));
        date = new CheckedField(CheckedField::Accepts::Date, QStringLiteral("Date"), QStringLiteral("the date"));
        for (QWidget* widget :
             std::initializer_list<QWidget*>{amount, amount->reasonLabel(), date, date->reasonLabel()})
            layout->addWidget(widget);
        setFiguresPage(page);
        setFirstField(amount);
    }
    using ToolWindow::showFigures;

    CheckedField* amount = nullptr;
    CheckedField* date = nullptr;
};

} // namespace

class TestWindows : public QObject {
    Q_OBJECT

    MessagePath m_messages;

    static void type(QLineEdit* field, const QString& keys) {
        field->setFocus();
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(field, keys);
    }

private slots:
    void aWindowOpensOnItsMessageThenOnItsFirstField() {
        SmallWindow window(m_messages);
        QCOMPARE(window.windowTitle(), QStringLiteral("Pellmarsh v1.0 \u2014 Small"));
        window.open();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QVERIFY(window.showsMessage());
        window.close();
        window.showFigures();
        window.open();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QVERIFY(!window.showsMessage());
        QTRY_COMPARE(QApplication::focusWidget(), window.amount);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("12.5"));
        QCOMPARE(window.amount->text(), QStringLiteral("12.5"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!window.isVisible());
    }

    // Keys that cannot make an amount are not taken; a second point is not; an empty field is no amount.
    void anAmountFieldTakesDigitsAndOnePoint() {
        SmallWindow window(m_messages);
        window.showFigures();
        window.open();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        type(window.amount, QStringLiteral("-1,200.5.0e3"));
        QCOMPARE(window.amount->text(), QStringLiteral("1200.503"));
        QCOMPARE(window.amount->readAmount().value(), Decimal::fromString(u"1200.503"));
        QTest::keyClick(window.amount, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(window.amount, Qt::Key_Backspace);
        QCOMPARE(window.amount->readAmount().value(), Decimal());
        QVERIFY(!window.amount->isMarked());
    }

    // A date that does not exist is marked with its reason, which the screen reader reads; the text typed
    // stays; the mark goes once the date reads.
    void aDateThatDoesNotExistIsMarkedAndKept() {
        SmallWindow window(m_messages);
        window.showFigures();
        window.open();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        type(window.date, QStringLiteral("2007-02-29"));
        QVERIFY(!window.date->readDate());
        QVERIFY(window.date->isMarked());
        QVERIFY(window.date->reasonLabel()->isVisibleTo(&window));
        QCOMPARE(window.date->reasonLabel()->text(),
                 QStringLiteral("The date \"2007-02-29\" is not a date: type one that exists, as YYYY-MM-DD."));
        QCOMPARE(window.date->accessibleDescription(), window.date->reasonLabel()->text());
        QCOMPARE(window.date->text(), QStringLiteral("2007-02-29"));
        type(window.date, QStringLiteral("2008-02-29"));
        QCOMPARE(window.date->readDate()->toIso(), QStringLiteral("2008-02-29"));
        QVERIFY(!window.date->isMarked());
        QVERIFY(!window.date->reasonLabel()->isVisibleTo(&window));
    }

    void theOutOfDateNoteShowsOnlyWhileOutOfDate() {
        QWidget window;
        auto* note = new OutOfDateNote(QStringLiteral("extras"), &window);
        window.show();
        QCOMPARE(note->text(),
                 QStringLiteral("Out of date: these figures are for the last extras that read as numbers."));
        QVERIFY(!note->isVisible());
        note->setOutOfDate(true);
        QVERIFY(note->isVisible() && note->isOutOfDate());
        note->setOutOfDate(false);
        QVERIFY(!note->isVisible() && !note->isOutOfDate());
    }

    // A sink in the path takes each box with its kind, title and text, in place of a dialog.
    void aSinkTakesEveryBox() {
        MessagePath messages;
        QStringList seen;
        messages.setSink([&seen](MessagePath::Kind kind, const QString& title, const QString& text) {
            seen << QStringLiteral("%1|%2|%3").arg(kind == MessagePath::Kind::Error ? "error" : "message", title, text);
        });
        QWidget window;
        window.setWindowTitle(QStringLiteral("Pellmarsh v1.0"));
        messages.show(window, MessagePath::Kind::Message, QStringLiteral("Missing Info"), QStringLiteral("check"));
        messages.report(window, QStringLiteral("Could not write x"));
        QCOMPARE(seen, QStringList({"message|Missing Info|check", "error|Pellmarsh v1.0|Could not write x"}));
    }
};

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
