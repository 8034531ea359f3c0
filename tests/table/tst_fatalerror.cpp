#include "FatalError.h"
#include "GameScene.h"
#include "GameState.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>

// The child side: raises one fatal error in the current directory and must not return.
static int raiseInChild(int argc, char **argv)
{
    const QByteArray what = argv[2];
    if (what == "direct" && argc >= 6)
        fatalError(argv[3], std::atoi(argv[4]), argv[5]);
    QApplication app(argc, argv);
    GameState state;
    state.startNewGame();
    GameScene scene(state);
    scene.layoutTable(state);
    if (what == "card-id")
        scene.cardId(Card());
    else if (what == "animate-move")
        scene.animateMove(makeCard(Spades, 14));
    else if (what == "stray-click")  // a click signal carrying no item's id
        QMetaObject::invokeMethod(&scene, "onCardClicked", Q_ARG(int, 52));
    return 0;  // reached only if the check did not fire
}

class TestFatalError : public QObject
{
    Q_OBJECT

private slots:
    void firstReportCreatesTheLog();
    void reportsAccumulateOldestFirst();
    void abortsWhenTheLogCannotBeWritten();
    void sceneLookups_data();
    void sceneLookups();
    void brokenInvariantsNameTheirRealPlace();

private:
    // Runs this binary as a child in `dir`; true when it was aborted.
    static bool runChild(const QString &dir, const QStringList &arguments)
    {
        QProcess child;
        child.setWorkingDirectory(dir);
        child.setProgram(QCoreApplication::applicationFilePath());
        child.setArguments(QStringList{"--raise"} + arguments);
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start();
        if (!child.waitForFinished(30000)) {
            child.kill();
            child.waitForFinished();
            return false;
        }
        return child.exitStatus() == QProcess::CrashExit;
    }

    static QStringList logLines(const QString &dir)
    {
        QFile log(QDir(dir).filePath("log.txt"));
        if (!log.open(QIODevice::ReadOnly))
            return {};
        const QString text = QString::fromUtf8(log.readAll());
        if (!text.endsWith('\n'))
            return {text};  // a last line without its end is a fault
        return text.chopped(1).split('\n');
    }
};

void TestFatalError::firstReportCreatesTheLog()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(
        runChild(dir.path(), {"direct", "..\\Source\\MainWindow", "78", "Invalid game state."}));
    QCOMPARE(logLines(dir.path()), (QStringList{"Message: Invalid game state.",
                                                "File: ..\\Source\\MainWindow", "Line: 78"}));
}

void TestFatalError::reportsAccumulateOldestFirst()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(runChild(dir.path(), {"direct", "first.cpp", "1", "One."}));
    QVERIFY(runChild(dir.path(), {"direct", "second.cpp", "-22", "Two."}));
    QCOMPARE(logLines(dir.path()), (QStringList{"Message: One.", "File: first.cpp", "Line: 1",
                                                "Message: Two.", "File: second.cpp", "Line: -22"}));
}

void TestFatalError::abortsWhenTheLogCannotBeWritten()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // A directory where the file should be: opening it fails even for root.
    QVERIFY(QDir(dir.path()).mkdir("log.txt"));
    QVERIFY(runChild(dir.path(), {"direct", "x.cpp", "5", "Lost."}));
    QVERIFY(QFileInfo(QDir(dir.path()).filePath("log.txt")).isDir());
    QVERIFY(QDir(QDir(dir.path()).filePath("log.txt")).isEmpty());
}

void TestFatalError::sceneLookups_data()
{
    // A table reads best one row a line.
    // clang-format off
    QTest::addColumn<QString>("lookup");
    QTest::addColumn<QStringList>("report");
    QTest::newRow("cardId") << "card-id"
                            << QStringList{"Message: Card not found on view.",
                                           "File: ..\\Source\\GameScene", "Line: 210"};
    QTest::newRow("animateMove") << "animate-move"
                                 << QStringList{"Message: Invalid computer move.",
                                                "File: ..\\Source\\GameScene", "Line: 159"};
    // clang-format on
}

void TestFatalError::sceneLookups()
{
    QFETCH(QString, lookup);
    QFETCH(QStringList, report);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(runChild(dir.path(), {lookup}));
    QCOMPARE(logLines(dir.path()), report);
}

void TestFatalError::brokenInvariantsNameTheirRealPlace()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(runChild(dir.path(), {"stray-click"}));
    const QStringList report = logLines(dir.path());
    QCOMPARE(report.size(), 3);
    QVERIFY(report[1].startsWith("File: ") && report[1].endsWith("GameScene.cpp"));
    QVERIFY(report[2].startsWith("Line: ") && report[2].mid(6).toInt() > 0);
}

int main(int argc, char **argv)
{
    if (argc >= 3 && std::strcmp(argv[1], "--raise") == 0)
        return raiseInChild(argc, argv);
    QCoreApplication app(argc, argv);
    TestFatalError test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_fatalerror.moc"
