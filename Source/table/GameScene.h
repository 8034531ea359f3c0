#pragma once

#include "AnimationManager.h"
#include "Card.h"
#include "CardGraphicsItem.h"
#include "CardMetaType.h"

#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QList>

#include <array>
#include <map>

class GameState;
class Player;

// The table during play: four tilted hands, the trick, and one label per player.
// It reads the game state but never changes it.
class GameScene : public QGraphicsScene
{
    Q_OBJECT

public:
    explicit GameScene(const GameState &game_state, QObject *parent = nullptr);
    ~GameScene() override;

    void layoutTable(const GameState &game_state);
    void updateLabels(const GameState &game_state);
    void setHumanCardsEnabled(const GameState &game_state, bool enabled);
    int cardId(const Card &card) const;
    void animateMove(const Card &card);
    void animateTrickComplete(const QList<int> &ids, int winner_id);
    void hideCards(const QList<int> &ids);

    // Read access for tests and tools.
    CardGraphicsItem *cardItem(int id);
    QGraphicsTextItem *nameLabel(int table_position);
    QGraphicsTextItem *debugLabel(int index);
    int seatAt(int table_position) const;
    AnimationManager &animationManager() { return animation_manager; }

signals:
    void animateCardFinished();
    void cardClicked(Card card, int id);
    void trickCompleteAnimationFinished();

private slots:
    void onCardClicked(int id);
    void onCardHoverEntered(int id);
    void onCardHoverLeft(int id);

private:
    void placeLabel(int table_position, const QString &text);
    void placeDebugLabel(const Player &player, const CardGraphicsItem &item, int table_position,
                         int &debug_index);

    int card_rotation = 15;
    std::array<CardGraphicsItem, 52> card_items;
    std::array<QGraphicsTextItem, 4> name_labels;
    std::array<QGraphicsTextItem, 39> debug_labels;
    std::map<int, QList<CardGraphicsItem *>> position_cards;
    std::map<int, int> position_players;
    AnimationManager animation_manager;
};
