#pragma once

#include "Card.h"
#include "GameRules.h"
#include "Player.h"
#include "RandomSource.h"

#include <array>
#include <cstdint>
#include <vector>

// The simulated rounds of a computer player's call estimate, played fast.
//
// Cards are small indices (16 * (suit - 1) + rank - 2), so that a hand, the played
// cards and a suit are 64-bit sets with one 16-bit lane per suit: the highest unplayed
// card of a suit, the cheapest card that beats another or the lowest card of a suit are
// single bit scans instead of list scans. Hands keep their exact order (OrderedHand),
// because the low-card choice picks by position and re-sorts the hand; the decision list
// itself is chooseStandardCard's.
//
// Every choice and every rand() draw is the same as the computer player's own card
// selection in a simulated round (no shortcall, empty win counts), in the same order,
// from the same random source.
class RoundSimulator
{
public:
    static constexpr int estimatingSeat = 3;
    static constexpr int handSize = rules::tricksPerRound;

    // own_cards: the estimating player's freshly dealt hand, in hand order. Every draw
    // comes from random, which must outlive the simulator.
    explicit RoundSimulator(const std::vector<Card> &own_cards,
                            RandomSource &random = RandomSource::library());

    // False unless own_cards are 13 different cards of the deck; nothing can be played then.
    bool isValid() const { return valid; }

    // One simulated round: shuffles the unseen cards (continuing from the previous
    // shuffle), draws the first leader and plays the 13 tricks. Returns the tricks of the
    // estimating seat and counts the wins of its cards. When played is given, the cards
    // are appended to it in play order. Returns 0 and draws nothing when !isValid().
    int playRound(std::vector<Card> *played = nullptr);
    // Plays count rounds and returns the estimating seat's tricks over all of them.
    int playRounds(int count);

    // One entry per own card, in hand order, with the wins counted so far.
    std::vector<CardWinCount> winCounts() const;
    // The unseen cards in their current order.
    std::vector<Card> pool() const;

private:
    using CardIndex = std::uint8_t;

    RandomSource *random;
    bool valid = false;
    std::vector<Card> own;
    std::array<CardIndex, handSize> own_indices{};
    std::array<CardIndex, 39> unseen{};
    std::array<int, handSize> wins{};
    std::array<std::int8_t, 64> own_position{};  // index -> position in own, -1 if not own
};
