// Seeded self-play through the public game-state interface, with every seat played by
// the computer player, checked after every move by the self-play program's own checker.

#include "CoreTestSupport.h"
#include "InvariantChecker.h"

#include <QTest>

#include <algorithm>

using namespace coretest;

namespace {

// Plays whole rounds, checking every move; "" when every rule held.
std::string playRounds(InvariantChecker &checker, GameState &game, long long rounds)
{
    while (checker.roundsDone() < rounds) {
        checker.humanCalls();
        const unsigned round = game.getRound();
        while (game.getRound() == round) {
            const std::string error = checker.move();
            if (!error.empty())
                return "round " + std::to_string(round) + ": " + error;
        }
    }
    return {};
}

}  // namespace

class SelfPlayTest : public QObject
{
    Q_OBJECT

private slots:
    void firstRoundsOfManyGames();
    void longGameKeepsEveryInvariant();
    void sameSeedSameGame();
    void expertOpponentsPlayLegallyFromTheirOwnGenerator();
    void brokenRulesAreNamed();
};

void SelfPlayTest::firstRoundsOfManyGames()
{
    // Many fresh deals of round 1; the 52nd card is chosen and checked but not played,
    // which would start the estimates of round 2.
    const int games = 1500;
    for (int seed = 1; seed <= games; ++seed) {
        std::srand(static_cast<unsigned>(seed));
        GameState game;
        game.startNewGame();
        InvariantChecker checker(game);
        QVERIFY2((checker.checkFreshRound() + checker.checkConservation()).empty(),
                 qPrintable(QString("seed %1").arg(seed)));
        for (int move = 0; move < 51; ++move) {
            const std::string error = checker.move();
            QVERIFY2(error.empty(), qPrintable(QString("seed %1 move %2: %3")
                                                   .arg(seed)
                                                   .arg(move)
                                                   .arg(QString::fromStdString(error))));
        }
        Player last = game.getPlayers()[static_cast<std::size_t>(game.getCurrentPlayer())];
        const std::vector<Card> legal = last.hand.legalCards(game.getTrick());
        QCOMPARE(legal.size(), std::size_t(1));
        QVERIFY(last.chooseCard(game.getTrick(), game.getRoundCards(), false) == legal.front());
    }
}

void SelfPlayTest::longGameKeepsEveryInvariant()
{
    std::srand(7);
    GameState game;
    game.startNewGame();
    InvariantChecker checker(game);
    const int rounds = 600;
    const std::string error = playRounds(checker, game, rounds);
    QVERIFY2(error.empty(), error.c_str());
    QCOMPARE(game.getRound(), unsigned(rounds + 1));
    QVERIFY(checker.shortcallRounds() > 0);
    QVERIFY(checker.shortcallRounds() < rounds);
}

void SelfPlayTest::sameSeedSameGame()
{
    // The second game follows an Expert game: back at Standard, nothing of it remains.
    std::string fingerprints[2];
    for (std::string &fingerprint : fingerprints) {
        GameState game;
        if (&fingerprint == &fingerprints[1]) {
            game.setOpponents(Opponents::Expert);
            game.startNewGame();
            QVERIFY(game.playComputerMove() || game.playCard(game.getPlayers()[0].hand.cards[0]));
            game.setOpponents(Opponents::Standard);
        }
        std::srand(123);
        game.startNewGame();
        InvariantChecker checker(game);
        QVERIFY(playRounds(checker, game, 3).empty());
        fingerprint = GameStateTestAccess::fingerprint(game) + std::to_string(std::rand());
    }
    QCOMPARE(fingerprints[0], fingerprints[1]);
}

void SelfPlayTest::expertOpponentsPlayLegallyFromTheirOwnGenerator()
{
    for (const unsigned seed : {3u, 8u}) {
        std::srand(seed);
        GameState game;
        game.setOpponents(Opponents::Expert);
        QCOMPARE(game.opponents(), Opponents::Expert);
        game.startNewGame();
        InvariantChecker checker(game);
        QVERIFY(playRounds(checker, game, 3).empty());  // every card checked as legal
        while (game.isHumanMove())
            QVERIFY(checker.move().empty());
        // A copy is a game of its own that plays on alike, and no Expert move draws rand().
        GameState copy = game;
        QCOMPARE(countDraws(seed, [&copy] { QVERIFY(copy.playComputerMove()); }), 0);
        QVERIFY(game.playComputerMove());
        QCOMPARE(GameStateTestAccess::fingerprint(copy), GameStateTestAccess::fingerprint(game));
    }
}

void SelfPlayTest::brokenRulesAreNamed()
{
    std::srand(5);
    GameState game;
    game.startNewGame();
    InvariantChecker checker(game);
    QCOMPARE(checker.checkFreshRound(), std::string());
    std::vector<Card> &cards = GameStateTestAccess::players(game)[1].hand.cards;
    cards.pop_back();
    QCOMPARE(checker.checkConservation(),
             std::string("the hands and played cards are not the 52 cards of the deck"));
    const std::string fresh = checker.checkFreshRound();
    QVERIFY2(fresh.find(" was dealt 12 cards") != std::string::npos, fresh.c_str());
}

QTEST_APPLESS_MAIN(SelfPlayTest)
#include "tst_selfplay.moc"
