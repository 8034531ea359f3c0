#pragma once

#include "Card.h"
#include "Player.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

enum class Opponents { Standard, Expert };

// The whole state of one game and the only place where the rules are applied.
// The flow driver calls its operations one move at a time; views only read it.
class GameState
{
public:
    GameState() = default;

    void startNewGame();
    void startNewRound();
    // Shuffles the deck and deals four hands of 13, re-dealing until no hand is bad.
    // Anything but the 52 distinct cards gives four empty hands and draws nothing.
    std::vector<Hand> deal(std::vector<Card> deck);

    // The human plays a card. Refused (false, nothing changed) when there is no game,
    // it is not the human's turn, or the card is not one of the human's legal cards.
    bool playCard(const Card &card);
    // False, nothing changed, when it is the human's turn or there is no game.
    bool playComputerMove();

    bool isHumanMove() const;
    unsigned getRound() const;
    bool isShortcall() const;
    std::vector<Player> getPlayers() const;
    std::vector<Card> getTrick() const;
    int getCompletedTricks() const;
    Card getLastTrickWinner() const;
    int getHumanPlayer() const;
    int getCurrentPlayer() const;
    const std::vector<Card> &getRoundCards() const;
    // The card of the last move (what the flow driver animates).
    Card getMove() const;

    // The flow driver's two direct writes to the human's record. Both do nothing before
    // the first game; a call outside 0..13 (no round has more tricks) is ignored.
    void setHumanName(const std::string &name);
    void setHumanCall(int call);

    void setOpponents(Opponents level) { opponents_level = level; }  // TEMP stub
    Opponents opponents() const { return opponents_level; }

private:
    void applyMove();

    int32_t current_player = 0;
    uint32_t round = 0;
    int32_t human_player = 0;
    std::vector<Player> players;
    std::vector<Card> round_cards;
    int32_t completed_tricks = 0;
    std::vector<Card> trick;
    std::map<Card, int> trick_owners;
    Card move;
    Card last_trick_winner;
    int32_t trick_size = 0;
    Opponents opponents_level = Opponents::Standard;

    friend struct GameStateTestAccess;  // lets tests stage exact positions
};

// A hand the deal never keeps: no cards, all four aces, no spade, or no honour (Ace,
// Jack, Queen or King).
bool isBadHand(const std::vector<Card> &cards);

// Three different names for the computer seats, drawn from a fixed list of 17.
std::vector<std::string> opponentNames();
