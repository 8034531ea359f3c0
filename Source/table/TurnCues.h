#pragma once

#include "TableSeating.h"

#include <QColor>
#include <QObject>
#include <QPointF>
#include <QVariantAnimation>

#include <array>

class QGraphicsItem;
class QGraphicsRectItem;
class QGraphicsSimpleTextItem;
class QGraphicsTextItem;

// The marks beside the name labels: the glow of the player to move, "Your turn" beside the
// human's row, and the "+1" that flashes by the label of whoever took the last trick.
// The glows and "+1"s are children of the labels; "Your turn" is a free item that the
// scene adds (and then owns) where it wants it stacked.
class TurnCues : public QObject
{
    Q_OBJECT

public:
    using Labels = std::array<QGraphicsTextItem *, table::tablePositions>;

    // The labels must have their font already: the cues take theirs from it.
    explicit TurnCues(const Labels &labels, QObject *parent = nullptr);

    QGraphicsSimpleTextItem *yourTurnCue() const { return your_turn_cue; }
    void placeYourTurnCue(const QPointF &pos);
    void setYourTurnVisible(bool visible);

    // Marks the label at table_position, -1 for nobody.
    void showTurn(int table_position);
    void clearTurn();
    int turnPosition() const { return turn_position; }
    QGraphicsItem *turnMark(int table_position) const;

    // The trick being gathered was taken at table_position (-1 none); its "+1" shows when
    // showTrickWinner is called, and fades by itself.
    void setTrickWinner(int table_position) { trick_winner_position = table_position; }
    void showTrickWinner();
    QGraphicsItem *trickCue(int table_position) const;
    // Hides the "+1" and gives every label its own colour back.
    void clearTrickCue();

private:
    Labels labels;
    std::array<QGraphicsRectItem *, table::tablePositions> turn_marks{};  // glows
    std::array<QGraphicsRectItem *, table::tablePositions>
        turn_underlines{};  // children of the glows
    std::array<QGraphicsSimpleTextItem *, table::tablePositions> trick_cues{};
    QGraphicsSimpleTextItem *your_turn_cue = nullptr;
    QVariantAnimation trick_cue_fade;
    QColor label_colour;
    int turn_position = -1;
    int trick_winner_position = -1;
};
