#pragma once

#include "Form1.h"
#include "ModalWatcher.h"

#include <memory>

// Each test function gets a freshly loaded window, shown and active, a watcher that records and closes
// every modal box (a box the test did not take fails it), and a count of the system beeps.
class FormTestCase : public QObject {
    Q_OBJECT

protected:
    Form1& form() { return *m_form; }
    ModalWatcher& boxes() { return *m_boxes; }
    int beeps() const { return m_beeps; }
    // Text1 to Text6 as given, put in as a paste puts them; then a real click on Calculate.
    void fill(const QStringList& texts);
    void calculate();

private slots:
    void init();
    void cleanup();

private:
    std::unique_ptr<ModalWatcher> m_boxes;
    std::unique_ptr<Form1> m_form;
    int m_beeps = 0;
};
