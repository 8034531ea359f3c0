#pragma once

#include "Card.h"
#include "Player.h"

#include <array>
#include <cstdint>
#include <vector>

// The computer player's advice for the human's own hand: the call its estimate would
// make, and the card its decision list would play. The coach draws only from generators
// of its own, seeded from the cards, so asking it anything leaves the game's rand()
// sequence, and therefore the game, exactly as it would have been.
class Coach
{
public:
    static constexpr int max_tricks = 13;
    using Histogram = std::array<int, max_tricks + 1>;  // simulated rounds by tricks taken

    // The estimate for a freshly dealt hand: the same simulated rounds as a computer
    // player's estimateCall, drawn from a generator seeded with dealSeed(dealt). A hand
    // the simulation cannot play (not 13 different cards) leaves no estimate.
    void estimate(const std::vector<Card> &dealt);
    // Forgets the estimate (a first round has none).
    void clear();

    bool hasEstimate() const { return has_estimate; }
    int suggestedCall() const { return suggested_call; }
    double meanTricks() const { return mean_tricks; }
    const std::vector<CardWinCount> &winCounts() const { return win_counts; }
    const Histogram &histogram() const { return trick_histogram; }

    // The card the computer player would play from this hand: chooseCard on a copy, with
    // the estimate's win counts, drawing from a generator seeded with hintSeed. The
    // same situation always gets the same hint.
    Card hint(const Hand &hand, const std::vector<Card> &trick, const std::vector<Card> &played,
              bool shortcall) const;

    static std::uint64_t dealSeed(const std::vector<Card> &dealt);
    static std::uint64_t hintSeed(const std::vector<Card> &held, const std::vector<Card> &played);

private:
    bool has_estimate = false;
    int suggested_call = 0;
    double mean_tricks = 0;
    std::vector<CardWinCount> win_counts;
    Histogram trick_histogram{};
};
