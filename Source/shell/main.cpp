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
    applyApplicationIdentity();
    installTranslations();
    MainWindow window;
    window.show();
    return app.exec();
}
