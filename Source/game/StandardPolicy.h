#pragma once

#include "CardBits.h"

// The computer player's decision list (Hand::chooseCard) on card sets, for the fast
// simulations: the call estimate's rounds (RoundSimulator) and the Expert's play-outs.
// The list's structure is written here once. What its users do differently lives in the
// hand they pass in, which answers:
//   CardSet held() const                  the cards still held
//   bool shortcall() const                whether the shortcall picks apply
//   CardIndex lowCard(random)             Hand::chooseLowCard, with its draws
//   CardIndex pickMaster(CardSet, int n, random)  the lead among n held master cards
//   CardIndex unsure(CardSet, CardIndex)  the shortcall pick by win counts, or the fallback
// The hand keeps its card: removing the chosen one is the caller's job. OrderedHand and
// GuessedHand are the two hands.
namespace cardbits {

namespace detail {

// Following suit with the cards of the led lane.
template <typename PolicyHand>
CardIndex chooseFollowing(const PolicyHand &hand, const TrickOnSets &trick, std::uint32_t suit)
{
    const int led = trick.led;
    const CardIndex winner = trick.winner;
    const bool shortcall = hand.shortcall();
    const CardIndex low = indexOf(led, lowestBit(suit));
    const CardIndex high = indexOf(led, highestBit(suit));
    if (laneOf(winner) == spadeLane && led != spadeLane)
        return shortcall ? high : low;  // already trumped
    if (trick.size == rules::playerCount - 1) {
        // Playing last: the cheapest card that takes the trick (the dearest in a shortcall).
        const std::uint32_t beating = above(suit, rankBitOf(winner));
        if (beating)
            return indexOf(led, shortcall ? highestBit(beating) : lowestBit(beating));
        return shortcall ? hand.unsure(CardSet{suit} << (led * 16), low) : low;
    }
    // The highest unplayed card of the suit, if held and not below the winner.
    const std::uint32_t unplayed = ~laneCards(trick.played, led) & laneMask;
    if (unplayed) {
        const int top = highestBit(unplayed);
        if (((suit >> top) & 1) && top >= rankBitOf(winner))
            return indexOf(led, top);
    }
    return shortcall ? high : low;
}

}  // namespace detail

template <typename PolicyHand, typename Random>
CardIndex chooseStandardCard(PolicyHand &hand, const TrickOnSets &trick, Random &random)
{
    const CardSet held = hand.held();
    if (trick.size == 0) {
        // A master card (the highest unplayed of its suit) if any is held, else a low card.
        CardSet masters = 0;
        int found = 0;
        for (int lane = 0; lane < rules::playerCount; ++lane) {
            const std::uint32_t unplayed = ~laneCards(trick.played, lane) & laneMask;
            if (!unplayed)
                continue;
            const CardIndex top = indexOf(lane, highestBit(unplayed));
            if (held & bitOf(top)) {
                masters |= bitOf(top);
                ++found;
            }
        }
        if (found > 0)
            return hand.pickMaster(masters, found, random);
        const CardIndex low = hand.lowCard(random);
        return hand.shortcall() ? hand.unsure(held, low) : low;
    }
    if (const std::uint32_t suit = laneCards(held, trick.led))
        return detail::chooseFollowing(hand, trick, suit);
    if (const std::uint32_t spades = laneCards(held, spadeLane)) {
        if (laneOf(trick.winner) != spadeLane)
            return indexOf(spadeLane, lowestBit(spades));
        const std::uint32_t over = above(spades, rankBitOf(trick.winner));
        if (over)
            return indexOf(spadeLane, hand.shortcall() ? highestBit(over) : lowestBit(over));
        return hand.lowCard(random);
    }
    return hand.lowCard(random);
}

}  // namespace cardbits
