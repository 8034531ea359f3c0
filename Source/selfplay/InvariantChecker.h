#pragma once

#include "Card.h"
#include "GameState.h"
#include "Player.h"

#include <optional>
#include <string>
#include <vector>

// Plays a game one move at a time with the computer player's choice in every seat and
// checks the rules after each move. The human seat plays through GameState::playCard, so
// both move paths of the game state are exercised. A broken rule comes back as text that
// names it ("" while every rule holds); the game is left as the move left it.
class InvariantChecker
{
public:
    // The trick the last move closed, for an account of the game.
    struct Trick {
        std::vector<SeatCard> plays;  // the leader's first
        int winner = 0;
        int number = 0;  // 1..13
    };
    struct SeatStats {
        long long points_change_total = 0;
        long long tricks = 0;
        long long calls_made = 0;
        long long calls_missed = 0;
    };

    explicit InvariantChecker(GameState &game);

    // What a freshly dealt round must look like; moves check it at every roll-over.
    std::string checkFreshRound() const;
    // The human seat calls what the computer would call for its hand (from round 2 on).
    void humanCalls();
    // Plays the move of whoever is to move and checks everything it changed.
    std::string move();
    // Between moves: the 52 cards, each once, in the hands or on the table.
    std::string checkConservation() const;

    const std::optional<Trick> &lastTrick() const { return last_trick; }
    // The round the last move closed, as the game recorded it once the checks agreed.
    const std::optional<RoundRecord> &lastRound() const { return last_round; }
    const std::vector<SeatStats> &stats() const { return seat_stats; }
    long long roundsDone() const { return rounds_done; }
    long long shortcallRounds() const { return shortcall_rounds; }

private:
    std::string checkMidTrick(const std::vector<Player> &before, int seat,
                              const std::vector<Card> &trick) const;
    std::string checkTrickRecord(const std::vector<Card> &trick, int seat) const;
    std::string checkTrickDone(const std::vector<Player> &before, int winner_seat,
                               int completed) const;
    std::string checkRoundDone(const std::vector<Player> &before, int winner_seat, unsigned round,
                               bool shortcall);

    GameState &game;
    std::vector<CardWinCount> human_win_counts;
    std::optional<Trick> last_trick;
    std::optional<RoundRecord> last_round;
    std::vector<SeatStats> seat_stats;
    long long rounds_done = 0;
    long long shortcall_rounds = 0;
};
