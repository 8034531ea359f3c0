// The coach: its estimate is the computer player's own for the human's hand, its card the
// Expert's, its call the one that pays best, and asking for any of it never changes the game.

#include "Coach.h"
#include "CoreTestSupport.h"
#include "ExpertPlayer.h"
#include "SeededRandom.h"

#include <QTest>

#include <algorithm>
#include <numeric>

using namespace coretest;

namespace {

// Plays whole rounds from a seed; the human calls 3 and plays its first legal card, so
// nothing it does depends on the coach. With a coach, the human's hand is estimated
// after every deal and a hint is asked before every move (several times on its own
// turns). Returns the state after every move, and the next rand() value at the end.
std::vector<std::string> playGame(unsigned seed, int rounds, Coach *coach,
                                  QStringList *faults = nullptr)
{
    std::srand(seed);
    GameState game;
    game.startNewGame();
    std::vector<std::string> states;
    unsigned estimated_round = 0;
    while (game.getRound() <= unsigned(rounds)) {
        if (game.getRound() > 1 && game.getCompletedTricks() == 0 && game.getTrick().empty())
            game.setHumanCall(3);
        const Player human = game.getPlayers()[0];
        if (coach && estimated_round != game.getRound()) {
            estimated_round = game.getRound();
            if (game.getRound() > 1)
                coach->estimate(human.hand.cards);
            else
                coach->clear();
        }
        if (coach) {
            const int asks = game.isHumanMove() ? 3 : 1;
            for (int i = 0; i < asks; ++i)
                Coach::hint(game);
            if (game.getPlayers()[0].hand.cards != human.hand.cards && faults)
                faults->append(QStringLiteral("the hint changed the human's hand"));
        }
        if (game.isHumanMove()) {
            if (!game.playCard(human.hand.legalCards(game.getTrick()).front()))
                return {"human move refused"};
        } else if (!game.playComputerMove()) {
            return {"computer move refused"};
        }
        states.push_back(GameStateTestAccess::fingerprint(game));
    }
    states.push_back("next rand " + std::to_string(std::rand()));
    return states;
}

}  // namespace

class CoachTest : public QObject
{
    Q_OBJECT

private slots:
    void askingTheCoachChangesNothing();
    void adviceIsTheComputerPlayers();
    void suggestedCallPaysBest();
};

void CoachTest::askingTheCoachChangesNothing()
{
    for (unsigned seed : {1u, 7u, 42u, 2026u}) {
        const std::vector<std::string> plain = playGame(seed, 4, nullptr);
        Coach coach;
        QStringList faults;
        const std::vector<std::string> coached = playGame(seed, 4, &coach, &faults);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(", ")));
        QCOMPARE(coached.size(), plain.size());
        QVERIFY(plain.size() > 4 * 52);
        for (std::size_t i = 0; i < plain.size(); ++i)
            QVERIFY2(coached[i] == plain[i],
                     qPrintable(QString("seed %1, after move %2").arg(seed).arg(i)));
    }
}

void CoachTest::adviceIsTheComputerPlayers()
{
    int shortcall_hints = 0;
    int hands = 0;
    for (unsigned seed = 1; seed <= 6; ++seed) {
        std::srand(seed);
        GameState game;
        game.startNewGame();
        Coach coach;
        while (game.getRound() <= 4) {
            const Player human = game.getPlayers()[0];
            if (game.getRound() > 1 && game.getRoundCards().empty() && game.getTrick().empty()) {
                game.setHumanCall(2 + int(seed) % 3);
                // The estimate: a computer player holding this hand, with the same draws,
                // calls the suggestion and counts the same wins.
                coach.estimate(human.hand.cards);
                QVERIFY(coach.hasEstimate());
                Player computer;
                computer.hand.cards = human.hand.cards;
                SeededRandom same_draws(Coach::dealSeed(human.hand.cards));
                computer.estimateCall(same_draws);
                QCOMPARE(coach.suggestedCall(), computer.call);
                QCOMPARE(coach.winCounts().size(), computer.win_counts.size());
                for (std::size_t i = 0; i < computer.win_counts.size(); ++i) {
                    QVERIFY(coach.winCounts()[i].card == computer.win_counts[i].card);
                    QCOMPARE(coach.winCounts()[i].wins, computer.win_counts[i].wins);
                }
                // The chart: 100 simulated rounds, averaging to the estimate's mean.
                const Coach::Histogram &h = coach.histogram();
                QCOMPARE(std::accumulate(h.begin(), h.end(), 0), simulationRuns);
                int tricks = 0;
                for (std::size_t k = 0; k < h.size(); ++k)
                    tricks += int(k) * h[k];
                QCOMPARE(tricks / double(simulationRuns), coach.meanTricks());
                const int wins =
                    std::accumulate(computer.win_counts.begin(), computer.win_counts.end(), 0,
                                    [](int sum, const CardWinCount &w) { return sum + w.wins; });
                QCOMPARE(wins, tricks);
                ++hands;
            }
            if (game.isHumanMove()) {
                // The hint: legal, and the Expert's choice for this position and seed.
                const Card hint = Coach::hint(game);
                const std::vector<Card> legal = human.hand.legalCards(game.getTrick());
                QVERIFY(std::find(legal.begin(), legal.end(), hint) != legal.end());
                ExpertPlayer same_seed(Coach::hintSeed(human.hand.cards, game.getRoundCards()));
                QVERIFY(same_seed.chooseCard(game.expertPosition()) == hint);
                shortcall_hints += game.isShortcall();
                QVERIFY(game.playCard(hint));  // the human follows the advice here
            } else {
                QVERIFY(game.playComputerMove());
            }
        }
    }
    QCOMPARE(hands, 6 * 3);
    QVERIFY(shortcall_hints > 0);

    // A hand the simulation cannot play leaves no estimate, and no hint needs one.
    Coach coach;
    coach.estimate(cards("SA SK"));
    QVERIFY(!coach.hasEstimate());
    QCOMPARE(coach.suggestedCall(), 0);
}

// The call that pays: 2 would make the round a shortcall that only exactly 2 tricks make,
// where 3 makes a normal round that 3 tricks or more make.
void CoachTest::suggestedCallPaysBest()
{
    Coach::Histogram rounds{};
    rounds[1] = 3, rounds[2] = 18, rounds[3] = 63, rounds[4] = 16;
    QCOMPARE(Coach::expectedScore(rounds, 2, 10), (18 - 82) * 2 / 100.0);
    QCOMPARE(Coach::expectedScore(rounds, 3, 10), (79 - 21) * 3 / 100.0);
    QCOMPARE(Coach::bestCall(rounds, 10), 3);
    QCOMPARE(Coach::bestCall(rounds, 11), 2);  // 2 is no longer a shortcall
}

QTEST_APPLESS_MAIN(CoachTest)
#include "tst_coach.moc"
