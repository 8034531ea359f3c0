#pragma once

#include "Card.h"
#include "ExpertPlayer.h"
#include "GameRules.h"
#include "Opponents.h"
#include "Player.h"
#include "SeatCard.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// One seat's line of a finished round.
struct SeatResult {
    int call = 0;
    int tricks = 0;
    int gained = 0;  // the round's points, negative for a missed call
    int total = 0;   // the points after the round
};

// A finished round as a score pad keeps it, with what a replay of it needs.
struct RoundRecord {
    unsigned round = 0;
    bool shortcall = false;
    std::vector<SeatResult> seats;  // by seat
    int human = 0;
    Opponents opponents = Opponents::Standard;
    std::vector<std::vector<Card>> dealt;  // by seat, each hand in the order it was held
    std::vector<SeatCard> plays;           // every card of the round, in play order
    std::vector<int> calls;                // by seat, as the round was played
};

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
    // The trick in progress, in play order, each card with its seat.
    const std::vector<SeatCard> &getTrickPlays() const { return trick_plays; }
    // Every card of the round so far, in play order, each with its seat.
    const std::vector<SeatCard> &getRoundPlays() const { return round_plays; }
    // The last completed trick in play order; it outlives the round it ended, so the
    // thirteenth trick can still be shown after the next deal. Empty before the first.
    const std::vector<SeatCard> &getLastTrick() const { return last_trick; }
    // The seat that took the last completed trick, -1 before the first.
    int getLastTrickWinnerSeat() const { return last_trick_winner_seat; }
    // The finished rounds of this game, oldest first.
    const std::vector<RoundRecord> &getHistory() const { return history; }
    // What the seat to move knows, for the Expert's choice (or the coach's hint): the
    // computer seats' calls are estimates after the first round, and in a Standard game
    // they play by the decision list.
    ExpertPosition expertPosition() const;

    // The flow driver's two direct writes to the human's record. Both do nothing before
    // the first game; a call outside 0..13 (no round has more tricks) is ignored.
    void setHumanName(const std::string &name);
    void setHumanCall(int call);

    // The level of the computer seats, from the next startNewGame on.
    void setOpponents(Opponents level);
    // The level of the game in play; before the first game, the level it will have.
    Opponents opponents() const;

private:
    void applyMove();
    void recordRound();

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
    std::vector<SeatCard> trick_plays;
    std::vector<SeatCard> round_plays;
    std::vector<std::vector<Card>> round_deal;
    std::vector<SeatCard> last_trick;
    int last_trick_winner_seat = -1;
    std::vector<RoundRecord> history;
    Opponents next_opponents = Opponents::Standard;
    Opponents opponents_in_play = Opponents::Standard;
    ExpertPlayer expert;

    friend struct GameStateTestAccess;  // lets tests stage exact positions
};

// A hand the deal never keeps: no cards, all four aces, no spade, or no honour (Ace,
// Jack, Queen or King).
bool isBadHand(const std::vector<Card> &cards);

// Three different names for the computer seats, drawn from a fixed list of 17.
std::vector<std::string> opponentNames();
