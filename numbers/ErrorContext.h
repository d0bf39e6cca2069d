#pragma once

#include <QString>

// Names the step a handler is in, so that an error raised deep inside arithmetic can still tell the
// user which box it came from. Contexts nest; the innermost one is reported.
//
//     ErrorContext step(QStringLiteral("adding the annual insurance (Text5) to the total"));
class ErrorContext {
public:
    explicit ErrorContext(QString description);
    ~ErrorContext();
    ErrorContext(const ErrorContext&) = delete;
    ErrorContext& operator=(const ErrorContext&) = delete;

    // The innermost active description, or an empty text.
    static QString current();

private:
    QString m_description;
    ErrorContext* m_outer;
};
