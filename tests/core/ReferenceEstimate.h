#pragma once

#include "Card.h"
#include "Player.h"

#include <vector>

// The call estimate played the plain way, with the computer player's own Hand and
// Player operations on card lists. It is the yardstick for RoundSimulator: both must
// give the same cards, the same counts and draw the same rand() values.
class ReferenceSimulation
{
public:
    explicit ReferenceSimulation(const std::vector<Card> &own_cards);

    // One simulated round; returns seat 3's tricks and counts the wins of its cards.
    // When played is given, the cards are appended to it in play order.
    int playRound(std::vector<Card> *played = nullptr);

    std::vector<Card> own;
    std::vector<Card> pool;
    std::vector<CardWinCount> win_counts;
};

// The whole estimate for the player's hand: sets call and win_counts.
void referenceEstimateCall(Player &player);
