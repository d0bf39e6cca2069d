#pragma once

#include <QLabel>

// Stands above a window's figures while a field does not read: the figures are those of the last input that
// read, and the note says so, in words the screen reader reads too.
class OutOfDateNote : public QLabel {
    Q_OBJECT

public:
    // "Out of date: these figures are for the last <what> that read as numbers."
    OutOfDateNote(const QString& what, QWidget* parent = nullptr);

    void setOutOfDate(bool outOfDate);
    bool isOutOfDate() const { return m_outOfDate; }

private:
    bool m_outOfDate = false;
};
