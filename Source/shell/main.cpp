#include "AppIdentity.h"
#include "MainWindow.h"
#include "Translations.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <vector>

namespace {

constexpr int usageError = 2;
const char *const programName = "tolvanmere";

// The options Qt's windowing takes for itself (QGuiApplication, QApplication, X11): known
// here too, so our own can be checked before any display is opened.
const char *const qtOptionsWithValue[] = {
    "platform",    "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
    "qwindowicon", "qwindowtitle",       "session",       "style",  "stylesheet",
    "display",     "geometry",           "qmljsdebugger"};
const char *const qtFlags[] = {"reverse", "widgetcount", "nograb", "dograb"};

// Help and version print and stop; anything unknown stops with a usage error. Returns the
// exit code when the program should stop here.
std::optional<int> handleCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QCoreApplication::translate("main", "A trick-taking card game against three computer "
                                            "players."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const char *name : qtOptionsWithValue) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char *name : qtFlags) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "%s: %s\n", programName, qPrintable(parser.errorText()));
        return usageError;
    }
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(0);  // exits
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();  // exits
    if (!parser.positionalArguments().isEmpty()) {
        std::fprintf(stderr, "%s: %s\n", programName,
                     qPrintable(QCoreApplication::translate("main", "Unexpected argument '%1'.")
                                    .arg(parser.positionalArguments().constFirst())));
        return usageError;
    }
    return std::nullopt;
}

// Qt ends the program when no window system can be reached, with a paragraph about
// reinstalling. While the application object is built, messages wait here: a fatal one
// is replaced by a line of our own, the others are passed on once all is well.
struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};
std::vector<HeldMessage> held_messages;
QByteArray no_display_line;  // translated while translations can still be read

void holdMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s: %s\n", programName, no_display_line.constData());
        std::fflush(stderr);
        std::_Exit(EXIT_FAILURE);
    }
    held_messages.push_back({type, QByteArray(context.category), text});
}

void passOnHeldMessages()
{
    qInstallMessageHandler(nullptr);
    for (const HeldMessage &message : held_messages) {
        const QMessageLogger logger(nullptr, 0, nullptr, message.category.constData());
        switch (message.type) {
        case QtDebugMsg:
            logger.debug().noquote() << message.text;
            break;
        case QtInfoMsg:
            logger.info().noquote() << message.text;
            break;
        default:
            logger.warning().noquote() << message.text;
            break;
        }
    }
    held_messages.clear();
}

}  // namespace

int main(int argc, char **argv)
{
    // TOLVANMERE_SEED replays one game card for card: the tests that drive the program
    // from outside need a known deal. Unset, every game is new.
    bool seeded = false;
    const unsigned seed = qEnvironmentVariableIntValue("TOLVANMERE_SEED", &seeded);
    std::srand(seeded ? seed : static_cast<unsigned>(std::time(nullptr)));
    {
        // The command line is read before any display is asked for: help, version and
        // usage errors need none.
        QCoreApplication early(argc, argv);
        applyApplicationIdentity();
        installTranslations();
        if (const std::optional<int> code = handleCommandLine(early.arguments()))
            return *code;
        no_display_line =
            QCoreApplication::translate("main", "no display could be opened; start the "
                                                "game in a desktop session (DISPLAY or "
                                                "WAYLAND_DISPLAY set)")
                .toLocal8Bit();
    }

    qInstallMessageHandler(holdMessage);
    QApplication app(argc, argv);
    passOnHeldMessages();
    // The flow's lines print bare, as they always have (the default pattern would put
    // their category before them); QT_MESSAGE_PATTERN still overrides this.
    qSetMessagePattern(QStringLiteral("%{message}"));
    applyApplicationIdentity();
    installTranslations();
    MainWindow window;
    window.show();
    return app.exec();
}
