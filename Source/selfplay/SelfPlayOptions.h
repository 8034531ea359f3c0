#pragma once

#include "Tournament.h"

// The self-play program's command line.
struct SelfPlayOptions {
    unsigned seed = 1;
    long long rounds = 10;
    bool quiet = false;
    bool review = false;  // each round's review of seat 0's cards
    bool tournament = false;
    bool rounds_given = false;
    Tournament::Policy seat = Tournament::Policy::Expert;
    bool seat_given = false;
    long long games = 100;
    bool games_given = false;
    Opponents opponents = Opponents::Standard;
    bool opponents_given = false;
};

inline constexpr const char *programName = "tolvanmere-selfplay";

// The options of the command line; prints the usage and exits for --help (status 0) and
// for anything it cannot read (status 2).
SelfPlayOptions parseOptions(int argc, char **argv);
