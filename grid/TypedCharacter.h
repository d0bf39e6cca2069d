#pragma once

#include <QChar>

#include <cstdint>
#include <optional>

class QKeyEvent;

// What a desktop "character typed" event delivers for a key press, as a 16-bit code:
// Backspace 8, Enter 13, Escape 27, Ctrl+letter its control code (Ctrl+C 3, Ctrl+V 22, Ctrl+X 24),
// a printable character its code in the Western single-byte character set (Windows-1252), and a
// character outside that set kNotWestern, which every filter discards.
// Keys that type no character (arrows, Home, End, Delete, Insert, Page Up/Down, function keys,
// modifiers alone) and Tab / Shift+Tab give no code: they keep their usual meaning.
namespace TypedCharacter {

constexpr std::int16_t kNotWestern = -1;

std::optional<std::int16_t> code(const QKeyEvent& event);

// The character a Western single-byte code stands for (for codes 32..255).
QChar character(std::int16_t code);

} // namespace TypedCharacter
