#include "app/EventBoundary.h"

#include <QMessageBox>
#include <QWidget>

namespace {
EventBoundary::BoxSink g_boxSink = nullptr;
} // namespace

void EventBoundary::showBox(QWidget& window, BoxKind kind, const QString& title, const QString& text) noexcept {
    try {
        if (g_boxSink != nullptr) {
            g_boxSink(title, text);
            return;
        }
        QMessageBox box(kind == BoxKind::Error ? QMessageBox::Critical : QMessageBox::NoIcon, title, text,
                        QMessageBox::Ok, &window);
        box.setTextFormat(Qt::PlainText);
        box.exec();
    } catch (...) {
        // Nothing is left to tell the user with; the event loop goes on.
    }
}

void EventBoundary::setBoxSink(BoxSink sink) noexcept {
    g_boxSink = sink;
}

void EventBoundary::report(QWidget& window, const QString& text) noexcept {
    showBox(window, BoxKind::Error, window.windowTitle(), text);
}
