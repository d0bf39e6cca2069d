#pragma once

#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTimer>

// Watches for modal boxes while a test drives the window: every box that opens is recorded and closed
// with its OK button, so a handler that shows one returns. A test takes the boxes it expects with
// take(); whatever is left over was unexpected and fails the test in its cleanup.
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

    explicit ModalWatcher(QObject* parent = nullptr);

    QList<SeenBox> take();
    qsizetype pending() const { return m_seen.size(); }
    // A readable list of the boxes not taken, for a failure message.
    QString describePending() const;

private:
    void poll();

    QTimer m_timer;
    QList<SeenBox> m_seen;
};
