// readNumber on arbitrary text: it must never crash, must accept exactly the numerals (blanks at either
// end, digits with at most one decimal point), and must give the correctly rounded double of what it
// accepts, or an overflow error when that double would be infinite.
#include "NumberText.h"
#include "RuntimeError.h"

#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// The numeral with its blanks removed, or nothing when the text is not a numeral.
bool numeral(const QString& text, std::string& ascii) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && (text[begin] == u' ' || text[begin] == u'\t'))
        ++begin;
    while (end > begin && (text[end - 1] == u' ' || text[end - 1] == u'\t'))
        --end;
    int points = 0;
    int digits = 0;
    for (qsizetype i = begin; i < end; ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'.')
            ++points;
        else if (c >= u'0' && c <= u'9')
            ++digits;
        else
            return false;
        ascii.push_back(static_cast<char>(c));
    }
    return digits > 0 && points <= 1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    std::string ascii;
    const bool accepted = numeral(text, ascii);
    // strtod in the "C" locale is correctly rounded; it gives HUGE_VAL past the largest double.
    const double expected = accepted ? std::strtod(ascii.c_str(), nullptr) : 0.0;
    try {
        const double value = readNumber(text, QStringLiteral("the fuzzed box"));
        if (!accepted || std::memcmp(&value, &expected, sizeof value) != 0)
            std::abort();
        double viaCharconv = 0;
        const auto [ptr, ec] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), viaCharconv);
        if (ec == std::errc() && (ptr != ascii.data() + ascii.size() || viaCharconv != value))
            std::abort();
    } catch (const RuntimeError& error) {
        const bool overflow = accepted && expected == HUGE_VAL;
        const auto kind = overflow ? RuntimeError::Kind::Overflow : RuntimeError::Kind::Conversion;
        if (error.kind() != kind || !error.message().startsWith(QStringLiteral("The fuzzed box")))
            std::abort();
    }
    return 0;
}
