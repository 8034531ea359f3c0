// The round review against what the game showed as it was played, and against the rules:
// a round played by the hint costs nothing, and throwing away the trick a shortcall call
// needed is a slip.

#include "Coach.h"
#include "CoreTestSupport.h"
#include "RoundReview.h"

#include <QTest>

#include <algorithm>
#include <array>

namespace {

using coretest::cards;

// One trick as the table showed it when it was taken.
struct SeenTrick {
    std::vector<SeatCard> plays;
    int winner = -1;
};

// Plays the game's current round to its end, the human by the coach's hint, and keeps
// each trick as the game showed it.
std::vector<SeenTrick> playRoundByHints(GameState &game)
{
    std::vector<SeenTrick> seen;
    const unsigned round = game.getRound();
    while (game.getRound() == round) {
        const bool moved =
            game.isHumanMove() ? game.playCard(Coach::hint(game)) : game.playComputerMove();
        if (!moved)
            qFatal("a move was refused");
        if (game.getTrickPlays().empty())
            seen.push_back({game.getLastTrick(), game.getLastTrickWinnerSeat()});
    }
    return seen;
}

// A shortcall round whose last two tricks decide the human's call of 1: seat 1 wins the
// first eleven tricks with the top cards of each suit, then leads the King of clubs; seat 3
// must trump it, and the human, out of clubs and spades, keeps or throws away the Ace of
// hearts that alone wins the last trick.
RoundRecord neededWinnerRound(const char *discard)
{
    const std::array<const char *, 4> hands = {
        "S2 S4 S5 H3 H4 C2 C3 C4 D2 D3 D4 HA H2", "SA SK SQ HT H9 CA CQ CJ DA DK DJ CK HK",
        "SJ ST S9 H8 H7 CT C9 C8 DT D9 D8 DQ HQ", "S8 S7 S6 H6 H5 C7 C6 C5 D7 D6 D5 S3 HJ"};
    RoundRecord record;
    record.round = 2;
    record.shortcall = true;
    record.human = 0;
    record.calls = {1, 11, 0, 0};
    for (const char *hand : hands)
        record.dealt.push_back(cards(hand));
    // Tricks 1 to 11: every seat follows with its next card of the suit; seat 1 leads.
    const std::array<int, 11> suits = {0, 0, 0, 1, 1, 2, 2, 2, 3, 3, 3};
    const std::array<int, 4> first = {0, 3, 5, 8};  // where each suit starts in a hand
    for (std::size_t trick = 0; trick < suits.size(); ++trick) {
        const int suit = suits[trick];
        const int in_suit = int(std::count(suits.begin(), suits.begin() + long(trick), suit));
        for (int k = 0; k < 4; ++k) {
            const int seat = (1 + k) % 4;
            record.plays.push_back(
                {record.dealt[std::size_t(seat)][std::size_t(first[std::size_t(suit)] + in_suit)],
                 seat});
        }
    }
    const std::string kept = std::string(discard) == "HA" ? "H2" : "HA";
    for (const auto &[card, seat] : std::vector<std::pair<std::string, int>>{{"CK", 1},
                                                                             {"DQ", 2},
                                                                             {"S3", 3},
                                                                             {discard, 0},
                                                                             {"HJ", 3},
                                                                             {kept, 0},
                                                                             {"HK", 1},
                                                                             {"HQ", 2}})
        record.plays.push_back({coretest::card(card), seat});
    return record;
}

}  // namespace

class TestRoundReview : public QObject
{
    Q_OBJECT

private slots:
    void hintedRoundsMatchTheTable_data()
    {
        QTest::addColumn<Opponents>("opponents");
        QTest::addColumn<unsigned>("seed");
        QTest::newRow("standard") << Opponents::Standard << 7u;
        QTest::newRow("expert") << Opponents::Expert << 11u;
    }

    // Every trick as the table showed it, the running counts as the test counts them, and
    // no cost for a round played card by card as the hint said.
    void hintedRoundsMatchTheTable()
    {
        QFETCH(Opponents, opponents);
        QFETCH(unsigned, seed);
        GameState game;
        std::srand(seed);
        game.setOpponents(opponents);
        game.startNewGame();
        for (int played = 0; played < 3; ++played) {
            if (game.getRound() > 1)
                game.setHumanCall(3);
            const std::vector<SeenTrick> seen = playRoundByHints(game);
            const RoundReview review(game.getHistory().back());

            QCOMPARE(review.tricks().size(), seen.size());
            std::array<int, 4> taken{};
            for (std::size_t t = 0; t < seen.size(); ++t) {
                const RoundReview::Trick &trick = review.tricks()[t];
                ++taken[std::size_t(seen[t].winner)];
                QCOMPARE(trick.number, int(t) + 1);
                QCOMPARE(trick.winner, seen[t].winner);
                QCOMPARE(trick.tricks_after, taken);
                for (std::size_t k = 0; k < seen[t].plays.size(); ++k) {
                    QCOMPARE(trick.plays[k].card, seen[t].plays[k].card);
                    QCOMPARE(trick.plays[k].seat, seen[t].plays[k].seat);
                }
            }
            QCOMPARE(review.decisions().size(), std::size_t(13));
            for (const RoundReview::Decision &decision : review.decisions())
                QCOMPARE(decision.expert, decision.played);
            QCOMPARE(review.totalCost(), 0.0);
            QCOMPARE(review.biggestSlip(), 0);
            QCOMPARE(review.call().called, game.getRound() > 2);
            if (review.call().called)
                QCOMPARE(review.call().tricks, taken[std::size_t(game.getHumanPlayer())]);
        }
    }

    void aNeededWinnerThrownAwayIsASlip()
    {
        const RoundRecord thrown = neededWinnerRound("HA");
        // The review, coach's call included, leaves the game's rand() sequence alone.
        QCOMPARE(coretest::countDraws(5, [&thrown] { RoundReview{thrown}; }), 0);
        const RoundReview slip(thrown);
        QCOMPARE(slip.tricks().size(), std::size_t(13));
        QCOMPARE(slip.tricks().back().tricks_after[0], 0);
        QCOMPARE(slip.biggestSlip(), 12);
        QCOMPARE(slip.decisions()[11].expert, coretest::card("H2"));
        QVERIFY(slip.decisions()[11].noticeable());

        const RoundReview kept(neededWinnerRound("H2"));
        QCOMPARE(kept.tricks().back().tricks_after[0], 1);
        QCOMPARE(kept.decisions()[11].expert, coretest::card("H2"));
        QCOMPARE(kept.decisions()[11].cost, 0.0);

        // A record that does not add up is not replayed.
        RoundRecord broken = neededWinnerRound("H2");
        broken.plays.pop_back();
        QVERIFY(RoundReview(broken).tricks().empty());
        broken = neededWinnerRound("H2");
        std::swap(broken.plays[0].seat, broken.plays[1].seat);
        QVERIFY(RoundReview(broken).decisions().empty());
    }
};

QTEST_GUILESS_MAIN(TestRoundReview)
#include "tst_roundreview.moc"
