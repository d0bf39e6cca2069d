#pragma once

#include <QChar>

#include <cstdint>
#include <optional>

class QKeyEvent;

// What a desktop "character typed" event delivers for a key press, as a 16-bit code:
// Backspace 8, Ctrl+Backspace 127, Enter 13, Escape 27, Ctrl+letter its control code (Ctrl+C 3,
// Ctrl+V 22, Ctrl+X 24), a printable character its code in the Western single-byte character set
// (Windows-1252), and a character outside that set kNotWestern, which every filter discards.
// A shortcut that carries text types nothing and gives kTypesNothing: Alt, Meta or Super with any key,
// and Ctrl with a key that is not a letter. AltGr compositions ('@', '€' on European layouts) are typing.
// Keys that type no character (arrows, Home, End, Delete, Insert, Page Up/Down, function keys,
// modifiers alone) and Tab / Shift+Tab give no code: they keep their usual meaning.
namespace TypedCharacter {

constexpr std::int16_t kNotWestern = -1;
// Backspace and Ctrl+H: the code that erases the character before the caret, in a box or a cell.
constexpr std::int16_t kBackspace = 8;
// The key is a shortcut: the box or cell it was pressed in receives nothing.
constexpr std::int16_t kTypesNothing = 0;

std::optional<std::int16_t> code(const QKeyEvent& event);

// The character a Western single-byte code stands for (for codes 32..255).
QChar character(std::int16_t code);

} // namespace TypedCharacter
