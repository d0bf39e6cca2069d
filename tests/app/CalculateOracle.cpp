#include "CalculateOracle.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

namespace CalculateOracle {

namespace {

constexpr double kDecimalMax = 79228162514264337593543950335.0;
constexpr double kRowMax = 32767;

// A box's text as a number: blanks at either end, then digits with at most one decimal point.
// Empty when it is no number; infinity when it is one too large for a double.
std::optional<double> number(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && (text[begin] == u' ' || text[begin] == u'\t'))
        ++begin;
    while (end > begin && (text[end - 1] == u' ' || text[end - 1] == u'\t'))
        --end;
    std::string ascii;
    int digits = 0;
    int points = 0;
    for (qsizetype i = begin; i < end; ++i) {
        const char16_t c = text[i].unicode();
        if (c != u'.' && (c < u'0' || c > u'9'))
            return std::nullopt;
        (c == u'.' ? points : digits) += 1;
        ascii += static_cast<char>(c);
    }
    if (digits == 0 || points > 1)
        return std::nullopt;
    double value = 0;
    const auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value, std::chars_format::fixed);
    if (result.ec == std::errc::result_out_of_range) // beyond the largest double, or below the smallest
        return ascii.substr(0, ascii.find('.')).find_first_not_of('0') == std::string::npos ? 0.0 : HUGE_VAL;
    return value;
}

// Halves to even; empty outside [0, high].
std::optional<std::int64_t> rounded(double value, double high) {
    const double whole = std::nearbyint(value);
    if (!(whole >= 0 && whole <= high))
        return std::nullopt;
    return static_cast<std::int64_t>(whole);
}

enum class Fit { Fits, Overflows, Unsure };

// Whether a money value computed in double fits the decimal range; too close to the edge to tell is unsure.
Fit fit(double value) {
    const double magnitude = std::fabs(value);
    if (magnitude < kDecimalMax * (1 - 1e-9))
        return Fit::Fits;
    return magnitude > kDecimalMax * (1 + 1e-9) ? Fit::Overflows : Fit::Unsure;
}

} // namespace

int scheduleRows(int months) {
    if (months % 12 == 0)
        return 15 * (months / 12) + 14;
    // Month i on row 7 + i + 3 per completed year; after the last one its separator, totals and an empty
    // row, then "Total Summary:" and four more rows, and a last empty row.
    const int lastRow = 7 + months + 3 * ((months - 1) / 12);
    return lastRow + 10;
}

double years(const QString& text) {
    return number(text).value_or(-1);
}

After expected(const Before& before) {
    After after;
    after.rows = before.rows;
    after.cols = before.cols;
    after.texts = before.texts;
    std::array<QString, 6>& texts = after.texts;
    const auto fail = [&after](QStringList words) {
        after.ending = After::Ending::Error;
        after.messageWords = std::move(words);
        return after;
    };
    const auto money = [&after](double value) {
        const Fit result = fit(value);
        after.nearLimit = after.nearLimit || result == Fit::Unsure;
        return result != Fit::Overflows;
    };

    if (texts[0].isEmpty() || texts[1].isEmpty() || texts[2].isEmpty()) {
        after.ending = After::Ending::MissingInfo;
        return after;
    }
    const std::optional<double> percent = number(texts[1]);
    if (!percent || !money(*percent / 1200))
        return fail({"the monthly rate", "\"Annual Interest Rate\""});
    const double rate = *percent / 1200;
    after.rateStored = true;
    const std::optional<double> length = number(texts[0]);
    const std::optional<std::int64_t> months = length ? rounded(*length * 12, 2147483647.0) : std::nullopt;
    if (!months)
        return fail({"the number of payments", "\"Length of Loan (Years)\""});
    for (int box : {4, 3}) {
        if (texts[box].isEmpty())
            texts[box] = QStringLiteral("0");
    }

    // 1 + rate is a double again for the power: a rate below half the spacing of doubles above 1 (2^-53)
    // leaves it at 1, and the divisor at 0.
    const double divisor = 1.0 - std::pow(1.0 + rate, -static_cast<double>(*months));
    after.nearLimit = after.nearLimit || std::fabs(rate / 0x1p-53 - 1) < 1e-9;
    if (divisor == 0)
        return fail({"the monthly payment", "divide by zero"});
    const std::optional<double> principal = number(texts[2]);
    if (!principal)
        return fail({"the monthly payment", "\"Principal Loan Balance\""});
    const double payment = *principal * (rate / divisor);
    if (!money(rate / divisor) || !money(payment))
        return fail({"the monthly payment"});

    after.paymentStored = true;
    after.rows = 5;
    const std::optional<double> insurance = number(texts[4]);
    if (!insurance || !money(*insurance) || !money(payment + *insurance))
        return fail({"insurance to the total", "\"Annual Insur:\""});
    const std::optional<double> tax = number(texts[3]);
    if (!tax || !money(*tax) || !money(payment + *insurance + *tax))
        return fail({"tax to the total", "\"Annual Property Tax and Insurance Other Expanses\""});
    after.rows = 6;
    if (!before.ticked)
        return after;

    if (texts[5].isEmpty())
        texts[5] = QStringLiteral("0");
    const QString schedule = QStringLiteral("month-by-month schedule");
    const int n = static_cast<int>(*months);
    if (n > kRowMax)
        return fail({schedule, "\"Length of Loan (Years)\""});
    after.cols = 5;
    after.rows = 8;
    const std::optional<std::int64_t> setUpRows =
        n + 8 > kRowMax ? std::nullopt : rounded(n + 8 + *length * 3, kRowMax);
    if (!setUpRows)
        return fail({schedule, "row count"});
    after.rows = static_cast<int>(*setUpRows);

    const std::optional<double> start = number(texts[5]);
    if (!start || std::isinf(*start))
        return fail({schedule, "\"Year To Start the payment\""});
    // The last year is a 16-bit year: checked after the first year block, which a loan shorter than a
    // year ends below the rows set aside, one row further down.
    const int lastRow = scheduleRows(n) - 10;
    const int blockEnd = lastRow + 3 >= after.rows ? lastRow + 4 : after.rows;
    const std::optional<std::int64_t> startYear = rounded(*start, kRowMax);
    if (!startYear || *startYear + *rounded(*length, kRowMax) > kRowMax) {
        if (n < 12)
            after.rows = blockEnd;
        return fail({schedule, "\"Year To Start the payment\""});
    }
    if (scheduleRows(n) > kRowMax) {
        if (blockEnd <= kRowMax)
            after.rows = blockEnd;
        return fail({schedule, "row count"});
    }
    // Every year's interest is summed; with payments this large the sums may leave the decimal range.
    after.nearLimit = after.nearLimit || payment * n > 1e26;
    after.rows = scheduleRows(n);
    return after;
}

QStringList differences(const After& expected, const Seen& seen) {
    QStringList wrong;
    const QString message = seen.boxes.value(0);
    if (seen.boxes.size() > 1)
        wrong << QStringLiteral("%1 boxes").arg(seen.boxes.size());
    if (message.startsWith(QStringLiteral("Pellmarsh v1.0|Something went wrong")))
        wrong << QStringLiteral("an error that is not the program's own");
    using Ending = After::Ending;
    if (expected.nearLimit) {
        if (!message.isEmpty() && !message.startsWith(QStringLiteral("Pellmarsh v1.0|")))
            wrong << QStringLiteral("a box other than an error box");
    } else if (expected.ending == Ending::Done && !message.isEmpty()) {
        wrong << QStringLiteral("a box where none was due");
    } else if (expected.ending == Ending::MissingInfo &&
               message != QStringLiteral("Missing Info|Missing information please check your work")) {
        wrong << QStringLiteral("no missing-input box");
    } else if (expected.ending == Ending::Error) {
        if (!message.startsWith(QStringLiteral("Pellmarsh v1.0|")))
            wrong << QStringLiteral("no error box");
        for (const QString& words : expected.messageWords) {
            if (!message.contains(words))
                wrong << QStringLiteral("a message without \"%1\"").arg(words);
        }
    }
    if (!expected.nearLimit && (seen.rateStored != expected.rateStored || seen.paymentStored != expected.paymentStored))
        wrong << QStringLiteral("rate stored %1, payment stored %2").arg(seen.rateStored).arg(seen.paymentStored);
    if (!expected.nearLimit && (seen.rows != expected.rows || seen.cols != expected.cols)) {
        wrong << QStringLiteral("grid %1 x %2, expected %3 x %4")
                     .arg(seen.rows)
                     .arg(seen.cols)
                     .arg(expected.rows)
                     .arg(expected.cols);
    }
    for (std::size_t i = 0; i < seen.texts.size(); ++i) {
        if (seen.texts[i] != expected.texts[i])
            wrong << QStringLiteral("Text%1 reads \"%2\"").arg(i + 1).arg(seen.texts[i].left(20));
    }
    if (!wrong.isEmpty())
        wrong << QStringLiteral("box: ") + message.left(300);
    return wrong;
}

} // namespace CalculateOracle
