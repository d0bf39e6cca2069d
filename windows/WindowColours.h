#pragma once

#include <QRgb>
#include <QString>

// The colours the program's own windows mark things with, the same in every window.
namespace WindowColours {

// A reason a field does not read, and the "out of date" note.
constexpr QRgb kProblem = 0xc0392b;
// A row of a table that does not read.
constexpr QRgb kUnreadRow = 0xf5c6c0;
// A row that reads but is left out, such as a payment dated outside the loan.
constexpr QRgb kLeftOutRow = 0xf5e1a4;
// Two lines told apart by lightness as well as hue: the loan as calculated and the loan as changed.
constexpr QRgb kCalculatedLine = 0x2d2d2d;
constexpr QRgb kChangedLine = 0x2f6fb0;

// The frame of a field that does not read.
inline const QString kMarkedFieldStyle = QStringLiteral("QLineEdit { border: 2px solid #c0392b; }");
// The text of a reason beside a field.
inline const QString kProblemStyle = QStringLiteral("color: #c0392b;");

} // namespace WindowColours
