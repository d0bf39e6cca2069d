#include "EventBoundary.h"

#include <QMessageBox>
#include <QWidget>

void EventBoundary::report(QWidget& window, const QString& text) noexcept {
    try {
        QMessageBox box(QMessageBox::Critical, window.windowTitle(), text, QMessageBox::Ok, &window);
        box.setTextFormat(Qt::PlainText);
        box.exec();
    } catch (...) {
        // Nothing is left to tell the user with; the event loop goes on.
    }
}
