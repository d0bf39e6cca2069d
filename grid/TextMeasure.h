#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QString>
#include <QStringView>

#include <array>
#include <optional>

// Widths of single lines of text in one font, in pixels, exactly as QFontMetricsF::horizontalAdvance
// gives them, for a fraction of its cost. Shaping a text is what costs, and a schedule measures tens of
// thousands of distinct amounts, so a text made only of digits, '.' and '-' is measured from the advances
// of its characters plus the kerning of each neighbouring pair (Times New Roman kerns "11"). That holds
// once this font is found to shape every pair of those characters as one adjustment to the two advances,
// and every three of them around a kerned pair as the two adjustments added; every advance and adjustment
// is a whole 64th of a pixel, so the sum comes out exactly as shaping adds it. Any other text is shaped,
// and the widths of the last few hundred such texts are kept, since the same captions come back every
// schedule year.
class TextMeasure {
public:
    explicit TextMeasure(const QFont& font);

    qreal width(QStringView line);
    // The font's line height and line spacing, as QFontMetricsF gives them, kept.
    qreal height() const { return m_height; }
    qreal lineSpacing() const { return m_lineSpacing; }
    // Whether amounts are measured by adding advances (checked on the first amount measured).
    bool addsNumberAdvances();

private:
    static constexpr qsizetype kMaxKeptWidths = 512;
    static constexpr int kNumberCharacters = 12; // "0123456789.-"

    static int numberCharacterIndex(QChar c);
    bool checkNumberAdvances();
    qreal shapedWidth(QStringView line);
    qreal kerning(int first, int second) const {
        return m_kerning[static_cast<std::size_t>(first * kNumberCharacters + second)];
    }

    QFontMetricsF m_metrics;
    qreal m_height;
    qreal m_lineSpacing;
    std::optional<bool> m_addsNumberAdvances;
    std::array<qreal, kNumberCharacters> m_advances{};
    std::array<qreal, kNumberCharacters * kNumberCharacters> m_kerning{};
    QHash<QString, qreal> m_keptWidths;
};
