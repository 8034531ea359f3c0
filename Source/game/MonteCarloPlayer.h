#pragma once

#include "Card.h"
#include "ExpertPosition.h"
#include "SeededRandom.h"

#include <cstdint>

// A fixed yardstick for measuring the Expert: plain determinized Monte-Carlo card play.
// For each decision it deals the cards it cannot see dealsPerDecision times, each deal
// consistent only with the suits the other seats have shown they lack and the spade limits
// of the rules (no reading of how anyone plays, no weighing by calls), plays every legal
// card out to the end of the round with the standard decision list in all four seats, and
// keeps the card with the best total of its own round points. Calls are left to the
// standard estimate.
//
// It stays as written: later versions of the Expert are measured against this same player,
// so a change here changes the measure. Every draw comes from its own generator.
class MonteCarloPlayer
{
public:
    explicit MonteCarloPlayer(std::uint64_t seed) : random(seed) {}

    // The card the seat to move should play, one of its hand's legal cards; the hand must
    // not be empty. Only seat, hand, plays, calls, first_round and shortcall are read.
    Card chooseCard(const ExpertPosition &position);

    static constexpr int dealsPerDecision = 60;

private:
    SeededRandom random;
};
