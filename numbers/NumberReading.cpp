#include "numbers/NumberReading.h"

#include "numbers/NumberText.h"

NumberReading NumberReading::of(QStringView text, const QString& source) {
    NumberReading reading;
    try {
        reading.m_value = readNumber(text, source);
    } catch (const RuntimeError& error) {
        reading.m_error = Failure{error.kind(), error.message()};
    }
    return reading;
}

double NumberReading::value() const {
    if (m_error)
        throw RuntimeError(m_error->kind, m_error->message);
    return m_value;
}
