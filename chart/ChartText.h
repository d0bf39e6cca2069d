#pragma once

#include "chart/YearBuckets.h"

#include <QLocale>
#include <QString>

// The chart's texts: its tooltips, its table and its accessible description use the same ones.
namespace ChartText {

// An exact amount with its cents and without a currency sign, grouped and pointed as the locale writes
// numbers: 197544.02 -> "197,544.02" in American English, "197.544,02" in German.
QString money(const Decimal& amount, const QLocale& locale);

// "2007" for a single year, "2007–2106" for a bucket of years.
QString years(const YearBucket& bucket);

// "2007: interest 11,933.20, principal 2,455.98, balance at the end 197,544.02"
QString describe(const YearBucket& bucket, const QLocale& locale);

} // namespace ChartText
