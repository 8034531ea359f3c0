#pragma once

#include "GameRules.h"
#include "Opponents.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// One test seat against three computer players (standard ones, or Experts), over many games
// of ten rounds. The test seat moves through the four seats in turn, game by game. Deals,
// first leaders, calls and the other seats' random choices come from generators seeded by
// the seed, the game, the round and the seat, never from rand(): the same seed gives every
// policy the same deals, so policies are compared on the same cards. Every card played is
// checked to be a legal one.
class Tournament
{
public:
    // MonteCarlo is the fixed yardstick (MonteCarloPlayer) later Experts are measured by.
    enum class Policy { Standard, Expert, Random, MonteCarlo };

    struct Result {
        long long games = 0;
        double points_per_round = 0;  // the test seat's, averaged over games
        double points_margin = 0;     // 95% confidence half-width
        double won_percent = 0;       // highest total after ten rounds; ties split
        double won_margin = 0;
        double decision_mean_ms = 0;  // the test seat's card choices, in processor time
        double decision_p99_ms = 0;
        long long shortcall_calls = 0;  // the test seat's calls in shortcall rounds
        long long shortcall_made = 0;   // of those, the ones made exactly
    };

    static constexpr int roundsPerGame = 10;
    static constexpr int seatCount = rules::playerCount;

    Tournament(Policy policy, long long games, std::uint32_t seed,
               Opponents opponents = Opponents::Standard);

    Result run();

    // "expert", "standard", "random", "montecarlo"; false for any other name.
    static bool policyFromName(const std::string &name, Policy &policy);
    static std::string policyName(Policy policy);
    // "standard", "expert"; false for any other name.
    static bool opponentsFromName(const std::string &name, Opponents &opponents);
    // "calls made exactly in shortcall rounds: 61.3% of 212"
    static std::string shortcallLine(const Result &result);
    // The one closing line: "seat expert: points per round 1.62 +- 0.07, games won ...".
    static std::string summaryLine(Policy policy, const Result &result);

private:
    // One game's point totals by seat; the test seat's decision times are added.
    std::array<int, seatCount> playGame(long long game, int test_seat,
                                        std::vector<double> &decision_ms, Result &result) const;

    Policy policy;
    long long games;
    std::uint32_t seed;
    Opponents opponents;
};
