#pragma once

#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QTimer>

// Records every modal box that opens while a test drives the window and closes it with OK, so the
// handler that opened it returns. A test takes the boxes it expects; the rest were unexpected.
// A box is answered as soon as it is shown, from inside its own event loop; a timer looks as well.
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
    QString describePending() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void poll();

    QTimer m_timer;
    QList<SeenBox> m_seen;
};
