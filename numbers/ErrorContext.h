#pragma once

#include <QString>

// Names the step a handler is in, and the input box it reads, so that an error raised deep inside
// arithmetic can still tell the user what was under way and which box to correct. Contexts nest; the
// innermost description and the innermost box are reported, each where one is given.
//
//     ErrorContext step(QStringLiteral("adding the annual insurance to the total"), QStringLiteral("Text5"));
class ErrorContext {
public:
    // box is the input box's design name ("Text5"), or empty when the step reads no one box.
    explicit ErrorContext(QString description, QString box = {});
    ~ErrorContext();
    ErrorContext(const ErrorContext&) = delete;
    ErrorContext& operator=(const ErrorContext&) = delete;

    // The innermost active description, or an empty text.
    static QString current();
    // The innermost box named by an active context, or an empty text.
    static QString currentBox();

private:
    QString m_description;
    QString m_box;
    ErrorContext* m_outer;
};
