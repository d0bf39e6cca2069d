#include "Form1.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pellmarsh"));
    QApplication::setDesktopFileName(QStringLiteral("org.pellmarsh.Pellmarsh"));
    Form1 window;
    window.show();
    return QApplication::exec();
}
