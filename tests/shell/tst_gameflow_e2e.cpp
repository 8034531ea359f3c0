// Plays two whole rounds in the real window at Fast speed, as a player would: clicking
// legal cards in the view, raising the call in the summary, continuing, then ending the
// game and starting a new one from the summary.

#include "AppIdentity.h"
#include "CallTextItem.h"
#include "FlowLog.h"
#include "GraphicsView.h"
#include "MainWindow.h"
#include "PlayerStatWidget.h"
#include "Settings.h"
#include "ShellTestSupport.h"
#include "TrickCompleteScene.h"

#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QRegularExpression>
#include <QTest>
#include <QTextDocument>

#include <algorithm>
#include <cstdlib>
#include <set>

namespace {

QStringList debug_lines;

// Only the flow's own lines (see FlowLog.h): other traces never disturb the count.
void captureDebug(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtDebugMsg && qstrcmp(context.category, flowLog().categoryName()) == 0)
        debug_lines.append(text);
}

const QString humanLine = QStringLiteral("advanceGame() - game_state.isHumanMove()");
const QString computerLine = QStringLiteral("advanceGame() - !game_state.isHumanMove()");
const QString trickLine = QStringLiteral("advanceGame() - trick done");
const QString roundLine =
    QStringLiteral("trickCompleteAnimationFinished() - current_round != game_state.getRound()");

QString plain(const QString &html)
{
    QTextDocument doc;
    doc.setHtml(html);
    return doc.toPlainText();
}

}  // namespace

class TestGameFlowE2E : public QObject
{
    Q_OBJECT

    const QString name = QStringLiteral("Zoë & <b>Co</b>");

    // Panel, table labels, clickable cards and game state must tell the same story.
    void checkTableAgrees(MainWindow &window)
    {
        const GameState &state = window.gameState();
        const std::vector<Player> players = state.getPlayers();
        PlayerStatWidget *panel = window.statisticsPanel();
        QCOMPARE(panel->findChild<QLabel *>("labelRound")->text(),
                 QString::number(state.getRound()));

        std::vector<Player> ranked = players;
        std::stable_sort(ranked.begin(), ranked.end(),
                         [](const Player &a, const Player &b) { return a.points > b.points; });
        for (int row = 1; row <= 4; ++row) {
            const Player &p = ranked[std::size_t(row - 1)];
            auto text = [&](const char *part) {
                return plain(
                    panel->findChild<QLabel *>(QStringLiteral("labelPlayer%1%2").arg(row).arg(part))
                        ->text());
            };
            QCOMPARE(text("Name"), QString::fromStdString(p.name));
            QCOMPARE(text("Points"), QStringLiteral("(%1)").arg(p.points));
            QCOMPARE(text("Tricks"), QStringLiteral("%1/%2").arg(p.tricks).arg(p.call));
        }

        for (int position = 0; position < 4; ++position) {
            const Player &p = players[std::size_t(window.gameScene().seatAt(position))];
            QCOMPARE(window.gameScene().nameLabel(position)->toPlainText(),
                     QStringLiteral("%1 (%2) - %3/%4")
                         .arg(QString::fromStdString(p.name))
                         .arg(p.points)
                         .arg(p.tricks)
                         .arg(p.call));
        }

        const Player &human = players[std::size_t(state.getHumanPlayer())];
        std::set<std::string> legal;
        for (const Card &card : human.hand.legalCards(state.getTrick()))
            legal.insert(card.toShortString());
        std::set<std::string> clickable;
        for (QGraphicsItem *item : clickableHumanCards(window))
            clickable.insert(static_cast<CardGraphicsItem *>(item)->card().toShortString());
        QCOMPARE(clickable, legal);
    }

    // While the summary is shown the panel agrees with it: the human's row shows the call
    // the summary proposes, and Shortcall follows the total the summary shows.
    void checkPanelShowsProposedCall(MainWindow &window)
    {
        TrickCompleteScene *summary = window.summaryScene();
        PlayerStatWidget *panel = window.statisticsPanel();
        bool found = false;
        for (int row = 1; row <= 4; ++row) {
            auto text = [&](const char *part) {
                return plain(
                    panel->findChild<QLabel *>(QStringLiteral("labelPlayer%1%2").arg(row).arg(part))
                        ->text());
            };
            if (text("Name") != name)
                continue;
            found = true;
            QCOMPARE(text("Tricks"), QStringLiteral("0/%1").arg(summary->humanCall()));
        }
        QVERIFY(found);
        QCOMPARE(!panel->findChild<QLabel *>("labelShortcall")->isHidden(),
                 summary->totalCalls() <= 12);
    }

    // Checks the summary on screen against the state and answers it.
    void passSummary(MainWindow &window, int raise_to)
    {
        TrickCompleteScene *summary = window.summaryScene();
        QVERIFY(summary);
        QCOMPARE(window.view()->scene(), summary);
        const std::vector<Player> players = window.gameState().getPlayers();
        QCOMPARE(summary->humanCall(), 2);
        int computer_calls = 0;
        for (std::size_t seat = 1; seat < players.size(); ++seat)
            computer_calls += players[seat].call;
        QCOMPARE(summary->totalCalls(), computer_calls + 2);
        QCOMPARE(summary->handItems().size(), 13);

        checkPanelShowsProposedCall(window);
        for (int call = 2; call < raise_to; ++call)
            QVERIFY(clickThroughView(window.view(), summary->button("+ Call +")));
        QCOMPARE(summary->humanCall(), raise_to);
        checkPanelShowsProposedCall(window);
        // The game's own call waits for Continue.
        QCOMPARE(players.at(0).call, window.gameState().getPlayers().at(0).call);

        QPointer<TrickCompleteScene> gone(summary);
        QVERIFY(clickThroughView(window.view(), summary->button("Continue")));
        QCOMPARE(window.view()->scene(), &window.gameScene());
        QCOMPARE(window.gameState().getPlayers().at(0).call, raise_to);
        QTRY_VERIFY(gone.isNull());
    }

    // Plays until a summary is shown; returns false on timeout.
    bool playRound(MainWindow &window, int &human_plays)
    {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 180000) {
            if (window.summaryScene() && window.view()->scene() == window.summaryScene())
                return true;
            const bool waiting = !debug_lines.isEmpty() && debug_lines.last() == humanLine;
            if (waiting && !clickableHumanCards(window).isEmpty()) {
                checkTableAgrees(window);
                if (QTest::currentTestFailed())
                    return false;
                if (!playHumanCard(window))
                    return false;
                ++human_plays;
                if (!clickableHumanCards(window).isEmpty())
                    return false;  // a played card must disable the hand
            }
            QTest::qWait(5);
        }
        return false;
    }

    // The diagnostic lines of one game, in the order the flow writes them.
    void checkDebugOrder(const QStringList &lines, int rounds, int human_plays)
    {
        QCOMPARE(lines.value(0), QStringLiteral("onNewGame"));
        const QRegularExpression player_line(QStringLiteral("^(.+) (\\d+) (-?\\d+)$"));
        int moves_in_trick = 0, humans_in_trick = 0, tricks = 0, round_ends = 0, humans = 0;
        for (int i = 1; i < lines.size(); ++i) {
            const QString &line = lines.at(i);
            if (line == computerLine || line == humanLine) {
                ++moves_in_trick;
                if (line == humanLine) {
                    ++humans_in_trick;
                    ++humans;
                }
                QVERIFY2(moves_in_trick <= 4, qPrintable(QStringLiteral("line %1").arg(i)));
            } else if (line == trickLine) {
                QCOMPARE(moves_in_trick, 4);
                QCOMPARE(humans_in_trick, 1);
                moves_in_trick = humans_in_trick = 0;
                ++tricks;
                int tricks_sum = 0;
                for (int seat = 0; seat < 4; ++seat) {
                    const auto match = player_line.match(lines.value(i + 1 + seat));
                    QVERIFY2(match.hasMatch(), qPrintable(lines.value(i + 1 + seat)));
                    if (seat == 0)
                        QCOMPARE(match.captured(1), name);
                    tricks_sum += match.captured(2).toInt();
                }
                const bool last_of_round = tricks % 13 == 0;
                // The last trick's lines come after the next round was dealt.
                QCOMPARE(tricks_sum, last_of_round ? 0 : tricks % 13);
                i += 4;
                if (last_of_round) {
                    QCOMPARE(lines.value(i + 1), roundLine);
                    ++i;
                    ++round_ends;
                }
            } else if (line == QStringLiteral("End game")) {
                QCOMPARE(i, lines.size() - 1);
            } else {
                QFAIL(qPrintable(QStringLiteral("unexpected line %1: %2").arg(i).arg(line)));
            }
        }
        QCOMPARE(tricks, 13 * rounds);
        QCOMPARE(round_ends, rounds);
        QCOMPARE(humans, human_plays);
        QCOMPARE(moves_in_trick, 0);
    }

private slots:
    void initTestCase()
    {
        std::srand(2024);
        applyApplicationIdentity();
        qInstallMessageHandler(captureDebug);
    }

    void twoRoundsThenANewGame()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        for (QAction *action : window.findChildren<QAction *>())
            if (action->text() == QStringLiteral("&Fast"))
                action->trigger();
        QCOMPARE(animation_speed, 0);

        answerNewGameDialog(QStringLiteral(" ") + name);  // 16: the field's limit
        window.actionHandler().newGameAction()->trigger();
        QCOMPARE(window.gameState().getRound(), 1u);
        QVERIFY(hide_opponent_cards);

        int human_plays = 0;
        QVERIFY(playRound(window, human_plays));
        QCOMPARE(human_plays, 13);
        QCOMPARE(window.gameState().getRound(), 2u);
        int points = 0;
        for (const Player &p : window.gameState().getPlayers())
            points += p.points;
        QCOMPARE(points, 13);  // one point per trick in the first round
        passSummary(window, 4);
        if (QTest::currentTestFailed())
            return;

        QVERIFY(playRound(window, human_plays));
        QCOMPARE(human_plays, 26);
        QCOMPARE(window.gameState().getRound(), 3u);

        TrickCompleteScene *summary = window.summaryScene();
        QVERIFY(clickThroughView(window.view(), summary->button("End Game")));
        QCOMPARE(debug_lines.last(), QStringLiteral("End game"));
        QVERIFY(!summary->button("Continue")->isVisible());
        // Ended: the selector and End Game do nothing any more.
        const int call = summary->humanCall();
        const qsizetype lines = debug_lines.size();
        for (const char *text : {"+ Call +", "- Call -", "End Game"}) {
            QVERIFY(!summary->button(text)->isEnabled());
            pressItem(summary->button(text));
        }
        QCOMPARE(summary->humanCall(), call);
        QCOMPARE(debug_lines.size(), lines);
        QCOMPARE(window.view()->scene(), summary);
        checkDebugOrder(debug_lines, 2, human_plays);
        if (QTest::currentTestFailed())
            return;

        // A new game from the summary puts the table back and starts at round 1.
        QPointer<TrickCompleteScene> gone(summary);
        debug_lines.clear();
        answerNewGameDialog(QStringLiteral("Ann"), true);
        window.actionHandler().newGameAction()->trigger();
        QCOMPARE(window.view()->scene(), &window.gameScene());
        QCOMPARE(window.gameState().getRound(), 1u);
        for (const Player &p : window.gameState().getPlayers())
            QCOMPARE(p.points, 0);
        QVERIFY(!hide_opponent_cards);
        QTRY_VERIFY(gone.isNull());
        QCOMPARE(debug_lines.value(0), QStringLiteral("onNewGame"));
        QTRY_VERIFY_WITH_TIMEOUT(
            window.gameState().isHumanMove() && !clickableHumanCards(window).isEmpty(), 10000);
        checkTableAgrees(window);
    }
};

QTEST_MAIN(TestGameFlowE2E)
#include "tst_gameflow_e2e.moc"
