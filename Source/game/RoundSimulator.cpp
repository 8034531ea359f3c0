#include "RoundSimulator.h"

#include "CardBits.h"
#include "ComputerRules.h"

#include <bit>
#include <cstdlib>
#include <utility>

namespace {

using namespace cardbits;

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

// A hand in its exact order. A played card only leaves `held`: it stays in `order` until
// the next re-sort, so that playing a card costs no search and no shift.
struct SimHand {
    std::array<CardIndex, RoundSimulator::handSize> order{};
    int slots = 0;  // entries of order in use, played cards included
    CardSet held = 0;
    std::array<int, 4> lane_count{};  // cards held per suit
    bool sorted = false;              // by trumpRankLess; playing cards keeps it so
};

// chooseLowCard: a card to give away. May re-sort the hand, never removes a card.
CardIndex chooseLowCard(SimHand &hand, RandomSource &random)
{
    // The shortest suit (spades included) gives away its cards of rank 7 or less first.
    int shortest = RoundSimulator::handSize + 1;
    for (const int count : hand.lane_count) {
        if (count > 0 && count < shortest)
            shortest = count;
    }
    CardSet free_cards = 0;
    for (int lane = 1; lane < 4; ++lane) {
        if (hand.lane_count[lane] == shortest)
            free_cards |= CardSet{laneCards(hand.held, lane) & ((2u << giveAwayRankBit) - 1)}
                          << (lane * 16);
    }
    if (free_cards) {
        // The k-th of them in hand order (all of them are in order, being held).
        int k = draw(random, countCards(free_cards));
        int i = 0;
        while (!(free_cards & bitOf(hand.order[i])) || k-- > 0)
            ++i;
        return hand.order[i];
    }

    // Otherwise the hand is re-sorted for good, low non-spades first, and one of the
    // first few low cards is given away. Sorting is stable, so a sorted hand that has
    // only lost cards since is sorted already.
    if (!hand.sorted) {
        int count = 0;
        for (int i = 0; i < hand.slots; ++i) {
            if (hand.held & bitOf(hand.order[i]))
                hand.order[count++] = hand.order[i];
        }
        hand.slots = count;
        for (int i = 1; i < count; ++i) {
            const CardIndex card = hand.order[i];
            const int key = trumpRankKey(card);
            int j = i;
            for (; j > 0 && trumpRankKey(hand.order[j - 1]) > key; --j)
                hand.order[j] = hand.order[j - 1];
            hand.order[j] = card;
        }
        hand.sorted = true;
    }
    // The run of low non-spades at the front, skipping the cards played since the sort.
    std::array<CardIndex, computer::lowCardRunLimit> low_run{};
    int run = 0;
    int first = -1;
    for (int i = 0; i < hand.slots; ++i) {
        const CardIndex card = hand.order[i];
        if (!(hand.held & bitOf(card)))
            continue;
        if (first < 0)
            first = card;
        if (laneOf(card) == spadeLane || rankBitOf(card) > lowCardRankBit)
            break;
        low_run[run++] = card;
        if (run == computer::lowCardRunLimit)
            break;
    }
    return run > 0 ? low_run[draw(random, run)] : static_cast<CardIndex>(first);
}

// Leading: a random master card if any is held, else a low card.
CardIndex chooseLead(SimHand &hand, CardSet played, RandomSource &random)
{
    // The master card of each suit, when held: the highest card not played yet.
    std::array<int, 4> master{-1, -1, -1, -1};
    int found = 0;
    int single = 0;
    for (int lane = 0; lane < 4; ++lane) {
        const std::uint32_t unplayed = ~laneCards(played, lane) & laneMask;
        if (!unplayed)
            continue;
        const int top = highestBit(unplayed);
        if ((laneCards(hand.held, lane) >> top) & 1) {
            master[lane] = indexOf(lane, top);
            single = lane;
            ++found;
        }
    }
    if (found == 0)
        return chooseLowCard(hand, random);
    if (found == 1) {
        draw(random, 1);  // one master card needs no order, but its choice still takes a draw
        return static_cast<CardIndex>(master[single]);
    }

    // Listed in the order in which their suits first appear in the hand.
    std::array<CardIndex, 4> masters{};
    int n = 0;
    unsigned seen = 0;
    for (int i = 0; i < hand.slots && n < found; ++i) {
        const CardIndex card = hand.order[i];
        const int lane = laneOf(card);
        if ((seen & (1u << lane)) || !(hand.held & bitOf(card)))
            continue;
        seen |= 1u << lane;
        if (master[lane] >= 0)
            masters[n++] = static_cast<CardIndex>(master[lane]);
    }
    return masters[draw(random, n)];
}

void removeCard(SimHand &hand, CardIndex card)
{
    hand.held &= ~bitOf(card);
    --hand.lane_count[laneOf(card)];
}

// The decision list of the computer player, shortcall off and without win counts.
CardIndex chooseCard(SimHand &hand, int trick_size, int led, CardIndex winner, CardSet played,
                     RandomSource &random)
{
    CardIndex choice;
    if (trick_size == 0) {
        choice = chooseLead(hand, played, random);
    } else if (const std::uint32_t suit = laneCards(hand.held, led)) {
        const CardIndex low = indexOf(led, lowestBit(suit));
        if (laneOf(winner) == spadeLane && led != spadeLane) {
            choice = low;  // already trumped: give the lowest
        } else if (trick_size == 3) {
            // Playing last: the cheapest card that takes the trick.
            const std::uint32_t beating = above(suit, rankBitOf(winner));
            choice = beating ? indexOf(led, lowestBit(beating)) : low;
        } else {
            // The highest unplayed card of the suit, if held and not below the winner.
            const std::uint32_t unplayed = ~laneCards(played, led) & laneMask;
            choice = low;
            if (unplayed) {
                const int top = highestBit(unplayed);
                if (((suit >> top) & 1) && top >= rankBitOf(winner))
                    choice = indexOf(led, top);
            }
        }
    } else if (const std::uint32_t spades = laneCards(hand.held, spadeLane)) {
        if (laneOf(winner) == spadeLane) {
            const std::uint32_t overtrumps = above(spades, rankBitOf(winner));
            choice = overtrumps ? indexOf(spadeLane, lowestBit(overtrumps))
                                : chooseLowCard(hand, random);
        } else {
            choice = indexOf(spadeLane, lowestBit(spades));
        }
    } else {
        choice = chooseLowCard(hand, random);
    }
    removeCard(hand, choice);
    return choice;
}

}  // namespace

RoundSimulator::RoundSimulator(const std::vector<Card> &own_cards, RandomSource &random)
    : random(&random), own(own_cards)
{
    own_position.fill(-1);
    if (own.size() != handSize)
        return;
    CardSet own_set = 0;
    for (int i = 0; i < handSize; ++i) {
        if (!isRealCard(own[i]) || (own_set & bitOf(indexOf(own[i]))))
            return;
        own_indices[i] = indexOf(own[i]);
        own_set |= bitOf(own_indices[i]);
        own_position[own_indices[i]] = static_cast<std::int8_t>(i);
    }
    // The unseen cards in deck order: suits by code, each Ace first, then Two to King.
    int n = 0;
    for (int lane = 0; lane < 4; ++lane) {
        for (int value = Ace; value <= King; ++value) {
            const CardIndex card = indexOf(lane, (value == Ace ? 14 : value) - 2);
            if (!(own_set & bitOf(card)))
                unseen[n++] = card;
        }
    }
    valid = true;
}

int RoundSimulator::playRound(std::vector<Card> *played_cards)
{
    if (!valid)
        return 0;
    // The shuffle of the deck; 32-bit arithmetic gives the same values as size_t, faster.
    for (unsigned i = 1; i < unseen.size(); ++i)
        std::swap(unseen[i], unseen[static_cast<unsigned>(random->next()) % (i + 1)]);

    std::array<SimHand, 4> hands;
    for (int seat = 0; seat < 4; ++seat) {
        SimHand &hand = hands[seat];
        for (int i = 0; i < handSize; ++i) {
            const CardIndex card =
                seat == estimatingSeat ? own_indices[i] : unseen[seat * handSize + i];
            hand.order[i] = card;
            hand.held |= bitOf(card);
            ++hand.lane_count[laneOf(card)];
        }
        hand.slots = handSize;
    }

    int leader = draw(*random, 4);
    int tricks = 0;
    CardSet played = 0;
    for (int t = 0; t < handSize; ++t) {
        int led = 0;
        CardIndex winner = 0;
        int winner_seat = leader;
        for (int k = 0; k < 4; ++k) {
            const int seat = (leader + k) % 4;
            const CardIndex card = chooseCard(hands[seat], k, led, winner, played, *random);
            played |= bitOf(card);
            if (played_cards)
                played_cards->push_back(cardOf(card));
            if (k == 0) {
                led = laneOf(card);
                winner = card;
            } else if (beats(card, winner)) {
                winner = card;
                winner_seat = seat;
            }
        }
        if (winner_seat == estimatingSeat) {
            ++tricks;
            ++wins[own_position[winner]];
        }
        leader = winner_seat;
    }
    return tricks;
}

int RoundSimulator::playRounds(int count)
{
    int tricks = 0;
    for (int i = 0; i < count; ++i)
        tricks += playRound();
    return tricks;
}

std::vector<CardWinCount> RoundSimulator::winCounts() const
{
    std::vector<CardWinCount> counts;
    counts.reserve(own.size());
    for (std::size_t i = 0; i < own.size(); ++i)
        counts.push_back(CardWinCount{own[i], i < wins.size() ? wins[i] : 0});
    return counts;
}

std::vector<Card> RoundSimulator::pool() const
{
    std::vector<Card> cards;
    if (valid) {
        for (const CardIndex card : unseen)
            cards.push_back(cardOf(card));
    }
    return cards;
}
