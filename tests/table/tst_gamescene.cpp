#include "SceneTestFixture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGraphicsSceneHoverEvent>
#include <QGraphicsSceneMouseEvent>
#include <QKeyEvent>
#include <QParallelAnimationGroup>
#include <QPropertyAnimation>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace {

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
        cards.push_back(item->card());
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

void sendKey(GameScene &scene, int key)
{
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(&scene, &event);
}

// A game whose human is to move with a trick already led and fewer than all cards legal.
void stageFollowSuit(GameState &state, std::size_t min_legal = 1)
{
    for (unsigned seed = 1; seed < 500; ++seed) {
        std::srand(seed);
        state.startNewGame();
        while (!state.isHumanMove())
            state.playComputerMove();
        const std::vector<Card> trick = state.getTrick();
        const Hand hand = state.getPlayers()[0].hand;
        const std::size_t legal = hand.legalCards(trick).size();
        if (!trick.empty() && legal < hand.cards.size() && legal >= min_legal)
            return;
    }
    QFAIL("no seed gives a trick to follow");
}

}  // namespace

class TestGameScene : public SceneTestFixture
{
    Q_OBJECT

private slots:
    void init() { setUpScene(); }
    void cleanup() { tearDownScene(); }

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
    void keysChooseAmongPlayableCards();
    void cardIdFindsTheItem();
    void hideCardsHidesThem();
    void debugLabelsShowWinCounts();
};

void TestGameScene::seatsAroundTheTable_data()
{
    // A table reads best one row a line.
    // clang-format off
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("seat");
    QTest::newRow("top") << 0 << 2;
    QTest::newRow("right") << 1 << 3;
    QTest::newRow("bottom, the human") << 2 << 0;
    QTest::newRow("left") << 3 << 1;
    // clang-format on
}

void TestGameScene::seatsAroundTheTable()
{
    QFETCH(int, position);
    QFETCH(int, seat);
    newGame(11, false);
    QCOMPARE(scene->seatAt(position), seat);
    const Player player = state->getPlayers()[std::size_t(seat)];
    QVERIFY(scene->nameLabel(position)->isVisible());
    QVERIFY(scene->nameLabel(position)->toPlainText().startsWith(QString::fromStdString(player.name)
                                                                 + " ("));
    QVERIFY(sameCards(cardsOf(itemsAt(*scene, position)), player.hand.cards));
}

void TestGameScene::learningModeLayout()
{
    newGame(3, false);
    const auto at = [this](int id) { return scene->cardItem(id); };
    for (int id = 0; id < 52; ++id) {
        QVERIFY(at(id)->isVisible());
        QCOMPARE(at(id)->rotation(), 15.0);
        QCOMPARE(at(id)->transformOriginPoint(), QPointF(0, 0));
        QVERIFY(!at(id)->isFaceDown());
        QCOMPARE(at(id)->elementId(), CardGraphicsItem::elementIdFor(at(id)->card()));
    }
    for (int p = 0; p < 4; ++p) {
        std::vector<Card> sorted = handAt(*state, *scene, p);
        std::sort(sorted.begin(), sorted.end());
        QVERIFY(cardsOf(itemsAt(*scene, p)) == sorted);
    }

    // As drawn, with the labels' real fonts: the hands stay apart, each label stands by
    // its own hand and clear of every card, the human's row lies below the others.
    const auto shape = [](const QGraphicsItem *item) {
        return item->mapToScene(item->boundingRect());
    };
    const auto handCentre = [&](int p) {
        return (shape(at(13 * p)).boundingRect() | shape(at(13 * p + 12)).boundingRect()).center();
    };
    for (int p = 0; p < 4; ++p) {
        const QPolygonF label = shape(scene->nameLabel(p));
        for (int id = 0; id < 52; ++id) {
            QVERIFY2(!label.intersects(shape(at(id))), "a label lies over a card");
            for (int other = 13 * (id / 13 + 1); other < 52; ++other)
                QVERIFY2(!shape(at(id)).intersects(shape(at(other))), "two hands overlap");
        }
        const QPointF centre = label.boundingRect().center();
        for (int q = 0; q < 4; ++q)
            QVERIFY2((centre - handCentre(p)).manhattanLength()
                         <= (centre - handCentre(q)).manhattanLength(),
                     "a label stands by another player's hand");
        if (p != 2)
            QVERIFY(handCentre(2).y() > handCentre(p).y());
    }
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
        const bool ordered =
            suit_rank[a.suit] < suit_rank[b.suit] || (a.suit == b.suit && a.rank > b.rank);
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
    // A table reads best one row a line.
    // clang-format off
    QTest::addColumn<QString>("name");
    QTest::newRow("bold") << "<b>Bo</b>";
    QTest::newRow("image") << "<img src=x>";
    QTest::newRow("entity") << "Ann &amp; Bob";
    QTest::newRow("markers") << "%1 %2";
    QTest::newRow("non-ASCII") << QStringLiteral("Åsa Ø");
    // clang-format on
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
    // A table reads best one row a line.
    // clang-format off
    QTest::addColumn<bool>("follow");
    QTest::newRow("following suit") << true;
    QTest::newRow("leading") << false;
    // clang-format on
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
    const std::vector<Card> legal =
        follow ? state->getPlayers()[0].hand.legalCards(state->getTrick()) : hand;
    QCOMPARE(legal.size() < hand.size(), follow);
    QSignalSpy clicks(scene.get(), &GameScene::cardClicked);

    scene->setHumanCardsEnabled(*state, true);
    scene->setHumanCardsEnabled(*state, true);  // twice: still one signal per click
    std::vector<Card> clicked;
    for (CardGraphicsItem *item : itemsAt(*scene, 2)) {
        const bool is_legal = std::find(legal.begin(), legal.end(), item->card()) != legal.end();
        QCOMPARE(item->acceptHoverEvents(), is_legal);
        const qsizetype before = clicks.size();
        sendLeftClick(*scene, item);
        QCOMPARE(clicks.size() - before, qsizetype(is_legal ? 1 : 0));
        if (is_legal) {
            QCOMPARE(clicks.last().at(0).value<Card>(), item->card());
            QCOMPARE(clicks.last().at(1).toInt(), item->id());
            clicked.push_back(item->card());
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
    // Leading, every card may be played: none of them fades beside the raised one.
    const QList<double> bright(13, 1.0);
    const QList<double> dimmed = bright;

    sendHover(*scene, hovered, QEvent::GraphicsSceneHoverEnter);
    QVERIFY(hovered->isHovered());
    QCOMPARE(opacities(), dimmed);
    // Drawn whole above its neighbours while raised: its middle, which the next card
    // covers at rest, is its own; back in its place afterwards.
    const QPointF middle = hovered->mapToScene(hovered->boundingRect().center());
    QCOMPARE(scene->items(middle).first(), hovered);
    sendHover(*scene, hovered, QEvent::GraphicsSceneHoverLeave);
    QVERIFY(!hovered->isHovered());
    QCOMPARE(opacities(), bright);
    QCOMPARE(scene->items(middle).first(), row[5]);
    QCOMPARE(hovered->zValue(), 0.0);

    // Picked without the pointer, the card shows exactly the same.
    scene->setHighlightedCard(hovered->id());
    QVERIFY(hovered->isHovered());
    QCOMPARE(opacities(), dimmed);
    QCOMPARE(scene->items(middle).first(), hovered);
    scene->clearHighlightedCard();
    QCOMPARE(opacities(), bright);
    QCOMPARE(hovered->transform(), QTransform());
    QCOMPARE(scene->highlightedCard(), -1);

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

// Keys choose among the playable cards only, show the choice as the pointer shows a
// hovered card, play it as a click does, and do nothing before a game, off turn or while
// a card moves.
void TestGameScene::keysChooseAmongPlayableCards()
{
    QSignalSpy clicks(scene.get(), &GameScene::cardClicked);
    const QList<CardGraphicsItem *> row = itemsAt(*scene, 2);
    const auto raised = [&row] {
        QList<int> ids;
        for (const CardGraphicsItem *item : row)
            if (item->isHovered())
                ids.append(item->id());
        return ids;
    };
    const int keys[] = {Qt::Key_Right, Qt::Key_Left,   Qt::Key_Home,
                        Qt::Key_End,   Qt::Key_Return, Qt::Key_Space};
    const auto pressAll = [&] {
        for (const int key : keys)
            sendKey(*scene, key);
    };

    pressAll();  // before a game
    QCOMPARE(scene->selectedCard(), -1);
    stageFollowSuit(*state, 3);
    scene->layoutTable(*state);
    pressAll();  // not the human's turn
    QVERIFY(raised().isEmpty());

    scene->setHumanCardsEnabled(*state, true);
    const std::vector<Card> legal = state->getPlayers()[0].hand.legalCards(state->getTrick());
    QList<int> legal_ids;
    for (const CardGraphicsItem *item : row)
        if (std::find(legal.begin(), legal.end(), item->card()) != legal.end())
            legal_ids.append(item->id());
    const QList<int> playable = scene->playableCards();
    QCOMPARE(playable, legal_ids);
    // Beside the raised card only the cards the rules forbid fade.
    const auto dimmedBut = [&row, &legal_ids](int id) {
        for (const CardGraphicsItem *item : row)
            if (item->opacity()
                != (item->id() == id || legal_ids.contains(item->id()) ? 1.0 : 0.25))
                return false;
        return true;
    };
    QCOMPARE(scene->selectedCard(), playable.first());
    QVERIFY(raised().isEmpty());  // nothing shows until the keys are used

    scene->animateMove(scene->cardItem(0)->card());
    QVERIFY(scene->animationManager().isBusy());
    pressAll();  // while a card moves
    QVERIFY(raised().isEmpty());
    QCOMPARE(scene->selectedCard(), playable.first());
    scene->animationManager().stopAll();
    QCOMPARE(clicks.size(), 0);

    // The first key shows the selection; Right then walks the playable cards only and
    // stops at the last; Home and End jump.
    for (int i = 0; i <= playable.size(); ++i) {
        sendKey(*scene, Qt::Key_Right);
        const int expected = playable[std::min(i, int(playable.size()) - 1)];
        QCOMPARE(scene->selectedCard(), expected);
        QCOMPARE(raised(), QList<int>{expected});
        QVERIFY(dimmedBut(expected));
    }
    sendKey(*scene, Qt::Key_Home);
    QCOMPARE(raised(), QList<int>{playable.first()});
    sendKey(*scene, Qt::Key_Left);
    QCOMPARE(scene->selectedCard(), playable.first());
    sendKey(*scene, Qt::Key_End);
    QCOMPARE(raised(), QList<int>{playable.last()});

    // The pointer takes the selection along; the next key continues from there.
    sendHover(*scene, scene->cardItem(playable[0]), QEvent::GraphicsSceneHoverEnter);
    QCOMPARE(scene->selectedCard(), playable[0]);
    QCOMPARE(raised(), QList<int>{playable[0]});
    QVERIFY(dimmedBut(playable[0]));
    sendKey(*scene, Qt::Key_Right);
    QCOMPARE(raised(), QList<int>{playable[1]});
    QVERIFY(dimmedBut(playable[1]));
    QCOMPARE(clicks.size(), 0);

    sendKey(*scene, Qt::Key_Return);
    QCOMPARE(clicks.size(), 1);
    QCOMPARE(clicks.last().at(0).value<Card>(), scene->cardItem(playable[1])->card());
    QCOMPARE(clicks.last().at(1).toInt(), playable[1]);
    QVERIFY(raised().isEmpty());
    QVERIFY(std::all_of(row.begin(), row.end(),
                        [](const CardGraphicsItem *item) { return item->opacity() == 1.0; }));

    // Once the keys are in use the selection shows as the turn begins; after the pointer
    // was used, it waits for a key, and a first Enter only shows it.
    scene->setHumanCardsEnabled(*state, false);
    scene->setHumanCardsEnabled(*state, true);
    QCOMPARE(raised(), QList<int>{playable.first()});
    sendHover(*scene, scene->cardItem(playable[2]), QEvent::GraphicsSceneHoverEnter);
    sendHover(*scene, scene->cardItem(playable[2]), QEvent::GraphicsSceneHoverLeave);
    scene->setHumanCardsEnabled(*state, false);
    scene->setHumanCardsEnabled(*state, true);
    QVERIFY(raised().isEmpty());
    sendKey(*scene, Qt::Key_Space);
    QCOMPARE(raised(), QList<int>{playable.first()});
    QCOMPARE(clicks.size(), 1);
    sendKey(*scene, Qt::Key_Space);
    QCOMPARE(clicks.size(), 2);
    QCOMPARE(clicks.last().at(1).toInt(), playable.first());
}

void TestGameScene::cardIdFindsTheItem()
{
    newGame(12, true);
    for (const Card &card : makeDeck()) {
        const int id = scene->cardId(card);
        QVERIFY(id >= 0 && id < 52);
        QCOMPARE(scene->cardItem(id)->card(), card);
        QCOMPARE(scene->cardItem(id)->id(), id);
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
            const auto count =
                std::find_if(player.win_counts.begin(), player.win_counts.end(),
                             [item](const CardWinCount &c) { return c.card == item->card(); });
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
