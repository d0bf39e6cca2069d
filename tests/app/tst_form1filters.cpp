// What each input box lets the user type, the principal's 12-character limit, and the keys that keep
// their usual meaning in the boxes.
#include "FormTestCase.h"
#include "InputBox.h"

#include <QClipboard>
#include <QTest>

namespace {
struct BoxFilter {
    const char* name;
    void (Form1::*handler)(std::int16_t&);
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
} // namespace

class TestForm1Filters : public FormTestCase {
    Q_OBJECT

    InputBox& box(const char* name) { return *form().findChild<InputBox*>(QString::fromLatin1(name)); }

private slots:
    // Every code from -1 to 300 through every filter: only Backspace, the digits, the colon and, where
    // amounts are typed, the full stop and the slash are kept.
    void codes() {
        for (const BoxFilter& filter : kBoxes) {
            QString kept;
            for (int code = -1; code <= 300; ++code) {
                std::int16_t keyAscii = static_cast<std::int16_t>(code);
                (form().*filter.handler)(keyAscii);
                QVERIFY(keyAscii == 0 || keyAscii == code);
                if (keyAscii != 0)
                    kept += QChar(code);
            }
            QCOMPARE(kept, filter.decimal ? QStringLiteral("\b./0123456789:") : QStringLiteral("\b0123456789:"));
        }
    }

    void typedKeys_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text"); // what the key types
        QTest::addColumn<bool>("kept");
        for (const BoxFilter& filter : kBoxes) {
            const auto row = [&](const char* what, int key, QString text, bool kept, int modifiers = 0) {
                QTest::addRow("%s %s", filter.name, what) << filter.name << key << modifiers << text << kept;
            };
            row("digit", Qt::Key_7, "7", true);
            row("colon", Qt::Key_Colon, ":", true, Qt::ShiftModifier);
            row("full stop", Qt::Key_Period, ".", filter.decimal);
            row("slash", Qt::Key_Slash, "/", filter.decimal);
            row("minus", Qt::Key_Minus, "-", false);
            row("blank", Qt::Key_Space, " ", false);
            row("letter", Qt::Key_A, "a", false);
            row("euro sign", 0x20ac, QStringLiteral("\u20ac"), false);
            row("Enter", Qt::Key_Return, "\r", false);
            row("Escape", Qt::Key_Escape, "\x1b", false);
            row("Ctrl+C", Qt::Key_C, "\x03", false, Qt::ControlModifier);
            row("Ctrl+V", Qt::Key_V, "\x16", false, Qt::ControlModifier);
            row("Ctrl+X", Qt::Key_X, "\x18", false, Qt::ControlModifier);
            // Shortcuts type nothing, whatever text the desktop puts into them; AltGr is typing.
            row("Alt+A", Qt::Key_A, "a", false, Qt::AltModifier);
            row("Alt+minus", Qt::Key_Minus, "-", false, Qt::AltModifier);
            row("Alt+Shift+Space", Qt::Key_Space, " ", false, Qt::AltModifier | Qt::ShiftModifier);
            row("Ctrl+keypad point", Qt::Key_Period, ".", false, Qt::ControlModifier | Qt::KeypadModifier);
            row("Ctrl+Backspace", Qt::Key_Backspace, "\x7f", false, Qt::ControlModifier);
            row("AltGr colon", Qt::Key_Colon, ":", true, Qt::ControlModifier | Qt::AltModifier);
        }
    }

    // A real key press into a box holding "12", with "55" on the clipboard and the caret at the end.
    void typedKeys() {
        QFETCH(QString, box);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        QFETCH(bool, kept);
        InputBox& input = this->box(qPrintable(box));
        QApplication::clipboard()->setText(QStringLiteral("55"));
        input.setText(QStringLiteral("12"));
        input.setFocus();
        QTest::sendKeyEvent(QTest::KeyAction::Click, &input, Qt::Key(key), text, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(input.text(), kept ? QStringLiteral("12") + text : QStringLiteral("12"));
    }

    // Keys that type nothing move the caret, select, delete and move the focus as usual; Backspace erases.
    void editingKeys() {
        for (const BoxFilter& filter : kBoxes) {
            InputBox& input = box(filter.name);
            input.setText(QStringLiteral("12345"));
            input.setFocus();
            for (Qt::Key key : {Qt::Key_Backspace, Qt::Key_Home, Qt::Key_Right, Qt::Key_Delete})
                QTest::keyClick(&input, key);
            QCOMPARE(input.text(), QStringLiteral("134"));
            QCOMPARE(input.cursorPosition(), 1);
            QTest::keyClick(&input, Qt::Key_End);
            QTest::keyClick(&input, Qt::Key_Left, Qt::ShiftModifier);
            QTest::keyClick(&input, Qt::Key_9);
            QCOMPARE(input.text(), QStringLiteral("139"));
            QTest::keyClick(&input, Qt::Key_Tab);
            QVERIFY2(QApplication::focusWidget() != &input, filter.name);
        }
    }

    void principalHoldsTwelveCharacters() {
        InputBox& text3 = *form().Text3;
        type(text3, QStringLiteral("123456789012"));
        QCOMPARE(beeps(), 0);
        QTest::keyClick(&text3, Qt::Key_3);
        QCOMPARE(beeps(), 1);
        QCOMPARE(text3.text(), QStringLiteral("123456789012"));
        QCOMPARE(text3.cursorPosition(), 12);
        // An edit in the middle is undone whole; the caret still goes to the end.
        text3.setCursorPosition(4);
        QTest::keyClick(&text3, Qt::Key_5);
        QCOMPARE(beeps(), 2);
        QCOMPARE(text3.text(), QStringLiteral("123456789012"));
        QCOMPARE(text3.cursorPosition(), 12);
        // Three of twelve selected and replaced by one digit: ten characters, kept.
        text3.setSelection(2, 3);
        QTest::keyClick(&text3, Qt::Key_0);
        QCOMPARE(text3.text(), QStringLiteral("1206789012"));
        QCOMPARE(form().savedPrincipalText(), QStringLiteral("1206789012"));
        // Text set by the program meets the same rule.
        text3.setText(QStringLiteral("1234567890123"));
        QCOMPARE(text3.text(), QStringLiteral("1206789012"));
        QCOMPARE(beeps(), 3);
    }

    void pasting_data() {
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<bool>("byKey"); // Shift+Insert, or the Paste command of the box's menu
        QTest::addColumn<QString>("kept");
        QTest::addColumn<int>("beeps");
        QTest::newRow("20 digits, Shift+Insert") << "12345678901234567890" << true << "" << 1;
        QTest::newRow("20 digits, Paste") << "12345678901234567890" << false << "" << 1;
        QTest::newRow("three letters") << "abc" << true << "abc" << 0;
    }

    void pasting() {
        QFETCH(QString, clipboard);
        QFETCH(bool, byKey);
        QFETCH(QString, kept);
        QFETCH(int, beeps);
        QApplication::clipboard()->setText(clipboard);
        form().Text3->setFocus();
        if (byKey)
            QTest::keyClick(form().Text3, Qt::Key_Insert, Qt::ShiftModifier);
        else
            form().Text3->paste();
        QCOMPARE(form().Text3->text(), kept);
        QCOMPARE(form().savedPrincipalText(), kept);
        QCOMPARE(form().Text3->cursorPosition(), kept.size());
        QCOMPARE(this->beeps(), beeps);
    }
};

QTEST_MAIN(TestForm1Filters)
#include "tst_form1filters.moc"
