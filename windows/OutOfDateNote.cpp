#include "windows/OutOfDateNote.h"

#include "windows/WindowColours.h"

OutOfDateNote::OutOfDateNote(const QString& what, QWidget* parent)
    : QLabel(QStringLiteral("Out of date: these figures are for the last %1 that read as numbers.").arg(what), parent) {
    setObjectName(QStringLiteral("outOfDate"));
    setStyleSheet(WindowColours::kProblemStyle + QStringLiteral(" font-weight: bold;"));
    hide();
}

void OutOfDateNote::setOutOfDate(bool outOfDate) {
    m_outOfDate = outOfDate;
    setVisible(outOfDate);
}
