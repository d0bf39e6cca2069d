#pragma once

#include "RuntimeError.h"

#include <QString>

#include <exception>
#include <utility>

class QWidget;

// Where control passes from the event loop into a handler of the window. A run-time error ends the
// handler at the failing step and is shown here, in a modal box on the window; whatever the handler did
// before that step stays done, and the program goes on waiting for the next event.
namespace EventBoundary {

// Shows the text in a modal box with the window's caption as its title and an OK button.
void report(QWidget& window, const QString& text) noexcept;

template <class Handler> void run(QWidget& window, Handler&& handler) noexcept {
    try {
        std::forward<Handler>(handler)();
    } catch (const RuntimeError& error) {
        report(window, error.userText());
    } catch (const std::exception& error) {
        report(window, QStringLiteral("Something went wrong: %1").arg(QString::fromLocal8Bit(error.what())));
    } catch (...) {
        report(window, QStringLiteral("Something went wrong."));
    }
}

} // namespace EventBoundary
