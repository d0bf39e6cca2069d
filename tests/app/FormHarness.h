#pragma once

#include "Form1.h"
#include "ModalWatcher.h"

#include <QString>

#include <memory>

// A freshly loaded and shown window, active and ready for keys and clicks, with a watcher that closes
// and records every modal box it opens and a count of the system beeps it sounds.
class FormHarness {
public:
    FormHarness();
    ~FormHarness();

    Form1& form() { return *m_form; }
    ModalWatcher& boxes() { return m_watcher; }
    int beeps() const { return m_beeps; }

    // Types the text into the box with real key presses, after giving it the focus.
    void type(QWidget& box, const QString& text);
    // Clicks Calculate with the mouse.
    void calculate();

private:
    ModalWatcher m_watcher;
    std::unique_ptr<Form1> m_form;
    int m_beeps = 0;
};

// The text of a grid cell, without moving the current cell.
QString cellText(Form1& form, int row, int col);
