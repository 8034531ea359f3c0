#pragma once

#include "Card.h"

#include <cstdint>

class GameState;

// TEMP stub: stands in for the Expert player until its branch is merged.
class ExpertPlayer
{
public:
    explicit ExpertPlayer(std::uint64_t seed = 1);
    // The card the seat to move should play in the game's current position.
    Card chooseCard(const GameState &state);

private:
    std::uint64_t seed;
};
