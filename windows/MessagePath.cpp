#include "windows/MessagePath.h"

#include <QMessageBox>
#include <QWidget>

void MessagePath::show(QWidget& window, Kind kind, const QString& title, const QString& text) const noexcept {
    try {
        if (m_sink) {
            m_sink(kind, title, text);
            return;
        }
        QMessageBox box(kind == Kind::Error ? QMessageBox::Critical : QMessageBox::NoIcon, title, text, QMessageBox::Ok,
                        &window);
        box.setTextFormat(Qt::PlainText);
        box.exec();
    } catch (...) {
        // Nothing is left to tell the user with; the event loop goes on.
    }
}

void MessagePath::report(QWidget& window, const QString& text) const noexcept {
    show(window, Kind::Error, window.windowTitle(), text);
}
