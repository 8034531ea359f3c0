// Cards on their own: codes and weights, display order, equality, names, the trick
// winner, the suit and deck builders and the shuffle.

#include "CoreTestSupport.h"

#include <QTest>

#include <algorithm>

using namespace coretest;

class CardsTest : public QObject
{
    Q_OBJECT

private slots:
    void defaultCardIsNoCard();
    void makeSuitFillsEveryField_data();
    void makeSuitFillsEveryField();
    void deckOrderAndDisplaySort();
    void orderComparesSuitWeightOrRankOnly();
    void equalityIgnoresValueAndSuitOrder();
    void names_data();
    void names();
    void shortNamesReadBack();
    void trickWinner_data();
    void trickWinner();
    void cardsOfSuitKeepsOrder();
    void shuffleSwapsWithRandModulo();
};

void CardsTest::defaultCardIsNoCard()
{
    const Card none;
    QCOMPARE(none.suit, 0);
    QCOMPARE(none.suit_order, -1);
    QCOMPARE(none.value, 0);
    QCOMPARE(none.rank, -1);
    QVERIFY(none == Card());
    QVERIFY(!(none < Card()));
    QCOMPARE(none.toShortString(), std::string("--"));
    // Codes outside the tables give no card rather than a half-filled one.
    QVERIFY(makeCard(0, 5) == Card());
    QVERIFY(makeCard(5, 5) == Card());
    QVERIFY(makeCard(1, 14) == Card());
    QVERIFY(makeSuit(0).empty());
    QVERIFY(makeSuit(5).empty());
}

void CardsTest::makeSuitFillsEveryField_data()
{
    // A table reads best one row a line.
    // clang-format off
    QTest::addColumn<int>("suit");
    QTest::addColumn<int>("suitOrder");
    QTest::newRow("spades") << 1 << 5;
    QTest::newRow("hearts") << 2 << 4;
    QTest::newRow("diamonds") << 3 << 2;
    QTest::newRow("clubs") << 4 << 3;
    // clang-format on
}

void CardsTest::makeSuitFillsEveryField()
{
    QFETCH(int, suit);
    QFETCH(int, suitOrder);
    const std::vector<Card> cards = makeSuit(suit);
    QCOMPARE(cards.size(), std::size_t(13));
    for (int i = 0; i < 13; ++i) {
        const Card &c = cards[static_cast<std::size_t>(i)];
        QCOMPARE(c.suit, suit);
        QCOMPARE(c.suit_order, suitOrder);
        QCOMPARE(c.value, i + 1);
        QCOMPARE(c.rank, i == 0 ? 14 : i + 1);
    }
}

void CardsTest::deckOrderAndDisplaySort()
{
    const std::vector<Card> deck = makeDeck();
    QCOMPARE(deck.size(), std::size_t(52));
    QCOMPARE(toShortString({deck[0], deck[12], deck[13], deck[26], deck[39], deck[51]}),
             std::string("SA SK HA DA CA CK"));

    std::vector<Card> sorted = deck;
    std::stable_sort(sorted.begin(), sorted.end());
    QCOMPARE(toShortString(std::vector<Card>(sorted.begin(), sorted.begin() + 14)),
             std::string("SA SK SQ SJ ST S9 S8 S7 S6 S5 S4 S3 S2 HA"));
    QCOMPARE(sorted[25].toShortString(), std::string("H2"));
    QCOMPARE(sorted[26].toShortString(), std::string("CA"));  // clubs before diamonds
    QCOMPARE(sorted[39].toShortString(), std::string("DA"));
    QCOMPARE(sorted[51].toShortString(), std::string("D2"));
}

void CardsTest::orderComparesSuitWeightOrRankOnly()
{
    QVERIFY(card("S2") < card("HA"));
    QVERIFY(!(card("HA") < card("S2")));
    QVERIFY(card("CA") < card("DK"));
    QVERIFY(card("HA") < card("HK"));
    QVERIFY(!(card("H5") < card("H5")));
    // Same suit: only the rank counts, even when the value codes disagree.
    Card oddAce = card("HA");
    oddAce.value = 7;
    QVERIFY(oddAce < card("HK"));
}

void CardsTest::equalityIgnoresValueAndSuitOrder()
{
    Card a = card("D9");
    Card b = card("D9");
    b.value = 3;
    b.suit_order = 0;
    QVERIFY(a == b);
    QVERIFY(!(card("D9") == card("C9")));
    QVERIFY(!(card("D9") == card("D8")));
}

void CardsTest::names_data()
{
    // A table reads best one row a line.
    // clang-format off
    QTest::addColumn<int>("suit");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("shortName");
    QTest::newRow("ace of spades") << 1 << 1 << "SA";
    QTest::newRow("ten of hearts") << 2 << 10 << "HT";
    QTest::newRow("king of clubs") << 4 << 13 << "CK";
    QTest::newRow("two of diamonds") << 3 << 2 << "D2";
    QTest::newRow("no card") << 0 << 0 << "--";
    QTest::newRow("bad suit") << 7 << 12 << "?Q";
    QTest::newRow("bad value") << 3 << -2 << "D?";
    QTest::newRow("both bad") << -1 << 14 << "??";
    // clang-format on
}

void CardsTest::names()
{
    QFETCH(int, suit);
    QFETCH(int, value);
    QFETCH(QString, shortName);
    Card c;
    c.suit = suit;
    c.value = value;
    QCOMPARE(QString::fromStdString(c.toShortString()), shortName);
}

void CardsTest::shortNamesReadBack()
{
    for (const Card &c : makeDeck()) {
        const Card back = cardFromShortString(c.toShortString());
        QVERIFY(back == c && back.value == c.value && back.suit_order == c.suit_order);
    }
    for (const char *bad : {"", "S", "SAA", "S1", "XA", "-A", "S-", "sa"})
        QCOMPARE(cardFromShortString(bad).suit, 0);
    const std::vector<Card> read = cardsFromShortString("  SA x HT\tD2 ");
    QCOMPARE(toShortString(read), std::string("SA HT D2"));
    QCOMPARE(toShortString(std::vector<Card>()), std::string());
}

void CardsTest::trickWinner_data()
{
    // A table reads best one row a line.
    // clang-format off
    QTest::addColumn<QString>("trick");
    QTest::addColumn<QString>("winner");
    QTest::newRow("one card") << "D4" << "D4";
    QTest::newRow("highest of the suit led") << "H5 HK DA HT" << "HK";
    QTest::newRow("off-suit ace never wins") << "C2 DA HA SA" << "SA";
    QTest::newRow("a low spade trumps") << "HA S2" << "S2";
    QTest::newRow("a higher spade over-trumps") << "HA S2 S3" << "S3";
    QTest::newRow("the led suit cannot beat a spade") << "HA S2 S3 HK" << "S3";
    QTest::newRow("lower spade does not over-trump") << "H3 S9 S5 H4" << "S9";
    QTest::newRow("spades led") << "S4 SQ SJ HA" << "SQ";
    QTest::newRow("ace is high") << "C2 CK CA CQ" << "CA";
    QTest::newRow("lead keeps it when nobody follows") << "D7 H8 C9 HK" << "D7";
    // clang-format on
}

void CardsTest::trickWinner()
{
    QFETCH(QString, trick);
    QFETCH(QString, winner);
    QCOMPARE(QString::fromStdString(::trickWinner(cards(trick.toStdString())).toShortString()),
             winner);
    QVERIFY(::trickWinner({}) == Card());  // no cards, no winner, no crash
}

void CardsTest::cardsOfSuitKeepsOrder()
{
    const std::vector<Card> hand = cards("H2 SA HK D3 HT");
    QCOMPARE(toShortString(cardsOfSuit(hand, Hearts)), std::string("H2 HK HT"));
    QCOMPARE(toShortString(cardsOfSuit(hand, Spades)), std::string("SA"));
    QVERIFY(cardsOfSuit(hand, Clubs).empty());
    QVERIFY(cardsOfSuit({}, Hearts).empty());
}

void CardsTest::shuffleSwapsWithRandModulo()
{
    const unsigned seed = 4242;
    std::vector<int> items;
    for (int i = 0; i < 20; ++i)
        items.push_back(i);
    std::vector<int> expected = items;

    std::srand(seed);
    for (std::size_t i = 1; i < expected.size(); ++i)
        std::swap(expected[i], expected[static_cast<std::size_t>(std::rand()) % (i + 1)]);
    const int after = std::rand();

    std::srand(seed);
    randomShuffle(items);
    QCOMPARE(items, expected);
    QCOMPARE(std::rand(), after);  // exactly n - 1 draws

    std::vector<int> one{7};
    const int first = nthRand(seed, 0);
    std::srand(seed);
    randomShuffle(one);
    QCOMPARE(std::rand(), first);  // a single item draws nothing
}

QTEST_APPLESS_MAIN(CardsTest)
#include "tst_cards.moc"
