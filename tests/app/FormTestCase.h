#pragma once

#include "app/Form1.h"

#include <QHash>
#include <QMessageBox>
#include <QTimer>

#include <memory>

// Each test function gets a freshly loaded window, shown and active, a count of the system beeps, and the
// modal boxes it opened, each answered with OK as soon as it shows (a box the test did not take fails it).
class FormTestCase : public QObject {
    Q_OBJECT

protected:
    struct SeenBox {
        QString title;
        QString text;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
        Qt::WindowModality modality;
    };

    Form1& form() { return *m_form; }
    QList<SeenBox> takeBoxes() { return std::exchange(m_boxes, {}); }
    int beeps() const { return m_beeps; }
    // Text1 to Text6 as given, put in as a paste puts them; then a real click on Calculate.
    void fill(const QStringList& texts);
    void calculate();
    // The lines of a file under tests/app/golden, but for those starting with '#'.
    static QStringList goldenLines(const QString& name);
    // The rows of a tab-separated file under tests/app/golden whose first line names its columns, each
    // row's fields by column name. A row with more or fewer fields than the names fails the test.
    static QList<QHash<QString, QString>> goldenTable(const QString& name);

private slots:
    void init();
    void cleanup();

private:
    std::unique_ptr<Form1> m_form;
    QTimer m_answer;
    QList<SeenBox> m_boxes;
    int m_beeps = 0;
};
