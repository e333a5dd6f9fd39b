#include "Startup.h"

#include "ErrorDisplay.h"

#include <QApplication>
#include <QIcon>
#include <QStyleFactory>
#include <QWidget>

namespace kestrova {

void SetUpApplication(QApplication& app)
{
    QApplication::setApplicationName(QStringLiteral("Kestrova"));
    QApplication::setApplicationDisplayName(QStringLiteral("Kestrova"));
    QApplication::setApplicationVersion(QStringLiteral("0.2.0.0"));
    QApplication::setOrganizationName(QString());
    QApplication::setDesktopFileName(QStringLiteral("io.github.kestrova.Kestrova"));
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(fusion);
    QIcon icon;
    icon.addFile(QStringLiteral(":/kestrova-32.xpm"), QSize(32, 32));
    icon.addFile(QStringLiteral(":/kestrova-16.xpm"), QSize(16, 16));
    QApplication::setWindowIcon(icon);
    // Closing the window ends the program explicitly; no other window
    // (message box, menu) may end it by closing.
    app.setQuitOnLastWindowClosed(false);
}

int RunTimer(QApplication& app, const std::function<std::unique_ptr<QWidget>()>& createWindow)
{
    std::unique_ptr<QWidget> window;
    try {
        window = createWindow();
    } catch (...) {
        ShowStartupError(std::current_exception());
        return 1;
    }
    window->show();
    window->raise();
    window->activateWindow();
    const int code = app.exec();
    window.reset();
    return code;
}

} // namespace kestrova
