#include "grid/TextMeasure.h"

#include <algorithm>
#include <cmath>

namespace {

// The characters of amounts, in the order of their slots.
constexpr QStringView kNumberTexts = u"0123456789.-";

// Shaped widths are whole 64ths of a pixel; anything closer than this is the same width.
constexpr qreal kSameWidthPixels = 1.0 / 1024.0;

} // namespace

TextMeasure::TextMeasure(const QFont& font)
    : m_metrics(font)
    , m_height(m_metrics.height())
    , m_lineSpacing(m_metrics.lineSpacing()) {}

int TextMeasure::numberCharacterIndex(QChar c) {
    const char16_t code = c.unicode();
    if (code >= u'0' && code <= u'9')
        return code - u'0';
    if (code == u'.')
        return 10;
    if (code == u'-')
        return 11;
    return -1;
}

qreal TextMeasure::width(QStringView line) {
    const bool amount =
        !line.isEmpty() && std::all_of(line.begin(), line.end(), [](QChar c) { return numberCharacterIndex(c) >= 0; });
    if (!amount || !addsNumberAdvances())
        return shapedWidth(line);
    qreal sum = 0.0;
    int previous = -1;
    for (QChar c : line) {
        const int index = numberCharacterIndex(c);
        sum += m_advances[static_cast<std::size_t>(index)];
        if (previous >= 0)
            sum += kerning(previous, index);
        previous = index;
    }
    return sum;
}

bool TextMeasure::addsNumberAdvances() {
    if (!m_addsNumberAdvances)
        m_addsNumberAdvances = checkNumberAdvances();
    return *m_addsNumberAdvances;
}

bool TextMeasure::checkNumberAdvances() {
    const auto shaped = [this](std::initializer_list<int> indices) {
        QString text;
        for (int index : indices)
            text += kNumberTexts[index];
        return m_metrics.horizontalAdvance(text);
    };
    const auto advance = [this](int index) { return m_advances[static_cast<std::size_t>(index)]; };
    const auto same = [](qreal a, qreal b) { return std::abs(a - b) <= kSameWidthPixels; };

    for (int a = 0; a < kNumberCharacters; ++a)
        m_advances[static_cast<std::size_t>(a)] = shaped({a});
    for (int a = 0; a < kNumberCharacters; ++a) {
        for (int b = 0; b < kNumberCharacters; ++b)
            m_kerning[static_cast<std::size_t>(a * kNumberCharacters + b)] = shaped({a, b}) - advance(a) - advance(b);
    }
    // A kerned pair must not change how its neighbours are kerned: shaping may take the second character
    // of an adjusted pair as done, so the pair after it would not be kerned at all.
    for (int a = 0; a < kNumberCharacters; ++a) {
        for (int b = 0; b < kNumberCharacters; ++b) {
            if (kerning(a, b) == 0.0)
                continue;
            for (int c = 0; c < kNumberCharacters; ++c) {
                if (!same(shaped({a, b, c}), advance(a) + advance(b) + advance(c) + kerning(a, b) + kerning(b, c)) ||
                    !same(shaped({c, a, b}), advance(c) + advance(a) + advance(b) + kerning(c, a) + kerning(a, b)))
                    return false;
            }
        }
    }
    return true;
}

qreal TextMeasure::shapedWidth(QStringView line) {
    const QString text = line.toString();
    const auto kept = m_keptWidths.constFind(text);
    if (kept != m_keptWidths.constEnd())
        return kept.value();
    // Typed cell texts can be anything; the kept widths stay few.
    if (m_keptWidths.size() >= kMaxKeptWidths)
        m_keptWidths.clear();
    const qreal width = m_metrics.horizontalAdvance(text);
    m_keptWidths.insert(text, width);
    return width;
}
