#include "Form1.h"

Form1::Form1(QWidget* parent)
    : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Pellmarsh v1.0"));
    resize(684, 485);
}
