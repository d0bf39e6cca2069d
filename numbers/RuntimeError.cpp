#include "numbers/RuntimeError.h"

#include "numbers/ErrorContext.h"

#include <utility>

RuntimeError::RuntimeError(Kind kind, QString message)
    : m_kind(kind)
    , m_message(std::move(message))
    , m_context(ErrorContext::current())
    , m_box(ErrorContext::currentBox())
    , m_utf8(userText().toUtf8()) {}

QString RuntimeError::userText() const {
    if (m_context.isEmpty())
        return m_message;
    return QStringLiteral("%1\n\nThis happened while %2.").arg(m_message, m_context);
}

QString RuntimeError::kindName(Kind kind) {
    switch (kind) {
    case Kind::Conversion:
        return QStringLiteral("Not a number");
    case Kind::DivisionByZero:
        return QStringLiteral("Division by zero");
    case Kind::Overflow:
        return QStringLiteral("Number too large");
    case Kind::GridIndex:
        return QStringLiteral("Grid position out of range");
    case Kind::MissingMember:
        return QStringLiteral("Missing window member");
    }
    return QString();
}
