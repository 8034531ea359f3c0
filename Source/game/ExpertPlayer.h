#pragma once

#include "Card.h"
#include "SeatCard.h"
#include "SeededRandom.h"

#include <array>
#include <cstdint>
#include <vector>

class GameState;

// The strong computer player's card play. For each card it may play, it deals the cards it
// cannot see at random, consistent with what the table has shown (suits a player could
// not follow, spades too low to over-trump, and what a standard player's choices reveal),
// weighs each deal by how well it explains the calls, plays the rest of the round out
// with the standard decision list in the other seats, and scores the round as the game
// does. The card with the best average wins. The same deals serve every candidate card,
// so that the comparison measures the card and not the luck of the deal.
//
// The work per decision is fixed (a budget of simulated card plays), so a decision takes
// a few milliseconds at any point of a round. Every random draw comes from its own
// generator, a plain value: a game's rand() sequence never sees it, and a copy of the
// player continues exactly as the original.
class ExpertPlayer
{
public:
    // What the seat to move knows.
    struct Position {
        int seat = 0;
        std::vector<Card> hand;
        std::vector<SeatCard> plays;  // every card of the round so far, in order
        std::array<int, 4> calls{};
        bool first_round = false;
        bool shortcall = false;
        // Seats known to play by the standard decision list: their cards tell more.
        std::array<bool, 4> standard_seats{};
        // Seats whose calls are the standard estimate: a call tells how strong the hand is.
        std::array<bool, 4> estimated_calls{};
    };

    explicit ExpertPlayer(std::uint64_t seed = 1);

    // The card the seat to move should play in the game's current position.
    // Precondition: it is that seat's turn and its hand is not empty.
    Card chooseCard(const GameState &state);
    // The same for a position given directly; the hand must not be empty.
    Card chooseCard(const Position &position);

    // Simulated card plays per decision.
    static constexpr int playBudget = 120000;

private:
    SeededRandom random;
};
