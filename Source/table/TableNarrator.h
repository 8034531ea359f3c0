#pragma once

#include "Card.h"
#include "GameState.h"
#include "SeatCard.h"

#include <QCoreApplication>
#include <QString>

#include <vector>

// The table in words for screen readers: what it shows, and each piece of news as the game
// moves on. It reads the game as it is now and keeps nothing, so the flow driver and the
// last-trick view only hand its texts on.
class TableNarrator
{
    Q_DECLARE_TR_FUNCTIONS(TableNarrator)

public:
    explicit TableNarrator(const GameState &game) : game(game) {}

    // A seat's player by name; empty for a seat the game does not have.
    QString seatName(int seat) const;
    // The cards the human may play now, in the order their hand shows them.
    std::vector<Card> playableCards() const;

    // What the table shows. `selected` is the card the human has picked while choosing
    // one to play, no card (Card()) while the human is not choosing.
    QString tableDescription(const Card &selected) const;
    // "Round 2.": said before the first news of a round.
    QString roundBegins() const;
    // The card played last, by whom: "Lara plays the Three of Clubs." or "You play ...".
    QString lastCardPlayed() const;
    // Who took the trick just completed.
    QString trickTaken() const;
    // The human's turn with the cards they may play, and their hand when those are fewer.
    QString yourTurn() const;
    // The round just scored: everyone's tricks, the human's call and points.
    QString roundResult() const;
    QString gameEnded() const;
    // The last completed trick, card by card, and who took it.
    QString lastTrick() const;
    // Before the first trick of a round the last trick is the previous round's.
    bool lastTrickIsFromPreviousRound() const;

private:
    // A seat as the human reads it in a list: "you" for their own.
    QString seatOrYou(int seat) const;
    static QString cardList(const std::vector<Card> &cards);

    const GameState &game;
};
