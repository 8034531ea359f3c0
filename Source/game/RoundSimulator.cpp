#include "RoundSimulator.h"

#include "CardBits.h"
#include "OrderedHand.h"
#include "StandardPolicy.h"

#include <cstdlib>
#include <utility>

namespace {

using namespace cardbits;

int draw(RandomSource &random, int choices)
{
    return random.next() % choices;
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

    std::array<OrderedHand, 4> hands;
    for (int seat = 0; seat < 4; ++seat) {
        for (int i = 0; i < handSize; ++i)
            hands[seat].deal(seat == estimatingSeat ? own_indices[i] : unseen[seat * handSize + i]);
    }

    int leader = draw(*random, 4);
    int tricks = 0;
    TrickOnSets trick;
    for (int t = 0; t < handSize; ++t) {
        trick.size = 0;
        for (int k = 0; k < 4; ++k) {
            const int seat = (leader + k) % 4;
            const CardIndex card = chooseStandardCard(hands[seat], trick, *random);
            hands[seat].remove(card);
            trick.add(card, seat);
            if (played_cards)
                played_cards->push_back(cardOf(card));
        }
        if (trick.winner_seat == estimatingSeat) {
            ++tricks;
            ++wins[own_position[trick.winner]];
        }
        leader = trick.winner_seat;
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
