// Players and the table rules: the score rule, removing cards and the legal-move rule.

#include "CoreTestSupport.h"

#include <QTest>

using namespace coretest;

class RulesTest : public QObject
{
    Q_OBJECT

private slots:
    void newPlayerDefaults();
    void score_data();
    void score();
    void pointsGoNegativeAndAccumulate();
    void removeCard();
    void legalCards_data();
    void legalCards();
};

void RulesTest::newPlayerDefaults()
{
    const Player p;
    QCOMPARE(p.call, 0);
    QCOMPARE(p.tricks, 0);
    QCOMPARE(p.points, 0);
    QCOMPARE(p.name, std::string("Player"));
    QVERIFY(p.hand.cards.empty());
    QVERIFY(p.win_counts.empty());
    QCOMPARE(p.hand.players_per_trick, 4);
    QCOMPARE(p.hand.sure_win_threshold, 80);
}

void RulesTest::score_data()
{
    // A table reads best one row a line.
    // clang-format off
    QTest::addColumn<int>("call");
    QTest::addColumn<int>("tricks");
    QTest::addColumn<bool>("firstRound");
    QTest::addColumn<bool>("shortcall");
    QTest::addColumn<int>("change");
    QTest::newRow("first round: a point per trick") << 0 << 5 << true << false << 5;
    QTest::newRow("first round ignores the call") << 9 << 2 << true << false << 2;
    QTest::newRow("first round ignores shortcall") << 3 << 4 << true << true << 4;
    QTest::newRow("made with extra tricks") << 4 << 6 << false << false << 4;
    QTest::newRow("made exactly") << 4 << 4 << false << false << 4;
    QTest::newRow("missed") << 4 << 3 << false << false << -4;
    QTest::newRow("shortcall made exactly") << 4 << 4 << false << true << 4;
    QTest::newRow("shortcall over") << 4 << 5 << false << true << -4;
    QTest::newRow("shortcall under") << 4 << 3 << false << true << -4;
    QTest::newRow("call 0 scores 0") << 0 << 3 << false << false << 0;
    QTest::newRow("call 0 shortcall scores 0") << 0 << 3 << false << true << 0;
    QTest::newRow("call 13 all tricks") << 13 << 13 << false << false << 13;
    // clang-format on
}

void RulesTest::score()
{
    QFETCH(int, call);
    QFETCH(int, tricks);
    QFETCH(bool, firstRound);
    QFETCH(bool, shortcall);
    QFETCH(int, change);
    Player p;
    p.call = call;
    p.tricks = tricks;
    p.points = 10;
    p.addRoundScore(firstRound, shortcall);
    QCOMPARE(p.points, 10 + change);
    QCOMPARE(p.call, call);
    QCOMPARE(p.tricks, tricks);
}

void RulesTest::pointsGoNegativeAndAccumulate()
{
    Player p;
    p.call = 5;
    p.tricks = 2;
    p.addRoundScore(false, false);
    QCOMPARE(p.points, -5);
    p.call = 3;
    p.addRoundScore(false, true);
    QCOMPARE(p.points, -8);
    p.tricks = 3;
    p.addRoundScore(false, true);
    QCOMPARE(p.points, -5);
}

void RulesTest::removeCard()
{
    Hand h = hand("H2 SA HK D3 HK");
    QVERIFY(h.removeCard(card("HK")));
    QCOMPARE(toShortString(h.cards), std::string("H2 SA D3 HK"));  // only the first, order kept
    QVERIFY(h.removeCard(card("H2")));
    QCOMPARE(toShortString(h.cards), std::string("SA D3 HK"));
    QVERIFY(!h.removeCard(card("C7")));
    QVERIFY(!h.removeCard(Card()));
    QCOMPARE(toShortString(h.cards), std::string("SA D3 HK"));
    Hand empty;
    QVERIFY(!empty.removeCard(card("SA")));
}

void RulesTest::legalCards_data()
{
    // A table reads best one row a line.
    // clang-format off
    QTest::addColumn<QString>("hand");
    QTest::addColumn<QString>("trick");
    QTest::addColumn<QString>("legal");
    const QString h = "H2 SA HK D3 S4 ST C9";
    QTest::newRow("lead: the whole hand") << h << "" << h;
    QTest::newRow("follow suit, no need to go higher") << h << "HA" << "H2 HK";
    QTest::newRow("follow suit even when trumped") << h << "H5 S2" << "H2 HK";
    QTest::newRow("spades led") << h << "S3 H4" << "SA S4 ST";
    QTest::newRow("void, no spade in trick: must trump") << "H2 SA D3 S4" << "CA C2" << "SA S4";
    QTest::newRow("void, no spades held: anything") << "H2 D3 C9" << "SA"
                                                     << "H2 D3 C9";
    QTest::newRow("void, no spades at all") << "H2 D3" << "CA" << "H2 D3";
    QTest::newRow("must over-trump") << "H2 SA D3 S4 SJ S9" << "CA ST" << "SA SJ";
    QTest::newRow("over-trump the winning spade, not the first")
        << "H2 S9 SK D3" << "CA S8 SQ" << "SK";
    QTest::newRow("cannot over-trump: whole hand") << "H2 S4 D3" << "CA ST"
                                                    << "H2 S4 D3";
    QTest::newRow("a led-suit card after a trump still follows") << "C3 S4" << "CA ST C5" << "C3";
    QTest::newRow("empty hand") << "" << "CA" << "";
    // clang-format on
}

void RulesTest::legalCards()
{
    QFETCH(QString, hand);
    QFETCH(QString, trick);
    QFETCH(QString, legal);
    const Hand h = coretest::hand(hand.toStdString());
    QCOMPARE(QString::fromStdString(toShortString(h.legalCards(cards(trick.toStdString())))),
             legal);
}

QTEST_APPLESS_MAIN(RulesTest)
#include "tst_rules.moc"
