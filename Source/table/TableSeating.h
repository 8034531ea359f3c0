#pragma once

#include "GameRules.h"

// Who sits where at the table, and which card items belong to whom. A seat is a player's
// index in the game state; a table position is a place on the screen. Card item k belongs
// to the hand at position k / 13 and is card k % 13 of it: the items never change hands.
namespace table {

enum TablePosition : int { Top = 0, Right = 1, Bottom = 2, Left = 3 };

inline constexpr int tablePositions = rules::playerCount;
inline constexpr int cardsPerHand = rules::tricksPerRound;
inline constexpr int cardItemCount = tablePositions * cardsPerHand;
inline constexpr int humanPosition = Bottom;

constexpr bool isTablePosition(int position)
{
    return position >= 0 && position < tablePositions;
}

// Play passes clockwise on the screen: going round the table from the human, the next
// player sits at the left, the one after at the top, the one before the human at the right.
constexpr int seatAtPosition(int position, int human_seat)
{
    return (human_seat + position - humanPosition + tablePositions) % tablePositions;
}

constexpr int positionOfSeat(int seat, int human_seat)
{
    return (seat - human_seat + humanPosition + tablePositions) % tablePositions;
}

constexpr bool isCardId(int id)
{
    return id >= 0 && id < cardItemCount;
}

// The table position whose hand holds card item id.
constexpr int positionOfCard(int id)
{
    return id / cardsPerHand;
}

// Where card item id lies in its hand, 0 leftmost or topmost.
constexpr int indexInHand(int id)
{
    return id % cardsPerHand;
}

constexpr int cardIdAt(int position, int index)
{
    return position * cardsPerHand + index;
}

static_assert(seatAtPosition(Bottom, 0) == 0 && seatAtPosition(Left, 0) == 1
              && seatAtPosition(Top, 0) == 2 && seatAtPosition(Right, 0) == 3);
static_assert(positionOfSeat(seatAtPosition(Right, 3), 3) == Right);
static_assert(positionOfCard(cardIdAt(Left, 12)) == Left && indexInHand(cardIdAt(Left, 12)) == 12);

}  // namespace table
