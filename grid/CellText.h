#pragma once

#include <QString>

#include <cstdint>
#include <new>

// The text of one grid cell in 32 bytes. A text of at most 24 characters that are all Latin-1 (the
// amounts, years, month names, hyphens and all but one caption the program writes) is kept in the cell
// itself, one byte a character; any other text is kept as a QString. The longest schedule has 164,000
// cells, nearly all with distinct amounts: a heap block for each took more memory than the cells, and on
// a first Calculate a fresh page of memory for every few dozen cells written.
class CellText {
public:
    CellText() noexcept
        : m_length(0) {}
    CellText(const CellText& other);
    CellText(CellText&& other) noexcept;
    CellText& operator=(const CellText& other);
    CellText& operator=(CellText&& other) noexcept;
    ~CellText() { release(); }

    void assign(const QString& text);
    QString toString() const;
    bool isEmpty() const { return m_length == 0 || (m_length == kShared && m_string.isEmpty()); }

    friend bool operator==(const CellText& cell, const QString& text);

private:
    static constexpr int kInlineCapacity = 24;
    static constexpr std::uint8_t kShared = 0xFF; // m_length when m_string holds the text

    void release() noexcept {
        if (m_length == kShared)
            m_string.~QString();
        m_length = 0;
    }
    void copyFrom(const CellText& other);
    void moveFrom(CellText& other) noexcept;

    union {
        char m_latin1[kInlineCapacity];
        QString m_string;
    };
    std::uint8_t m_length; // 0 to 24 characters in m_latin1, or kShared
};

static_assert(sizeof(CellText) == 32);
