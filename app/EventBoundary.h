#pragma once

#include "numbers/RuntimeError.h"

#include <QString>

#include <exception>
#include <utility>

class QWidget;

// Where control passes from the event loop into a handler of the window. A run-time error ends the
// handler at the failing step and is shown here, in a modal box on the window; whatever the handler did
// before that step stays done, and the program goes on waiting for the next event.
namespace EventBoundary {

// Every modal box the program shows: the text in plain letters, the title, an OK button only; an error
// box carries the error icon, the missing-input box none. It returns when the user has pressed OK.
enum class BoxKind { Message, Error };
void showBox(QWidget& window, BoxKind kind, const QString& title, const QString& text) noexcept;

// For a program that drives the window with no one to answer its boxes (the fuzzer): while a sink is
// set, every box is handed to it instead of being shown, and the handler goes on as if OK had been
// pressed. nullptr shows the boxes again.
using BoxSink = void (*)(const QString& title, const QString& text);
void setBoxSink(BoxSink sink) noexcept;

// Shows the text in an error box with the window's caption as its title.
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
