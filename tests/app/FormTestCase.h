#pragma once

#include "Form1.h"
#include "ModalWatcher.h"

#include <QObject>

#include <memory>

// Each test function gets a freshly loaded window, shown and active, a watcher that records and closes
// every modal box (a box the test did not take fails it), and a count of the system beeps.
class FormTestCase : public QObject {
    Q_OBJECT

protected:
    Form1& form() { return *m_form; }
    ModalWatcher& boxes() { return *m_boxes; }
    int beeps() const { return m_beeps; }

    // Real key presses into the box, after giving it the focus; then a real click on Calculate.
    void type(QWidget& box, const QString& text);
    void calculate();
    // Types the worked case's length, rate and principal: 30 years, 6 %, 200000.
    void typeLoan();
    QStringList rowTexts(int row);

private slots:
    void init();
    void cleanup();

private:
    std::unique_ptr<ModalWatcher> m_boxes;
    std::unique_ptr<Form1> m_form;
    int m_beeps = 0;
};
