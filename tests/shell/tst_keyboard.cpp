// A round played by keys alone through the real window gives, card for card, the game the
// same seed gives when played by clicks; keys off turn do nothing; the view tells
// assistive technology what a sighted player sees.

#include "AppIdentity.h"
#include "CallTextItem.h"
#include "CardName.h"
#include "GraphicsView.h"
#include "MainWindow.h"
#include "Settings.h"
#include "ShellTestSupport.h"
#include "TrickCompleteScene.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QElapsedTimer>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QRegularExpression>
#include <QTest>

#include <cstdlib>

namespace {

QStringList debug_lines;

void captureDebug(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type == QtDebugMsg)
        debug_lines.append(text);
}

const QString human_line = QStringLiteral("advanceGame() - game_state.isHumanMove()");
constexpr unsigned seed = 31;
constexpr int timeout_ms = 180000;

// What one round leaves behind: every card in play order (the round's last card is the
// one not listed), and the players once the human's next call is set.
struct Outcome {
    QStringList played;
    std::vector<Player> players;
};

QStringList describe(const std::vector<Player> &players)
{
    QStringList out;
    for (const Player &p : players) {
        QString hand;
        for (const Card &card : p.hand.cards)
            hand += QString::fromStdString(card.toShortString());
        out << QStringLiteral("%1 %2 %3 %4 %5")
                   .arg(QString::fromStdString(p.name))
                   .arg(p.points)
                   .arg(p.call)
                   .arg(p.tricks)
                   .arg(hand);
    }
    return out;
}

// A point of the item that is on screen and not covered, in viewport coordinates.
bool visiblePoint(QGraphicsView *view, QGraphicsItem *item, QPoint &point)
{
    const QRectF rect = item->boundingRect();
    for (int gy = 9; gy >= 1; --gy) {
        for (int gx = 9; gx >= 1; --gx) {
            const QPointF local(rect.left() + rect.width() * gx / 10.0,
                                rect.top() + rect.height() * gy / 10.0);
            point = view->mapFromScene(item->mapToScene(local));
            // The view's own hit test, the one a press goes through.
            if (view->viewport()->rect().contains(point) && view->itemAt(point) == item)
                return true;
        }
    }
    return false;
}

// The card rises under the pointer before a press reaches it, which can take it from
// under a press aimed at where it lay: point at it first, then click the raised card.
bool clickCard(MainWindow &window, QGraphicsItem *item)
{
    QWidget *viewport = window.view()->viewport();
    QPoint point;
    if (!visiblePoint(window.view(), item, point))
        return false;
    QTest::mouseMove(viewport, point);
    if (!visiblePoint(window.view(), item, point))
        return false;
    QTest::mouseMove(viewport, point);
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, point);
    return true;
}

void setFast(MainWindow &window)
{
    for (QAction *action : window.findChildren<QAction *>())
        if (action->text() == QStringLiteral("&Fast"))
            action->trigger();
}

QList<int> raisedHumanCards(MainWindow &window)
{
    QList<int> ids;
    for (int id = 26; id < 39; ++id)
        if (window.gameScene().cardItem(id)->isHovered())
            ids.append(id);
    return ids;
}

// A key as the keyboard sends it: to whatever has the focus.
void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget *focus = QApplication::focusWidget();
    QVERIFY(focus);
    QTest::keyClick(focus, key, modifiers);
}

QString viewDescription(MainWindow &window)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(window.view());
    return iface ? iface->text(QAccessible::Description) : QString();
}

// Answers the next new-game dialog with keys only: the name, Alt+L twice (Learning Mode
// on and off again), Return.
void answerNewGameDialogByKeys(const QString &name, bool *learning_toggled)
{
    auto *timer = new QTimer();
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [=]() {
        auto *dialog = qobject_cast<NewGameDialog *>(QApplication::activeModalWidget());
        if (!dialog || !QApplication::focusWidget()
            || QApplication::focusWidget()->window() != dialog)
            return;
        timer->stop();
        timer->deleteLater();
        typeText(QApplication::focusWidget(), name);
        auto *learning = dialog->findChild<QCheckBox *>("checkBoxLearningMode");
        press(Qt::Key_L, Qt::AltModifier);
        QTRY_VERIFY(learning->isChecked());
        press(Qt::Key_L, Qt::AltModifier);
        QTRY_VERIFY(!learning->isChecked());
        *learning_toggled = true;
        press(Qt::Key_Return);
    });
    timer->start();
}

}  // namespace

class TestKeyboard : public QObject
{
    Q_OBJECT

    const QString name = QStringLiteral("Kim");

    // Plays until the summary shows: at each turn the human plays playable card number
    // (turns so far) mod (their count), by `play`; records every card as it goes.
    template <typename Play, typename Idle>
    bool playRound(MainWindow &window, QStringList &played, Play play, Idle idle)
    {
        int turns = 0;
        std::size_t seen = 0;
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < timeout_ms) {
            const std::vector<Card> &cards = window.gameState().getRoundCards();
            for (; seen < cards.size(); ++seen)
                played << QString::fromStdString(cards[seen].toShortString());
            if (cards.size() < seen)
                seen = cards.size();  // the round rolled over
            if (window.summaryScene() && window.view()->scene() == window.summaryScene())
                return true;
            const QList<int> playable = window.gameScene().playableCards();
            if (debug_lines.value(debug_lines.size() - 1) == human_line && !playable.isEmpty()) {
                if (!play(int(turns % playable.size())))
                    return false;
                ++turns;
                if (!window.gameScene().playableCards().isEmpty())
                    return false;  // the card must have gone
            } else if (!idle()) {
                return false;
            }
            QTest::qWait(5);
        }
        return false;
    }

    Outcome playByClicks()
    {
        Outcome outcome;
        std::srand(seed);
        MainWindow window;
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            return outcome;
        setFast(window);
        answerNewGameDialog(name);
        window.actionHandler().newGameAction()->trigger();
        const bool done = playRound(
            window, outcome.played,
            [&window](int index) {
                auto *item = static_cast<CardGraphicsItem *>(clickableHumanCards(window).at(index));
                const Card intended = item->card();
                return clickCard(window, item) && window.gameState().getMove() == intended;
            },
            [] { return true; });
        if (!done)
            return outcome;
        TrickCompleteScene *summary = window.summaryScene();
        for (int i = 0; i < 2; ++i)
            clickThroughView(window.view(), summary->button("+ Call +"));
        clickThroughView(window.view(), summary->button("Continue"));
        outcome.players = window.gameState().getPlayers();
        return outcome;
    }

private slots:
    void initTestCase()
    {
        applyApplicationIdentity();
        qInstallMessageHandler(captureDebug);
    }

    void roundByKeysMatchesRoundByClicks()
    {
        const Outcome by_clicks = playByClicks();
        QCOMPARE(by_clicks.played.size(), 51);
        QCOMPARE(by_clicks.players.size(), std::size_t(4));
        debug_lines.clear();

        std::srand(seed);
        MainWindow window;
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        setFast(window);
        QCOMPARE(QApplication::focusWidget(), window.view());

        // Before a game the table's keys do nothing.
        for (const Qt::Key key : {Qt::Key_Right, Qt::Key_Home, Qt::Key_Return, Qt::Key_Space})
            press(key);
        QVERIFY(debug_lines.isEmpty());
        QCOMPARE(window.gameState().getRound(), 0u);
        QCOMPARE(viewDescription(window),
                 QStringLiteral("No game. Press Ctrl+N to start a new game."));

        bool answered = false;
        answerNewGameDialogByKeys(name, &answered);
        press(Qt::Key_N, Qt::ControlModifier);
        QTRY_VERIFY(answered);
        QCOMPARE(window.gameState().getRound(), 1u);
        QVERIFY(hide_opponent_cards);
        QTRY_COMPARE(QApplication::focusWidget(), window.view());

        const GameScene &scene = window.gameScene();
        const GameState &state = window.gameState();
        QString computer_turn, human_turn;
        int idle_presses = 0, idle_calls = 0;
        Outcome by_keys;
        const bool done = playRound(
            window, by_keys.played,
            [&](int index) {
                const QList<int> playable = scene.playableCards();
                press(Qt::Key_Home);
                for (int i = 0; i < index; ++i)
                    press(Qt::Key_Right);
                if (scene.selectedCard() != playable[index]
                    || raisedHumanCards(window) != QList<int>{playable[index]})
                    return false;
                if (human_turn.isEmpty()) {
                    human_turn = viewDescription(window);
                    QString expected;
                    for (const int id : playable)
                        expected += (expected.isEmpty() ? "" : ", ")
                                    + cardName(window.gameScene().cardItem(id)->card());
                    if (!human_turn.contains(QStringLiteral("Your turn."))
                        || !human_turn.contains(QStringLiteral("You may play: %1.").arg(expected))
                        || !human_turn.endsWith(
                            QStringLiteral("Selected: %1.")
                                .arg(cardName(
                                    window.gameScene().cardItem(playable[index])->card()))))
                        return false;
                }
                const Card intended = window.gameScene().cardItem(playable[index])->card();
                press(Qt::Key_Return);
                return state.getMove() == intended;
            },
            [&]() {
                // Off turn or while cards move, the keys change nothing.
                if (state.getRound() != 1 || state.getRoundCards().empty() || ++idle_calls % 10)
                    return true;
                if (computer_turn.isEmpty() && !state.isHumanMove())
                    computer_turn = viewDescription(window);
                const std::size_t cards = state.getRoundCards().size();
                const bool human = state.isHumanMove();
                press(idle_presses % 2 ? Qt::Key_Return : Qt::Key_Right);
                ++idle_presses;
                return state.getRoundCards().size() == cards && state.isHumanMove() == human
                       && raisedHumanCards(window).isEmpty();
            });
        QVERIFY(done);
        QVERIFY(idle_presses > 20);

        const std::vector<Player> players = state.getPlayers();
        QVERIFY2(computer_turn.startsWith(QStringLiteral("Round 1. ")), qPrintable(computer_turn));
        QVERIFY2(computer_turn.contains(QRegularExpression(QStringLiteral("\\. \\S+'s turn\\."))),
                 qPrintable(computer_turn));
        QVERIFY2(!human_turn.isEmpty(), "no description read at the human's turn");

        // The summary: its description, and its buttons pressed through accessibility.
        TrickCompleteScene *summary = window.summaryScene();
        QTRY_VERIFY(summary->takesKeys());  // on screen before the player presses a key
        QCOMPARE(viewDescription(window), summary->accessibleSummary());
        QVERIFY(viewDescription(window).startsWith(QStringLiteral("Round summary. Standings: ")));
        QAccessibleInterface *view = QAccessible::queryAccessibleInterface(window.view());
        QAccessibleInterface *plus = nullptr, *minus = nullptr;
        for (int i = 0; i < view->childCount(); ++i) {
            QAccessibleInterface *child = view->child(i);
            QCOMPARE(view->indexOfChild(child), i);
            if (child->role() != QAccessible::PushButton)
                continue;
            QCOMPARE(child->parent(), view);
            if (child->text(QAccessible::Name) == QStringLiteral("+ Call +"))
                plus = child;
            if (child->text(QAccessible::Name) == QStringLiteral("- Call -"))
                minus = child;
        }
        QVERIFY(plus && minus);
        plus->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY(viewDescription(window).contains(QStringLiteral("Your call: 3.")));
        minus->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(summary->humanCall(), 2);

        for (const Qt::Key key : {Qt::Key_Up, Qt::Key_Plus, Qt::Key_Up, Qt::Key_Minus})
            press(key);
        QCOMPARE(summary->humanCall(), 4);
        QCOMPARE(viewDescription(window), summary->accessibleSummary());
        QPointer<TrickCompleteScene> gone(summary);
        press(Qt::Key_Return);
        QCOMPARE(window.view()->scene(), &window.gameScene());
        QTRY_VERIFY(gone.isNull());
        by_keys.players = state.getPlayers();

        QCOMPARE(by_keys.played, by_clicks.played);
        QCOMPARE(describe(by_keys.players), describe(by_clicks.players));
        QCOMPARE(by_keys.players[0].call, 4);
    }

    // Help lists the keys; the Keys and About boxes close with Escape.
    void keysEntryInTheHelpMenu()
    {
        MainWindow window;
        QMenu *help = window.menuBar()->actions().at(1)->menu();
        QAction *keys = window.actionHandler().keysAction();
        QVERIFY(help->actions().contains(keys));
        QCOMPARE(keys->text(), QStringLiteral("&Keys..."));
        const QString text = MainUIActionHandler::keysText();
        for (const char *key :
             {"Left, Right", "Home, End", "Enter, Space", "Ctrl+E", "Ctrl+N", "Tab"})
            QVERIFY2(text.contains(QLatin1String(key)), key);

        for (QAction *action : {keys, help->actions().first()}) {
            bool shown = false;
            QTimer::singleShot(50, [&shown] {
                if (QWidget *box = QApplication::activeModalWidget()) {
                    shown = true;
                    QTest::keyClick(box, Qt::Key_Escape);
                }
            });
            action->trigger();  // returns once the box is closed
            QVERIFY2(shown, qPrintable(action->text()));
        }
    }
};

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
