#pragma once

#include "AnimationManager.h"
#include "Card.h"
#include "CardGraphicsItem.h"
#include "CardMetaType.h"
#include "TableConstants.h"

#include <QColor>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QList>
#include <QVariantAnimation>

#include <array>
#include <map>
#include <vector>

class GameState;
class QGraphicsRectItem;
class QKeyEvent;
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
    void updateLabels(const std::vector<Player> &players);
    void setHumanCardsEnabled(const GameState &game_state, bool enabled);
    int cardId(const Card &card) const;
    void animateMove(const Card &card);
    void animateTrickComplete(const QList<int> &ids, int winner_id);
    void hideCards(const QList<int> &ids);

    // The human's card picked out for play (by the pointer, or any other way of choosing):
    // it rises and is drawn whole above its neighbours, the rest of the hand is dimmed.
    // Clearing puts it back in its place. -1 means none.
    void setHighlightedCard(int id);
    void clearHighlightedCard();
    int highlightedCard() const { return highlighted_id; }
    // Outlines the coach's card, -1 none. That card is never dimmed, so its outline
    // stays in full view while another card is raised.
    void setHintedCard(int id);

    // Marks the label of the player to move, beside or behind its text; -1 when nobody's.
    void showTurn(const GameState &game_state);
    void clearTurn();
    int turnPosition() const { return turn_position; }
    int tablePositionOfSeat(int seat) const;
    QGraphicsItem *turnMark(int table_position) const;
    QGraphicsItem *yourTurnCue() const { return your_turn_cue; }
    // The "+1" beside the label of the player who took the trick just gathered.
    QGraphicsItem *trickCue(int table_position) const;
    // Flashes the label of the player who took the trick being gathered (normally done
    // when the gathering ends).
    void showTrickWinnerCue();
    // The keyboard's choice among the human's playable cards. It starts on the first of
    // them when the human's turn begins and follows the pointer; shown, it looks exactly
    // like a hovered card. -1 while the human may not play.
    void setSelectedCard(int id);
    int selectedCard() const { return selected_id; }
    // The ids of the cards the human may play now, left to right; empty off turn.
    QList<int> playableCards() const { return playable_ids; }

    // Read access for tests and tools.
    CardGraphicsItem *cardItem(int id);
    const CardGraphicsItem *cardItem(int id) const;
    QGraphicsTextItem *nameLabel(int table_position);
    QGraphicsTextItem *debugLabel(int index);
    int seatAt(int table_position) const;
    AnimationManager &animationManager() { return animation_manager; }

signals:
    void animateCardFinished();
    void cardClicked(Card card, int id);
    void trickCompleteAnimationFinished();
    // The selection or the set of playable cards changed.
    void selectionChanged();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private slots:
    void onCardClicked(int id);
    void onCardHoverEntered(int id);
    void onCardHoverLeft(int id);

private:
    void setupCues();
    void clearCues();
    void placeYourTurnCue();
    void showSelection();
    void playSelectedCard();
    void placeLabel(int table_position, const QString &text);
    void placeDebugLabel(const Player &player, const CardGraphicsItem &item, int table_position,
                         int &debug_index);

    int card_rotation = 15;
    std::array<CardGraphicsItem, 52> card_items;
    std::array<QGraphicsTextItem, table::tablePositions> name_labels;
    std::array<QGraphicsTextItem, 39> debug_labels;
    std::map<int, QList<CardGraphicsItem *>> position_cards;
    std::map<int, int> position_players;
    AnimationManager animation_manager;

    int highlighted_id = -1;
    int turn_position = -1;
    int trick_winner_position = -1;
    std::array<QGraphicsRectItem *, table::tablePositions>
        turn_marks{};  // glows, children of the labels
    std::array<QGraphicsRectItem *, table::tablePositions>
        turn_underlines{};  // children of the glows
    std::array<QGraphicsSimpleTextItem *, table::tablePositions> trick_cues{};
    QGraphicsSimpleTextItem *your_turn_cue = nullptr;  // owned by the scene
    QVariantAnimation trick_cue_fade;
    QColor label_colour;
    QList<int> playable_ids;
    int selected_id = -1;
    // The keys were used last (not the pointer): the selection shows as each turn begins.
    bool keyboard_in_use = false;
};
