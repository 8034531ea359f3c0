#pragma once

#include "Card.h"

#include <QString>

#include <vector>

// One player's line of the round summary.
struct SummaryRow {
    QString name;
    int points = 0;
    int call = 0;
    bool is_human = false;
    std::vector<Card> cards;  // Spades, hearts, clubs, diamonds, each from the Ace down
    bool missing_suit = false;
    bool leads = false;  // has the most points: a winner, should the game end now
};
