#pragma once

#include <QLineEdit>

#include <cstdint>

// A single-line text box whose typed characters pass a key filter first. Every key press that types a
// character is offered to keyPress as its typed-character code; a handler that sets the code to 0
// discards the key, so the box receives nothing; a kept Backspace code erases as Backspace does, whichever
// key typed it (Ctrl+H too). Keys that type no character (arrows, Home, End, Delete, Insert, Tab) and text
// that arrives otherwise (pasting, setText) are not offered.
class InputBox : public QLineEdit {
    Q_OBJECT

public:
    explicit InputBox(QWidget* parent = nullptr);

signals:
    void keyPress(std::int16_t& keyAscii);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
