// The computer player: hand analysis (master cards, the low card), the card decision
// list and the call estimate, including the exact use of rand().

#include "CoreTestSupport.h"

#include <QTest>

#include <algorithm>
#include <numeric>

using namespace coretest;

namespace {

std::vector<CardWinCount> parseWins(const QString &text)
{
    std::vector<CardWinCount> result;
    for (const QString &entry : text.split(' ', Qt::SkipEmptyParts)) {
        const QStringList parts = entry.split(':');
        result.push_back({card(parts[0].toStdString()), parts[1].toInt()});
    }
    return result;
}

QString cardName(const Card &c)
{
    return QString::fromStdString(c.toShortString());
}

}  // namespace

class ComputerTest : public QObject
{
    Q_OBJECT

private slots:
    void orderings();
    void masterCard_data();
    void masterCard();
    void lowCardFromShortestSuit();
    void lowCardRandomAmongZeroScores();
    void lowCardRunOfLowNonSpades_data();
    void lowCardRunOfLowNonSpades();
    void lowCardAllHighDrawsNothing();
    void lowCardSpadesOnly();
    void chooseByWinCount_data();
    void chooseByWinCount();
    void chooseBeatingCard_data();
    void chooseBeatingCard();
    void decisionList_data();
    void decisionList();
    void leadPicksARandomMasterCard();
    void choicesAreLegalAndRemoved();
    void roundCall_data();
    void roundCall();
    void estimateOfAllSpadesIsThirteen();
    void estimateCountsAndDraws();
    void estimateOfWeakHandIsMinimum();
    void estimateNeedsAFullHand();
};

void ComputerTest::orderings()
{
    QVERIFY(trumpRankLess(card("HK"), card("S2")));
    QVERIFY(!trumpRankLess(card("S2"), card("HK")));
    QVERIFY(trumpRankLess(card("S2"), card("S3")));
    QVERIFY(trumpRankLess(card("D4"), card("H5")));  // non-spades by rank alone
    QVERIFY(!trumpRankLess(card("D5"), card("H5")));
    QVERIFY(!trumpRankLess(card("H5"), card("D5")));

    QVERIFY(winCountLess({card("SA"), 3}, {card("H2"), 4}));
    QVERIFY(!winCountLess({card("SA"), 4}, {card("H2"), 4}));
    QVERIFY(winCountGreater({card("H2"), 5}, {card("SA"), 4}));
    QVERIFY(winCountGreater({card("HA"), 4}, {card("H2"), 4}));  // tie: display order
    QVERIFY(winCountGreater({card("S2"), 4}, {card("HA"), 4}));
    QVERIFY(!winCountGreater({card("HA"), 4}, {card("HA"), 4}));
}

void ComputerTest::masterCard_data()
{
    // A table reads best one row a line.
    // clang-format off
    QTest::addColumn<int>("suit");
    QTest::addColumn<QString>("played");
    QTest::addColumn<QString>("candidates");
    QTest::addColumn<QString>("master");
    QTest::newRow("jack after A K Q") << 4 << "CA D2 CK CQ" << "C2 CJ" << "CJ";
    QTest::newRow("jack not held") << 4 << "CA CK CQ" << "C2 CT" << "--";
    QTest::newRow("all clubs played")
        << 4 << "CA C2 C3 C4 C5 C6 C7 C8 C9 CT CJ CQ CK" << "C2" << "--";
    QTest::newRow("own ace is master") << 2 << "" << "HA HK" << "HA";
    QTest::newRow("king behind an unplayed ace") << 2 << "" << "HK HQ" << "--";
    QTest::newRow("a gap does not count") << 2 << "HA HQ" << "HQ HJ" << "--";
    QTest::newRow("other suits are ignored") << 1 << "HA DA CA" << "SA" << "SA";
    QTest::newRow("two is master at last")
        << 3 << "DA DK DQ DJ DT D9 D8 D7 D6 D5 D4 D3" << "D2" << "D2";
    // clang-format on
}

void ComputerTest::masterCard()
{
    QFETCH(int, suit);
    QFETCH(QString, played);
    QFETCH(QString, candidates);
    QFETCH(QString, master);
    const Hand h = hand(candidates.toStdString());
    QCOMPARE(cardName(h.masterCard(suit, cards(played.toStdString()), h.cards)), master);
}

void ComputerTest::lowCardFromShortestSuit()
{
    // g = 2 (hearts and spades): only the Three of hearts scores 0.
    Hand h = hand("H3 H9 D2 D5 D7 DK C4 C6 CJ ST SA");
    const Hand before = h;
    const unsigned seed = 11;
    QCOMPARE(countDraws(seed,
                        [&] {
                            Hand copy = h;
                            copy.chooseLowCard();
                        }),
             1);
    std::srand(seed);
    QCOMPARE(cardName(h.chooseLowCard()), QString("H3"));
    QCOMPARE(toShortString(h.cards), toShortString(before.cards));
}

void ComputerTest::lowCardRandomAmongZeroScores()
{
    // g = 2: H2, H5 and C3 score 0 (C9 is above 7), chosen by r mod 3 in hand order.
    const Hand start = hand("SA H2 S2 H5 C3 C9 S3 DK DQ DJ");
    const std::vector<std::string> zero = {"H2", "H5", "C3"};
    std::vector<bool> seen(3, false);
    for (unsigned seed = 1; seed <= 30; ++seed) {
        Hand h = start;
        const int r = nthRand(seed, 0);
        std::srand(seed);
        const Card chosen = h.chooseLowCard();
        QCOMPARE(chosen.toShortString(), zero[static_cast<std::size_t>(r % 3)]);
        seen[static_cast<std::size_t>(r % 3)] = true;
        QCOMPARE(toShortString(h.cards), toShortString(start.cards));
    }
    QVERIFY(seen[0] && seen[1] && seen[2]);
}

void ComputerTest::lowCardRunOfLowNonSpades_data()
{
    // A table reads best one row a line.
    // clang-format off
    QTest::addColumn<QString>("hand");
    QTest::addColumn<QString>("sorted");
    QTest::addColumn<int>("run");
    // One spade makes g = 1, so no card scores 0 and the hand is re-sorted.
    QTest::newRow("run capped at five") << "SA H2 H3 H4 HK D2 D3 D5 DK C2 C3 C4 CK"
                                        << "H2 D2 C2 H3 D3 C3 H4 C4 D5 HK DK CK SA" << 5;
    QTest::newRow("run of exactly five") << "SA H2 H9 HT HJ D3 D8 DQ DK C4 C5 CQ CK"
                                        << "H2 D3 C4 C5 D8 H9 HT HJ DQ CQ DK CK SA" << 5;
    QTest::newRow("run of four") << "SA H2 H3 H9 HT D4 D9 DT DJ C8 CT CJ CQ"
                                 << "H2 H3 D4 C8 H9 D9 HT DT CT DJ CJ CQ SA" << 4;
    QTest::newRow("equal ranks keep hand order") << "S2 H8 C8 D8 HA"
                                                 << "H8 C8 D8 HA S2" << 3;
    // clang-format on
}

void ComputerTest::lowCardRunOfLowNonSpades()
{
    QFETCH(QString, hand);
    QFETCH(QString, sorted);
    QFETCH(int, run);
    const std::vector<Card> expectedOrder = cards(sorted.toStdString());
    for (unsigned seed = 5; seed < 15; ++seed) {
        Hand h = coretest::hand(hand.toStdString());
        const int r = nthRand(seed, 0);
        std::srand(seed);
        const Card chosen = h.chooseLowCard();
        QCOMPARE(toShortString(h.cards), toShortString(expectedOrder));
        QCOMPARE(chosen.toShortString(),
                 expectedOrder[static_cast<std::size_t>(r % run)].toShortString());
        QCOMPARE(h.cards.size(), expectedOrder.size());  // nothing removed
    }
}

void ComputerTest::lowCardAllHighDrawsNothing()
{
    const Hand start = hand("HK C9 DJ S2 H9 CT");
    Hand h = start;
    QCOMPARE(countDraws(3,
                        [&] {
                            Hand copy = start;
                            copy.chooseLowCard();
                        }),
             0);
    QCOMPARE(cardName(h.chooseLowCard()), QString("C9"));
    QCOMPARE(toShortString(h.cards), std::string("C9 H9 CT DJ HK S2"));
}

void ComputerTest::lowCardSpadesOnly()
{
    Hand h = hand("S9 S3 SK");
    QCOMPARE(countDraws(3,
                        [&] {
                            Hand copy = h;
                            copy.chooseLowCard();
                        }),
             0);
    QCOMPARE(cardName(h.chooseLowCard()), QString("S3"));
    QCOMPARE(toShortString(h.cards), std::string("S3 S9 SK"));
}

void ComputerTest::chooseByWinCount_data()
{
    // A table reads best one row a line.
    // clang-format off
    QTest::addColumn<QString>("candidates");
    QTest::addColumn<QString>("wins");
    QTest::addColumn<QString>("fallback");
    QTest::addColumn<QString>("chosen");
    QTest::newRow("sure first candidate stays") << "HA H7 H3" << "HA:90 H7:30 H3:50" << "H3" << "HA";
    QTest::newRow("most wins below threshold") << "HA H7 H3" << "HA:20 H7:30 H3:50" << "H3" << "H3";
    QTest::newRow("ties go to the earlier") << "HA H7 H3" << "HA:20 H7:50 H3:50" << "H3" << "H7";
    QTest::newRow("80 is a sure win") << "HA H7 H3" << "HA:10 H7:80 H3:40" << "H3" << "H3";
    QTest::newRow("79 is not") << "HA H7 H3" << "HA:10 H7:79 H3:40" << "H3" << "H7";
    QTest::newRow("no counts: the fallback") << "HK H7" << "" << "C2" << "C2";
    QTest::newRow("first without entry starts at 0") << "HK H7" << "H7:5" << "C2" << "H7";
    QTest::newRow("all zero: first with an entry") << "HK H7" << "HK:0 H7:0" << "C2" << "HK";
    QTest::newRow("counts of other cards ignored") << "D4 D3" << "SA:50 D4:10" << "D3" << "D4";
    // clang-format on
}

void ComputerTest::chooseByWinCount()
{
    QFETCH(QString, candidates);
    QFETCH(QString, wins);
    QFETCH(QString, fallback);
    QFETCH(QString, chosen);
    const Hand h;
    QCOMPARE(cardName(h.chooseByWinCount(cards(candidates.toStdString()), parseWins(wins),
                                         card(fallback.toStdString()))),
             chosen);
}

void ComputerTest::chooseBeatingCard_data()
{
    // A table reads best one row a line.
    // clang-format off
    QTest::addColumn<QString>("candidates");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("wins");
    QTest::addColumn<bool>("shortcall");
    QTest::addColumn<QString>("chosen");
    QTest::newRow("cheapest that beats") << "H4 HJ HK" << "HT" << "" << false << "HJ";
    QTest::newRow("shortcall: highest that beats") << "H4 HJ HK" << "HT" << "" << true << "HK";
    QTest::newRow("cheapest, any order") << "HK H4 HQ HJ" << "HT" << "" << false << "HJ";
    QTest::newRow("none beats: fallback") << "H4 H9" << "HT" << "H9:40 H4:50" << false << "C2";
    QTest::newRow("shortcall none beats: most wins")
        << "H4 H9" << "HT" << "SA:95 H9:30 H4:50" << true << "H4";
    QTest::newRow("shortcall skips sure winners")
        << "H4 H9" << "HT" << "H9:85 H4:10" << true << "H4";
    QTest::newRow("shortcall nothing below threshold: fallback")
        << "H4 H9" << "HT" << "H9:85" << true << "C2";
    QTest::newRow("shortcall equal wins: display order")
        << "H4 H9" << "HT" << "H4:40 H9:40" << true << "H9";
    QTest::newRow("equal rank does not beat") << "HT H2" << "HT" << "" << false << "C2";
    // clang-format on
}

void ComputerTest::chooseBeatingCard()
{
    QFETCH(QString, candidates);
    QFETCH(QString, target);
    QFETCH(QString, wins);
    QFETCH(bool, shortcall);
    QFETCH(QString, chosen);
    const Hand h;
    QCOMPARE(
        cardName(h.chooseBeatingCard(cards(candidates.toStdString()), card(target.toStdString()),
                                     card("C2"), parseWins(wins), shortcall)),
        chosen);
}

void ComputerTest::decisionList_data()
{
    // A table reads best one row a line.
    // clang-format off
    QTest::addColumn<QString>("hand");
    QTest::addColumn<QString>("earlier");  // cards of earlier tricks this round
    QTest::addColumn<QString>("trick");
    QTest::addColumn<bool>("shortcall");
    QTest::addColumn<QString>("wins");
    QTest::addColumn<QString>("chosen");  // "low": chooseLowCard's card on the same hand

    QTest::newRow("lead the only master, ace of hearts")
        << "H5 D4 HA S2 C3 D9" << "" << "" << false << "" << "HA";
    QTest::newRow("lead without master: low card")
        << "HK H5 S2 C3 D4 D9" << "" << "" << false << "" << "low";
    QTest::newRow("lead the spade ace") << "HK SA H5 C3" << "" << "" << false << "" << "SA";
    QTest::newRow("lead a master after the top was played")
        << "H5 HQ C3 S2" << "HA HK H2 H3" << "" << false << "" << "HQ";
    QTest::newRow("shortcall lead without master: win counts over the hand")
        << "HK H5 S2 C3 D4 D9" << "" << "" << true << "HK:60 H5:10 S2:30 C3:5 D4:0 D9:20" << "HK";
    QTest::newRow("shortcall lead without master, no counts: low card")
        << "HK H5 S2 C3 D4 D9" << "" << "" << true << "" << "low";

    QTest::newRow("last: cheapest heart that beats")
        << "H4 HJ HK C2" << "" << "H2 HT C3" << false << "" << "HJ";
    QTest::newRow("last, shortcall: highest heart that beats")
        << "H4 HJ HK C2" << "" << "H2 HT C3" << true << "" << "HK";
    QTest::newRow("last, nothing beats: lowest") << "H9 H4 C2" << "" << "H2 HT C3" << false << ""
                                                 << "H4";
    QTest::newRow("last, shortcall, nothing beats: most wins below threshold")
        << "H4 H9 C2" << "" << "H2 HT C3" << true << "H9:40 H4:10 C2:70" << "H9";
    QTest::newRow("last in a spade lead") << "ST S3 H2" << "" << "S5 S9 S2" << false << "" << "ST";

    QTest::newRow("second: the master even if a lower heart wins")
        << "H2 HA H7 C4" << "" << "H5" << false << "" << "HA";
    QTest::newRow("third: master after the ace was played")
        << "H7 HK C4" << "HA H3 C2 D2" << "H5 H9" << false << "" << "HK";
    QTest::newRow("not last, no master: lowest") << "HK H7 C4" << "" << "H5 H9" << false << ""
                                                 << "H7";
    QTest::newRow("not last, shortcall, no master: win counts")
        << "H3 HK H7 C4" << "" << "H5 H9" << true << "HK:20 H7:30 H3:50" << "H3";
    QTest::newRow("spades led, not last: the master spade")
        << "S3 SA H2" << "" << "SK" << false << "" << "SA";
    QTest::newRow("spades led, no master: lowest spade")
        << "ST S2 HA" << "" << "S5 S9" << false << "" << "S2";

    QTest::newRow("trick trumped: lowest of the suit")
        << "HA H7 H3 C4" << "" << "H5 S2" << false << "" << "H3";
    QTest::newRow("trick trumped, shortcall, sure ace stays first")
        << "HA H7 H3 C4" << "" << "H5 S2" << true << "HA:90 H7:30 H3:50" << "HA";
    QTest::newRow("trick trumped, shortcall, most wins")
        << "HA H7 H3 C4" << "" << "H5 S2" << true << "HA:20 H7:30 H3:50" << "H3";
    QTest::newRow("trick trumped as last player: still the lowest")
        << "HA H7 H3" << "" << "H5 S2 H6" << false << "" << "H3";

    QTest::newRow("over-trump with the queen") << "S5 SQ C4" << "" << "H5 S9" << false << ""
                                               << "SQ";
    QTest::newRow("over-trump with the queen, shortcall")
        << "S5 SQ C4" << "" << "H5 S9" << true << "" << "SQ";
    QTest::newRow("cheapest over-trump") << "SK S5 SQ C4" << "" << "H5 S9" << false << "" << "SQ";
    QTest::newRow("shortcall: highest over-trump")
        << "SK S5 SQ C4" << "" << "H5 S9" << true << "" << "SK";
    QTest::newRow("cannot over-trump: low card of the whole hand")
        << "S5 S8 C4 D9" << "" << "H5 S9" << false << "" << "low";
    QTest::newRow("cannot over-trump, shortcall: low card")
        << "S5 S8 C4 D9" << "" << "H5 S9" << true << "S5:50 S8:60" << "low";
    QTest::newRow("nobody trumped: lowest spade")
        << "ST S3 SK C4" << "" << "H5 H9" << false << "" << "S3";
    QTest::newRow("no suit, no spade: low card") << "C4 D9 CK" << "" << "H5" << false << ""
                                                 << "low";
    // clang-format on
}

void ComputerTest::decisionList()
{
    QFETCH(QString, hand);
    QFETCH(QString, earlier);
    QFETCH(QString, trick);
    QFETCH(bool, shortcall);
    QFETCH(QString, wins);
    QFETCH(QString, chosen);

    const std::vector<Card> trickCards = cards(trick.toStdString());
    std::vector<Card> played = cards(earlier.toStdString());
    played.insert(played.end(), trickCards.begin(), trickCards.end());
    const std::vector<CardWinCount> winCounts = parseWins(wins);

    for (unsigned seed : {1u, 2u, 3u}) {
        Hand h = coretest::hand(hand.toStdString());
        QString expected = chosen;
        if (chosen == "low") {
            Hand copy = h;
            std::srand(seed);
            expected = cardName(copy.chooseLowCard());
        }
        const std::size_t sizeBefore = h.cards.size();
        const std::vector<Card> legal = h.legalCards(trickCards);
        std::srand(seed);
        const Card result = h.chooseCard(trickCards, played, shortcall, winCounts);
        QCOMPARE(cardName(result), expected);
        QVERIFY(std::find(legal.begin(), legal.end(), result) != legal.end());
        QCOMPARE(h.cards.size(), sizeBefore - 1);
        QVERIFY(std::find(h.cards.begin(), h.cards.end(), result) == h.cards.end());
    }
}

void ComputerTest::leadPicksARandomMasterCard()
{
    // Masters in hand order: HA (hearts), CA (found from C2), SA.
    const std::vector<std::string> masters = {"HA", "CA", "SA"};
    std::vector<bool> seen(3, false);
    for (unsigned seed = 1; seed <= 30; ++seed) {
        Hand h = hand("HA C2 SA CA D5");
        const int r = nthRand(seed, 0);
        QCOMPARE(countDraws(seed,
                            [] {
                                Hand copy = hand("HA C2 SA CA D5");
                                copy.chooseCard({}, {}, false, {});
                            }),
                 1);
        std::srand(seed);
        const Card chosen = h.chooseCard({}, {}, false, {});
        QCOMPARE(chosen.toShortString(), masters[static_cast<std::size_t>(r % 3)]);
        seen[static_cast<std::size_t>(r % 3)] = true;
    }
    QVERIFY(seen[0] && seen[1] && seen[2]);
    // Following suit never draws.
    QCOMPARE(countDraws(4,
                        [] {
                            Hand copy = hand("H2 H9 HK");
                            copy.chooseCard(cards("H5"), cards("H5"), false, {});
                        }),
             0);
}

void ComputerTest::choicesAreLegalAndRemoved()
{
    // Random positions: a hand, earlier tricks and a partial trick from one shuffled deck,
    // with random win counts in shortcall rounds.
    for (unsigned seed = 1; seed <= 400; ++seed) {
        std::srand(seed);
        std::vector<Card> deck = makeDeck();
        randomShuffle(deck);
        const std::size_t handSize = 1 + static_cast<std::size_t>(std::rand() % 13);
        const std::size_t trickSize = static_cast<std::size_t>(std::rand() % 4);
        const std::size_t earlierSize = 4 * static_cast<std::size_t>(std::rand() % 10);
        Hand h;
        h.cards.assign(deck.begin(), deck.begin() + static_cast<std::ptrdiff_t>(handSize));
        std::vector<Card> played(
            deck.begin() + static_cast<std::ptrdiff_t>(handSize),
            deck.begin() + static_cast<std::ptrdiff_t>(handSize + earlierSize + trickSize));
        const std::vector<Card> trick(played.end() - static_cast<std::ptrdiff_t>(trickSize),
                                      played.end());
        const bool shortcall = seed % 2 == 0;
        std::vector<CardWinCount> wins;
        if (shortcall) {
            for (const Card &c : h.cards)
                wins.push_back({c, std::rand() % 101});
        }
        const std::vector<Card> legal = h.legalCards(trick);
        const Hand before = h;
        const Card chosen = h.chooseCard(trick, played, shortcall, wins);
        QVERIFY2(std::find(legal.begin(), legal.end(), chosen) != legal.end(),
                 qPrintable(QString("seed %1: %2 not legal").arg(seed).arg(cardName(chosen))));
        QCOMPARE(h.cards.size(), before.cards.size() - 1);
        std::vector<Card> rest = h.cards;
        rest.push_back(chosen);
        std::vector<Card> all = before.cards;
        std::stable_sort(rest.begin(), rest.end());
        std::stable_sort(all.begin(), all.end());
        QCOMPARE(toShortString(rest), toShortString(all));
    }
    Hand empty;
    QVERIFY(empty.chooseCard({}, {}, false, {}) == Card());  // no card, no crash
    QVERIFY(empty.chooseLowCard() == Card());
}

void ComputerTest::roundCall_data()
{
    // A table reads best one row a line.
    // clang-format off
    QTest::addColumn<double>("average");
    QTest::addColumn<int>("r");
    QTest::addColumn<int>("call");
    QTest::newRow("1.3 is raised to 2") << 1.3 << 0 << 2;
    QTest::newRow("0 is raised to 2") << 0.0 << 99 << 2;
    QTest::newRow("1.5 rounds to 2") << 1.5 << 32 << 2;
    QTest::newRow("4.4 rounding") << 4.4 << 32 << 4;
    QTest::newRow("4.4 truncating") << 4.4 << 99 << 4;
    QTest::newRow("4.6 truncates at 33") << 4.6 << 33 << 4;
    QTest::newRow("4.6 truncates at 133") << 4.6 << 133 << 4;
    QTest::newRow("4.6 rounds at 32") << 4.6 << 32 << 5;
    QTest::newRow("4.6 rounds at 100") << 4.6 << 100 << 5;
    QTest::newRow("4.5 rounds half up") << 4.5 << 0 << 5;
    QTest::newRow("4.5 truncating") << 4.5 << 50 << 4;
    QTest::newRow("2.5 truncates to 2") << 2.5 << 77 << 2;
    QTest::newRow("13 stays") << 13.0 << 5 << 13;
    QTest::newRow("12.99 rounds to 13") << 12.99 << 5 << 13;
    // clang-format on
}

void ComputerTest::roundCall()
{
    QFETCH(double, average);
    QFETCH(int, r);
    QFETCH(int, call);
    QCOMPARE(::roundCall(average, r), call);
}

void ComputerTest::estimateOfAllSpadesIsThirteen()
{
    // Nobody else holds a spade: every trick, every card, every simulated round.
    Player p;
    p.hand.cards = cards("S4 SA SK SQ SJ ST S9 S8 S7 S6 S5 S3 S2");
    std::srand(99);
    p.estimateCall();
    QCOMPARE(p.call, 13);
    QCOMPARE(p.win_counts.size(), std::size_t(13));
    for (std::size_t i = 0; i < 13; ++i) {
        QVERIFY(p.win_counts[i].card == p.hand.cards[i]);
        QCOMPARE(p.win_counts[i].wins, 100);
    }
}

void ComputerTest::estimateCountsAndDraws()
{
    const unsigned seed = 2024;
    std::srand(seed);
    std::vector<Card> deck = makeDeck();
    randomShuffle(deck);
    Player start;
    start.hand.cards.assign(deck.begin(), deck.begin() + 13);
    start.win_counts = winCounts({{"SA", 7}});  // replaced, not extended
    start.call = 9;
    start.points = -4;
    start.name = "Ezio";

    Player p = start;
    const int draws = countDraws(seed, [&] {
        Player copy = start;
        copy.estimateCall();
    });
    QVERIFY(draws >= simulationRuns * (38 + 1) + 1);
    std::srand(seed);
    p.estimateCall();

    QCOMPARE(toShortString(p.hand.cards), toShortString(start.hand.cards));
    QCOMPARE(p.points, start.points);
    QCOMPARE(p.tricks, 0);
    QCOMPARE(p.name, start.name);
    QCOMPARE(p.win_counts.size(), std::size_t(13));
    int total = 0;
    for (std::size_t i = 0; i < 13; ++i) {
        QVERIFY(p.win_counts[i].card == p.hand.cards[i]);
        QVERIFY(p.win_counts[i].wins >= 0 && p.win_counts[i].wins <= 100);
        total += p.win_counts[i].wins;
    }
    // Every trick seat 3 takes is won by one of its own cards, so the wins add up to the
    // simulated tricks, and the last draw decides the rounding.
    const int lastDraw = nthRand(seed, draws - 1);
    QCOMPARE(p.call, ::roundCall(total / 100.0, lastDraw));
    QVERIFY(p.call >= minimumComputerCall);

    Player again = start;
    std::srand(seed);
    again.estimateCall();
    QCOMPARE(again.call, p.call);
    for (std::size_t i = 0; i < 13; ++i)
        QCOMPARE(again.win_counts[i].wins, p.win_counts[i].wins);
}

void ComputerTest::estimateOfWeakHandIsMinimum()
{
    Player p;
    p.hand.cards = cards("S2 H2 H3 H4 H5 D2 D3 D4 D5 C2 C3 C4 C5");
    std::srand(8);
    p.estimateCall();
    QCOMPARE(p.call, 2);
    int total = 0;
    for (const CardWinCount &w : p.win_counts)
        total += w.wins;
    QVERIFY(total < 250);
}

void ComputerTest::estimateNeedsAFullHand()
{
    Player p;
    p.hand.cards = cards("SA HK D4");
    p.call = 7;
    QCOMPARE(countDraws(1,
                        [&] {
                            Player copy = p;
                            copy.estimateCall();
                        }),
             0);
    p.estimateCall();
    QCOMPARE(p.call, minimumComputerCall);
    QCOMPARE(p.win_counts.size(), std::size_t(3));
    QCOMPARE(toShortString(p.hand.cards), std::string("SA HK D4"));

    Player duplicates;
    duplicates.hand.cards = cards("SA SA SA SA SA SA SA SA SA SA SA SA SA");
    duplicates.estimateCall();  // 51 unseen cards: refused, not overrun
    QCOMPARE(duplicates.call, minimumComputerCall);
}

QTEST_APPLESS_MAIN(ComputerTest)
#include "tst_computer.moc"
