#include "app/InputBox.h"

#include "grid/TypedCharacter.h"

#include <QKeyEvent>

InputBox::InputBox(QWidget* parent)
    : QLineEdit(parent) {
    // Composed input would reach the box without a key press; every typed character must meet the filter.
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

void InputBox::keyPressEvent(QKeyEvent* event) {
    if (const std::optional<std::int16_t> code = TypedCharacter::code(*event)) {
        std::int16_t keyAscii = *code;
        // A shortcut types nothing; the line edit would otherwise insert its text past the filter.
        if (keyAscii != TypedCharacter::kTypesNothing)
            emit keyPress(keyAscii);
        // The filters keep a code or zero it; a kept code lets the key act as usual (Backspace erases,
        // a printable character is inserted).
        if (keyAscii == 0) {
            event->accept();
            return;
        }
        // Ctrl+H types the Backspace code too, but the line edit knows it as no key of its own: it erases
        // as Backspace does, a selection included.
        if (keyAscii == TypedCharacter::kBackspace && event->key() != Qt::Key_Backspace) {
            QKeyEvent backspace(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
            QLineEdit::keyPressEvent(&backspace);
            event->setAccepted(backspace.isAccepted());
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}
