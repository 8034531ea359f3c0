#pragma once

// Helpers shared by the rules-core tests: cards from short names, staged game
// positions and a whole-state fingerprint for "nothing changed" checks.

#include "Card.h"
#include "GameState.h"
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
    static const std::string suits = "-SHDC";
    static const std::string values = "-A23456789TJQK";
    if (name.size() != 2 || suits.find(name[0]) == std::string::npos || name[0] == '-'
        || values.find(name[1]) == std::string::npos || name[1] == '-')
        qFatal("bad card name in test: %s", name.c_str());
    return makeCard(static_cast<int>(suits.find(name[0])), static_cast<int>(values.find(name[1])));
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

inline std::string shortNames(const std::vector<Card> &list)
{
    std::string text;
    for (const Card &c : list) {
        if (!text.empty())
            text += ' ';
        text += c.toShortString();
    }
    return text;
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

// Stages exact positions in a GameState and reads everything back.
struct GameStateTestAccess {
    static std::vector<Player> &players(GameState &g) { return g.players; }
    static void setRound(GameState &g, unsigned round) { g.round = round; }
    static void setCurrentPlayer(GameState &g, int seat) { g.current_player = seat; }
    static const std::map<Card, int> &trickOwners(const GameState &g) { return g.trick_owners; }
    static int trickSize(const GameState &g) { return g.trick_size; }
    static void setCompletedTricks(GameState &g, int completed) { g.completed_tricks = completed; }

    // Four players with the given hands (seat order), round 1, seat `current` to move.
    static void stage(GameState &g, const std::vector<std::string> &hands, int current,
                      unsigned round = 1)
    {
        g.players.assign(4, Player());
        for (std::size_t i = 0; i < 4 && i < hands.size(); ++i)
            g.players[i].hand.cards = coretest::cards(hands[i]);
        g.current_player = current;
        g.round = round;
        g.round_cards.clear();
        g.trick.clear();
        g.trick_owners.clear();
        g.trick_size = 0;
        g.completed_tricks = 0;
    }

    // Every field, in a form that compares equal only for identical states.
    static std::string fingerprint(const GameState &g)
    {
        std::ostringstream out;
        out << g.current_player << '|' << g.round << '|' << g.human_player << '|'
            << g.completed_tricks << '|' << g.trick_size << '|' << full(g.move) << '|'
            << full(g.last_trick_winner) << "|rc:";
        for (const Card &c : g.round_cards)
            out << full(c);
        out << "|t:";
        for (const Card &c : g.trick)
            out << full(c);
        out << "|o:";
        for (const auto &[c, seat] : g.trick_owners)
            out << full(c) << '=' << seat << ',';
        for (const Player &p : g.players) {
            out << "|p:" << p.call << ',' << p.tricks << ',' << p.points << ',' << p.name << ','
                << p.hand.players_per_trick << ',' << p.hand.sure_win_threshold << ':';
            for (const Card &c : p.hand.cards)
                out << full(c);
            out << ":w:";
            for (const CardWinCount &w : p.win_counts)
                out << full(w.card) << w.wins << ',';
        }
        return out.str();
    }

private:
    static std::string full(const Card &c)
    {
        return std::to_string(c.suit) + '/' + std::to_string(c.suit_order) + '/'
            + std::to_string(c.value) + '/' + std::to_string(c.rank) + ';';
    }
};
