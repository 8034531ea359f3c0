// The animation manager, driven through the game scene as the game drives it: the
// sequences of a played card and of a gathered trick, their durations at each speed,
// and silence after the table is laid out again.

#include "SceneTestFixture.h"

#include <QElapsedTimer>
#include <QPropertyAnimation>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <set>

namespace {

constexpr int stepTimeout = 3000;  // ms: generous, the Fast sequences take about one second

// Durations of the animations of one property among the manager's running animations.
QList<int> durationsOf(AnimationManager &manager, const QByteArray &property)
{
    QList<int> durations;
    for (const QPropertyAnimation *animation : manager.findChildren<QPropertyAnimation *>())
        if (animation->propertyName() == property
            && animation->state() == QAbstractAnimation::Running)
            durations.append(animation->duration());
    std::sort(durations.begin(), durations.end());
    return durations;
}

}  // namespace

class TestAnimationManager : public SceneTestFixture
{
    Q_OBJECT

private slots:
    void init() { setUpScene(); }
    void cleanup() { tearDownScene(); }

    void faceDownCardTurnsBetweenTheFades();
    void faceUpCardGoesStraightToThePause();
    void durationsFollowTheSpeed_data();
    void durationsFollowTheSpeed();
    void trickGathersIntoTheWinner();
    void speedChangeAffectsOnlyLaterAnimations();
    void relayoutSilencesOldAnimations_data();
    void relayoutSilencesOldAnimations();
};

void TestAnimationManager::faceDownCardTurnsBetweenTheFades()
{
    newGame(14, true);
    CardGraphicsItem *item = scene->cardItem(3);  // top player's, face down
    QVERIFY(item->isFaceDown());
    struct Sample {
        double opacity;
        bool face_down;
    };
    QList<Sample> samples;
    connect(item, &QGraphicsObject::opacityChanged, this, [&] {
        samples.append({item->opacity(), item->isFaceDown()});
    });
    QSignalSpy finished(scene.get(), &GameScene::animateCardFinished);
    QElapsedTimer clock;
    clock.start();

    scene->animateMove(item->card());
    QCOMPARE(item->rotation(), 0.0);
    QVERIFY(finished.wait(stepTimeout));
    const qint64 elapsed = clock.elapsed();
    QTest::qWait(300);
    QCOMPARE(finished.size(), 1);
    QVERIFY2(elapsed >= 62 + 50 + 50 + 700, qPrintable(QString::number(elapsed)));

    QCOMPARE(item->pos(), QPointF(400, 440));
    QVERIFY(!item->isFaceDown());
    QCOMPARE(item->elementId(), CardGraphicsItem::elementIdFor(item->card()));
    QCOMPARE(item->opacity(), 1.0);
    // Down while fading out, up only from the moment it is invisible.
    QVERIFY(!samples.isEmpty());
    qsizetype turned = -1;
    for (qsizetype i = 0; i < samples.size(); ++i) {
        if (!samples[i].face_down) {
            turned = i;
            break;
        }
    }
    QVERIFY(turned > 0);
    QCOMPARE(samples[turned - 1].opacity, 0.0);
    for (qsizetype i = 1; i < turned; ++i)
        QVERIFY(samples[i].opacity <= samples[i - 1].opacity && samples[i].face_down);
    for (qsizetype i = turned + 1; i < samples.size(); ++i)
        QVERIFY(samples[i].opacity >= samples[i - 1].opacity && !samples[i].face_down);
}

void TestAnimationManager::faceUpCardGoesStraightToThePause()
{
    newGame(15, true);
    CardGraphicsItem *item = scene->cardItem(30);  // the human's
    int opacity_changes = 0;
    connect(item, &QGraphicsObject::opacityChanged, this, [&] { ++opacity_changes; });
    QSignalSpy finished(scene.get(), &GameScene::animateCardFinished);
    scene->animateMove(item->card());
    QVERIFY(finished.wait(stepTimeout));
    QTest::qWait(200);
    QCOMPARE(finished.size(), 1);
    QCOMPARE(opacity_changes, 0);
    QCOMPARE(item->pos(), QPointF(420, 950));

    // Played from the right and the left, cards land at their own places.
    scene->animateMove(scene->cardItem(13)->card());
    QVERIFY(finished.wait(stepTimeout));
    QCOMPARE(scene->cardItem(13)->pos(), QPointF(650, 700));
    scene->animateMove(scene->cardItem(40)->card());
    QVERIFY(finished.wait(stepTimeout));
    QCOMPARE(scene->cardItem(40)->pos(), QPointF(170, 610));
}

void TestAnimationManager::durationsFollowTheSpeed_data()
{
    // A table reads best one row a line.
    // clang-format off
    QTest::addColumn<int>("speed");
    QTest::addColumn<int>("move");
    QTest::addColumn<QList<int>>("gather");
    QTest::addColumn<int>("winner");
    QTest::newRow("fast") << 0 << 62 << QList<int>{175, 225, 275} << 87;
    QTest::newRow("medium") << 1 << 250 << QList<int>{700, 900, 1100} << 350;
    QTest::newRow("slow") << 2 << 750 << QList<int>{2100, 2700, 3300} << 1050;
    QTest::newRow("unknown value") << 7 << 250 << QList<int>{700, 900, 1100} << 350;
    // clang-format on
}

void TestAnimationManager::durationsFollowTheSpeed()
{
    QFETCH(int, speed);
    QFETCH(int, move);
    QFETCH(QList<int>, gather);
    QFETCH(int, winner);
    newGame(16, true);
    animation_speed = speed;
    AnimationManager &manager = scene->animationManager();

    scene->animateMove(scene->cardItem(0)->card());
    QCOMPARE(durationsOf(manager, "pos"), QList<int>{move});
    manager.stopAll();

    for (unsigned seed = 1; seed <= 6; ++seed) {  // every order of the three durations
        std::srand(seed);
        scene->animateTrickComplete({0, 13, 26, 39}, 26);
        QCOMPARE(durationsOf(manager, "scale"), gather);
        QCOMPARE(durationsOf(manager, "pos"), gather);
        QCOMPARE(durationsOf(manager, "rotation"), gather);
        manager.stopAll();
    }
    QCOMPARE(AnimationManager::scaledDuration(350), winner);
}

void TestAnimationManager::trickGathersIntoTheWinner()
{
    newGame(17, true);
    const QList<int> ids{5, 18, 31, 44};
    const int winner_id = 31;
    for (const int id : ids) {
        scene->cardItem(id)->setRotation(0);
        scene->cardItem(id)->setPos(AnimationManager::trickPosition(id / 13));
    }
    CardGraphicsItem *winner = scene->cardItem(winner_id);
    const QPointF centre = winner->pos() + winner->boundingRect().center();
    QSignalSpy finished(scene.get(), &GameScene::trickCompleteAnimationFinished);
    QSignalSpy cards(scene.get(), &GameScene::animateCardFinished);

    // Each loser gets its own duration, spin and the winner's centre as target.
    scene->animateTrickComplete(ids, winner_id);
    std::set<int> durations;
    for (const QPropertyAnimation *animation :
         scene->animationManager().findChildren<QPropertyAnimation *>()) {
        QVERIFY(animation->targetObject() != winner);
        if (animation->propertyName() == "pos")
            QCOMPARE(animation->endValue().toPointF(), centre);
        if (animation->propertyName() == "rotation")
            QCOMPARE(std::abs(animation->endValue().toDouble()), 500.0);
        durations.insert(animation->duration());
    }
    QCOMPARE(durations, (std::set<int>{175, 225, 275}));

    QVERIFY(finished.wait(stepTimeout));
    QTest::qWait(200);
    QCOMPARE(finished.size(), 1);
    QCOMPARE(cards.size(), 0);
    for (const int id : ids) {
        const CardGraphicsItem *item = scene->cardItem(id);
        if (id == winner_id) {
            QCOMPARE(item->opacity(), 0.0);
            QCOMPARE(std::abs(item->rotation()), 400.0);
            QCOMPARE(item->transformOriginPoint(), item->boundingRect().center());
        } else {
            QCOMPARE(item->scale(), 0.0);
            QCOMPARE(item->pos(), centre);
        }
    }
}

void TestAnimationManager::speedChangeAffectsOnlyLaterAnimations()
{
    newGame(18, true);
    AnimationManager &manager = scene->animationManager();
    animation_speed = 2;
    scene->animateMove(scene->cardItem(1)->card());
    animation_speed = 0;
    QCOMPARE(durationsOf(manager, "pos"), QList<int>{750});  // already made: unchanged
    QPropertyAnimation *later = manager.makeAnimation(scene->cardItem(2), "opacity", 200, 0.0);
    QCOMPARE(later->duration(), 50);
    delete later;
    // The running move keeps its length: still under way well after a Fast move would end.
    QTest::qWait(200);
    QVERIFY(scene->cardItem(1)->pos() != AnimationManager::trickPosition(0));
    manager.stopAll();
}

void TestAnimationManager::relayoutSilencesOldAnimations_data()
{
    // A table reads best one row a line.
    // clang-format off
    QTest::addColumn<int>("card_id");  // -1: a trick
    QTest::addColumn<int>("after");    // ms before the new layout
    QTest::addColumn<int>("quiet");    // ms in which the old signal would have come
    QTest::newRow("during the move") << 2 << 20 << 1100;
    QTest::newRow("during a fade") << 2 << 100 << 1050;
    QTest::newRow("during the pause") << 30 << 300 << 800;
    QTest::newRow("gathering a trick") << -1 << 100 << 400;
    QTest::newRow("spinning the winner") << -1 << 300 << 300;
    // clang-format on
}

void TestAnimationManager::relayoutSilencesOldAnimations()
{
    QFETCH(int, card_id);
    QFETCH(int, after);
    QFETCH(int, quiet);
    newGame(19, true);
    QSignalSpy cards(scene.get(), &GameScene::animateCardFinished);
    QSignalSpy tricks(scene.get(), &GameScene::trickCompleteAnimationFinished);
    if (card_id >= 0)
        scene->animateMove(scene->cardItem(card_id)->card());
    else
        scene->animateTrickComplete({3, 16, 29, 42}, 16);
    QTest::qWait(after);
    QVERIFY(scene->animationManager().isBusy());

    newGame(20, true);  // a new game lays the table out again
    QVERIFY(!scene->animationManager().isBusy());
    QTest::qWait(quiet);
    QCOMPARE(cards.size(), 0);
    QCOMPARE(tricks.size(), 0);
    for (int id = 0; id < 52; ++id) {
        const CardGraphicsItem *item = scene->cardItem(id);
        QVERIFY(item->isVisible());
        QCOMPARE(item->opacity(), 1.0);
        QCOMPARE(item->scale(), 1.0);
        QCOMPARE(item->rotation(), 15.0);
        QCOMPARE(item->transformOriginPoint(), QPointF(0, 0));
        QCOMPARE(item->isFaceDown(), id / 13 != 2);
    }

    // The new table animates as usual.
    scene->animateTrickComplete({3, 16, 29, 42}, 29);
    QVERIFY(tricks.wait(stepTimeout));
    QCOMPARE(tricks.size(), 1);
    QCOMPARE(cards.size(), 0);
}

QTEST_MAIN(TestAnimationManager)
#include "tst_animationmanager.moc"
