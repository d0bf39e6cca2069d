#include "TypedCharacter.h"

#include <QKeyEvent>
#include <QTest>

namespace {

constexpr int kNone = -1000; // the key types no character

int codeOf(int key, Qt::KeyboardModifiers modifiers, const QString& text) {
    const std::optional<std::int16_t> code = TypedCharacter::code(QKeyEvent(QEvent::KeyPress, key, modifiers, text));
    return code ? *code : kNone;
}

} // namespace

class TestTypedCharacter : public QObject {
    Q_OBJECT

private slots:
    void givesTheCodeOfATypedKey_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("code");
        const auto row = [](const char* name, int key, Qt::KeyboardModifiers modifiers, const QString& text, int code) {
            QTest::newRow(name) << key << modifiers << text << code;
        };
        const Qt::KeyboardModifiers none = Qt::NoModifier;
        row("left arrow", Qt::Key_Left, none, {}, kNone);
        row("home", Qt::Key_Home, none, {}, kNone);
        row("ctrl+end", Qt::Key_End, Qt::ControlModifier, {}, kNone);
        row("delete with its DEL text", Qt::Key_Delete, none, QStringLiteral("\x7f"), kNone);
        row("F5", Qt::Key_F5, none, {}, kNone);
        row("shift alone", Qt::Key_Shift, Qt::ShiftModifier, {}, kNone);
        row("tab", Qt::Key_Tab, none, QStringLiteral("\t"), kNone);
        row("shift+tab", Qt::Key_Backtab, Qt::ShiftModifier, QStringLiteral("\t"), kNone);
        // Shortcuts that carry text type nothing; AltGr (Ctrl+Alt on some desktops) types its character.
        const int nothing = TypedCharacter::kTypesNothing;
        row("alt+a is a shortcut", Qt::Key_A, Qt::AltModifier, QStringLiteral("a"), nothing);
        row("alt+shift+space", Qt::Key_Space, Qt::AltModifier | Qt::ShiftModifier, QStringLiteral(" "), nothing);
        row("super+a", Qt::Key_A, Qt::MetaModifier, QStringLiteral("a"), nothing);
        row("alt+backspace", Qt::Key_Backspace, Qt::AltModifier, {}, nothing);
        row("ctrl+keypad point", Qt::Key_Period, Qt::ControlModifier | Qt::KeypadModifier, QStringLiteral("."),
            nothing);
        row("ctrl+return", Qt::Key_Return, Qt::ControlModifier, QStringLiteral("\r"), nothing);
        row("ctrl+backspace", Qt::Key_Backspace, Qt::ControlModifier, QStringLiteral("\x7f"), 127);
        row("altgr at sign", Qt::Key_At, Qt::ControlModifier | Qt::AltModifier, QStringLiteral("@"), 64);
        row("ctrl+5 types nothing", Qt::Key_5, Qt::ControlModifier, {}, kNone);
        row("backspace", Qt::Key_Backspace, none, QStringLiteral("\b"), 8);
        row("return", Qt::Key_Return, none, QStringLiteral("\r"), 13);
        row("keypad enter", Qt::Key_Enter, Qt::KeypadModifier, QStringLiteral("\r"), 13);
        row("escape", Qt::Key_Escape, none, QStringLiteral("\x1b"), 27);
        row("ctrl+c", Qt::Key_C, Qt::ControlModifier, QStringLiteral("\x03"), 3);
        row("ctrl+v without text", Qt::Key_V, Qt::ControlModifier, {}, 22);
        row("ctrl+shift+x", Qt::Key_X, Qt::ControlModifier | Qt::ShiftModifier, QStringLiteral("\x18"), 24);
        row("space", Qt::Key_Space, none, QStringLiteral(" "), 32);
        row("tilde", Qt::Key_AsciiTilde, none, QStringLiteral("~"), 126);
        row("e acute", Qt::Key_Eacute, none, QStringLiteral("é"), 233);
        row("euro sign", Qt::Key_unknown, none, QStringLiteral("€"), 128);
        row("greek omega", Qt::Key_unknown, none, QStringLiteral("Ω"), TypedCharacter::kNotWestern);
        row("emoji", Qt::Key_unknown, none, QString::fromUtf8("\xF0\x9F\x98\x80"), TypedCharacter::kNotWestern);
    }

    void givesTheCodeOfATypedKey() {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(QString, text);
        QFETCH(int, code);
        QCOMPARE(codeOf(key, modifiers, text), code);
    }

    void turnsEveryWesternCodeBackIntoItsCharacter() {
        for (int code = 32; code <= 255; ++code) {
            const QChar character = TypedCharacter::character(static_cast<std::int16_t>(code));
            // DEL and the five unassigned slots of 0x80-0x9F are no character a key types.
            const bool typeable =
                code != 0x7F && code != 0x81 && code != 0x8D && code != 0x8F && code != 0x90 && code != 0x9D;
            QCOMPARE(codeOf(Qt::Key_unknown, Qt::NoModifier, QString(character)), typeable ? code : kNone);
        }
        QCOMPARE(TypedCharacter::character(150), QChar(0x2013));
    }
};

QTEST_GUILESS_MAIN(TestTypedCharacter)
#include "tst_typedcharacter.moc"
