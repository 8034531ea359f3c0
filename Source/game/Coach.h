#pragma once

#include "Card.h"
#include "GameRules.h"
#include "Player.h"

class GameState;

#include <array>
#include <cstdint>
#include <vector>

// Advice for the human's own hand: the call that pays best against the calls already
// made, judged from the computer player's simulated rounds, and the card the Expert would
// play. The coach draws only from generators of its own, seeded from the cards, so asking
// it anything leaves the game's rand() sequence, and therefore the game, exactly as it
// would have been.
class Coach
{
public:
    static constexpr int max_tricks = rules::tricksPerRound;
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

    // The card the Expert would play for the seat to move, seeded with hintSeed of that
    // seat's hand and the round's cards: the same position always gets the same hint.
    static Card hint(const GameState &state);

    // Of the rounds in the histogram, how many make the call (exactly, in a shortcall round).
    static int madeCount(const Histogram &rounds, int call, bool shortcall);
    // The mean points a call scores over the histogram's rounds when the other three
    // calls add up to others_total (rules::isShortcallTotal tells a shortcall round).
    static double expectedScore(const Histogram &rounds, int call, int others_total);
    // The call from minimumComputerCall to max_tricks with the best expected score; the
    // lower one on a tie.
    static int bestCall(const Histogram &rounds, int others_total);

    static std::uint64_t dealSeed(const std::vector<Card> &dealt);
    static std::uint64_t hintSeed(const std::vector<Card> &held, const std::vector<Card> &played);

private:
    bool has_estimate = false;
    int suggested_call = 0;
    double mean_tricks = 0;
    std::vector<CardWinCount> win_counts;
    Histogram trick_histogram{};
};
