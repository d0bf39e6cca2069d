#include "grid/WindowFont.h"

#include "grid/TextMeasure.h"
#include "grid/Twips.h"
#include "numbers/RuntimeError.h"

#include <QApplication>

#include <algorithm>
#include <cmath>

namespace {

const QString kObjectName = QStringLiteral("Font");

// The toolkit's default font may be sized in pixels; the window font is always kept in whole points.
int wholePoints(const QFont& font) {
    if (font.pointSize() > 0)
        return font.pointSize();
    if (font.pointSizeF() > 0.0)
        return static_cast<int>(std::lround(font.pointSizeF()));
    return 9;
}

} // namespace

WindowFont::WindowFont(QObject* parent)
    : QObject(parent)
    , m_name(QApplication::font().family())
    , m_size(wholePoints(QApplication::font())) {
    setObjectName(kObjectName);
}

WindowFont& WindowFont::of(QObject& window) {
    auto* font = window.findChild<WindowFont*>(kObjectName, Qt::FindDirectChildrenOnly);
    if (font == nullptr) {
        throw RuntimeError(
            RuntimeError::Kind::MissingMember,
            QStringLiteral("The window \"%1\" has no font object named \"Font\".").arg(window.objectName()));
    }
    return *font;
}

void WindowFont::setName(const QString& name) {
    if (name == m_name)
        return;
    m_name = name;
    m_current = nullptr;
}

void WindowFont::setSize(int points) {
    if (points == m_size)
        return;
    m_size = points;
    m_current = nullptr;
}

TextMeasure& WindowFont::measure() const {
    if (m_current != nullptr)
        return *m_current;
    const QString key = m_name + QLatin1Char('\n') + QString::number(m_size);
    auto found = m_cache.constFind(key);
    if (found == m_cache.constEnd()) {
        QFont font(m_name);
        // A font cannot be drawn at zero or negative points; such a size measures as the smallest one.
        font.setPointSize(std::max(1, m_size));
        font.setWeight(QFont::Normal);
        found = m_cache.insert(key, std::make_shared<TextMeasure>(font));
    }
    m_current = found.value().get();
    return *m_current;
}

float WindowFont::textWidth(QStringView text) const {
    // A text of several lines is as wide as its widest line.
    TextMeasure& lines = measure();
    qreal widest = 0.0;
    for (QStringView line : text.tokenize(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        widest = std::max(widest, lines.width(line));
    }
    return static_cast<float>(widest * Twips::perPixel());
}

float WindowFont::textHeight(QStringView text) const {
    const TextMeasure& lines = measure();
    const auto extraLines = static_cast<qreal>(text.count(QLatin1Char('\n')));
    return static_cast<float>((lines.height() + extraLines * lines.lineSpacing()) * Twips::perPixel());
}
