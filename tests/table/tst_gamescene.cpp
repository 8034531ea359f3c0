#include "GameScene.h"
#include "GameState.h"
#include "Settings.h"

#include <QElapsedTimer>
#include <QGraphicsSceneHoverEvent>
#include <QGraphicsSceneMouseEvent>
#include <QParallelAnimationGroup>
#include <QPropertyAnimation>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <set>

namespace {

constexpr int stepTimeout = 3000;  // ms: generous, the Fast sequences take about one second

std::vector<Card> handAt(const GameState &state, const GameScene &scene, int position)
{
    return state.getPlayers()[std::size_t(scene.seatAt(position))].hand.cards;
}

QList<CardGraphicsItem *> itemsAt(GameScene &scene, int position)
{
    QList<CardGraphicsItem *> items;
    for (int i = 0; i < 13; ++i)
        items.append(scene.cardItem(13 * position + i));
    return items;
}

std::vector<Card> cardsOf(const QList<CardGraphicsItem *> &items)
{
    std::vector<Card> cards;
    for (const CardGraphicsItem *item : items)
        cards.push_back(item->card);
    return cards;
}

bool sameCards(std::vector<Card> a, std::vector<Card> b)
{
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    return a == b;
}

void sendHover(GameScene &scene, CardGraphicsItem *item, QEvent::Type type)
{
    QGraphicsSceneHoverEvent event(type);
    scene.sendEvent(item, &event);
}

void sendLeftClick(GameScene &scene, CardGraphicsItem *item)
{
    QGraphicsSceneMouseEvent event(QEvent::GraphicsSceneMousePress);
    event.setButton(Qt::LeftButton);
    event.setButtons(Qt::LeftButton);
    scene.sendEvent(item, &event);
    QGraphicsSceneMouseEvent release(QEvent::GraphicsSceneMouseRelease);
    release.setButton(Qt::LeftButton);
    scene.sendEvent(item, &release);
}

// A game whose human is to move with a trick already led and fewer than all cards legal.
void stageFollowSuit(GameState &state)
{
    for (unsigned seed = 1; seed < 500; ++seed) {
        std::srand(seed);
        state.startNewGame();
        while (!state.isHumanMove())
            state.playComputerMove();
        const std::vector<Card> trick = state.getTrick();
        const Hand hand = state.getPlayers()[0].hand;
        if (!trick.empty() && hand.legalCards(trick).size() < hand.cards.size())
            return;
    }
    QFAIL("no seed gives a trick to follow");
}

// Durations of the animations of one property among the manager's running animations.
QList<int> durationsOf(AnimationManager &manager, const QByteArray &property)
{
    QList<int> durations;
    for (const QPropertyAnimation *animation : manager.findChildren<QPropertyAnimation *>())
        if (animation->propertyName() == property && animation->state() == QAbstractAnimation::Running)
            durations.append(animation->duration());
    std::sort(durations.begin(), durations.end());
    return durations;
}

}  // namespace

class TestGameScene : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void seatsAroundTheTable_data();
    void seatsAroundTheTable();
    void learningModeLayout();
    void hiddenHandsShowOnlyBacks();
    void humanRowReadsInDisplayOrder();
    void labelsAfterADeal();
    void namesAreShownLiterally_data();
    void namesAreShownLiterally();
    void clickableCardsAreTheLegalOnes_data();
    void clickableCardsAreTheLegalOnes();
    void nothingClickableBeforeAGame();
    void hoverDimsTheRest();
    void cardIdFindsTheItem();
    void hideCardsHidesThem();
    void faceDownCardTurnsBetweenTheFades();
    void faceUpCardGoesStraightToThePause();
    void durationsFollowTheSpeed_data();
    void durationsFollowTheSpeed();
    void trickGathersIntoTheWinner();
    void speedChangeAffectsOnlyLaterAnimations();
    void relayoutSilencesOldAnimations_data();
    void relayoutSilencesOldAnimations();
    void debugLabelsShowWinCounts();

private:
    std::unique_ptr<GameState> state;
    std::unique_ptr<GameScene> scene;

    void newGame(unsigned seed, bool hidden)
    {
        std::srand(seed);
        hide_opponent_cards = hidden;
        state->startNewGame();
        scene->layoutTable(*state);
    }
};

void TestGameScene::init()
{
    animation_speed = 0;
    hide_opponent_cards = true;
    debug_mode = false;
    state = std::make_unique<GameState>();
    scene = std::make_unique<GameScene>(*state);
}

void TestGameScene::cleanup()
{
    scene.reset();
    state.reset();
    animation_speed = 1;
}

void TestGameScene::seatsAroundTheTable_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("seat");
    QTest::newRow("top") << 0 << 2;
    QTest::newRow("right") << 1 << 3;
    QTest::newRow("bottom, the human") << 2 << 0;
    QTest::newRow("left") << 3 << 1;
}

void TestGameScene::seatsAroundTheTable()
{
    QFETCH(int, position);
    QFETCH(int, seat);
    newGame(11, false);
    QCOMPARE(scene->seatAt(position), seat);
    const Player player = state->getPlayers()[std::size_t(seat)];
    QVERIFY(scene->nameLabel(position)->isVisible());
    QVERIFY(scene->nameLabel(position)->toPlainText().startsWith(
        QString::fromStdString(player.name) + " ("));
    QVERIFY(sameCards(cardsOf(itemsAt(*scene, position)), player.hand.cards));
}

void TestGameScene::learningModeLayout()
{
    newGame(3, false);
    // Rows and columns follow from the cards' own sizes.
    const auto at = [this](int id) { return scene->cardItem(id); };
    const auto w = [&](int id) { return at(id)->boundingRect().width(); };
    const auto h = [&](int id) { return at(id)->boundingRect().height(); };
    const int right_x = int(at(12)->x() + w(12) + 20);
    const int right_y = int(at(12)->y() + h(12) + 20);
    const int bottom_y = int(at(25)->y() + h(25) + 20);
    const int left_x = int(at(0)->x() - w(39) - 20);
    for (int i = 0; i < 13; ++i) {
        QCOMPARE(at(i)->pos(), QPointF(75 * i, 0));
        QCOMPARE(at(13 + i)->pos(), QPointF(right_x, right_y + 60 * i));
        QCOMPARE(at(26 + i)->pos(), QPointF(75 * i, bottom_y));
        QCOMPARE(at(39 + i)->pos(), QPointF(left_x, right_y + 60 * i));
    }
    for (int id = 0; id < 52; ++id) {
        QVERIFY(at(id)->isVisible());
        QCOMPARE(at(id)->rotation(), 15.0);
        QCOMPARE(at(id)->transformOriginPoint(), QPointF(0, 0));
        QVERIFY(!at(id)->isFaceDown());
        QCOMPARE(at(id)->elementId(), CardGraphicsItem::elementIdFor(at(id)->card));
    }
    for (int p = 0; p < 4; ++p) {
        std::vector<Card> sorted = handAt(*state, *scene, p);
        std::sort(sorted.begin(), sorted.end());
        QVERIFY(cardsOf(itemsAt(*scene, p)) == sorted);
    }

    if (at(0)->boundingRect().size() == QSizeF(224, 313)) {
        QCOMPARE(at(12)->pos(), QPointF(900, 0));
        QCOMPARE(at(13)->pos(), QPointF(1144, 333));
        QCOMPARE(at(25)->pos(), QPointF(1144, 1053));
        QCOMPARE(at(26)->pos(), QPointF(0, 1386));
        QCOMPARE(at(38)->pos(), QPointF(900, 1386));
        QCOMPARE(at(39)->pos(), QPointF(-244, 333));
        QCOMPARE(at(51)->pos(), QPointF(-244, 1053));
    } else {
        QFAIL(qPrintable(QStringLiteral("faces measure %1 x %2, not 224 x 313")
                             .arg(at(0)->boundingRect().width())
                             .arg(at(0)->boundingRect().height())));
    }

    // Labels run along their hands.
    const QGraphicsTextItem *top = scene->nameLabel(0);
    QCOMPARE(top->pos(), QPointF(0, -75));
    QCOMPARE(top->textWidth(), double(int(w(12)) + 900));
    QCOMPARE(top->rotation(), 0.0);
    const QGraphicsTextItem *right = scene->nameLabel(1);
    QCOMPARE(right->pos(), QPointF(int(right_x + w(13) + 75), right_y));
    QCOMPARE(right->textWidth(), double(int(int(h(25)) + at(25)->y()) - right_y));
    QCOMPARE(right->rotation(), 90.0);
    const QGraphicsTextItem *bottom = scene->nameLabel(2);
    QCOMPARE(bottom->pos(), QPointF(0, int(bottom_y + h(26) + 65)));
    QCOMPARE(bottom->rotation(), 0.0);
    const QGraphicsTextItem *left = scene->nameLabel(3);
    QCOMPARE(left->pos(), QPointF(left_x - 160, int(int(h(51)) + at(51)->y())));
    QCOMPARE(left->rotation(), -90.0);
}

void TestGameScene::hiddenHandsShowOnlyBacks()
{
    std::srand(21);
    hide_opponent_cards = true;
    state->startNewGame();
    // The layout's own shuffles, replayed from the same seed.
    std::srand(99);
    std::vector<std::vector<Card>> expected(4);
    for (int p = 0; p < 4; ++p) {
        expected[std::size_t(p)] = handAt(*state, *scene, p);
        if (p != 2)
            randomShuffle(expected[std::size_t(p)]);
        else
            std::sort(expected[2].begin(), expected[2].end());
    }
    std::srand(99);
    scene->layoutTable(*state);

    for (int p = 0; p < 4; ++p) {
        const QList<CardGraphicsItem *> items = itemsAt(*scene, p);
        QVERIFY(cardsOf(items) == expected[std::size_t(p)]);
        for (const CardGraphicsItem *item : items) {
            QCOMPARE(item->isFaceDown(), p != 2);
            QCOMPARE(item->elementId() == QStringLiteral("BACK_RED1"), p != 2);
        }
    }
    // A new deal shown in Learning Mode turns everything up again.
    newGame(22, false);
    for (int id = 0; id < 52; ++id)
        QVERIFY(!scene->cardItem(id)->isFaceDown());
}

void TestGameScene::humanRowReadsInDisplayOrder()
{
    newGame(5, true);
    const std::vector<Card> row = cardsOf(itemsAt(*scene, 2));
    QVERIFY(sameCards(row, handAt(*state, *scene, 2)));
    const int suit_rank[] = {0, 0, 1, 3, 2};  // spades, hearts, clubs, diamonds
    for (std::size_t i = 1; i < row.size(); ++i) {
        const Card &a = row[i - 1];
        const Card &b = row[i];
        const bool ordered = suit_rank[a.suit] < suit_rank[b.suit]
                             || (a.suit == b.suit && a.rank > b.rank);
        QVERIFY2(ordered, (a.toShortString() + " before " + b.toShortString()).c_str());
    }
}

void TestGameScene::labelsAfterADeal()
{
    newGame(8, true);
    state->setHumanName("Ann");
    scene->updateLabels(*state);
    QCOMPARE(scene->nameLabel(2)->toPlainText(), QStringLiteral("Ann (0) - 0/0"));
    for (int p = 0; p < 4; ++p)
        QVERIFY(scene->nameLabel(p)->toPlainText().endsWith(" (0) - 0/0"));
    QCOMPARE(scene->nameLabel(0)->font().pointSize(), 30);
}

void TestGameScene::namesAreShownLiterally_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("bold") << "<b>Bo</b>";
    QTest::newRow("image") << "<img src=x>";
    QTest::newRow("entity") << "Ann &amp; Bob";
    QTest::newRow("markers") << "%1 %2";
    QTest::newRow("non-ASCII") << QStringLiteral("Åsa Ø");
}

void TestGameScene::namesAreShownLiterally()
{
    QFETCH(QString, name);
    newGame(9, true);
    state->setHumanName(name.toStdString());
    scene->layoutTable(*state);
    QCOMPARE(scene->nameLabel(2)->toPlainText(), name + " (0) - 0/0");
}

void TestGameScene::clickableCardsAreTheLegalOnes_data()
{
    QTest::addColumn<bool>("follow");
    QTest::newRow("following suit") << true;
    QTest::newRow("leading") << false;
}

void TestGameScene::clickableCardsAreTheLegalOnes()
{
    QFETCH(bool, follow);
    hide_opponent_cards = true;
    if (follow) {
        stageFollowSuit(*state);
    } else {
        std::srand(4);
        state->startNewGame();
    }
    scene->layoutTable(*state);
    const std::vector<Card> hand = state->getPlayers()[0].hand.cards;
    const std::vector<Card> legal = follow ? state->getPlayers()[0].hand.legalCards(state->getTrick())
                                           : hand;
    QCOMPARE(legal.size() < hand.size(), follow);
    QSignalSpy clicks(scene.get(), &GameScene::cardClicked);

    scene->setHumanCardsEnabled(*state, true);
    scene->setHumanCardsEnabled(*state, true);  // twice: still one signal per click
    std::vector<Card> clicked;
    for (CardGraphicsItem *item : itemsAt(*scene, 2)) {
        const bool is_legal = std::find(legal.begin(), legal.end(), item->card) != legal.end();
        QCOMPARE(item->acceptHoverEvents(), is_legal);
        const qsizetype before = clicks.size();
        sendLeftClick(*scene, item);
        QCOMPARE(clicks.size() - before, qsizetype(is_legal ? 1 : 0));
        if (is_legal) {
            QCOMPARE(clicks.last().at(0).value<Card>(), item->card);
            QCOMPARE(clicks.last().at(1).toInt(), item->id);
            clicked.push_back(item->card);
        }
    }
    QVERIFY(sameCards(clicked, legal));

    scene->setHumanCardsEnabled(*state, false);
    clicks.clear();
    for (CardGraphicsItem *item : itemsAt(*scene, 2)) {
        QVERIFY(!item->acceptHoverEvents());
        sendLeftClick(*scene, item);
    }
    QCOMPARE(clicks.size(), 0);
    // Other players' cards never answer.
    scene->setHumanCardsEnabled(*state, true);
    for (int id = 0; id < 52; ++id)
        if (id / 13 != 2)
            sendLeftClick(*scene, scene->cardItem(id));
    QCOMPARE(clicks.size(), 0);
}

void TestGameScene::nothingClickableBeforeAGame()
{
    QSignalSpy clicks(scene.get(), &GameScene::cardClicked);
    scene->layoutTable(*state);  // no players: nothing to lay out
    scene->updateLabels(*state);
    scene->setHumanCardsEnabled(*state, true);
    for (int id = 0; id < 52; ++id) {
        CardGraphicsItem *item = scene->cardItem(id);
        QVERIFY(!item->isVisible());
        QVERIFY(!item->acceptHoverEvents());
        item->show();
        sendLeftClick(*scene, item);
    }
    QCOMPARE(clicks.size(), 0);
    scene->setHumanCardsEnabled(*state, false);
    for (int p = 0; p < 4; ++p)
        QVERIFY(!scene->nameLabel(p)->isVisible());
}

void TestGameScene::hoverDimsTheRest()
{
    newGame(6, true);
    scene->setHumanCardsEnabled(*state, true);  // leading: every card is legal
    QSignalSpy clicks(scene.get(), &GameScene::cardClicked);
    const QList<CardGraphicsItem *> row = itemsAt(*scene, 2);
    CardGraphicsItem *hovered = row[4];

    const auto opacities = [&row] {
        QList<double> values;
        for (const CardGraphicsItem *item : row)
            values.append(item->opacity());
        return values;
    };
    QList<double> dimmed(13, 0.25);
    dimmed[4] = 1.0;
    const QList<double> bright(13, 1.0);

    sendHover(*scene, hovered, QEvent::GraphicsSceneHoverEnter);
    QVERIFY(hovered->isHovered());
    QCOMPARE(opacities(), dimmed);
    sendHover(*scene, hovered, QEvent::GraphicsSceneHoverLeave);
    QVERIFY(!hovered->isHovered());
    QCOMPARE(opacities(), bright);

    sendHover(*scene, hovered, QEvent::GraphicsSceneHoverEnter);
    QCOMPARE(opacities(), dimmed);
    sendLeftClick(*scene, hovered);
    QCOMPARE(opacities(), bright);
    QVERIFY(!hovered->isHovered());
    QCOMPARE(clicks.size(), 1);

    // A card still lifted when the table is laid out again comes down.
    sendHover(*scene, row[7], QEvent::GraphicsSceneHoverEnter);
    QVERIFY(row[7]->isHovered());
    scene->setHumanCardsEnabled(*state, false);
    scene->layoutTable(*state);
    QCOMPARE(opacities(), bright);
    for (const CardGraphicsItem *item : row) {
        QVERIFY(!item->isHovered());
        QCOMPARE(item->transform(), QTransform());
    }

    // A press that reaches another card while one is raised (no pointer move between):
    // once the hand stops taking the pointer, the raised card comes down all the same.
    scene->setHumanCardsEnabled(*state, true);
    sendHover(*scene, row[2], QEvent::GraphicsSceneHoverEnter);
    sendLeftClick(*scene, row[9]);
    scene->setHumanCardsEnabled(*state, false);  // as the window does on every click
    QVERIFY(!row[2]->isHovered());
    QCOMPARE(row[2]->transform(), QTransform());
    QCOMPARE(opacities(), bright);
}

void TestGameScene::cardIdFindsTheItem()
{
    newGame(12, true);
    for (const Card &card : makeDeck()) {
        const int id = scene->cardId(card);
        QVERIFY(id >= 0 && id < 52);
        QCOMPARE(scene->cardItem(id)->card, card);
        QCOMPARE(scene->cardItem(id)->id, id);
    }
}

void TestGameScene::hideCardsHidesThem()
{
    newGame(13, true);
    scene->hideCards({1, 20, 51});
    for (int id = 0; id < 52; ++id)
        QCOMPARE(scene->cardItem(id)->isVisible(), id != 1 && id != 20 && id != 51);
    scene->hideCards({-1, 52});  // ignored
    scene->layoutTable(*state);
    for (int id = 0; id < 52; ++id)
        QVERIFY(scene->cardItem(id)->isVisible());
}

void TestGameScene::faceDownCardTurnsBetweenTheFades()
{
    newGame(14, true);
    CardGraphicsItem *item = scene->cardItem(3);  // top player's, face down
    QVERIFY(item->isFaceDown());
    struct Sample { double opacity; bool face_down; };
    QList<Sample> samples;
    connect(item, &QGraphicsObject::opacityChanged, this,
            [&] { samples.append({item->opacity(), item->isFaceDown()}); });
    QSignalSpy finished(scene.get(), &GameScene::animateCardFinished);
    QElapsedTimer clock;
    clock.start();

    scene->animateMove(item->card);
    QCOMPARE(item->rotation(), 0.0);
    QVERIFY(finished.wait(stepTimeout));
    const qint64 elapsed = clock.elapsed();
    QTest::qWait(300);
    QCOMPARE(finished.size(), 1);
    QVERIFY2(elapsed >= 62 + 50 + 50 + 700, qPrintable(QString::number(elapsed)));

    QCOMPARE(item->pos(), QPointF(400, 440));
    QVERIFY(!item->isFaceDown());
    QCOMPARE(item->elementId(), CardGraphicsItem::elementIdFor(item->card));
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

void TestGameScene::faceUpCardGoesStraightToThePause()
{
    newGame(15, true);
    CardGraphicsItem *item = scene->cardItem(30);  // the human's
    int opacity_changes = 0;
    connect(item, &QGraphicsObject::opacityChanged, this, [&] { ++opacity_changes; });
    QSignalSpy finished(scene.get(), &GameScene::animateCardFinished);
    scene->animateMove(item->card);
    QVERIFY(finished.wait(stepTimeout));
    QTest::qWait(200);
    QCOMPARE(finished.size(), 1);
    QCOMPARE(opacity_changes, 0);
    QCOMPARE(item->pos(), QPointF(420, 950));

    // Played from the right and the left, cards land at their own places.
    scene->animateMove(scene->cardItem(13)->card);
    QVERIFY(finished.wait(stepTimeout));
    QCOMPARE(scene->cardItem(13)->pos(), QPointF(650, 700));
    scene->animateMove(scene->cardItem(40)->card);
    QVERIFY(finished.wait(stepTimeout));
    QCOMPARE(scene->cardItem(40)->pos(), QPointF(170, 610));
}

void TestGameScene::durationsFollowTheSpeed_data()
{
    QTest::addColumn<int>("speed");
    QTest::addColumn<int>("move");
    QTest::addColumn<QList<int>>("gather");
    QTest::addColumn<int>("winner");
    QTest::newRow("fast") << 0 << 62 << QList<int>{175, 225, 275} << 87;
    QTest::newRow("medium") << 1 << 250 << QList<int>{700, 900, 1100} << 350;
    QTest::newRow("slow") << 2 << 750 << QList<int>{2100, 2700, 3300} << 1050;
    QTest::newRow("unknown value") << 7 << 250 << QList<int>{700, 900, 1100} << 350;
}

void TestGameScene::durationsFollowTheSpeed()
{
    QFETCH(int, speed);
    QFETCH(int, move);
    QFETCH(QList<int>, gather);
    QFETCH(int, winner);
    newGame(16, true);
    animation_speed = speed;
    AnimationManager &manager = scene->animationManager();

    scene->animateMove(scene->cardItem(0)->card);
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

void TestGameScene::trickGathersIntoTheWinner()
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

void TestGameScene::speedChangeAffectsOnlyLaterAnimations()
{
    newGame(18, true);
    AnimationManager &manager = scene->animationManager();
    animation_speed = 2;
    scene->animateMove(scene->cardItem(1)->card);
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

void TestGameScene::relayoutSilencesOldAnimations_data()
{
    QTest::addColumn<int>("card_id");  // -1: a trick
    QTest::addColumn<int>("after");    // ms before the new layout
    QTest::addColumn<int>("quiet");    // ms in which the old signal would have come
    QTest::newRow("during the move") << 2 << 20 << 1100;
    QTest::newRow("during a fade") << 2 << 100 << 1050;
    QTest::newRow("during the pause") << 30 << 300 << 800;
    QTest::newRow("gathering a trick") << -1 << 100 << 400;
    QTest::newRow("spinning the winner") << -1 << 300 << 300;
}

void TestGameScene::relayoutSilencesOldAnimations()
{
    QFETCH(int, card_id);
    QFETCH(int, after);
    QFETCH(int, quiet);
    newGame(19, true);
    QSignalSpy cards(scene.get(), &GameScene::animateCardFinished);
    QSignalSpy tricks(scene.get(), &GameScene::trickCompleteAnimationFinished);
    if (card_id >= 0)
        scene->animateMove(scene->cardItem(card_id)->card);
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

void TestGameScene::debugLabelsShowWinCounts()
{
    debug_mode = true;
    scene = std::make_unique<GameScene>(*state);
    std::srand(23);
    hide_opponent_cards = false;
    state->startNewGame();
    // Play round 1 through: computer players have win counts from round 2 on.
    while (state->getRound() == 1) {
        if (!state->playComputerMove()) {
            const Hand hand = state->getPlayers()[0].hand;
            QVERIFY(state->playCard(hand.legalCards(state->getTrick()).front()));
        }
    }
    scene->layoutTable(*state);

    int index = 0;
    const QPointF offsets[] = {QPointF(0, -30), QPointF(-80, 0), QPointF(), QPointF(-70, 0)};
    for (const int p : {0, 1, 3}) {
        const Player player = state->getPlayers()[std::size_t(scene->seatAt(p))];
        QCOMPARE(player.win_counts.size(), std::size_t(13));
        for (const CardGraphicsItem *item : itemsAt(*scene, p)) {
            const auto count = std::find_if(player.win_counts.begin(), player.win_counts.end(),
                                            [item](const CardWinCount &c) { return c.card == item->card; });
            QVERIFY(count != player.win_counts.end());
            QGraphicsTextItem *label = scene->debugLabel(index++);
            QCOMPARE(label->toPlainText(), QString::number(count->wins));
            QCOMPARE(label->pos(), item->pos() + offsets[p]);
            QVERIFY(label->scene() == scene.get());
        }
    }
    QCOMPARE(index, 39);
}

QTEST_MAIN(TestGameScene)
#include "tst_gamescene.moc"
