#include "OrderedHand.h"

#include "ComputerRules.h"

#include <bit>

using namespace cardbits;

namespace {

// trumpRankLess as a number: non-spades first, then by rank.
int trumpRankKey(CardIndex card)
{
    return (laneOf(card) == spadeLane ? 16 : 0) + rankBitOf(card);
}

// A few cards at most: cheaper than a library popcount on CPUs without the instruction.
int countCards(CardSet cards)
{
    int n = 0;
    for (; cards; cards &= cards - 1)
        ++n;
    return n;
}

int draw(RandomSource &random, int choices)
{
    return random.next() % choices;
}

}  // namespace

CardIndex OrderedHand::lowCard(RandomSource &random)
{
    // The shortest suit (spades included) gives away its cards of rank 7 or less first.
    int shortest = rules::tricksPerRound + 1;
    for (const int count : lane_count) {
        if (count > 0 && count < shortest)
            shortest = count;
    }
    CardSet free_cards = 0;
    for (int lane = 1; lane < rules::playerCount; ++lane) {
        if (lane_count[static_cast<std::size_t>(lane)] == shortest)
            free_cards |= CardSet{laneCards(held_cards, lane) & ((2u << giveAwayRankBit) - 1)}
                          << (lane * 16);
    }
    if (free_cards) {
        // The k-th of them in hand order (all of them are in order, being held).
        int k = draw(random, countCards(free_cards));
        std::size_t i = 0;
        while (!(free_cards & bitOf(order[i])) || k-- > 0)
            ++i;
        return order[i];
    }

    sortForLowCards();
    // The run of low non-spades at the front, skipping the cards played since the sort.
    std::array<CardIndex, computer::lowCardRunLimit> low_run{};
    int run = 0;
    int first = -1;
    for (int i = 0; i < in_use; ++i) {
        const CardIndex card = order[static_cast<std::size_t>(i)];
        if (!(held_cards & bitOf(card)))
            continue;
        if (first < 0)
            first = card;
        if (laneOf(card) == spadeLane || rankBitOf(card) > lowCardRankBit)
            break;
        low_run[static_cast<std::size_t>(run++)] = card;
        if (run == computer::lowCardRunLimit)
            break;
    }
    return run > 0 ? low_run[static_cast<std::size_t>(draw(random, run))]
                   : static_cast<CardIndex>(first);
}

// The hand is re-sorted for good, low non-spades first. Sorting is stable, so a sorted hand
// that has only lost cards since is sorted already.
void OrderedHand::sortForLowCards()
{
    if (sorted)
        return;
    int count = 0;
    for (int i = 0; i < in_use; ++i) {
        if (held_cards & bitOf(order[static_cast<std::size_t>(i)]))
            order[static_cast<std::size_t>(count++)] = order[static_cast<std::size_t>(i)];
    }
    in_use = count;
    for (int i = 1; i < count; ++i) {
        const CardIndex card = order[static_cast<std::size_t>(i)];
        const int key = trumpRankKey(card);
        int j = i;
        for (; j > 0 && trumpRankKey(order[static_cast<std::size_t>(j - 1)]) > key; --j)
            order[static_cast<std::size_t>(j)] = order[static_cast<std::size_t>(j - 1)];
        order[static_cast<std::size_t>(j)] = card;
    }
    sorted = true;
}

CardIndex OrderedHand::pickMaster(CardSet masters, int found, RandomSource &random) const
{
    if (found == 1) {
        draw(random, 1);  // one master card needs no order, but its choice still takes a draw
        return static_cast<CardIndex>(std::countr_zero(masters));
    }
    std::array<CardIndex, rules::playerCount> listed{};
    int n = 0;
    unsigned seen = 0;
    for (int i = 0; i < in_use && n < found; ++i) {
        const CardIndex card = order[static_cast<std::size_t>(i)];
        const int lane = laneOf(card);
        if ((seen & (1u << lane)) || !(held_cards & bitOf(card)))
            continue;
        seen |= 1u << lane;
        if (const std::uint32_t master = laneCards(masters, lane))
            listed[static_cast<std::size_t>(n++)] = indexOf(lane, lowestBit(master));
    }
    return listed[static_cast<std::size_t>(draw(random, n))];
}
