#include "ModalWatcher.h"

#include <QAbstractButton>
#include <QApplication>

ModalWatcher::ModalWatcher(QObject* parent)
    : QObject(parent) {
    m_timer.setInterval(5);
    connect(&m_timer, &QTimer::timeout, this, &ModalWatcher::poll);
    m_timer.start();
}

QList<ModalWatcher::SeenBox> ModalWatcher::take() {
    return std::exchange(m_seen, {});
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
    SeenBox seen;
    seen.title = modal->windowTitle();
    seen.applicationModal = modal->windowModality() == Qt::ApplicationModal;
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        seen.text = box->text();
        seen.icon = box->icon();
        seen.buttons = box->standardButtons();
        m_seen.append(seen);
        if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
            ok->click();
            return;
        }
    } else {
        m_seen.append(seen);
    }
    modal->close();
}
