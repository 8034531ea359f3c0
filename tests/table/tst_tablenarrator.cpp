#include "Card.h"
#include "CardName.h"
#include "CountText.h"
#include "GameState.h"
#include "TableNarrator.h"

#include <QtTest>

#include <cstdlib>

// The table's words on seeded games, checked against what the test itself sees happen:
// who was to move and which card left their hand, and who wins each trick by the rule.
class TestTableNarrator : public QObject
{
    Q_OBJECT

    GameState game;
    QStringList names;  // by seat, the human's "you" as the narrator says it
    std::vector<SeatCard> trick;
    std::vector<int> tricks_won;

    QString seat(int s) const { return names[s]; }

    // The turn names exactly the cards the game accepts from the human, in hand order.
    void checkTurn()
    {
        const Player human = game.getPlayers()[0];
        QStringList accepted;
        std::vector<Card> hand = human.hand.cards;
        std::sort(hand.begin(), hand.end());
        for (const Card &card : hand)
            if (GameState(game).playCard(card))
                accepted << cardName(card);
        QString text = TableNarrator(game).yourTurn();
        const int hand_at = text.indexOf(QStringLiteral(" Your hand: "));
        QCOMPARE(hand_at >= 0, accepted.size() < int(hand.size()));
        if (hand_at >= 0)
            text.truncate(hand_at);
        QCOMPARE(text, QStringLiteral("Your turn. You may play: %1.").arg(accepted.join(", ")));
    }

    // Once the round has ended, its last trick is read as the previous round's.
    void checkTrick(bool round_ended)
    {
        std::vector<Card> cards;
        QStringList by_seat;
        for (const SeatCard &play : trick) {
            cards.push_back(play.card);
            by_seat << QStringLiteral("%1: %2").arg(
                QString::fromStdString(game.getPlayers()[std::size_t(play.seat)].name),
                cardName(play.card));
        }
        int winner = -1;
        for (const SeatCard &play : trick)
            if (play.card == trickWinner(cards))
                winner = play.seat;
        ++tricks_won[std::size_t(winner)];
        const TableNarrator narrator(game);
        QCOMPARE(narrator.trickTaken(), winner == 0 ? QStringLiteral("You took the trick.")
                                                    : seat(winner) + " took the trick.");
        QCOMPARE(narrator.lastTrick(),
                 (round_ended ? QStringLiteral("Last trick of the previous round: %1. %2 took "
                                               "the trick.")
                              : QStringLiteral("Last trick: %1. %2 took the trick."))
                     .arg(by_seat.join(", "),
                          QString::fromStdString(game.getPlayers()[std::size_t(winner)].name)));
        trick.clear();
    }

    void checkRoundResult()
    {
        const QString result = TableNarrator(game).roundResult();
        for (int s = 0; s < 4; ++s)
            QVERIFY2(result.contains(seat(s) + ' ' + tricksText(tricks_won[std::size_t(s)])),
                     qPrintable(result));
        tricks_won.assign(4, 0);
    }

private slots:
    void newsNamesTheSeatsThatPlayed_data()
    {
        QTest::addColumn<unsigned>("seed");
        QTest::newRow("seed 3") << 3u;
        QTest::newRow("seed 42") << 42u;
    }

    void newsNamesTheSeatsThatPlayed()
    {
        QFETCH(unsigned, seed);
        std::srand(seed);
        game = GameState();
        game.startNewGame();
        game.setHumanName("Ann");
        names.clear();
        for (const Player &player : game.getPlayers())
            names << QString::fromStdString(player.name);
        names[0] = QStringLiteral("you");
        tricks_won.assign(4, 0);
        trick.clear();
        while (game.getRound() <= 2) {
            const int mover = game.getCurrentPlayer();
            const std::vector<Card> before = game.getPlayers()[std::size_t(mover)].hand.cards;
            const int completed = game.getCompletedTricks();
            const unsigned round = game.getRound();
            if (mover == 0) {
                checkTurn();
                for (const Card &card : before)
                    if (game.playCard(card))
                        break;
            } else {
                QVERIFY(game.playComputerMove());
            }
            const Card played = game.getMove();
            QVERIFY(std::find(before.begin(), before.end(), played) != before.end());
            trick.push_back({played, mover});
            QCOMPARE(TableNarrator(game).lastCardPlayed(),
                     mover == 0
                         ? QStringLiteral("You play the %1.").arg(cardName(played))
                         : QStringLiteral("%1 plays the %2.").arg(seat(mover), cardName(played)));
            if (game.getCompletedTricks() != completed || game.getRound() != round)
                checkTrick(game.getRound() != round);
            if (game.getRound() != round)
                checkRoundResult();
        }
    }
};

QTEST_GUILESS_MAIN(TestTableNarrator)
#include "tst_tablenarrator.moc"
