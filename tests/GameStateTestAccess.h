#pragma once

#include "Card.h"
#include "GameState.h"
#include "Player.h"

#include <map>
#include <sstream>
#include <string>
#include <vector>

// The one friend of GameState among the tests: stages exact positions and reads
// everything back.
struct GameStateTestAccess {
    static std::vector<Player> &players(GameState &g) { return g.players; }
    static void setRound(GameState &g, unsigned round) { g.round = round; }
    static void setCurrentPlayer(GameState &g, int seat) { g.current_player = seat; }
    static const std::map<Card, int> &trickOwners(const GameState &g) { return g.trick_owners; }
    static int trickSize(const GameState &g) { return g.trick_size; }
    static void setCompletedTricks(GameState &g, int completed) { g.completed_tricks = completed; }

    // A round and the players as given, nothing else touched.
    static void stage(GameState &g, unsigned round, std::vector<Player> players)
    {
        g.round = round;
        g.players = std::move(players);
    }

    // Four players with the given hands (seat order), round 1, seat `current` to move.
    static void stage(GameState &g, const std::vector<std::string> &hands, int current,
                      unsigned round = 1)
    {
        g.players.assign(4, Player());
        for (std::size_t i = 0; i < 4 && i < hands.size(); ++i)
            g.players[i].hand.cards = cardsFromShortString(hands[i]);
        g.current_player = current;
        g.round = round;
        g.round_cards.clear();
        g.trick.clear();
        g.trick_owners.clear();
        g.trick_plays.clear();
        g.round_plays.clear();
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
