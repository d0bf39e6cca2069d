#include "ModalWatcher.h"

#include <QAbstractButton>
#include <QApplication>

ModalWatcher::ModalWatcher() {
    connect(&m_timer, &QTimer::timeout, this, &ModalWatcher::poll);
    m_timer.start(5);
    qApp->installEventFilter(this);
}

bool ModalWatcher::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && watched->isWidgetType() && static_cast<QWidget*>(watched)->isModal())
        QMetaObject::invokeMethod(this, &ModalWatcher::poll, Qt::QueuedConnection);
    return false;
}

QString ModalWatcher::describePending() const {
    QStringList lines;
    for (const SeenBox& box : m_seen)
        lines << QStringLiteral("[%1] %2").arg(box.title, box.text);
    return lines.join(QLatin1Char('\n'));
}

void ModalWatcher::poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr)
        return;
    SeenBox seen{modal->windowTitle(), {}, QMessageBox::NoIcon, {}, modal->windowModality() == Qt::ApplicationModal};
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box != nullptr) {
        seen.text = box->text();
        seen.icon = box->icon();
        seen.buttons = box->standardButtons();
    }
    m_seen.append(seen);
    if (box != nullptr && box->button(QMessageBox::Ok) != nullptr)
        box->button(QMessageBox::Ok)->click();
    else
        modal->close();
}
