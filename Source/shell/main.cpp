#include "AppIdentity.h"
#include "MainWindow.h"
#include "Translations.h"

#include <QApplication>

#include <cstdlib>
#include <ctime>

int main(int argc, char **argv)
{
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    QApplication app(argc, argv);
    // The flow's lines print bare, as they always have (the default pattern would put
    // their category before them); QT_MESSAGE_PATTERN still overrides this.
    qSetMessagePattern(QStringLiteral("%{message}"));
    applyApplicationIdentity();
    installTranslations();
    MainWindow window;
    window.show();
    return app.exec();
}
