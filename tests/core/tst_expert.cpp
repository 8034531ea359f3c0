// The Expert's pieces against independent yardsticks: its bit-set decision list against the
// game's own Hand::chooseCard, its reading of the hidden cards against the real hands of
// self-played games, and its choice where the round's scoring leaves one right card or call.

#include "CallAwarePolicy.h"
#include "CardBits.h"
#include "CoreTestSupport.h"
#include "ExpertPlayer.h"
#include "GuessedHand.h"
#include "HiddenCards.h"
#include "InvariantChecker.h"
#include "OrderedHand.h"
#include "StandardPolicy.h"

#include <QTest>

#include <algorithm>
#include <bit>

using namespace cardbits;

namespace {

// The suits each seat has shown it lacks, read from the plays by the follow-suit rule.
std::array<CardSet, 4> shownVoids(const std::vector<SeatCard> &plays)
{
    std::array<CardSet, 4> voids{};
    for (std::size_t k = 0; k < plays.size(); ++k) {
        const int led = plays[k - k % 4].card.suit;
        if (plays[k].card.suit != led)
            voids[static_cast<std::size_t>(plays[k].seat)] |= laneSet(led - 1);
    }
    return voids;
}

}  // namespace

class ExpertTest : public QObject
{
    Q_OBJECT

private slots:
    void standardListMatchesTheGame();
    void callAwarePolicyDucksOnceMade();
    void hiddenCardsHoldTheRealHands_data();
    void hiddenCardsHoldTheRealHands();
    void shortcallScoringPicksTheExactCard_data();
    void shortcallScoringPicksTheExactCard();
    void callFitsTheTricksTheHandMustTake_data();
    void callFitsTheTricksTheHandMustTake();
};

// Random deals and random legal plays so far: both hands on sets choose the card the game's
// list chooses. OrderedHand keeps the hand's order and must draw the very same values;
// GuessedHand reads the hand in index order, so it is compared on a hand sorted that way.
void ExpertTest::standardListMatchesTheGame()
{
    SeededRandom positions(23);
    for (int n = 0; n < 3000; ++n) {
        std::vector<Card> deck = makeDeck();
        for (std::size_t i = 1; i < deck.size(); ++i)
            std::swap(deck[i], deck[static_cast<std::size_t>(positions.next()) % (i + 1)]);
        std::array<Hand, 4> hands;
        for (std::size_t i = 0; i < deck.size(); ++i)
            hands[i % 4].cards.push_back(deck[i]);
        std::vector<Card> trick, played;
        TrickOnSets sets;
        int seat = positions.next() % 4;
        for (int k = positions.next() % 52; k > 0; --k) {
            const std::vector<Card> legal = hands[static_cast<std::size_t>(seat)].legalCards(trick);
            const Card card = legal[static_cast<std::size_t>(positions.next()) % legal.size()];
            hands[static_cast<std::size_t>(seat)].removeCard(card);
            trick.push_back(card);
            played.push_back(card);
            sets.add(indexOf(card), seat);
            seat = (seat + 1) % 4;
            if (sets.full()) {
                seat = sets.winner_seat;
                sets.size = 0;
                trick.clear();
            }
        }
        const Hand hand = hands[static_cast<std::size_t>(seat)];
        QCOMPARE(legalCards(setOf(hand.cards), sets), setOf(hand.legalCards(trick)));

        Hand reference = hand;
        SeededRandom reference_random(n), ordered_random(n);
        const Card expected = reference.chooseCard(trick, played, false, {}, reference_random);
        OrderedHand ordered;
        for (const Card &card : hand.cards)
            ordered.deal(indexOf(card));
        QCOMPARE(cardOf(chooseStandardCard(ordered, sets, ordered_random)), expected);
        QCOMPARE(ordered_random.next(), reference_random.next());

        Hand by_index = hand;
        std::sort(by_index.cards.begin(), by_index.cards.end(),
                  [](const Card &a, const Card &b) { return indexOf(a) < indexOf(b); });
        SeededRandom index_random(n), guessed_random(n);
        const GuessedHand::SuitLengths lengths{};
        GuessedHand guessed(setOf(by_index.cards), lengths, false);
        QCOMPARE(cardOf(chooseStandardCard(guessed, sets, guessed_random)),
                 by_index.chooseCard(trick, played, false, {}, index_random));
    }
}

// Random deals and legal plays so far, a random call and tricks taken in a shortcall round:
// the call-aware card and another seat's guessed card are ones the game allows, and once
// the call is made the call-aware card does not take the trick when the hand holds a card
// that would not (the game's trickWinner decides).
void ExpertTest::callAwarePolicyDucksOnceMade()
{
    SeededRandom positions(31);
    for (int n = 0; n < 3000; ++n) {
        std::vector<Card> deck = makeDeck();
        for (std::size_t i = 1; i < deck.size(); ++i)
            std::swap(deck[i], deck[static_cast<std::size_t>(positions.next()) % (i + 1)]);
        PlayoutTable table;
        std::array<Hand, 4> hands;
        for (std::size_t i = 0; i < deck.size(); ++i) {
            hands[i % 4].cards.push_back(deck[i]);
            table.hands[i % 4] |= bitOf(indexOf(deck[i]));
        }
        std::vector<Card> trick;
        table.to_move = positions.next() % 4;
        for (int k = positions.next() % 52; k > 0; --k) {
            Hand &hand = hands[static_cast<std::size_t>(table.to_move)];
            const std::vector<Card> legal = hand.legalCards(trick);
            const Card card = legal[static_cast<std::size_t>(positions.next()) % legal.size()];
            hand.removeCard(card);
            trick.push_back(card);
            table.play(indexOf(card));
            if (table.trick.size == 0)
                trick.clear();
        }
        const auto mover = static_cast<std::size_t>(table.to_move);
        const int call = 2 + positions.next() % 4;
        table.tricks[mover] = positions.next() % 7;
        SeededRandom random(n);
        const Card chosen = cardOf(callaware::chooseCard(table, call, true, random));
        const std::vector<Card> legal = hands[mover].legalCards(trick);
        QVERIFY(std::find(legal.begin(), legal.end(), chosen) != legal.end());
        const Card guessed = cardOf(callaware::guessCard(table, call, true, random));
        QVERIFY(std::find(legal.begin(), legal.end(), guessed) != legal.end());
        if (table.tricks[mover] < call || trick.empty())
            continue;
        const auto takes = [&trick](const Card &card) {
            std::vector<Card> with = trick;
            with.push_back(card);
            return trickWinner(with) == card;
        };
        if (!std::all_of(legal.begin(), legal.end(), takes))
            QVERIFY(!takes(chosen));
    }
}

void ExpertTest::hiddenCardsHoldTheRealHands_data()
{
    QTest::addColumn<bool>("expert");
    QTest::newRow("standard") << false;
    QTest::newRow("expert") << true;
}

// At every decision of seeded games, each other seat's real hand lies inside what the
// reading allows, and every sampled deal gives each seat its count, inside that, and
// nothing of a suit the seat has shown it lacks.
void ExpertTest::hiddenCardsHoldTheRealHands()
{
    QFETCH(bool, expert);
    SeededRandom deals(5);
    for (const unsigned seed : {2u, 11u}) {
        std::srand(seed);
        GameState game;
        game.setOpponents(expert ? Opponents::Expert : Opponents::Standard);
        game.startNewGame();
        InvariantChecker checker(game);
        while (checker.roundsDone() < 4) {
            checker.humanCalls();
            const unsigned round = game.getRound();
            while (game.getRound() == round) {
                const ExpertPosition position = game.expertPosition();
                const std::vector<Player> players = game.getPlayers();
                const HiddenCards hidden = HiddenCards::read(position, setOf(position.hand),
                                                             setOf(game.getRoundCards()), true);
                const std::array<CardSet, 4> voids = shownVoids(position.plays);
                for (std::size_t s = 0; s < 4; ++s) {
                    if (int(s) == position.seat)
                        continue;
                    const CardSet real = setOf(players[s].hand.cards);
                    QCOMPARE(real & ~hidden.allowed()[s], CardSet{0});
                    QCOMPARE(hidden.held()[s], std::popcount(real));
                }
                for (int sample = 0; sample < 8; ++sample) {
                    HiddenCards::Hands dealt{};
                    QVERIFY(hidden.deal(true, deals, dealt));
                    CardSet all = 0;
                    for (std::size_t s = 0; s < 4; ++s) {
                        QCOMPARE(std::popcount(dealt[s]), hidden.held()[s]);
                        QCOMPARE(dealt[s] & ~hidden.allowed()[s], CardSet{0});
                        QCOMPARE(dealt[s] & voids[s], CardSet{0});
                        all |= dealt[s];
                    }
                    QCOMPARE(all, hidden.unknown());
                }
                QVERIFY(checker.move().empty());
            }
        }
    }
}

void ExpertTest::shortcallScoringPicksTheExactCard_data()
{
    QTest::addColumn<int>("call");
    QTest::addColumn<QString>("expected");
    // Two tricks taken. HA takes exactly one more; C2 takes none or, in the last trick, one.
    QTest::newRow("one more trick") << 3 << "HA";
    QTest::newRow("no more tricks") << 2 << "C2";
}

// Eleven tricks played (seat 0 took two, the others three each against calls of two, so
// their points are settled); seat 0 leads from HA C2, and H3-H5, C3-C5 are hidden.
void ExpertTest::shortcallScoringPicksTheExactCard()
{
    QFETCH(int, call);
    QFETCH(QString, expected);
    const char *tricks[] = {"S2 S3 S4 S5", "S6 S7 S9 S8", "SK SJ SQ ST", "D2 D5 D3 D4",
                            "D6 D7 D9 D8", "DT DK DJ DQ", "H2 H6 H7 H8", "H9 HT HQ HJ",
                            "C6 C9 C7 C8", "CK CT CJ CQ", "DA CA HK SA"};
    ExpertPosition position;
    for (const char *trick : tricks) {
        int seat = 0;
        for (const Card &card : coretest::cards(trick))
            position.plays.push_back({card, seat++});
    }
    position.hand = coretest::cards("HA C2");
    position.calls = {call, 2, 2, 2};
    position.shortcall = true;
    ExpertPlayer expert(9);
    QCOMPARE(QString::fromStdString(expert.chooseCard(position).toShortString()), expected);
}

void ExpertTest::callFitsTheTricksTheHandMustTake_data()
{
    QTest::addColumn<QString>("hand");
    QTest::addColumn<int>("estimate");
    QTest::addColumn<int>("expected");
    // Every spade takes a trick; low cards of three suits take none, since whoever lacks
    // their suit must trump. Either way, the call nearest the tricks taken scores best.
    QTest::newRow("all thirteen spades")
        << "SA SK SQ SJ ST S9 S8 S7 S6 S5 S4 S3 S2" << 12 << 13;
    QTest::newRow("nothing that can win") << "H2 H3 H4 H5 D2 D3 D4 D5 C2 C3 C4 C5 C6" << 3 << 2;
    QTest::newRow("no estimate") << "H2 H3 H4 H5 D2 D3 D4 D5 C2 C3 C4 C5 C6" << 0 << 2;
}

// Seat 2 calls last, after calls of 2, 3 and 2.
void ExpertTest::callFitsTheTricksTheHandMustTake()
{
    QFETCH(QString, hand);
    QFETCH(int, estimate);
    QFETCH(int, expected);
    ExpertPosition position;
    position.seat = 2;
    position.hand = coretest::cards(hand.toStdString().c_str());
    position.calls = {2, 3, 0, 2};
    position.describeSeats(2, Opponents::Standard);
    ExpertPlayer expert(5);
    QCOMPARE(expert.chooseCall(position, estimate), expected);
}

QTEST_APPLESS_MAIN(ExpertTest)
#include "tst_expert.moc"
