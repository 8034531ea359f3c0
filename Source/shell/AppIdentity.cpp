#include "AppIdentity.h"

#include <QApplication>
#include <QIcon>

void applyApplicationIdentity()
{
    QCoreApplication::setApplicationName(QStringLiteral("Tolvanmere"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TOLVANMERE_VERSION));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(application_id));
#if defined(Q_OS_LINUX)
    // Windows takes the icon from the executable's own resource.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/tolvanmere.svg")));
#endif
}
