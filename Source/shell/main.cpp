#include "AppIdentity.h"
#include "MainWindow.h"
#include "Translations.h"

#include <QApplication>

#include <cstdlib>
#include <ctime>

int main(int argc, char **argv)
{
    // TOLVANMERE_SEED replays one game card for card: the tests that drive the program
    // from outside need a known deal. Unset, every game is new.
    bool seeded = false;
    const unsigned seed = qEnvironmentVariableIntValue("TOLVANMERE_SEED", &seeded);
    std::srand(seeded ? seed : static_cast<unsigned>(std::time(nullptr)));
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
