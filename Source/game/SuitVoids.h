#pragma once

#include "Card.h"
#include "Player.h"

#include <cstddef>
#include <vector>

// Two small rules the round's summary shows: who lacks a suit, and who leads the game.

// Whether the cards hold no card at all of some suit.
inline bool lacksASuit(const std::vector<Card> &cards)
{
    for (int suit : {Spades, Hearts, Diamonds, Clubs})
        if (cardsOfSuit(cards, suit).empty())
            return true;
    return false;
}

// The seats with the most points, in seat order: the winners, should the game end now.
inline std::vector<int> leadingSeats(const std::vector<Player> &players)
{
    int best = 0;
    for (std::size_t seat = 0; seat < players.size(); ++seat)
        if (seat == 0 || players[seat].points > best)
            best = players[seat].points;
    std::vector<int> seats;
    for (std::size_t seat = 0; seat < players.size(); ++seat)
        if (players[seat].points == best)
            seats.push_back(int(seat));
    return seats;
}
