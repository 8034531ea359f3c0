#pragma once

// The numbers of the game's rules, in one place.
namespace rules {

inline constexpr int playerCount = 4;
inline constexpr int tricksPerRound = 13;  // also the cards of each hand
inline constexpr int lowestCall = 2;
inline constexpr int highestCall = tricksPerRound;
// Four calls adding up to this or less make a shortcall round.
inline constexpr int shortcallMaxTotal = 12;

// Whether four calls with this total make a shortcall round.
constexpr bool isShortcallTotal(int total)
{
    return total <= shortcallMaxTotal;
}

}  // namespace rules
