#include "TypedCharacter.h"

#include <QKeyEvent>
#include <QTest>

#include <optional>

Q_DECLARE_METATYPE(std::optional<std::int16_t>)

namespace {

const std::optional<std::int16_t> kNone;

std::optional<std::int16_t> codeOf(int key, Qt::KeyboardModifiers modifiers, const QString& text) {
    const QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
    return TypedCharacter::code(event);
}

} // namespace

class TestTypedCharacter : public QObject {
    Q_OBJECT

private slots:
    void givesTheCodeOfATypedKey_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::addColumn<std::optional<std::int16_t>>("code");
        const Qt::KeyboardModifiers none = Qt::NoModifier;
        const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;

        QTest::newRow("left arrow") << int(Qt::Key_Left) << none << QString() << kNone;
        QTest::newRow("home") << int(Qt::Key_Home) << none << QString() << kNone;
        QTest::newRow("ctrl+end") << int(Qt::Key_End) << ctrl << QString() << kNone;
        QTest::newRow("page down") << int(Qt::Key_PageDown) << none << QString() << kNone;
        QTest::newRow("delete with its DEL text") << int(Qt::Key_Delete) << none << QStringLiteral("\x7f") << kNone;
        QTest::newRow("insert") << int(Qt::Key_Insert) << none << QString() << kNone;
        QTest::newRow("F5") << int(Qt::Key_F5) << none << QString() << kNone;
        QTest::newRow("shift alone") << int(Qt::Key_Shift) << Qt::KeyboardModifiers(Qt::ShiftModifier) << QString()
                                     << kNone;
        QTest::newRow("tab") << int(Qt::Key_Tab) << none << QStringLiteral("\t") << kNone;
        QTest::newRow("shift+tab") << int(Qt::Key_Backtab) << Qt::KeyboardModifiers(Qt::ShiftModifier)
                                   << QStringLiteral("\t") << kNone;
        QTest::newRow("alt+a is a shortcut")
            << int(Qt::Key_A) << Qt::KeyboardModifiers(Qt::AltModifier) << QStringLiteral("a") << kNone;

        QTest::newRow("backspace") << int(Qt::Key_Backspace) << none << QStringLiteral("\b")
                                   << std::optional<std::int16_t>(8);
        QTest::newRow("return") << int(Qt::Key_Return) << none << QStringLiteral("\r")
                                << std::optional<std::int16_t>(13);
        QTest::newRow("keypad enter") << int(Qt::Key_Enter) << Qt::KeyboardModifiers(Qt::KeypadModifier)
                                      << QStringLiteral("\r") << std::optional<std::int16_t>(13);
        QTest::newRow("escape") << int(Qt::Key_Escape) << none << QStringLiteral("\x1b")
                                << std::optional<std::int16_t>(27);
        QTest::newRow("ctrl+c") << int(Qt::Key_C) << ctrl << QStringLiteral("\x03") << std::optional<std::int16_t>(3);
        QTest::newRow("ctrl+v without text") << int(Qt::Key_V) << ctrl << QString() << std::optional<std::int16_t>(22);
        QTest::newRow("ctrl+shift+x") << int(Qt::Key_X) << (ctrl | Qt::ShiftModifier) << QStringLiteral("\x18")
                                      << std::optional<std::int16_t>(24);
        QTest::newRow("ctrl+5 types nothing") << int(Qt::Key_5) << ctrl << QString() << kNone;

        QTest::newRow("space") << int(Qt::Key_Space) << none << QStringLiteral(" ") << std::optional<std::int16_t>(32);
        QTest::newRow("digit 5") << int(Qt::Key_5) << none << QStringLiteral("5") << std::optional<std::int16_t>(53);
        QTest::newRow("capital A") << int(Qt::Key_A) << Qt::KeyboardModifiers(Qt::ShiftModifier) << QStringLiteral("A")
                                   << std::optional<std::int16_t>(65);
        QTest::newRow("tilde") << int(Qt::Key_AsciiTilde) << none << QStringLiteral("~")
                               << std::optional<std::int16_t>(126);
        QTest::newRow("e acute") << int(Qt::Key_Eacute) << none << QStringLiteral("é")
                                 << std::optional<std::int16_t>(233);
        QTest::newRow("y diaeresis") << int(Qt::Key_ydiaeresis) << none << QStringLiteral("ÿ")
                                     << std::optional<std::int16_t>(255);
        QTest::newRow("euro sign") << int(Qt::Key_unknown) << none << QStringLiteral("€")
                                   << std::optional<std::int16_t>(128);
        QTest::newRow("capital Y diaeresis")
            << int(Qt::Key_unknown) << none << QStringLiteral("Ÿ") << std::optional<std::int16_t>(159);
        QTest::newRow("greek omega") << int(Qt::Key_unknown) << none << QStringLiteral("Ω")
                                     << std::optional<std::int16_t>(TypedCharacter::kNotWestern);
        QTest::newRow("emoji outside the basic plane")
            << int(Qt::Key_unknown) << none << QString::fromUtf8("\xF0\x9F\x98\x80")
            << std::optional<std::int16_t>(TypedCharacter::kNotWestern);
    }

    void givesTheCodeOfATypedKey() {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(QString, text);
        QFETCH(std::optional<std::int16_t>, code);
        const std::optional<std::int16_t> actual = codeOf(key, modifiers, text);
        QCOMPARE(actual.has_value(), code.has_value());
        if (code)
            QCOMPARE(*actual, *code);
    }

    void turnsEveryWesternCodeBackIntoItsCharacter() {
        for (int code = 32; code <= 255; ++code) {
            const QChar character = TypedCharacter::character(static_cast<std::int16_t>(code));
            const std::optional<std::int16_t> typed = codeOf(Qt::Key_unknown, Qt::NoModifier, QString(character));
            // DEL and the five unassigned slots are no character a key types.
            const bool typeable =
                code != 0x7F && code != 0x81 && code != 0x8D && code != 0x8F && code != 0x90 && code != 0x9D;
            QVERIFY2(typed.has_value() == typeable, qPrintable(QString::number(code)));
            if (typeable)
                QCOMPARE(*typed, static_cast<std::int16_t>(code));
        }
        QCOMPARE(TypedCharacter::character(128), QChar(0x20AC));
        QCOMPARE(TypedCharacter::character(150), QChar(0x2013));
    }
};

QTEST_GUILESS_MAIN(TestTypedCharacter)
#include "tst_typedcharacter.moc"
