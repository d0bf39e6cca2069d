#pragma once

#include "numbers/Decimal.h"

#include <QString>
#include <QStringView>

#include <cstdint>

// The one place where texts become numbers and numbers become texts. Nothing here depends on the
// desktop's locale: the decimal point is always '.', and no digit grouping is read or written.
//
// Every function that can fail takes `source`, a plain-words name of where the value came from
// (the "Annual Interest Rate" box), so the error can tell the user which box to fix.

// A box's text read as a number: blanks at either end are ignored; what remains must be at least one
// digit with at most one decimal point among them ("5", "5.", ".5", "5.25"). The result is the
// correctly rounded double. Anything else (empty, blanks only, ".", "1.2.3", "/", ":", signs,
// exponents, letters) raises a Conversion error naming source and the text.
double readNumber(QStringView text, const QString& source);
// The same text read exactly, as an amount of money: "100.005" is 100.005, not the nearest double. An
// amount beyond the decimal range raises an Overflow error naming source.
Decimal readAmount(QStringView text, const QString& source);

// A double rounded to the nearest integer, halves to even (29.5 -> 30, 30.5 -> 30); a result outside
// the type's range (or a NaN) raises an Overflow error naming source.
std::int16_t roundToInt16(double value, const QString& source);
std::int32_t roundToInt32(double value, const QString& source);

// Range checks for counter and row arithmetic done in wider integers: an Overflow error outside the type.
std::int16_t checkedInt16(std::int64_t value, const QString& source);
std::int32_t checkedInt32(std::int64_t value, const QString& source);

// A double as it enters decimal arithmetic: rounded to 15 significant digits; an Overflow error naming
// source when it is beyond the decimal range.
Decimal toDecimal(double value, const QString& source);

// Cell texts. A decimal value in plain notation with trailing zeros dropped: 1199.10 -> "1199.1",
// 1900.00 -> "1900", and zero (of either sign, at any scale) -> "0", never "-0".
QString decimalText(const Decimal& value);
// A double with at most 15 significant digits, plain notation, trailing zeros dropped, "0" for zeros.
QString doubleText(double value);
// An integer as its decimal digits.
QString integerText(std::int64_t value);
