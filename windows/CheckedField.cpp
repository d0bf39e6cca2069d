#include "windows/CheckedField.h"

#include "numbers/NumberText.h"
#include "numbers/RuntimeError.h"
#include "windows/WindowColours.h"

#include <QLabel>
#include <QRegularExpressionValidator>

namespace {

// What a field lets be typed; the rest is read, and marked, when the text is complete.
const QString kAmountKeys = QStringLiteral("[0-9]*\\.?[0-9]*");
const QString kDateKeys = QStringLiteral("[0-9-]{0,12}");

} // namespace

CheckedField::CheckedField(Accepts accepts, const QString& accessibleName, const QString& words, QWidget* parent)
    : QLineEdit(parent)
    , m_accepts(accepts)
    , m_words(words) {
    setAccessibleName(accessibleName);
    setValidator(new QRegularExpressionValidator(
        QRegularExpression(accepts == Accepts::Amount ? kAmountKeys : kDateKeys), this));
    if (accepts == Accepts::Date)
        setPlaceholderText(QStringLiteral("YYYY-MM-DD"));
    m_reason = new QLabel(parent);
    m_reason->setStyleSheet(WindowColours::kProblemStyle);
    m_reason->setWordWrap(true);
    m_reason->hide();
}

std::optional<Decimal> CheckedField::readAmount() {
    if (text().trimmed().isEmpty()) {
        mark({});
        return m_lastAmount = Decimal();
    }
    try {
        m_lastAmount = ::readAmount(text(), m_words);
        mark({});
        return m_lastAmount;
    } catch (const RuntimeError& error) {
        mark(error.message());
        return std::nullopt;
    }
}

std::optional<Calendar::Date> CheckedField::readDate() {
    const QString typed = text().trimmed();
    if (typed.isEmpty()) {
        mark(QStringLiteral("Type %1 as YYYY-MM-DD.").arg(m_words));
        return std::nullopt;
    }
    const std::optional<Calendar::Date> date = Calendar::Date::fromIso(typed);
    mark(date ? QString()
              : QStringLiteral("%1 \"%2\" is not a date: type one that exists, as YYYY-MM-DD.")
                    .arg(m_words.left(1).toUpper() + m_words.mid(1), typed));
    return date;
}

void CheckedField::mark(const QString& reason) {
    setStyleSheet(reason.isEmpty() ? QString() : WindowColours::kMarkedFieldStyle);
    m_reason->setText(reason);
    m_reason->setVisible(!reason.isEmpty());
    setAccessibleDescription(reason);
}

bool CheckedField::isMarked() const {
    return !m_reason->text().isEmpty();
}
