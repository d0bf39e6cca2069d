#pragma once

#include <QString>
#include <QStringList>

#include <array>

// What one press of Calculate must leave behind, worked out from the documented rules alone, in double
// precision and without the program's code: the box the message names and the grid's size at each
// failure point, or the size of the finished summary and schedule. The monkey test and the Calculate
// fuzzer check the real window against it.
namespace CalculateOracle {

struct Before {
    std::array<QString, 6> texts; // Text1 to Text6
    bool ticked = false;          // Check1
    int rows = 0;                 // the grid's counts before the press
    int cols = 0;
};

struct After {
    enum class Ending { Done, MissingInfo, Error };
    Ending ending = Ending::Done;
    // For an error: words the message must hold, naming the step and the box it came from.
    QStringList messageWords;
    int rows = 0;
    int cols = 0;
    std::array<QString, 6> texts; // the boxes afterwards, "0" defaults filled in
    bool rateStored = false;      // MonthlyRate set
    bool paymentStored = false;   // MonthlyPayment set
    // Money or a divisor comes so near the edge of the decimal range (or of a rounding) that double
    // precision cannot tell which side it falls: only the ending's kind and the grid's bounds are sure.
    bool nearLimit = false;
};

After expected(const Before& before);

// What the window shows after the press.
struct Seen {
    QStringList boxes; // each as "title|text"
    int rows = 0;
    int cols = 0;
    std::array<QString, 6> texts;
    bool rateStored = false;
    bool paymentStored = false;
};

// How the seen outcome differs from the expected one, in words; empty when they agree.
QStringList differences(const After& expected, const Seen& seen);

// The schedule's row count once it is finished, for a loan of n months: the last month's row + 10.
int scheduleRows(int months);

// "Text1" read as years, for capping long schedules; a negative value when it is not a number.
double years(const QString& text);

} // namespace CalculateOracle
