#pragma once

#include "loan/Extras.h"

#include <QString>

// Extra payments written on the command line. Each function adds what its text gives to `extras` and
// returns an empty text, or returns what is wrong with the text and leaves `extras` as it was.
namespace ExtraOptions {

// "AMOUNT" or "AMOUNT@YYYY-MM": an extra every month, from the first payment or from that month on.
QString readMonthly(const QString& text, ExtraPayments& extras);
// "AMOUNT" or "AMOUNT@MM": an extra every year in that month, December when none is given.
QString readYearly(const QString& text, ExtraPayments& extras);
// "YYYY-MM=AMOUNT": one payment in that month.
QString readLump(const QString& text, ExtraPayments& extras);

} // namespace ExtraOptions
