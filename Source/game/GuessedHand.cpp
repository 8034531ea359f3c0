#include "GuessedHand.h"

#include "ComputerRules.h"

#include <algorithm>
#include <bit>

using namespace cardbits;

namespace {

constexpr int seats = rules::playerCount;

int draw(SeededRandom &random, int choices)
{
    return random.next() % choices;
}

// How many of the call estimate's 100 simulated rounds a card wins, on average, by whether
// it is a spade, its rank (Two to Ace) and the length of its suit in the dealt hand (1 to
// 6 or more); measured over 20,000 dealt hands. It stands in for a standard player's win
// counts, which nobody else sees, and its sum over a hand for the average behind a call.
constexpr std::array<std::array<std::array<std::uint8_t, 13>, 6>, 2> likelyWinsTable = {{
    {{{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 99},
      {0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 2, 78, 98},
      {0, 0, 0, 0, 1, 1, 2, 3, 3, 7, 35, 74, 96},
      {0, 0, 0, 1, 1, 2, 3, 5, 9, 16, 29, 64, 93},
      {0, 1, 1, 1, 2, 3, 5, 8, 11, 15, 22, 52, 89},
      {1, 1, 1, 1, 2, 3, 4, 6, 8, 12, 17, 36, 80}}},
    {{{8, 7, 8, 9, 8, 9, 9, 10, 10, 11, 11, 15, 100},
      {12, 13, 14, 14, 15, 17, 19, 20, 22, 25, 32, 91, 100},
      {16, 18, 19, 22, 24, 26, 30, 33, 40, 50, 81, 96, 100},
      {27, 28, 31, 34, 36, 40, 45, 52, 63, 77, 90, 98, 100},
      {37, 40, 41, 47, 51, 56, 62, 70, 78, 87, 95, 99, 100},
      {50, 54, 55, 61, 66, 72, 78, 84, 90, 95, 98, 100, 100}}},
}};

}  // namespace

CardIndex GuessedHand::lowCard(SeededRandom &random) const
{
    std::array<int, seats> count{};
    int shortest = rules::tricksPerRound + 1;
    for (int lane = 0; lane < seats; ++lane) {
        count[static_cast<std::size_t>(lane)] = std::popcount(laneCards(cards, lane));
        if (count[static_cast<std::size_t>(lane)] > 0)
            shortest = std::min(shortest, count[static_cast<std::size_t>(lane)]);
    }
    CardSet free_cards = 0;
    for (int lane = 1; lane < seats; ++lane) {
        if (count[static_cast<std::size_t>(lane)] == shortest)
            free_cards |= CardSet{laneCards(cards, lane) & ((2u << giveAwayRankBit) - 1)}
                          << (lane * 16);
    }
    if (free_cards)
        return nthCard(free_cards, draw(random, std::popcount(free_cards)));

    std::array<CardIndex, computer::lowCardRunLimit> run{};
    int n = 0;
    for (int rank_bit = 0; rank_bit <= lowCardRankBit && n < computer::lowCardRunLimit;
         ++rank_bit) {
        for (int lane = 1; lane < seats && n < computer::lowCardRunLimit; ++lane) {
            if ((laneCards(cards, lane) >> rank_bit) & 1)
                run[static_cast<std::size_t>(n++)] = indexOf(lane, rank_bit);
        }
    }
    if (n > 0)
        return run[static_cast<std::size_t>(draw(random, n))];
    const CardSet others = cards & ~laneSet(spadeLane);
    if (others) {
        // The lowest rank among the other suits.
        CardIndex best = 0;
        int best_rank = 99;
        for (int lane = 1; lane < seats; ++lane) {
            if (const std::uint32_t lane_cards = laneCards(others, lane);
                lane_cards && lowestBit(lane_cards) < best_rank) {
                best_rank = lowestBit(lane_cards);
                best = indexOf(lane, best_rank);
            }
        }
        return best;
    }
    return indexOf(spadeLane, lowestBit(laneCards(cards, spadeLane)));
}

CardIndex GuessedHand::pickMaster(CardSet masters, int found, SeededRandom &random) const
{
    return found == 1 ? nthCard(masters, 0) : nthCard(masters, draw(random, found));
}

int GuessedHand::likelyWins(CardIndex card, const SuitLengths &dealt)
{
    const int length = std::clamp<int>(dealt[static_cast<std::size_t>(laneOf(card))], 1, 6);
    return likelyWinsTable[laneOf(card) == spadeLane ? 1 : 0][static_cast<std::size_t>(length - 1)]
                          [static_cast<std::size_t>(rankBitOf(card))];
}

// A standard player's pick by win count in a shortcall round.
CardIndex GuessedHand::unsure(CardSet among, CardIndex fallback) const
{
    int best_wins = -1;
    CardIndex best = fallback;
    for (; among; among &= among - 1) {
        const auto card = static_cast<CardIndex>(std::countr_zero(among));
        const int wins = likelyWins(card, *dealt);
        if (wins < computer::sureWinCount && wins > best_wins) {
            best_wins = wins;
            best = card;
        }
    }
    return best;
}
