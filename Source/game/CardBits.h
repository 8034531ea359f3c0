#pragma once

#include "Card.h"
#include "ComputerRules.h"
#include "GameRules.h"

#include <bit>
#include <cstdint>
#include <vector>

// Cards as small indices, 16 * (suit - 1) + rank - 2, so that a hand is a 64-bit set with
// one 13-bit lane per suit: what the simulations use to play rounds out fast.
namespace cardbits {

using CardIndex = std::uint8_t;
using CardSet = std::uint64_t;

inline constexpr int spadeLane = 0;                // lanes: 0 spades, 1 hearts, 2 diamonds, 3 clubs
inline constexpr std::uint32_t laneMask = 0x1FFF;  // ranks 2..14 as bits 0..12
inline constexpr CardSet wholeDeck =
    CardSet{laneMask} | CardSet{laneMask} << 16 | CardSet{laneMask} << 32 | CardSet{laneMask} << 48;
inline constexpr int giveAwayRankBit = computer::giveAwayMaxRank - 2;
inline constexpr int lowCardRankBit = computer::lowCardMaxRank - 2;

inline int laneOf(CardIndex card)
{
    return card >> 4;
}
inline int rankBitOf(CardIndex card)
{
    return card & 15;
}
inline CardIndex indexOf(int lane, int rank_bit)
{
    return static_cast<CardIndex>(lane * 16 + rank_bit);
}
inline CardIndex indexOf(const Card &card)
{
    return indexOf(card.suit - 1, card.rank - 2);
}
inline bool isRealCard(const Card &card)
{
    return card.suit >= Spades && card.suit <= Clubs && card.rank >= 2 && card.rank <= 14;
}
inline Card cardOf(CardIndex index)
{
    const int rank = rankBitOf(index) + 2;
    return makeCard(laneOf(index) + 1, rank == 14 ? Ace : rank);
}
inline CardSet bitOf(CardIndex card)
{
    return CardSet{1} << card;
}
// The set of a list's real cards; anything else in it is left out.
inline CardSet setOf(const std::vector<Card> &cards)
{
    CardSet set = 0;
    for (const Card &card : cards) {
        if (isRealCard(card))
            set |= bitOf(indexOf(card));
    }
    return set;
}
inline std::uint32_t laneCards(CardSet set, int lane)
{
    return static_cast<std::uint32_t>(set >> (lane * 16)) & laneMask;
}
inline CardSet laneSet(int lane)
{
    return CardSet{laneMask} << (lane * 16);
}
inline int lowestBit(std::uint32_t bits)
{
    return std::countr_zero(bits);
}
inline int highestBit(std::uint32_t bits)
{
    return 31 - std::countl_zero(bits);
}
// The n-th card (from 0) of a set, lowest index first; n must be below its size.
inline CardIndex nthCard(CardSet set, int n)
{
    for (; n > 0; --n)
        set &= set - 1;
    return static_cast<CardIndex>(std::countr_zero(set));
}
// The cards of a lane ranked above the given rank bit.
inline std::uint32_t above(std::uint32_t bits, int rank_bit)
{
    return bits & ~((2u << rank_bit) - 1);
}
// The trickWinner rule for one more card against the card winning so far.
inline bool beats(CardIndex card, CardIndex winner)
{
    if (laneOf(card) == laneOf(winner))
        return rankBitOf(card) > rankBitOf(winner);
    return laneOf(card) == spadeLane;
}

// The trick in progress and the round's cards played so far, as the decision list reads them.
struct TrickOnSets {
    int size = 0;  // cards in the trick
    int led = 0;   // lane of the first card
    CardIndex winner = 0;
    int winner_seat = 0;
    CardSet played = 0;  // every card of the round, this trick's included

    // One more card, by seat; the trick's first card leads and wins so far.
    void add(CardIndex card, int seat)
    {
        if (size == 0 || beats(card, winner)) {
            if (size == 0)
                led = laneOf(card);
            winner = card;
            winner_seat = seat;
        }
        ++size;
        played |= bitOf(card);
    }
    bool full() const { return size == rules::playerCount; }
};

// The cards a hand may play to the trick (Hand::legalCards): follow suit, else trump, over a
// trump in the trick if possible; anything when none of that can be done.
inline CardSet legalCards(CardSet hand, const TrickOnSets &trick)
{
    if (trick.size == 0)
        return hand;
    if (const CardSet following = hand & laneSet(trick.led))
        return following;
    const CardSet spades = hand & laneSet(spadeLane);
    if (laneOf(trick.winner) == spadeLane) {
        const CardSet over = CardSet{above(laneCards(spades, spadeLane), rankBitOf(trick.winner))};
        return over ? over : hand;
    }
    return spades ? spades : hand;
}

}  // namespace cardbits
