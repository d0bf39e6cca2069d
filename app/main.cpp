#include "app/Form1.h"
#include "app/ScriptMode.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    // The scriptable mode needs no display: it runs offscreen unless the caller chose a platform.
    const bool scripted = ScriptMode::requested(argc, argv);
    if (scripted && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pellmarsh"));
    QApplication::setApplicationVersion(QStringLiteral(PELLMARSH_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.pellmarsh.Pellmarsh"));
    // Arguments left after Qt's own options are the scriptable mode's too (and malformed without a --).
    if (scripted || QApplication::arguments().size() > 1)
        return ScriptMode::run(QApplication::arguments());
    Form1 window;
    window.show();
    return QApplication::exec();
}
