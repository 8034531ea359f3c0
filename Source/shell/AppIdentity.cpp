#include "AppIdentity.h"

#include <QApplication>
#include <QIcon>

void applyApplicationIdentity()
{
    QCoreApplication::setApplicationName(QStringLiteral("Tolvanmere"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TOLVANMERE_VERSION));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(applicationId));
#if defined(Q_OS_LINUX)
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return;  // no windows: --help or --version only
    // Windows takes the icon from the executable's own resource. The bitmap sizes keep
    // the icon when Qt's SVG icon engine plugin is not installed.
    QIcon icon(QStringLiteral(":/icons/tolvanmere.svg"));
    for (const int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/tolvanmere-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);
#endif
}
