#pragma once

#include "numbers/RuntimeError.h"

#include <QString>
#include <QStringView>

#include <optional>

// A text read as a number once (readNumber), kept as its value or as the error the reading gave. A long
// pasted text is parsed a single time, however often the value is used afterwards.
class NumberReading {
public:
    NumberReading() = default;
    static NumberReading of(QStringView text, const QString& source);

    bool isNumber() const { return !m_error; }

    // The value read. A text that did not read raises its error here, at the step that uses it, so the
    // message names that step and the box it reads, as a reading at this point would have.
    double value() const;

private:
    struct Failure {
        RuntimeError::Kind kind;
        QString message;
    };

    double m_value = 0.0;
    std::optional<Failure> m_error;
};
