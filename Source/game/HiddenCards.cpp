#include "HiddenCards.h"

#include <algorithm>
#include <bit>

using namespace cardbits;

namespace {

constexpr int seats = HiddenCards::seats;

// Cards of a lane below or above a rank bit, as sets.
CardSet laneBelow(int lane, int rank_bit)
{
    return CardSet{(1u << rank_bit) - 1} << (lane * 16);
}
CardSet laneAbove(int lane, int rank_bit)
{
    return CardSet{above(laneMask, rank_bit)} << (lane * 16);
}
// The highest card of a lane not played yet; 0xFF when all are.
CardIndex masterOf(CardSet played, int lane)
{
    const std::uint32_t unplayed = ~laneCards(played, lane) & laneMask;
    return unplayed ? indexOf(lane, highestBit(unplayed)) : CardIndex{0xFF};
}

// A lead tells only that the hand held no master card, unless it is one.
CardSet leadExcludes(CardIndex card, CardSet played)
{
    if (card == masterOf(played, laneOf(card)))
        return 0;
    CardSet masters = 0;
    for (int lane = 0; lane < seats; ++lane) {
        if (const CardIndex master = masterOf(played, lane); master != 0xFF)
            masters |= bitOf(master);
    }
    return masters;
}

// What a card that followed suit tells.
CardSet followExcludes(CardIndex card, const TrickOnSets &before, bool shortcall)
{
    const int lane = laneOf(card);
    const CardIndex winner = before.winner;
    const CardSet lower = laneBelow(lane, rankBitOf(card));
    const CardSet higher = laneAbove(lane, rankBitOf(card));
    if (laneOf(winner) == spadeLane && before.led != spadeLane)
        return shortcall ? 0 : lower;
    if (before.size == seats - 1) {
        if (beats(card, winner))
            return shortcall ? higher : lower & laneAbove(lane, rankBitOf(winner));
        return shortcall ? 0 : laneAbove(lane, rankBitOf(winner)) | lower;
    }
    // The master card comes only when it is not below the winner, which is already
    // played and may outrank it.
    const CardIndex master = masterOf(before.played, lane);
    if (card == master)
        return 0;
    const CardSet master_held = rankBitOf(master) >= rankBitOf(winner) ? bitOf(master) : 0;
    return master_held | (shortcall ? 0 : lower);
}

// What a card that did not follow suit rules out by the rules alone: the led suit; then a
// spade was due, and one above a spade in the trick.
CardSet voidExcludes(CardIndex card, const TrickOnSets &before)
{
    CardSet excluded = laneSet(before.led);
    const bool spade_in_trick = laneOf(before.winner) == spadeLane;
    if (!spade_in_trick && laneOf(card) != spadeLane)
        excluded |= laneSet(spadeLane);
    else if (spade_in_trick && !(laneOf(card) == spadeLane && beats(card, before.winner)))
        excluded |= laneAbove(spadeLane, rankBitOf(before.winner));
    return excluded;
}

}  // namespace

// It leads a master card whenever it holds one, follows with a master card or else its
// lowest (by its win counts, not known here, in a shortcall round), and trumps or takes a
// trick as cheaply as it can (as dearly in a shortcall round).
CardSet standardPlayExcludes(CardIndex card, const TrickOnSets &before, bool shortcall)
{
    if (before.size == 0)
        return leadExcludes(card, before.played);
    if (laneOf(card) == before.led)
        return followExcludes(card, before, shortcall);
    if (laneOf(card) != spadeLane || !beats(card, before.winner))
        return 0;  // a card shed: only the suits it could not follow are known
    const CardSet lower = laneBelow(spadeLane, rankBitOf(card));
    if (laneOf(before.winner) != spadeLane)
        return lower;
    return shortcall ? laneAbove(spadeLane, rankBitOf(card))
                     : lower & laneAbove(spadeLane, rankBitOf(before.winner));
}

HiddenCards HiddenCards::read(const ExpertPosition &position, CardSet own, CardSet played,
                              bool read_standard_play)
{
    HiddenCards hidden;
    hidden.unknown_cards = wholeDeck & ~own & ~played;
    hidden.allowed_cards.fill(hidden.unknown_cards);
    hidden.held_count.fill(rules::tricksPerRound);
    TrickOnSets trick;
    for (const SeatCard &play : position.plays) {
        const CardIndex card = indexOf(play.card);
        const auto seat = static_cast<std::size_t>(play.seat % seats);
        --hidden.held_count[seat];
        if (read_standard_play && position.standard_seats[seat])
            hidden.allowed_cards[seat] &= ~standardPlayExcludes(card, trick, position.shortcall);
        if (trick.size > 0 && laneOf(card) != trick.led)
            hidden.allowed_cards[seat] &= ~voidExcludes(card, trick);
        trick.add(card, play.seat);
        if (trick.full())
            trick.size = 0;
    }
    hidden.held_count[static_cast<std::size_t>(position.seat)] = 0;
    hidden.allowed_cards[static_cast<std::size_t>(position.seat)] = 0;

    std::array<int, 64> holders{};
    for (CardSet rest = hidden.unknown_cards; rest; rest &= rest - 1) {
        const auto card = static_cast<CardIndex>(std::countr_zero(rest));
        for (const CardSet allowed : hidden.allowed_cards)
            holders[card] += (allowed >> card) & 1;
        hidden.order[static_cast<std::size_t>(hidden.order_size++)] = card;
    }
    std::stable_sort(hidden.order.begin(), hidden.order.begin() + hidden.order_size,
                     [&holders](CardIndex a, CardIndex b) { return holders[a] < holders[b]; });
    return hidden;
}

bool HiddenCards::may(int seat, CardIndex card, bool constrained) const
{
    const auto s = static_cast<std::size_t>(seat);
    return held_count[s] > 0 && (!constrained || ((allowed_cards[s] >> card) & 1));
}

bool HiddenCards::deal(bool constrained, SeededRandom &random, Hands &hands) const
{
    std::array<int, seats> room = held_count;
    for (int i = 0; i < order_size; ++i) {
        const CardIndex card = order[static_cast<std::size_t>(i)];
        int total = 0;
        for (int seat = 0; seat < seats; ++seat)
            total += may(seat, card, constrained) ? room[static_cast<std::size_t>(seat)] : 0;
        if (total == 0) {
            if (!makeRoom(card, constrained, room, hands))
                return false;
            continue;
        }
        int pick = random.next() % total;
        for (int seat = 0; seat < seats; ++seat) {
            if (!may(seat, card, constrained))
                continue;
            pick -= room[static_cast<std::size_t>(seat)];
            if (pick < 0) {
                hands[static_cast<std::size_t>(seat)] |= bitOf(card);
                --room[static_cast<std::size_t>(seat)];
                break;
            }
        }
    }
    return true;
}

// A breadth-first search for a chain of moves ending at a seat with room.
bool HiddenCards::makeRoom(CardIndex card, bool constrained, std::array<int, seats> &room,
                           Hands &hands) const
{
    std::array<int, seats> from{-1, -1, -1, -1};
    std::array<CardIndex, seats> via{};
    std::array<bool, seats> seen{};
    std::array<int, seats> queue{};
    int head = 0, tail = 0, found = -1;
    for (int seat = 0; seat < seats; ++seat) {
        if (may(seat, card, constrained)) {
            seen[static_cast<std::size_t>(seat)] = true;
            queue[static_cast<std::size_t>(tail++)] = seat;
        }
    }
    while (head < tail && found < 0) {
        const int u = queue[static_cast<std::size_t>(head++)];
        for (CardSet cards = hands[static_cast<std::size_t>(u)]; cards && found < 0;
             cards &= cards - 1) {
            const auto moved = static_cast<CardIndex>(std::countr_zero(cards));
            for (int v = 0; v < seats && found < 0; ++v) {
                const auto vs = static_cast<std::size_t>(v);
                if (seen[vs] || !may(v, moved, constrained))
                    continue;
                seen[vs] = true;
                from[vs] = u;
                via[vs] = moved;
                if (room[vs] > 0)
                    found = v;
                else
                    queue[static_cast<std::size_t>(tail++)] = v;
            }
        }
    }
    if (found < 0)
        return false;
    --room[static_cast<std::size_t>(found)];
    int seat = found;
    while (from[static_cast<std::size_t>(seat)] >= 0) {
        const int giver = from[static_cast<std::size_t>(seat)];
        const CardIndex moved = via[static_cast<std::size_t>(seat)];
        hands[static_cast<std::size_t>(giver)] &= ~bitOf(moved);
        hands[static_cast<std::size_t>(seat)] |= bitOf(moved);
        seat = giver;
    }
    hands[static_cast<std::size_t>(seat)] |= bitOf(card);
    return true;
}
