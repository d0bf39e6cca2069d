#include "numbers/NumberText.h"

#include "numbers/RuntimeError.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

namespace {

constexpr qsizetype kQuotedTextLimit = 40;

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

// The text as the user sees it in the message, cut short when it would swamp the sentence.
QString quoted(QStringView text) {
    if (text.size() <= kQuotedTextLimit)
        return u'"' + text.toString() + u'"';
    return u'"' + text.left(kQuotedTextLimit - 1).toString() + QStringLiteral("…\"");
}

// "The text "abc" in the "Annual Interest Rate" box", or just ""abc"" when there is no source to name.
QString subject(const QString& source, QStringView text) {
    if (source.isEmpty())
        return quoted(text);
    return QStringLiteral("The text %1 in %2").arg(quoted(text), source);
}

QString capitalised(QString text) {
    if (!text.isEmpty())
        text[0] = text[0].toUpper();
    return text;
}

// Shortest text that reads back as the same double; used only in messages.
QString shortestText(double value) {
    char buffer[32];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, static_cast<qsizetype>(written.ptr - buffer));
}

[[noreturn]] void throwOutOfRange(double value, const QString& source, std::int64_t low, std::int64_t high) {
    const QString what = std::isnan(value) ? QStringLiteral("is not a number (NaN)")
                                           : QStringLiteral("%1 is outside the range").arg(shortestText(value));
    const QString name = source.isEmpty() ? QStringLiteral("The value") : capitalised(source);
    throw RuntimeError(RuntimeError::Kind::Overflow,
                       QStringLiteral("%1 %2; it must lie between %3 and %4.").arg(name, what).arg(low).arg(high));
}

// Halves to even, without depending on the floating-point rounding mode.
double roundHalfToEven(double value) {
    const double down = std::floor(value);
    const double fraction = value - down; // exact for every finite double
    if (fraction > 0.5)
        return down + 1;
    if (fraction < 0.5)
        return down;
    return std::fmod(down, 2.0) == 0 ? down : down + 1;
}

template <class Int> Int roundToInteger(double value, const QString& source) {
    constexpr auto low = std::numeric_limits<Int>::min();
    constexpr auto high = std::numeric_limits<Int>::max();
    if (std::isnan(value))
        throwOutOfRange(value, source, low, high);
    const double rounded = roundHalfToEven(value);
    if (rounded < static_cast<double>(low) || rounded > static_cast<double>(high))
        throwOutOfRange(value, source, low, high);
    return static_cast<Int>(rounded);
}

template <class Int> Int checkedInteger(std::int64_t value, const QString& source) {
    constexpr auto low = std::numeric_limits<Int>::min();
    constexpr auto high = std::numeric_limits<Int>::max();
    if (value < low || value > high) {
        const QString name = source.isEmpty() ? QStringLiteral("The value") : capitalised(source);
        throw RuntimeError(RuntimeError::Kind::Overflow,
                           QStringLiteral("%1 %2 is outside the range; it must lie between %3 and %4.")
                               .arg(name)
                               .arg(value)
                               .arg(low)
                               .arg(high));
    }
    return static_cast<Int>(value);
}

} // namespace

namespace {

// The text with blanks at either end ignored, as ASCII, once it is known to be digits with at most one
// decimal point; anything else raises the Conversion error naming source and the text.
std::string numberAscii(QStringView text, const QString& source) {
    const QString hint = QStringLiteral("Use digits with at most one decimal point.");
    if (text.isEmpty()) {
        const QString name = source.isEmpty() ? QStringLiteral("The text") : capitalised(source);
        throw RuntimeError(RuntimeError::Kind::Conversion, QStringLiteral("%1 is empty.").arg(name));
    }

    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;

    // Checked first and copied to ASCII, so a conversion never sees anything but digits and '.'.
    std::string ascii;
    ascii.reserve(static_cast<std::size_t>(end - begin));
    bool point = false;
    bool digit = false;
    for (qsizetype i = begin; i < end; ++i) {
        const char16_t c = text[i].unicode();
        if (c >= u'0' && c <= u'9') {
            digit = true;
        } else if (c == u'.' && !point) {
            point = true;
        } else {
            digit = false;
            break;
        }
        ascii.push_back(static_cast<char>(c));
    }
    if (!digit || ascii.size() != static_cast<std::size_t>(end - begin))
        throw RuntimeError(RuntimeError::Kind::Conversion,
                           QStringLiteral("%1 is not a number. %2").arg(subject(source, text), hint));
    return ascii;
}

} // namespace

Decimal readAmount(QStringView text, const QString& source) {
    std::string ascii = numberAscii(text, source);
    if (ascii.front() == '.')
        ascii.insert(ascii.begin(), '0');
    if (ascii.back() == '.')
        ascii.pop_back();
    try {
        return Decimal::fromString(QString::fromLatin1(ascii.data(), qsizetype(ascii.size())));
    } catch (const RuntimeError&) {
        const QString name = source.isEmpty() ? QStringLiteral("The amount") : capitalised(source);
        throw RuntimeError(RuntimeError::Kind::Overflow,
                           QStringLiteral("%1 is too large: at most 29 digits before the decimal point.").arg(name));
    }
}

double readNumber(QStringView text, const QString& source) {
    const std::string ascii = numberAscii(text, source);
    const QString hint = QStringLiteral("Use digits with at most one decimal point.");
    double value = 0;
    const auto [ptr, ec] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value, std::chars_format::fixed);
    if (ec == std::errc::result_out_of_range) {
        // Out of range is either beyond the largest double or so small it rounds to zero; only a nonzero
        // integer part can be the former.
        const auto integerEnd = ascii.find('.');
        const bool large = ascii.find_first_not_of('0') < integerEnd;
        if (!large)
            return 0.0;
        throw RuntimeError(RuntimeError::Kind::Overflow,
                           QStringLiteral("%1 is too large to compute with.").arg(subject(source, text)));
    }
    if (ec != std::errc() || ptr != ascii.data() + ascii.size())
        throw RuntimeError(RuntimeError::Kind::Conversion,
                           QStringLiteral("%1 is not a number. %2").arg(subject(source, text), hint));
    return value;
}

std::int16_t roundToInt16(double value, const QString& source) {
    return roundToInteger<std::int16_t>(value, source);
}

std::int32_t roundToInt32(double value, const QString& source) {
    return roundToInteger<std::int32_t>(value, source);
}

std::int16_t checkedInt16(std::int64_t value, const QString& source) {
    return checkedInteger<std::int16_t>(value, source);
}

std::int32_t checkedInt32(std::int64_t value, const QString& source) {
    return checkedInteger<std::int32_t>(value, source);
}

Decimal toDecimal(double value, const QString& source) {
    try {
        return Decimal::fromDouble(value);
    } catch (const RuntimeError& error) {
        if (source.isEmpty())
            throw;
        const QString what = std::isnan(value) ? QStringLiteral("is not a number (NaN)")
                                               : QStringLiteral("%1 is too large").arg(doubleText(value));
        throw RuntimeError(error.kind(),
                           QStringLiteral("%1 %2: decimal numbers go up to 79228162514264337593543950335.")
                               .arg(capitalised(source), what));
    }
}

QString decimalText(const Decimal& value) {
    if (value.isZero())
        return QStringLiteral("0");
    QString text = value.toString();
    if (value.scale() > 0) {
        qsizetype end = text.size();
        while (text[end - 1] == u'0')
            --end;
        if (text[end - 1] == u'.')
            --end;
        text.truncate(end);
    }
    return text;
}

QString doubleText(double value) {
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-Infinity") : QStringLiteral("Infinity");
    if (value == 0)
        return QStringLiteral("0");

    // 15 significant digits, correctly rounded: d.dddddddddddddde±x.
    char buffer[40];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific, 14);
    std::string digits;
    const char* p = buffer;
    for (; p != written.ptr && *p != 'e'; ++p) {
        if (*p != '.')
            digits.push_back(*p);
    }
    int exponent = 0;
    std::from_chars(*(p + 1) == '+' ? p + 2 : p + 1, written.ptr, exponent);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    // Plain notation: the first digit stands for 10^exponent.
    std::string text = value < 0 ? "-" : "";
    const int count = static_cast<int>(digits.size());
    if (exponent < 0) {
        text += "0.";
        text.append(static_cast<std::size_t>(-exponent - 1), '0');
        text += digits;
    } else if (exponent + 1 >= count) {
        text += digits;
        text.append(static_cast<std::size_t>(exponent + 1 - count), '0');
    } else {
        text.append(digits, 0, static_cast<std::size_t>(exponent + 1));
        text += '.';
        text.append(digits, static_cast<std::size_t>(exponent + 1));
    }
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QString integerText(std::int64_t value) {
    return QString::number(value);
}
