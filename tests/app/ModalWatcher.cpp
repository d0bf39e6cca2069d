#include "ModalWatcher.h"

#include <QAbstractButton>
#include <QApplication>

ModalWatcher::ModalWatcher() {
    connect(&m_timer, &QTimer::timeout, this, [this] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        m_seen.append({box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                       box->windowModality() == Qt::ApplicationModal});
        box->button(QMessageBox::Ok)->click();
    });
    m_timer.start(5);
}
