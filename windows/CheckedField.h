#pragma once

#include "loan/Calendar.h"
#include "numbers/Decimal.h"

#include <QLineEdit>

#include <optional>

class QLabel;

// A field whose text is read as an amount (digits and one decimal point) or a date (YYYY-MM-DD). What does
// not read is marked: a red frame, and the reason in a label beside the field that the window lays out and
// that the screen reader reads as the field's description. Nothing typed is ever changed or lost; the
// last value that read is kept for the window to go on with.
class CheckedField : public QLineEdit {
    Q_OBJECT

public:
    enum class Accepts { Amount, Date };

    // `words` names the field in its reasons ("the extra every month"); the screen reader says `accessibleName`.
    CheckedField(Accepts accepts, const QString& accessibleName, const QString& words, QWidget* parent = nullptr);

    // The reason beside the field, hidden while it reads.
    QLabel* reasonLabel() const { return m_reason; }

    // The amount typed, marking the field or clearing its mark; an empty field is no amount, zero.
    std::optional<Decimal> readAmount();
    // The date typed, marking the field or clearing its mark; an empty field is no date.
    std::optional<Calendar::Date> readDate();
    // The last amount that read; zero before any.
    const Decimal& lastAmount() const { return m_lastAmount; }

    // Marks the field with a reason of the window's own ("falls outside the loan"), or clears the mark.
    void mark(const QString& reason);
    bool isMarked() const;

private:
    Accepts m_accepts;
    QString m_words;
    QLabel* m_reason = nullptr;
    Decimal m_lastAmount;
};
