// What each input box lets the user type, the shortcuts that type nothing, and the principal's 12-character
// limit under the keys that keep their usual meaning.
#include "FormTestCase.h"
#include "InputBox.h"

#include <QClipboard>
#include <QTest>

class TestForm1Filters : public FormTestCase {
    Q_OBJECT

private slots:
    // A real key press into each box holding "12", with "55" on the clipboard and the caret at the end. Kept
    // are the digits, the colon and, where amounts are typed, the full stop and the slash (the rows try each
    // end of those ranges and the codes beside them). Shortcuts type nothing, whatever text the desktop puts
    // into them; AltGr (Ctrl+Alt) is typing.
    void typedKeys_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("kept"); // the boxes that keep it
        const auto row = [](const char* name, int key, int modifiers, const char16_t* text, const char* kept) {
            QTest::newRow(name) << key << modifiers << QString::fromUtf16(text) << kept;
        };
        // clang-format off
        row("zero", Qt::Key_0, 0, u"0", "123456");
        row("minus", Qt::Key_Minus, 0, u"-", "");
        row("slash", Qt::Key_Slash, 0, u"/", "2345");
        row("semicolon", Qt::Key_Semicolon, Qt::ShiftModifier, u";", "");
        row("full stop", Qt::Key_Period, 0, u".", "2345");
        row("euro sign", 0x20ac, 0, u"\u20ac", "");
        row("Ctrl+V", Qt::Key_V, Qt::ControlModifier, u"\x16", "");
        row("Alt+A", Qt::Key_A, Qt::AltModifier, u"a", "");
        row("Alt+minus", Qt::Key_Minus, Qt::AltModifier, u"-", "");
        row("Alt+Shift+Space", Qt::Key_Space, Qt::AltModifier | Qt::ShiftModifier, u" ", "");
        row("Ctrl+keypad point", Qt::Key_Period, Qt::ControlModifier | Qt::KeypadModifier, u".", "");
        row("Ctrl+Backspace", Qt::Key_Backspace, Qt::ControlModifier, u"\x7f", "");
        row("AltGr colon", Qt::Key_Colon, Qt::ControlModifier | Qt::AltModifier, u":", "123456");
        // clang-format on
    }
    void typedKeys() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        QFETCH(QString, kept);
        QApplication::clipboard()->setText(QStringLiteral("55"));
        for (int box = 1; box <= 6; ++box) {
            auto* input = form().findChild<InputBox*>("Text" + QString::number(box));
            input->setText(QStringLiteral("12"));
            input->setFocus();
            QTest::sendKeyEvent(QTest::KeyAction::Click, input, Qt::Key(key), text, Qt::KeyboardModifiers(modifiers));
            QCOMPARE(input->text(), kept.contains(QString::number(box)) ? QStringLiteral("12") + text : "12");
        }
    }

    // An edit that takes the principal past 12 characters is undone whole with a beep, the caret at the
    // end; typed, in the middle, set by the program or pasted (by Shift+Insert or the box's menu). Keys that
    // type nothing move the caret, select and delete as usual.
    void principalHoldsTwelveCharacters() {
        InputBox& text3 = *form().Text3;
        text3.setFocus();
        QTest::keyClicks(&text3, QStringLiteral("1234567890123"));
        for (const Qt::Key key : {Qt::Key_Home, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_5})
            QTest::keyClick(&text3, key);
        text3.setText(QStringLiteral("1234567890123"));
        QApplication::clipboard()->setText(QStringLiteral("12345678901234567890"));
        QTest::keyClick(&text3, Qt::Key_Insert, Qt::ShiftModifier);
        text3.paste();
        QCOMPARE(beeps(), 5);
        QCOMPARE(text3.text() + u'|' + form().savedPrincipalText(), "123456789012|123456789012");
        QCOMPARE(text3.cursorPosition(), 12);
        // Three of twelve selected and replaced by one digit: ten characters, kept; so is a pasted word.
        for (const Qt::Key key : {Qt::Key_Home, Qt::Key_Right, Qt::Key_Right})
            QTest::keyClick(&text3, key);
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(&text3, Qt::Key_Right, Qt::ShiftModifier);
        QTest::keyClick(&text3, Qt::Key_0);
        QCOMPARE(text3.text(), QStringLiteral("1206789012"));
        QApplication::clipboard()->setText(QStringLiteral("ab"));
        QTest::keyClick(&text3, Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(text3.text() + u'|' + form().savedPrincipalText(), "120ab6789012|120ab6789012");
        for (const Qt::Key key : {Qt::Key_Home, Qt::Key_Delete, Qt::Key_End, Qt::Key_Backspace})
            QTest::keyClick(&text3, key);
        QCOMPARE(text3.text() + u'|' + form().savedPrincipalText(), "20ab678901|20ab678901");
        QCOMPARE(beeps(), 5);
    }
};

QTEST_MAIN(TestForm1Filters)
#include "tst_form1filters.moc"
