// The game state: starting a game, the deal, turns and tricks, the round roll-over with
// its scoring and calls, the order of rand() draws, and refused moves.

#include "CoreTestSupport.h"

#include <QTest>

#include <algorithm>
#include <set>

using namespace coretest;

namespace {

using Access = GameStateTestAccess;

const std::vector<std::string> expectedOpponentNames = {
    "Alcatraz", "Alistair", "Altair", "Desmond",  "Ezio",    "Geralt",  "Hawk",  "Isaac", "Jensen",
    "Lara",     "Leliana",  "Mordin", "Morrigan", "Miranda", "Shepard", "Triss", "Wei"};

// Plays one move for whoever is to move; the human plays its first legal card.
void playAnyMove(GameState &game)
{
    if (game.isHumanMove()) {
        const Player human = game.getPlayers()[0];
        QVERIFY(game.playCard(human.hand.legalCards(game.getTrick()).front()));
    } else {
        QVERIFY(game.playComputerMove());
    }
}

}  // namespace

class GameStateTest : public QObject
{
    Q_OBJECT

private slots:
    void beforeTheFirstGame();
    void newGameDrawsNamesDealAndFirstPlayer();
    void dealPositionsAndRedeal();
    void badHands_data();
    void badHands();
    void dealNeverKeepsABadHand();
    void dealRefusesAnIncompleteDeck();
    void shortcall_data();
    void shortcall();
    void fourMovesCompleteATrick();
    void humanMoveUsesTheHeldCard();
    void refusedMovesChangeNothing_data();
    void refusedMovesChangeNothing();
    void humanWritesAreGuarded();
    void lastMoveOfRoundOneRollsOver();
    void lastTrickIsScoredBeforeTheDeal_data();
    void lastTrickIsScoredBeforeTheDeal();
    void laterRoundDrawOrder();
};

void GameStateTest::beforeTheFirstGame()
{
    GameState game;
    QCOMPARE(game.getRound(), 0u);
    QVERIFY(game.getPlayers().empty());
    QVERIFY(game.getTrick().empty());
    QCOMPARE(game.getCompletedTricks(), 0);
    QVERIFY(game.getLastTrickWinner() == Card());
    QVERIFY(game.getMove() == Card());
    QCOMPARE(game.getHumanPlayer(), 0);
    QVERIFY(game.isHumanMove());
    QVERIFY(!game.isShortcall());
    const std::string before = Access::fingerprint(game);
    QCOMPARE(countDraws(1,
                        [] {
                            GameState g;
                            g.startNewRound();
                            g.playComputerMove();
                            g.playCard(card("SA"));
                        }),
             0);
    game.startNewRound();  // no players: nothing to deal to
    QVERIFY(!game.playComputerMove());
    QVERIFY(!game.playCard(card("SA")));
    QCOMPARE(Access::fingerprint(game), before);
}

void GameStateTest::newGameDrawsNamesDealAndFirstPlayer()
{
    for (unsigned seed : {1u, 77u, 31337u}) {
        std::srand(seed);
        std::vector<std::string> names = expectedOpponentNames;
        randomShuffle(names);
        const std::vector<Hand> hands = GameState().deal(makeDeck());  // the same draws
        const int first = std::rand() % 4;
        const int next = std::rand();

        std::srand(seed);
        GameState game;
        game.startNewGame();
        QCOMPARE(std::rand(), next);  // nothing else was drawn

        const std::vector<Player> players = game.getPlayers();
        QCOMPARE(players.size(), std::size_t(4));
        QCOMPARE(game.getRound(), 1u);
        QCOMPARE(game.getCurrentPlayer(), first);
        QVERIFY(!game.isShortcall());
        QCOMPARE(players[0].name, std::string("Player"));
        std::set<std::string> distinct;
        for (std::size_t seat = 0; seat < 4; ++seat) {
            QCOMPARE(toShortString(players[seat].hand.cards), toShortString(hands[seat].cards));
            QCOMPARE(players[seat].call, 0);
            QCOMPARE(players[seat].tricks, 0);
            QCOMPARE(players[seat].points, 0);
            QVERIFY(players[seat].win_counts.empty());  // no estimate in round 1
            if (seat > 0) {
                QCOMPARE(players[seat].name, names[seat - 1]);
                QVERIFY(std::find(expectedOpponentNames.begin(), expectedOpponentNames.end(),
                                  players[seat].name)
                        != expectedOpponentNames.end());
                distinct.insert(players[seat].name);
            }
        }
        QCOMPARE(distinct.size(), std::size_t(3));
        QVERIFY(game.getRoundCards().empty());
        QCOMPARE(game.getCompletedTricks(), 0);
    }
    std::srand(5);
    const std::vector<std::string> three = opponentNames();
    std::srand(5);
    std::vector<std::string> expected = expectedOpponentNames;
    randomShuffle(expected);
    QCOMPARE(three, std::vector<std::string>(expected.begin(), expected.begin() + 3));
}

void GameStateTest::dealPositionsAndRedeal()
{
    // Seed 1's first shuffle is kept; seed 12's first leaves the fourth hand without an
    // honour and is dealt again. The expected hands are glibc's rand() sequence.
    const std::vector<std::string> seed12 = {
        "SQ HA D3 C7 S2 HT SA CT D7 C2 DT S3 H4", "H6 C5 HJ C8 D8 HK D4 S8 CK D6 SK H7 DA",
        "H3 D2 H8 S9 S7 ST S5 S6 CQ C6 H5 C4 D5", "HQ DJ C3 D9 DK SJ DQ CJ S4 CA H9 C9 H2"};
    std::srand(12);
    std::vector<Card> first = makeDeck();
    randomShuffle(first);
    QVERIFY(isBadHand({first[3], first[7], first[11], first[15], first[19], first[23], first[27],
                       first[31], first[35], first[39], first[43], first[47], first[51]}));

    for (unsigned seed : {1u, 12u}) {
        std::srand(seed);
        std::vector<Card> deck = makeDeck();
        randomShuffle(deck);  // the first attempt, dealt position i -> hand i % 4

        GameState game;
        QCOMPARE(countDraws(seed, [&] { game.deal(makeDeck()); }), seed == 1 ? 51 : 102);

        std::srand(seed);
        const std::vector<Hand> hands = game.deal(makeDeck());
        QCOMPARE(hands.size(), std::size_t(4));
        for (std::size_t h = 0; h < 4; ++h) {
            QCOMPARE(hands[h].players_per_trick, 4);
            QCOMPARE(hands[h].sure_win_threshold, 80);
            if (seed == 12) {
                QCOMPARE(toShortString(hands[h].cards), seed12[h]);
                continue;
            }
            for (std::size_t k = 0; k < 13; ++k)
                QVERIFY(hands[h].cards[k] == deck[4 * k + h]);
        }
    }
}

void GameStateTest::badHands_data()
{
    // A table reads best one row a line.
    // clang-format off
    QTest::addColumn<QString>("hand");
    QTest::addColumn<bool>("bad");
    QTest::newRow("spade and honour") << "S2 H3 D4 C5 H6 D7 C8 H9 DT C2 H4 D5 CK" << false;
    QTest::newRow("no honour") << "S2 H3 D4 C5 H6 D7 C8 H9 DT C2 H4 D5 C6" << true;
    QTest::newRow("no spade") << "HA H3 D4 C5 H6 D7 C8 H9 DT C2 H4 D5 CK" << true;
    QTest::newRow("four aces") << "SA HA DA CA H6 D7 C8 H9 DT C2 H4 D5 CK" << true;
    QTest::newRow("three aces") << "SA HA DA C3 H6 D7 C8 H9 DT C2 H4 D5 C4" << false;
    QTest::newRow("empty") << "" << true;
    // clang-format on
}

void GameStateTest::badHands()
{
    QFETCH(QString, hand);
    QFETCH(bool, bad);
    QCOMPARE(isBadHand(cards(hand.toStdString())), bad);
}

void GameStateTest::dealNeverKeepsABadHand()
{
    GameState game;
    for (unsigned seed = 1; seed <= 400; ++seed) {
        std::srand(seed);
        const std::vector<Hand> hands = game.deal(makeDeck());
        std::vector<Card> all;
        for (const Hand &h : hands) {
            QCOMPARE(h.cards.size(), std::size_t(13));
            QVERIFY(!isBadHand(h.cards));
            all.insert(all.end(), h.cards.begin(), h.cards.end());
        }
        std::vector<Card> deck = makeDeck();
        std::stable_sort(all.begin(), all.end());
        std::stable_sort(deck.begin(), deck.end());
        QCOMPARE(toShortString(all), toShortString(deck));
    }
}

void GameStateTest::dealRefusesAnIncompleteDeck()
{
    // Such a deck could never pass the checks: re-dealing it would never end.
    GameState game;
    std::vector<Card> noSpades;
    for (const Card &c : makeDeck())
        if (c.suit != Spades)
            noSpades.push_back(c);
    std::vector<Card> doubled = makeDeck();
    doubled[5] = doubled[6];
    for (const std::vector<Card> &deck : {std::vector<Card>(), noSpades, doubled}) {
        QCOMPARE(countDraws(3, [&] { game.deal(deck); }), 0);
        const std::vector<Hand> hands = game.deal(deck);
        QCOMPARE(hands.size(), std::size_t(4));
        for (const Hand &h : hands)
            QVERIFY(h.cards.empty());
    }
}

void GameStateTest::shortcall_data()
{
    // A table reads best one row a line.
    // clang-format off
    QTest::addColumn<unsigned>("round");
    QTest::addColumn<QList<int>>("calls");
    QTest::addColumn<bool>("shortcall");
    QTest::newRow("sum 12 in round 2") << 2u << QList<int>{3, 3, 3, 3} << true;
    QTest::newRow("sum 13 in round 2") << 2u << QList<int>{4, 3, 3, 3} << false;
    QTest::newRow("sum 8 in round 9") << 9u << QList<int>{2, 2, 2, 2} << true;
    QTest::newRow("human call counts") << 3u << QList<int>{5, 3, 3, 3} << false;
    QTest::newRow("round 1 never") << 1u << QList<int>{0, 0, 0, 0} << false;
    QTest::newRow("round 1 never, whatever the calls") << 1u << QList<int>{3, 3, 3, 3} << false;
    QTest::newRow("round 0 never") << 0u << QList<int>{2, 2, 2, 2} << false;
    // clang-format on
}

void GameStateTest::shortcall()
{
    QFETCH(unsigned, round);
    QFETCH(QList<int>, calls);
    QFETCH(bool, shortcall);
    GameState game;
    Access::stage(game, {"", "", "", ""}, 0, round);
    for (std::size_t i = 0; i < 4; ++i)
        Access::players(game)[i].call = calls[static_cast<qsizetype>(i)];
    QCOMPARE(game.isShortcall(), shortcall);
}

void GameStateTest::fourMovesCompleteATrick()
{
    GameState game;
    Access::stage(game, {"H9 C3", "H5 SK", "HK D2", "S2 D3"}, 1);
    const std::vector<Player> before = game.getPlayers();

    QVERIFY(!game.isHumanMove());
    QVERIFY(game.playComputerMove());  // H5: the low card, SK is no master
    QVERIFY(game.playComputerMove());  // HK: the only heart
    QVERIFY(game.playComputerMove());  // S2: must trump, lowest spade
    QCOMPARE(toShortString(game.getTrick()), std::string("H5 HK S2"));
    QCOMPARE(game.getMove().toShortString(), std::string("S2"));
    QCOMPARE(Access::trickSize(game), 3);
    QCOMPARE(Access::trickOwners(game).at(card("H5")), 1);
    QCOMPARE(Access::trickOwners(game).at(card("S2")), 3);
    QCOMPARE(game.getTrickPlays().back().seat, 3);
    QVERIFY(game.getLastTrick().empty());
    QVERIFY(game.isHumanMove());
    QCOMPARE(game.getCompletedTricks(), 0);

    QVERIFY(game.playCard(card("H9")));
    QVERIFY(game.getTrick().empty());
    QVERIFY(Access::trickOwners(game).empty());
    QCOMPARE(Access::trickSize(game), 0);
    QCOMPARE(game.getCompletedTricks(), 1);
    QCOMPARE(game.getLastTrickWinner().toShortString(), std::string("S2"));
    QCOMPARE(game.getCurrentPlayer(), 3);  // the winner leads
    QCOMPARE(toShortString(game.getRoundCards()), std::string("H5 HK S2 H9"));
    QVERIFY(game.getTrickPlays().empty());
    QCOMPARE(game.getLastTrickWinnerSeat(), 3);
    std::string seats;
    for (const SeatCard &played : game.getLastTrick())
        seats += played.card.toShortString() + '=' + std::to_string(played.seat) + ' ';
    QCOMPARE(seats, std::string("H5=1 HK=2 S2=3 H9=0 "));
    QCOMPARE(game.getRoundPlays().size(), std::size_t(4));
    const std::vector<Player> after = game.getPlayers();
    for (std::size_t i = 0; i < 4; ++i) {
        QCOMPARE(after[i].tricks, before[i].tricks + (i == 3 ? 1 : 0));
        QCOMPARE(after[i].hand.cards.size(), std::size_t(1));
    }
}

void GameStateTest::humanMoveUsesTheHeldCard()
{
    GameState game;
    Access::stage(game, {"HA C3", "H5 C2", "H6 C4", "H7 C5"}, 0);
    Card odd = card("HA");
    odd.value = 9;  // same suit and rank: equal, but not the held card's fields
    odd.suit_order = 0;
    QVERIFY(game.playCard(odd));
    QCOMPARE(game.getMove().value, int(Ace));
    QCOMPARE(game.getMove().suit_order, 4);
    QCOMPARE(game.getTrick().front().value, int(Ace));
    QCOMPARE(toShortString(game.getPlayers()[0].hand.cards), std::string("C3"));
}

void GameStateTest::refusedMovesChangeNothing_data()
{
    // A table reads best one row a line.
    // clang-format off
    QTest::addColumn<int>("current");
    QTest::addColumn<QString>("card");  // empty: a computer move
    QTest::newRow("computer move on the human's turn") << 0 << "";
    QTest::newRow("human card on a computer's turn") << 1 << "H9";
    QTest::newRow("card not held") << 0 << "DA";
    QTest::newRow("illegal card: must follow hearts") << 0 << "C3";
    QTest::newRow("illegal spade: must follow hearts") << 0 << "S4";
    QTest::newRow("the no-card value") << 0 << "--";
    // clang-format on
}

void GameStateTest::refusedMovesChangeNothing()
{
    QFETCH(int, current);
    QFETCH(QString, card);
    GameState game;
    Access::stage(game, {"H9 C3 S4", "H5 SK", "HK D2 D5", "S2 D3 C8"}, 1);
    QVERIFY(game.playComputerMove());
    QVERIFY(game.playComputerMove());
    QVERIFY(game.playComputerMove());
    QCOMPARE(toShortString(game.getTrick()), std::string("H5 HK S2"));
    QVERIFY(game.isHumanMove());

    Access::setCurrentPlayer(game, current);
    const std::string before = Access::fingerprint(game);
    const auto attempt = [&](GameState &g) {
        if (card.isEmpty())
            return g.playComputerMove();
        return g.playCard(card == "--" ? Card() : coretest::card(card.toStdString()));
    };
    GameState copy = game;
    QCOMPARE(countDraws(9, [&] { attempt(copy); }), 0);
    QVERIFY(!attempt(game));
    QCOMPARE(Access::fingerprint(game), before);
}

void GameStateTest::humanWritesAreGuarded()
{
    GameState none;
    none.setHumanName("Ann");
    none.setHumanCall(4);
    QVERIFY(none.getPlayers().empty());

    GameState game;
    std::srand(2);
    game.startNewGame();
    const std::string name = "Åsa \xF0\x9F\x82\xA1 O'Neil";
    game.setHumanName(name);
    QCOMPARE(game.getPlayers()[0].name, name);  // kept byte for byte
    game.setHumanCall(13);
    QCOMPARE(game.getPlayers()[0].call, 13);
    game.setHumanCall(0);
    QCOMPARE(game.getPlayers()[0].call, 0);
    game.setHumanCall(5);
    game.setHumanCall(-1);
    game.setHumanCall(14);
    game.setHumanCall(2147483647);
    QCOMPARE(game.getPlayers()[0].call, 5);
    for (std::size_t seat = 1; seat < 4; ++seat)
        QCOMPARE(game.getPlayers()[seat].call, 0);
}

void GameStateTest::lastMoveOfRoundOneRollsOver()
{
    GameState game;
    std::srand(606);
    game.startNewGame();
    game.setHumanCall(7);  // the driver's value: the roll-over must keep it
    for (int move = 0; move < 51; ++move)
        playAnyMove(game);
    QCOMPARE(game.getCompletedTricks(), 12);
    QCOMPARE(game.getRound(), 1u);

    const std::vector<Player> before = game.getPlayers();
    std::vector<SeatCard> lastTrick = game.getTrickPlays();
    const int seat = game.getCurrentPlayer();
    const Card lastCard = before[static_cast<std::size_t>(seat)].hand.cards.front();
    lastTrick.push_back({lastCard, seat});
    std::vector<Card> lastCards;
    for (const SeatCard &played : lastTrick)
        lastCards.push_back(played.card);
    const Card winner = trickWinner(lastCards);
    const int winnerSeat = std::find_if(lastTrick.begin(), lastTrick.end(), [&](const SeatCard &p) {
                               return p.card == winner;
                           })->seat;

    playAnyMove(game);
    QCOMPARE(game.getRound(), 2u);
    QCOMPARE(game.getCompletedTricks(), 0);
    QVERIFY(game.getTrick().empty());
    QVERIFY(game.getRoundCards().empty());
    QVERIFY(game.getLastTrickWinner() == winner);
    QVERIFY(game.getMove() == lastCard);

    const std::vector<Player> after = game.getPlayers();
    int total = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        const int tricks = before[i].tricks + (static_cast<int>(i) == winnerSeat ? 1 : 0);
        total += tricks;
        QCOMPARE(after[i].points, before[i].points + tricks);
        QCOMPARE(after[i].tricks, 0);
        QCOMPARE(after[i].hand.cards.size(), std::size_t(13));
        if (i == 0) {
            QCOMPARE(after[i].call, 7);
            QVERIFY(after[i].win_counts.empty());
        } else {
            QVERIFY(after[i].call >= 2);
            QCOMPARE(after[i].win_counts.size(), std::size_t(13));
            for (std::size_t k = 0; k < 13; ++k)
                QVERIFY(after[i].win_counts[k].card == after[i].hand.cards[k]);
        }
    }
    QCOMPARE(total, 13);
}

void GameStateTest::lastTrickIsScoredBeforeTheDeal_data()
{
    // A table reads best one row a line.
    // clang-format off
    QTest::addColumn<QList<int>>("calls");
    QTest::addColumn<QList<int>>("points");
    // Tricks before the last: 3, 2, 4, 3; the human's Ace takes the 13th.
    QTest::newRow("shortcall: only exact calls score") << QList<int>{3, 3, 3, 3}
                                                      << QList<int>{-3, -3, -3, 3};
    QTest::newRow("calls of 13: at least the call") << QList<int>{4, 3, 3, 3}
                                                    << QList<int>{4, -3, 3, 3};
    // clang-format on
}

void GameStateTest::lastTrickIsScoredBeforeTheDeal()
{
    QFETCH(QList<int>, calls);
    QFETCH(QList<int>, points);
    GameState game;
    Access::stage(game, {"HA", "H2", "H3", "H4"}, 1, 3);
    Access::setCompletedTricks(game, 12);
    const std::vector<int> tricks = {3, 2, 4, 3};
    for (std::size_t i = 0; i < 4; ++i) {
        Player &p = Access::players(game)[i];
        p.call = calls[static_cast<qsizetype>(i)];
        p.tricks = tricks[i];
        p.points = 100;
    }
    QVERIFY(game.playComputerMove());
    QVERIFY(game.playComputerMove());
    QVERIFY(game.playComputerMove());
    QVERIFY(game.playCard(card("HA")));
    QCOMPARE(game.getRound(), 4u);
    QVERIFY(game.getLastTrickWinner() == card("HA"));
    const std::vector<Player> after = game.getPlayers();
    for (std::size_t i = 0; i < 4; ++i)
        QCOMPARE(after[i].points, 100 + points[static_cast<qsizetype>(i)]);
    QCOMPARE(after[0].call, calls[0]);

    // The score pad's line of the round, and the thirteenth trick kept past the deal.
    QCOMPARE(game.getHistory().size(), std::size_t(1));
    const RoundRecord &record = game.getHistory().front();
    QCOMPARE(record.round, 3u);
    QCOMPARE(record.shortcall, calls[0] == 3);
    for (std::size_t i = 0; i < 4; ++i) {
        QCOMPARE(record.seats[i].call, calls[static_cast<qsizetype>(i)]);
        QCOMPARE(record.seats[i].tricks, tricks[i] + (i == 0 ? 1 : 0));
        QCOMPARE(record.seats[i].gained, points[static_cast<qsizetype>(i)]);
        QCOMPARE(record.seats[i].total, after[i].points);
    }
    QCOMPARE(game.getLastTrick().size(), std::size_t(4));
    QCOMPARE(game.getLastTrick().back().seat, 0);
    QCOMPARE(game.getLastTrickWinnerSeat(), 0);
    QVERIFY(game.getRoundPlays().empty());
}

void GameStateTest::laterRoundDrawOrder()
{
    // From round 2 on: the deal, the first player, then seats 1, 2, 3 estimate in order.
    const unsigned seed = 4711;
    GameState game;
    Access::stage(game, {"", "", "", ""}, 2, 1);
    Access::players(game)[0].call = 6;

    std::srand(seed);
    const std::vector<Hand> hands = GameState().deal(makeDeck());  // the same draws
    const int first = std::rand() % 4;
    std::vector<Player> estimates(4);
    for (std::size_t seat = 1; seat < 4; ++seat) {
        estimates[seat].hand.cards = hands[seat].cards;
        estimates[seat].estimateCall();
    }
    const int next = std::rand();

    std::srand(seed);
    game.startNewRound();
    QCOMPARE(std::rand(), next);
    QCOMPARE(game.getRound(), 2u);
    QCOMPARE(game.getCurrentPlayer(), first);
    const std::vector<Player> players = game.getPlayers();
    QCOMPARE(players[0].call, 6);
    QVERIFY(players[0].win_counts.empty());
    for (std::size_t seat = 1; seat < 4; ++seat) {
        QCOMPARE(players[seat].call, estimates[seat].call);
        QCOMPARE(players[seat].win_counts.size(), std::size_t(13));
        for (std::size_t k = 0; k < 13; ++k)
            QCOMPARE(players[seat].win_counts[k].wins, estimates[seat].win_counts[k].wins);
    }
}

QTEST_APPLESS_MAIN(GameStateTest)
#include "tst_gamestate.moc"
