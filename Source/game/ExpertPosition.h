#pragma once

#include "Card.h"
#include "GameRules.h"
#include "Opponents.h"
#include "SeatCard.h"

#include <array>
#include <vector>

// What the seat to move knows, as the Expert reads it: its own hand, the round's cards in
// play order, the calls, and what it may assume about how the other seats play.
struct ExpertPosition {
    int seat = 0;
    std::vector<Card> hand;
    std::vector<SeatCard> plays;  // every card of the round so far, in order
    std::array<int, rules::playerCount> calls{};
    bool first_round = false;
    bool shortcall = false;
    // Seats known to play by the standard decision list: their cards tell more.
    std::array<bool, rules::playerCount> standard_seats{};
    // Seats whose calls are the standard estimate: a call tells how strong the hand is.
    std::array<bool, rules::playerCount> estimated_calls{};

    // What a game's table lets the seat assume of the others: the computer seats' calls
    // are estimates after the first round, and in a Standard game they play by the list.
    // Needs first_round set.
    void describeSeats(int human, Opponents opponents)
    {
        for (int other = 0; other < rules::playerCount; ++other) {
            const auto s = static_cast<std::size_t>(other);
            estimated_calls[s] = !first_round && other != human;
            standard_seats[s] = opponents == Opponents::Standard && other != human;
        }
    }
};
