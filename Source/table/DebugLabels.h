#pragma once

#include "TableConstants.h"

#include <QGraphicsTextItem>

#include <array>

class CardGraphicsItem;
class Player;
class QGraphicsScene;

// The developer's view (debug_mode only): beside each computer player's card, how often it
// won in the simulated rounds behind the player's call.
class DebugLabels
{
public:
    // Shown and stacked above everything added to the scene before.
    void addTo(QGraphicsScene &scene);
    // A new layout fills the labels from the first again.
    void restart() { next = 0; }
    // Labels the card if the player counted its wins.
    void place(const Player &player, const CardGraphicsItem &item, int table_position);
    QGraphicsTextItem *label(int index);

private:
    std::array<QGraphicsTextItem, table::debugLabelCount> labels;
    int next = 0;
};
