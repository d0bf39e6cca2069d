// readNumber on arbitrary text must accept exactly the numerals (blanks at either end, digits with at most one
// decimal point) and give the correctly rounded double of what it accepts, an overflow where that would be
// infinite, and otherwise an error naming the box.
#include "numbers/NumberText.h"
#include "numbers/RuntimeError.h"

#include <QRegularExpression>

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const QRegularExpression numeral(
        QRegularExpression::anchoredPattern(QStringLiteral("[ \\t]*([0-9]+\\.?[0-9]*|\\.[0-9]+)[ \\t]*")));
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QRegularExpressionMatch match = numeral.match(text);
    // strtod in the "C" locale is correctly rounded; it gives HUGE_VAL past the largest double.
    const double expected = match.hasMatch() ? std::strtod(match.captured(1).toLatin1().constData(), nullptr) : 0;
    try {
        if (readNumber(text, QStringLiteral("the fuzzed box")) != expected || !match.hasMatch())
            std::abort();
    } catch (const RuntimeError& error) {
        if ((error.kind() == RuntimeError::Kind::Overflow) != (expected == HUGE_VAL) ||
            !error.message().contains(QStringLiteral("the fuzzed box"), Qt::CaseInsensitive))
            std::abort();
    }
    return 0;
}
