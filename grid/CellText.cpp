#include "grid/CellText.h"

#include <algorithm>
#include <cstring>

CellText::CellText(const CellText& other)
    : m_length(0) {
    copyFrom(other);
}

CellText::CellText(CellText&& other) noexcept
    : m_length(0) {
    moveFrom(other);
}

CellText& CellText::operator=(const CellText& other) {
    if (this != &other) {
        release();
        copyFrom(other);
    }
    return *this;
}

CellText& CellText::operator=(CellText&& other) noexcept {
    if (this != &other) {
        release();
        moveFrom(other);
    }
    return *this;
}

void CellText::copyFrom(const CellText& other) {
    if (other.m_length == kShared)
        new (&m_string) QString(other.m_string);
    else
        std::memcpy(m_latin1, other.m_latin1, other.m_length);
    m_length = other.m_length;
}

void CellText::moveFrom(CellText& other) noexcept {
    if (other.m_length == kShared) {
        new (&m_string) QString(std::move(other.m_string));
        other.m_string.~QString();
    } else {
        std::memcpy(m_latin1, other.m_latin1, other.m_length);
    }
    m_length = other.m_length;
    other.m_length = 0;
}

void CellText::assign(const QString& text) {
    const bool fits = text.size() <= kInlineCapacity &&
                      std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x100; });
    if (!fits) {
        if (m_length == kShared) {
            m_string = text;
        } else {
            new (&m_string) QString(text);
            m_length = kShared;
        }
        return;
    }
    release();
    for (qsizetype i = 0; i < text.size(); ++i)
        m_latin1[i] = static_cast<char>(text[i].unicode());
    m_length = static_cast<std::uint8_t>(text.size());
}

QString CellText::toString() const {
    if (m_length == kShared)
        return m_string;
    if (m_length == 0)
        return {};
    return QString::fromLatin1(m_latin1, m_length);
}

bool operator==(const CellText& cell, const QString& text) {
    if (cell.m_length == CellText::kShared)
        return cell.m_string == text;
    if (text.size() != cell.m_length)
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].unicode() != static_cast<unsigned char>(cell.m_latin1[i]))
            return false;
    }
    return true;
}
