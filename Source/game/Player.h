#pragma once

#include "Card.h"
#include "ComputerRules.h"
#include "GameRules.h"
#include "RandomSource.h"

#include <cstdint>
#include <string>
#include <vector>

// Simulated rounds per call estimate, and the lowest call a computer player makes.
constexpr int simulationRuns = 100;
constexpr int minimumComputerCall = rules::lowestCall;

// How often one card of a computer player's hand won a trick in its simulated rounds.
struct CardWinCount {
    Card card;
    int wins = 0;  // of 100 simulated rounds
};

// Orderings of the computer player; every sort that uses them is stable.
bool trumpRankLess(const Card &a, const Card &b);  // non-spades first, then by rank
bool winCountLess(const CardWinCount &a, const CardWinCount &b);
bool winCountGreater(const CardWinCount &a, const CardWinCount &b);  // ties: Card operator<

class Hand
{
public:
    std::vector<Card> cards;
    int players_per_trick = rules::playerCount;
    int sure_win_threshold = computer::sureWinCount;

    // Erases the first card equal to the given one. A card the hand does not hold
    // changes nothing and returns false.
    bool removeCard(const Card &card);

    // The cards that may be played to the trick in progress, in hand order.
    std::vector<Card> legalCards(const std::vector<Card> &trick) const;

    // --- the computer player's view of a hand (ComputerPlayer.cpp) ---
    std::vector<Card> cardsOfSuit(int suit) const;
    Card masterCard(int suit, const std::vector<Card> &played,
                    const std::vector<Card> &candidates) const;
    // May reorder cards (stable sort by trumpRankLess) but never removes one.
    Card chooseLowCard(RandomSource &random = RandomSource::library());
    // Chooses by the decision list and removes the chosen card from the hand.
    Card chooseCard(const std::vector<Card> &trick, const std::vector<Card> &played, bool shortcall,
                    const std::vector<CardWinCount> &win_counts,
                    RandomSource &random = RandomSource::library());
    Card chooseBeatingCard(const std::vector<Card> &candidates, const Card &target,
                           const Card &fallback, const std::vector<CardWinCount> &win_counts,
                           bool shortcall) const;
    Card chooseByWinCount(const std::vector<Card> &candidates,
                          const std::vector<CardWinCount> &win_counts, const Card &fallback) const;
};

class Player
{
public:
    int32_t call = 0;
    int32_t tricks = 0;
    int32_t points = 0;
    Hand hand;
    std::vector<CardWinCount> win_counts;
    std::string name = "Player";  // UTF-8

    void addRoundScore(bool firstRound, bool shortcall);

    // --- the computer player (ComputerPlayer.cpp) ---
    Card chooseCard(const std::vector<Card> &trick, const std::vector<Card> &played, bool shortcall,
                    RandomSource &random = RandomSource::library());
    // Sets call (at least 2) and win_counts from 100 simulated rounds of the dealt hand.
    void estimateCall(RandomSource &random = RandomSource::library());
};

// Whether a round's tricks make a call: exactly in a shortcall round, at least otherwise.
bool isCallMade(int call, int tricks, bool shortcall);
// A round's points: the tricks in the first round (no calls); from the second on the
// call's value, won when the call is made and lost when it is not.
int roundScore(int call, int tricks, bool first_round, bool shortcall);

// The seats from the most points to the fewest; equal points keep their seat order.
std::vector<int> seatsByStanding(const std::vector<Player> &players);

// The last step of a call estimate: the average number of simulated tricks becomes a
// call, truncated when r % 100 > 32 and rounded half up otherwise, and never below
// minimumComputerCall. r is one value of the random source.
int roundCall(double average, int r);
