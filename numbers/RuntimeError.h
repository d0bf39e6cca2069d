#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

// The one error the program raises while it computes: a text that is not a number, a division by zero,
// a result out of range, a grid index the grid refuses, or a window member that cannot be found.
// It ends the running handler at the failing step; the window's event boundary shows it to the user.
class RuntimeError : public std::exception {
public:
    enum class Kind { Conversion, DivisionByZero, Overflow, GridIndex, MissingMember };

    // message says in plain words what failed, naming the box and the value where there is one.
    // The description of the step under way (see ErrorContext) is captured here as well.
    RuntimeError(Kind kind, QString message);

    Kind kind() const { return m_kind; }
    const QString& message() const { return m_message; }
    // What the program was doing when the error arose ("computing the monthly payment"), or empty.
    const QString& context() const { return m_context; }
    // The design name of the input box to correct ("Text2"), or empty when no one box is at fault.
    const QString& box() const { return m_box; }
    // message and context together, as the user reads them.
    QString userText() const;

    const char* what() const noexcept override { return m_utf8.constData(); }

    static QString kindName(Kind kind);

private:
    Kind m_kind;
    QString m_message;
    QString m_context;
    QString m_box;
    QByteArray m_utf8;
};
