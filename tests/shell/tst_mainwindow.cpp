#include "AboutBox.h"
#include "AppIdentity.h"
#include "GraphicsView.h"
#include "MainWindow.h"
#include "NewGameDialog.h"
#include "PlayerStatWidget.h"
#include "Settings.h"
#include "ShellTestSupport.h"

#include <QAction>
#include <QActionGroup>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTextDocument>
#include <QToolBar>

#include <cstdlib>

namespace {

QStringList debug_lines;
QList<qint64> debug_times;  // when each line was written, ms since the test began
QElapsedTimer debug_clock;
QtMessageHandler previous_handler = nullptr;

void captureDebug(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtDebugMsg) {
        debug_lines.append(text);
        debug_times.append(debug_clock.elapsed());
    }
    else if (previous_handler)
        previous_handler(type, context, text);
}

// A scroll area hears of its size through its viewport's resize events.
void resizeView(GraphicsView *view, QSize size)
{
    QResizeEvent event(size, view->viewport()->size());
    QApplication::sendEvent(view->viewport(), &event);
}

QAction *findAction(QWidget *in, const QString &text)
{
    for (QAction *action : in->findChildren<QAction *>())
        if (action->text() == text)
            return action;
    return nullptr;
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        std::srand(7);
        applyApplicationIdentity();
        animation_speed = 0;
        debug_clock.start();
        previous_handler = qInstallMessageHandler(captureDebug);
    }

    void init()
    {
        debug_lines.clear();
        debug_times.clear();
    }

    void identityAndLayout()
    {
        MainWindow window;
        QCOMPARE(window.windowTitle(), QStringLiteral("Tolvanmere 0.3.9"));
        QVERIFY(window.windowState() & Qt::WindowMaximized);
        QVERIFY(window.findChild<QPushButton *>("pushButtonDebug")->isHidden());
        QCOMPARE(window.view()->scene(), &window.gameScene());
        QCOMPARE(window.view()->minimumSize(), QSize(600, 600));
        QCOMPARE(window.statisticsPanel()->objectName(), QStringLiteral("playerStatsWidget"));
        QCOMPARE(QGuiApplication::desktopFileName(), QString::fromLatin1(application_id));
#if defined(Q_OS_LINUX)
        QVERIFY(QFile::exists(QStringLiteral(":/icons/tolvanmere.svg")));
        QVERIFY(!QApplication::windowIcon().isNull());
#endif

        const QList<QAction *> top = window.menuBar()->actions();
        QCOMPARE(top.size(), 2);
        QCOMPARE(top.at(0)->text(), QStringLiteral("&Options"));
        QCOMPARE(top.at(1)->text(), QStringLiteral("&Help"));
        QCOMPARE(top.at(1)->menu()->actions().first()->text(), QStringLiteral("&About..."));
        QMenu *speed = top.at(0)->menu()->actions().first()->menu();
        QVERIFY(speed);
        QCOMPARE(speed->title(), QStringLiteral("Animation &Speed"));
        QStringList speeds;
        for (QAction *a : speed->actions())
            speeds << a->text();
        QCOMPARE(speeds, (QStringList{"&Fast", "&Medium", "&Slow"}));

        QAction *new_game = window.actionHandler().newGameAction();
        QCOMPARE(new_game->text(), QStringLiteral("New Game..."));
        QCOMPARE(new_game->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
        QVERIFY(window.findChild<QToolBar *>("mainToolBar")->actions().contains(new_game));

        window.setWindowState(Qt::WindowNoState);
        QCOMPARE(window.size(), QSize(699, 651));
    }

    void speedGroup()
    {
        animation_speed = 5;
        MainWindow window;
        QAction *fast = findAction(&window, "&Fast");
        QAction *medium = findAction(&window, "&Medium");
        QAction *slow = findAction(&window, "&Slow");
        QVERIFY(medium->isChecked());
        QVERIFY(!fast->isChecked() && !slow->isChecked());
        QCOMPARE(animation_speed, 1);
        QVERIFY(window.actionHandler().speedGroup()->isExclusive());
        QCOMPARE(fast->data().toInt(), 0);
        QCOMPARE(slow->data().toInt(), 2);

        slow->trigger();
        QCOMPARE(animation_speed, 2);
        fast->trigger();
        QCOMPARE(animation_speed, 0);
        QVERIFY(fast->isChecked());
        QVERIFY(!medium->isChecked() && !slow->isChecked());
    }

    void viewFit_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<double>("factor");
        QTest::newRow("600x600") << QSize(600, 600) << 0.3;
        QTest::newRow("1000x800") << QSize(1000, 800) << 0.4;
        QTest::newRow("2000x700") << QSize(2000, 700) << 0.35;
        QTest::newRow("700x1200") << QSize(700, 1200) << 0.35;
    }
    void viewFit()
    {
        QFETCH(QSize, size);
        QFETCH(double, factor);
        MainWindow window;
        GraphicsView *view = window.view();
        resizeView(view, size);
        QVERIFY2(qFuzzyCompare(view->transform().m11(), factor), qPrintable(QString::number(view->transform().m11())));
        QVERIFY(qFuzzyCompare(view->transform().m22(), factor));
        // Back and forth: the scale is absolute, it never drifts.
        for (int i = 0; i < 50; ++i) {
            resizeView(view, QSize(1234, 987));
            resizeView(view, size);
        }
        QVERIFY(qAbs(view->transform().m11() - factor) < 1e-12);
        QCOMPARE(view->transform().m12(), 0.0);
    }

    void viewFollowsTheShownWindow()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QSize s = window.view()->viewport()->size();
        const double expected = 0.3 * std::min(s.width(), s.height()) / 600.0;
        QVERIFY(qAbs(window.view()->transform().m11() - expected) < 1e-12);
    }

    void newGameDialogOkRule_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("name");
        QTest::newRow("empty") << "" << false << "";
        QTest::newRow("blanks") << "    " << false << "";
        QTest::newRow("padded") << "  Ann Lee  " << true << "Ann Lee";
        QTest::newRow("utf-8") << " Zoë" << true << "Zoë";
        QTest::newRow("cjk") << "李雷 " << true << "李雷";
        QTest::newRow("capped") << "abcdefghijklmnopqrstu" << true << "abcdefghijklmnop";
        // The cap cuts an emoji in half: the half is dropped, never kept as a broken letter.
        QTest::newRow("emoji cut") << QString::fromUtf8("abcdefghijklmno😀") << true
                                   << "abcdefghijklmno";
        QTest::newRow("only half an emoji") << QString::fromUtf8("               😀") << false
                                            << "";
    }
    void newGameDialogOkRule()
    {
        QFETCH(QString, typed);
        QFETCH(bool, ok);
        QFETCH(QString, name);
        NewGameDialog dialog;
        auto *edit = dialog.findChild<QLineEdit *>("lineEditPlayerName");
        auto *button = dialog.findChild<QPushButton *>("pushButtonOK");
        QVERIFY(!button->isEnabled());
        QCOMPARE(edit->placeholderText(), QStringLiteral("[Your Name Here]"));
        QVERIFY(!dialog.isLearningMode());
        typeText(edit, typed);
        QCOMPARE(button->isEnabled(), ok);
        QCOMPARE(dialog.playerName(), name);
        edit->clear();
        QVERIFY(!button->isEnabled());
    }

    void aboutBox()
    {
        AboutBox box;
        QCOMPARE(box.findChild<QLabel *>("labelApplicationName")->text(),
                 QStringLiteral("Tolvanmere"));
        QCOMPARE(box.findChild<QLabel *>("labelVersion")->text(), QStringLiteral("Version 0.3.9"));
        QCOMPARE(box.findChild<QLabel *>("labelQtVersion")->text(),
                 QStringLiteral("Qt version ") + QLatin1String(qVersion()));
        QVERIFY(box.windowFlags() & Qt::FramelessWindowHint);
    }

    void cancelledDialogStartsNothing()
    {
        MainWindow window;
        answerNewGameDialog(QString());
        window.actionHandler().newGameAction()->trigger();
        QCOMPARE(window.gameState().getRound(), 0u);
        QVERIFY(window.gameState().getPlayers().empty());
        QCOMPARE(debug_lines, QStringList{"onNewGame"});
    }

    void ctrlNOpensTheDialog()
    {
        MainWindow window;
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        bool answered = false;
        answerNewGameDialog(QString(), false, &answered);
        QTest::keyClick(&window, Qt::Key_N, Qt::ControlModifier);
        QTRY_VERIFY(answered);
        QCOMPARE(debug_lines.value(0), QStringLiteral("onNewGame"));
    }

    // The name is kept as typed (UTF-8) and shown as text in panel and table label.
    void newGameKeepsTheNameAsText_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("name");
        QTest::newRow("utf-8") << " Łukasz Zoë " << "Łukasz Zoë";
        QTest::newRow("cjk") << "李雷" << "李雷";
        QTest::newRow("markup") << "<b>Bo</b>" << "<b>Bo</b>";
    }
    void newGameKeepsTheNameAsText()
    {
        QFETCH(QString, typed);
        QFETCH(QString, name);
        MainWindow window;
        answerNewGameDialog(typed, true);
        window.actionHandler().newGameAction()->trigger();
        QCOMPARE(window.gameState().getRound(), 1u);
        QCOMPARE(QString::fromStdString(window.gameState().getPlayers().at(0).name), name);
        QVERIFY(!hide_opponent_cards);
        QVERIFY(window.gameScene().nameLabel(2)->toPlainText().startsWith(name + " (0)"));

        PlayerStatWidget *panel = window.statisticsPanel();
        bool found = false;
        for (int row = 1; row <= 4; ++row) {
            QTextDocument doc;
            doc.setHtml(panel->findChild<QLabel *>(QStringLiteral("labelPlayer%1Name").arg(row))
                            ->text());
            found = found || doc.toPlainText() == name;
        }
        QVERIFY(found);
    }

    // In step mode every animation's end waits for the Debug button.
    void stepModeWaitsForTheDebugButton()
    {
        struct Restore {
            ~Restore() { debug_mode = false; }
        } restore;
        debug_mode = true;
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *button = window.findChild<QPushButton *>("pushButtonDebug");
        QVERIFY(!button->isHidden());
        findAction(&window, "&Fast")->trigger();
        answerNewGameDialog("Stepper");
        window.actionHandler().newGameAction()->trigger();

        // One move goes out (the human's, if the human leads); then everything waits.
        if (window.gameState().isHumanMove())
            QVERIFY(playHumanCard(window));
        QCOMPARE(window.gameState().getRoundCards().size(), std::size_t(1));
        QTest::qWait(1500);
        QCOMPARE(window.gameState().getRoundCards().size(), std::size_t(1));
        const qsizetype lines = debug_lines.size();

        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(debug_lines.size() > lines);
        const QString step = debug_lines.last();
        QVERIFY2(step == "advanceGame() - !game_state.isHumanMove()"
                     || step == "advanceGame() - game_state.isHumanMove()",
                 qPrintable(step));
        // A second press with nothing pending does nothing.
        if (step == "advanceGame() - game_state.isHumanMove()") {
            const qsizetype after = debug_lines.size();
            QTest::mouseClick(button, Qt::LeftButton);
            QCOMPARE(debug_lines.size(), after);
        }
    }

    // A new game accepted while the old game's card animation and pause run: nothing of
    // the old game may step the new one, so computer moves stay a full pause apart.
    void newGameDuringAnimationStartsClean()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        findAction(&window, "&Fast")->trigger();
        answerNewGameDialog("First");
        window.actionHandler().newGameAction()->trigger();
        // Wait for a computer move in flight; if the human leads, play a card first.
        QElapsedTimer waited;
        waited.start();
        while (debug_lines.count("advanceGame() - !game_state.isHumanMove()") == 0) {
            QVERIFY(waited.elapsed() < 5000);
            if (window.gameState().isHumanMove() && playHumanCard(window))
                continue;
            QTest::qWait(5);
        }

        answerNewGameDialog("Second");
        window.actionHandler().newGameAction()->trigger();
        QCOMPARE(QString::fromStdString(window.gameState().getPlayers().at(0).name),
                 QStringLiteral("Second"));
        const int start = int(debug_lines.lastIndexOf("onNewGame"));

        // Nobody clicks, so the new game runs up to the human's turn and waits there;
        // watch a while longer for any step a leftover signal might still cause.
        QTRY_VERIFY_WITH_TIMEOUT(window.gameState().isHumanMove()
                                     && debug_lines.last() == "advanceGame() - game_state.isHumanMove()",
                                 15000);
        QTest::qWait(1500);

        QList<qint64> moves;
        int computer_moves = 0, human_turns = 0;
        for (int i = start; i < debug_lines.size(); ++i) {
            if (debug_lines.at(i) == "advanceGame() - !game_state.isHumanMove()") {
                ++computer_moves;
                moves.append(debug_times.at(i));
            }
            human_turns += debug_lines.at(i) == "advanceGame() - game_state.isHumanMove()";
        }
        QVERIFY(computer_moves <= 3);
        QCOMPARE(int(window.gameState().getRoundCards().size()), computer_moves);
        QCOMPARE(human_turns, 1);
        // One step at a time: each computer move waits for the previous card's pause.
        for (int i = 1; i < moves.size(); ++i)
            QVERIFY2(moves.at(i) - moves.at(i - 1) >= 740,
                     qPrintable(QStringLiteral("moves %1 ms apart").arg(moves.at(i) - moves.at(i - 1))));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
