#pragma once

#include <QMessageBox>
#include <QTimer>

// Records every modal box that opens while a test drives the window and closes it with OK, so the
// handler that opened it returns. A test takes the boxes it expects; the rest were unexpected.
class ModalWatcher : public QObject {
    Q_OBJECT

public:
    struct SeenBox {
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
        bool applicationModal = false;
    };

    ModalWatcher();
    QList<SeenBox> take() { return std::exchange(m_seen, {}); }

private:
    QTimer m_timer;
    QList<SeenBox> m_seen;
};
