// What each input box lets the user type, the principal's 12-character limit, and the keys that keep
// their usual meaning in the boxes.
#include "Form1.h"
#include "FormHarness.h"
#include "InputBox.h"

#include <QClipboard>
#include <QTest>

#include <memory>

namespace {

using KeyPress = void (Form1::*)(std::int16_t&);

struct BoxFilter {
    const char* name;
    KeyPress handler;
    bool decimal; // admits the full stop and the slash
};

const std::array<BoxFilter, 6> kBoxes{{
    {"Text1", &Form1::Text1_KeyPress, false},
    {"Text2", &Form1::Text2_KeyPress, true},
    {"Text3", &Form1::Text3_KeyPress, true},
    {"Text4", &Form1::Text4_KeyPress, true},
    {"Text5", &Form1::Text5_KeyPress, true},
    {"Text6", &Form1::Text6_KeyPress, false},
}};

InputBox& box(Form1& form, const char* name) {
    return *form.findChild<InputBox*>(QString::fromLatin1(name));
}

} // namespace

class TestForm1Filters : public QObject {
    Q_OBJECT

private slots:
    void init() { m_harness = std::make_unique<FormHarness>(); }
    void cleanup() {
        const QString leftOver = m_harness->boxes().describePending();
        m_harness.reset();
        QVERIFY2(leftOver.isEmpty(), qPrintable(QStringLiteral("unexpected message box: ") + leftOver));
    }

    // Every code from -1 to 300 through every box's filter: Backspace, the digits and the colon always
    // pass, the full stop and the slash only where amounts are typed, and nothing else.
    void filtersKeepOnlyTheirCodes() {
        Form1& form = m_harness->form();
        for (const BoxFilter& filter : kBoxes) {
            QList<int> kept;
            for (int code = -1; code <= 300; ++code) {
                std::int16_t keyAscii = static_cast<std::int16_t>(code);
                (form.*filter.handler)(keyAscii);
                QVERIFY(keyAscii == 0 || keyAscii == code);
                if (keyAscii != 0)
                    kept << code;
            }
            QList<int> expected{8};
            if (filter.decimal)
                expected << '.' << '/';
            for (char c = '0'; c <= '9'; ++c)
                expected << c;
            expected << ':';
            QCOMPARE(kept, expected);
        }
    }

    void typedKeys_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text"); // what the key types
        QTest::addColumn<bool>("kept");
        for (const BoxFilter& filter : kBoxes) {
            const auto row = [&](const char* what, int key, QString text, bool kept, int modifiers = Qt::NoModifier) {
                QTest::addRow("%s %s", filter.name, what) << filter.name << key << modifiers << text << kept;
            };
            row("digit 7", Qt::Key_7, "7", true);
            row("colon", Qt::Key_Colon, ":", true, Qt::ShiftModifier);
            row("full stop", Qt::Key_Period, ".", filter.decimal);
            row("slash", Qt::Key_Slash, "/", filter.decimal);
            row("minus", Qt::Key_Minus, "-", false);
            row("blank", Qt::Key_Space, " ", false);
            row("letter", Qt::Key_A, "a", false);
            row("e acute", Qt::Key_Eacute, QStringLiteral("\u00e9"), false);
            row("euro sign", 0x20ac, QStringLiteral("\u20ac"), false);
            row("Enter", Qt::Key_Return, "\r", false);
            row("Escape", Qt::Key_Escape, QStringLiteral("\x1b"), false);
            row("Ctrl+C", Qt::Key_C, QStringLiteral("\x03"), false, Qt::ControlModifier);
            row("Ctrl+V", Qt::Key_V, QStringLiteral("\x16"), false, Qt::ControlModifier);
            row("Ctrl+X", Qt::Key_X, QStringLiteral("\x18"), false, Qt::ControlModifier);
        }
    }

    // Real key presses into a box holding "12" with the caret at its end.
    void typedKeys() {
        QFETCH(QString, box);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        QFETCH(bool, kept);
        Form1& form = m_harness->form();
        InputBox& input = ::box(form, qPrintable(box));
        QApplication::clipboard()->setText(QStringLiteral("55"));
        input.setText(QStringLiteral("12"));
        input.setFocus();
        QKeyEvent press(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text);
        QApplication::sendEvent(&input, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::KeyboardModifiers(modifiers), text);
        QApplication::sendEvent(&input, &release);
        const QString expected = kept ? QStringLiteral("12") + text : QStringLiteral("12");
        QCOMPARE(input.text(), expected);
        QCOMPARE(m_harness->beeps(), 0);
    }

    void backspaceErasesInEveryBox() {
        Form1& form = m_harness->form();
        for (const BoxFilter& filter : kBoxes) {
            InputBox& input = box(form, filter.name);
            input.setText(QStringLiteral("123"));
            input.setFocus();
            QTest::keyClick(&input, Qt::Key_Backspace);
            QCOMPARE(input.text(), QStringLiteral("12"));
        }
    }

    // Keys that type nothing move the caret, delete, and move the focus as usual.
    void editingKeysKeepWorking() {
        Form1& form = m_harness->form();
        for (const BoxFilter& filter : kBoxes) {
            InputBox& input = box(form, filter.name);
            input.setText(QStringLiteral("1234"));
            input.setFocus();
            QTest::keyClick(&input, Qt::Key_Home);
            QCOMPARE(input.cursorPosition(), 0);
            QTest::keyClick(&input, Qt::Key_Right);
            QCOMPARE(input.cursorPosition(), 1);
            QTest::keyClick(&input, Qt::Key_Delete);
            QCOMPARE(input.text(), QStringLiteral("134"));
            QTest::keyClick(&input, Qt::Key_End);
            QCOMPARE(input.cursorPosition(), 3);
            QTest::keyClick(&input, Qt::Key_Left);
            QCOMPARE(input.cursorPosition(), 2);
            QTest::keyClick(&input, Qt::Key_Left, Qt::ShiftModifier);
            QCOMPARE(input.selectedText(), QStringLiteral("3"));
            QTest::keyClick(&input, Qt::Key_9);
            QCOMPARE(input.text(), QStringLiteral("194"));
            QTest::keyClick(&input, Qt::Key_Tab);
            QVERIFY2(QApplication::focusWidget() != &input, filter.name);
        }
    }

    void twelveDigitsFitAndTheThirteenthIsRefused() {
        Form1& form = m_harness->form();
        m_harness->type(*form.Text3, QStringLiteral("123456789012"));
        QCOMPARE(form.Text3->text(), QStringLiteral("123456789012"));
        QCOMPARE(m_harness->beeps(), 0);
        QTest::keyClick(form.Text3, Qt::Key_3);
        QCOMPARE(m_harness->beeps(), 1);
        QCOMPARE(form.Text3->text(), QStringLiteral("123456789012"));
        QCOMPARE(form.Text3->cursorPosition(), 12);
        QCOMPARE(form.savedPrincipalText(), QStringLiteral("123456789012"));

        // A digit typed in the middle is undone whole too, and the caret still goes to the end.
        form.Text3->setCursorPosition(4);
        QTest::keyClick(form.Text3, Qt::Key_5);
        QCOMPARE(m_harness->beeps(), 2);
        QCOMPARE(form.Text3->text(), QStringLiteral("123456789012"));
        QCOMPARE(form.Text3->cursorPosition(), 12);
    }

    void pastingTwentyCharactersIntoAnEmptyPrincipalEmptiesIt_data() {
        QTest::addColumn<bool>("byKey");
        QTest::newRow("Shift+Insert") << true;
        QTest::newRow("Paste command") << false;
    }

    void pastingTwentyCharactersIntoAnEmptyPrincipalEmptiesIt() {
        QFETCH(bool, byKey);
        Form1& form = m_harness->form();
        QApplication::clipboard()->setText(QStringLiteral("12345678901234567890"));
        form.Text3->setFocus();
        if (byKey)
            QTest::keyClick(form.Text3, Qt::Key_Insert, Qt::ShiftModifier);
        else
            form.Text3->paste();
        QCOMPARE(m_harness->beeps(), 1);
        QCOMPARE(form.Text3->text(), QString());
        QCOMPARE(form.Text3->cursorPosition(), 0);
        QCOMPARE(form.savedPrincipalText(), QString());
    }

    void replacingThreeOfTwelveWithOneDigitKeepsTen() {
        Form1& form = m_harness->form();
        m_harness->type(*form.Text3, QStringLiteral("123456789012"));
        form.Text3->setSelection(2, 3);
        QTest::keyClick(form.Text3, Qt::Key_0);
        QCOMPARE(form.Text3->text(), QStringLiteral("1206789012"));
        QCOMPARE(form.savedPrincipalText(), QStringLiteral("1206789012"));
        QCOMPARE(m_harness->beeps(), 0);
    }

    void pastedLettersAreNotFiltered() {
        Form1& form = m_harness->form();
        QApplication::clipboard()->setText(QStringLiteral("abc"));
        form.Text3->setFocus();
        QTest::keyClick(form.Text3, Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(form.Text3->text(), QStringLiteral("abc"));
        QCOMPARE(form.savedPrincipalText(), QStringLiteral("abc"));
        QCOMPARE(m_harness->beeps(), 0);
    }

    void settingALongPrincipalFromCodeIsRefusedToo() {
        Form1& form = m_harness->form();
        form.Text3->setText(QStringLiteral("1000"));
        form.Text3->setText(QStringLiteral("1234567890123"));
        QCOMPARE(form.Text3->text(), QStringLiteral("1000"));
        QCOMPARE(m_harness->beeps(), 1);
    }

private:
    std::unique_ptr<FormHarness> m_harness;
};

QTEST_MAIN(TestForm1Filters)
#include "tst_form1filters.moc"
