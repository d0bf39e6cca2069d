#include "grid/TypedCharacter.h"

#include <QKeyEvent>

#include <array>

namespace TypedCharacter {

namespace {

// Windows-1252 gives printable characters to most of 0x80-0x9F; 0x81, 0x8D, 0x8F, 0x90 and 0x9D
// are unassigned and stand for the control characters of the same number.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr std::int16_t kEnter = 13;
constexpr std::int16_t kEscape = 27;
// The desktop reports Ctrl+Backspace as the delete character.
constexpr std::int16_t kCtrlBackspace = 127;

std::int16_t westernCode(char32_t unicode) {
    if ((unicode >= 0x20 && unicode <= 0x7E) || (unicode >= 0xA0 && unicode <= 0xFF))
        return static_cast<std::int16_t>(unicode);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        // The unassigned slots map to C1 controls, which no key types.
        if (kHighControls[i] == unicode && unicode > 0x9F)
            return static_cast<std::int16_t>(0x80 + i);
    }
    return kNotWestern;
}

} // namespace

std::optional<std::int16_t> code(const QKeyEvent& event) {
    const int key = event.key();
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Delete)
        return std::nullopt;

    const bool control = modifiers.testFlag(Qt::ControlModifier);
    const bool alt = modifiers.testFlag(Qt::AltModifier);
    // Ctrl+Alt is how some desktops report AltGr: that is typing, and the text says what was typed.
    const bool altGr = control && alt;
    const bool typesSomething = !event.text().isEmpty() || key == Qt::Key_Backspace || key == Qt::Key_Return ||
                                key == Qt::Key_Enter || key == Qt::Key_Escape;
    // Alt, Meta and Super with a key are shortcuts, not typing.
    if (!altGr && (alt || modifiers.testFlag(Qt::MetaModifier)))
        return typesSomething ? std::optional<std::int16_t>(kTypesNothing) : std::nullopt;
    if (control && !altGr) {
        // Ctrl+letter types its control code whatever the layout puts into the event's text.
        if (key >= Qt::Key_A && key <= Qt::Key_Z)
            return static_cast<std::int16_t>(key - Qt::Key_A + 1);
        if (key == Qt::Key_Backspace)
            return kCtrlBackspace;
        return typesSomething ? std::optional<std::int16_t>(kTypesNothing) : std::nullopt;
    }

    switch (key) {
    case Qt::Key_Backspace:
        return kBackspace;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return kEnter;
    case Qt::Key_Escape:
        return kEscape;
    default:
        break;
    }

    const QString text = event.text();
    if (text.isEmpty())
        return std::nullopt;
    const char32_t unicode = text.at(0).isHighSurrogate() && text.size() > 1
                                 ? QChar::surrogateToUcs4(text.at(0), text.at(1))
                                 : static_cast<char32_t>(text.at(0).unicode());
    // Control characters in the text (Delete's 0x7F, a stray tab) come from keys that type nothing.
    if (unicode < 0x20 || unicode == 0x7F || (unicode >= 0x80 && unicode < 0xA0))
        return std::nullopt;
    return westernCode(unicode);
}

QChar character(std::int16_t code) {
    if (code >= 0x80 && code <= 0x9F)
        return QChar(kHighControls[static_cast<std::size_t>(code - 0x80)]);
    // Codes beyond the single-byte range are not typed; they stand for the Unicode character of that number.
    if (code < 0)
        return QChar();
    return QChar(static_cast<char16_t>(code));
}

} // namespace TypedCharacter
