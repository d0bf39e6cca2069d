#pragma once

#include "numbers/RuntimeError.h"
#include "windows/MessagePath.h"

#include <QString>

#include <exception>
#include <utility>

class QWidget;

// Where control passes from the event loop into a handler of a window. A run-time error ends the handler
// at the failing step and is shown through the message path, in a box on the window; whatever the
// handler did before that step stays done, and the program goes on waiting for the next event.
namespace EventBoundary {

template <class Handler> void run(const MessagePath& messages, QWidget& window, Handler&& handler) noexcept {
    try {
        std::forward<Handler>(handler)();
    } catch (const RuntimeError& error) {
        messages.report(window, error.userText());
    } catch (const std::exception& error) {
        messages.report(window, QStringLiteral("Something went wrong: %1").arg(QString::fromLocal8Bit(error.what())));
    } catch (...) {
        messages.report(window, QStringLiteral("Something went wrong."));
    }
}

} // namespace EventBoundary
