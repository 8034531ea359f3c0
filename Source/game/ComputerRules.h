#pragma once

// The computer player's rules of thumb for giving a card away. Its own card choice
// (ComputerPlayer.cpp) and the fast simulation of its call estimate (RoundSimulator.cpp)
// must choose alike, so both read them from here.
namespace computer {

// The shortest suit's low cards go first: non-spades of this rank or less.
inline constexpr int giveAwayMaxRank = 7;
// Else, from the hand sorted low non-spades first, one of the first few cards of this
// rank or less ...
inline constexpr int lowCardMaxRank = 8;
// ... among this many at most.
inline constexpr int lowCardRunLimit = 5;

// A card that won this many of its hand's 100 simulated rounds or more is a sure winner,
// which a shortcall round's pick by win counts passes over.
inline constexpr int sureWinCount = 80;

}  // namespace computer
