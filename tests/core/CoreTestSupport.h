#pragma once

// Helpers shared by the rules-core tests: cards from short names and counts of rand()
// draws. Staged positions and fingerprints are GameStateTestAccess's.

#include "Card.h"
#include "GameState.h"
#include "GameStateTestAccess.h"
#include "Player.h"

#include <QTest>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace coretest {

// "SA" -> Ace of spades, "HT" -> Ten of hearts; anything else is a test bug.
inline Card card(const std::string &name)
{
    const Card result = cardFromShortString(name);
    if (result.suit == NoSuit)
        qFatal("bad card name in test: %s", name.c_str());
    return result;
}

// "SA HT D2" -> three cards in that order; "" -> none.
inline std::vector<Card> cards(const std::string &names)
{
    std::vector<Card> result;
    std::istringstream in(names);
    std::string name;
    while (in >> name)
        result.push_back(card(name));
    return result;
}

inline Hand hand(const std::string &names)
{
    Hand h;
    h.cards = cards(names);
    return h;
}

inline std::vector<CardWinCount> winCounts(const std::vector<std::pair<std::string, int>> &entries)
{
    std::vector<CardWinCount> result;
    for (const auto &[name, wins] : entries)
        result.push_back({card(name), wins});
    return result;
}

// Number of rand() values that fn draws when the generator starts from seed: the
// values that follow fn are looked up in the untouched sequence.
template <typename Fn>
int countDraws(unsigned seed, Fn fn, int limit = 200000)
{
    std::srand(seed);
    fn();
    const int a = std::rand(), b = std::rand(), c = std::rand();
    std::srand(seed);
    std::vector<int> seq;
    seq.reserve(static_cast<std::size_t>(limit) + 3);
    for (int i = 0; i < limit + 3; ++i)
        seq.push_back(std::rand());
    for (int i = 0; i <= limit; ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (seq[k] == a && seq[k + 1] == b && seq[k + 2] == c)
            return i;
    }
    return -1;
}

// The i-th value (from 0) of the sequence started by seed.
inline int nthRand(unsigned seed, int index)
{
    std::srand(seed);
    for (int i = 0; i < index; ++i)
        std::rand();
    return std::rand();
}

}  // namespace coretest
