#pragma once

#include "AnimationManager.h"
#include "Card.h"
#include "CardGraphicsItem.h"
#include "CardMetaType.h"
#include "DebugLabels.h"
#include "StartPrompt.h"
#include "TableConstants.h"
#include "TableGeometry.h"
#include "TurnCues.h"

#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QList>

#include <array>
#include <memory>
#include <vector>

class GameState;
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
    // it rises and is drawn whole above its neighbours, the cards that may not be played are
    // dimmed.
    // Clearing puts it back in its place. -1 means none.
    void setHighlightedCard(int id);
    void clearHighlightedCard();
    int highlightedCard() const { return highlighted_id; }
    // Outlines the coach's card, -1 none. That card is never dimmed, so its outline
    // stays in full view while another card is raised.
    void setHintedCard(int id);

    // Marks the label of the player to move, beside or behind its text; -1 when nobody's.
    void showTurn(const GameState &game_state);
    void clearTurn() { turn_cues->clearTurn(); }
    int turnPosition() const { return turn_cues->turnPosition(); }
    int tablePositionOfSeat(int seat) const;
    QGraphicsItem *turnMark(int table_position) const
    {
        return turn_cues->turnMark(table_position);
    }
    QGraphicsItem *yourTurnCue() const { return turn_cues->yourTurnCue(); }
    // The "+1" beside the label of the player who took the trick just gathered.
    QGraphicsItem *trickCue(int table_position) const
    {
        return turn_cues->trickCue(table_position);
    }
    // Flashes the label of the player who took the trick being gathered (normally done
    // when the gathering ends).
    void showTrickWinnerCue() { turn_cues->showTrickWinner(); }
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
    QGraphicsItem *startPrompt() { return &start_prompt; }
    QGraphicsTextItem *debugLabel(int index) { return debug_labels.label(index); }
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
    void addLabels();
    void showSelection();
    void playSelectedCard();
    // A click or hover from an item of the human's row: its id names one of ours.
    CardGraphicsItem &ownItem(int id);
    void dealHand(int table_position, const Player &player);
    void placeHand(int table_position, const table::HandPlace &place, const Player &player);
    void placeLabel(int table_position, const table::LabelPlace &place, const QString &text);

    int card_rotation = 15;
    std::array<CardGraphicsItem, table::cardItemCount> card_items;
    std::array<QGraphicsTextItem, table::tablePositions> name_labels;
    StartPrompt start_prompt;
    DebugLabels debug_labels;
    std::array<QList<CardGraphicsItem *>, table::tablePositions> position_cards;
    int human_seat = 0;
    AnimationManager animation_manager;

    int highlighted_id = -1;
    // Made once the labels have their font; "Your turn" is stacked above the labels.
    std::unique_ptr<TurnCues> turn_cues;
    QList<int> playable_ids;
    int selected_id = -1;
    // The keys were used last (not the pointer): the selection shows as each turn begins.
    bool keyboard_in_use = false;
};
