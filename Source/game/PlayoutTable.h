#pragma once

#include "CardBits.h"
#include "GameRules.h"
#include "GuessedHand.h"

#include <array>
#include <cstddef>

// A round being played out on card sets: the hands, the trick in progress, the tricks
// taken and each hand's suit lengths as dealt. The Expert and the tournament's Monte-Carlo
// seat play their simulated rounds on it.
struct PlayoutTable {
    std::array<cardbits::CardSet, rules::playerCount> hands{};
    cardbits::TrickOnSets trick;
    std::array<int, rules::playerCount> tricks{};
    int to_move = 0;
    std::array<GuessedHand::SuitLengths, rules::playerCount> dealt{};

    void play(cardbits::CardIndex card)
    {
        hands[static_cast<std::size_t>(to_move)] &= ~cardbits::bitOf(card);
        trick.add(card, to_move);
        if (trick.full()) {
            ++tricks[static_cast<std::size_t>(trick.winner_seat)];
            to_move = trick.winner_seat;
            trick.size = 0;
        } else {
            to_move = (to_move + 1) % rules::playerCount;
        }
    }
};
