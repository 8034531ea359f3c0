#include "TableNarrator.h"

#include "CardName.h"
#include "CountText.h"
#include "Player.h"

#include <QStringList>

#include <algorithm>

namespace {

const QString listSeparator = QStringLiteral(", ");

}  // namespace

QString TableNarrator::seatName(int seat) const
{
    const std::vector<Player> players = game.getPlayers();
    if (seat < 0 || std::size_t(seat) >= players.size())
        return QString();
    return QString::fromStdString(players[std::size_t(seat)].name);
}

QString TableNarrator::seatOrYou(int seat) const
{
    return seat == game.getHumanPlayer() ? tr("you") : seatName(seat);
}

QString TableNarrator::cardList(const std::vector<Card> &cards)
{
    QStringList names;
    for (const Card &card : cards)
        names << cardName(card);
    return names.join(listSeparator);
}

std::vector<Card> TableNarrator::playableCards() const
{
    const std::vector<Player> players = game.getPlayers();
    const auto human = std::size_t(game.getHumanPlayer());
    if (human >= players.size())
        return {};
    std::vector<Card> legal = players[human].hand.legalCards(game.getTrick());
    std::stable_sort(legal.begin(), legal.end());
    return legal;
}

QString TableNarrator::tableDescription(const Card &selected) const
{
    if (game.getPlayers().size() < std::size_t(rules::playerCount))
        return tr("No game. Press Ctrl+N to start a new game.");
    const int human = game.getHumanPlayer();
    const int current = game.getCurrentPlayer();

    QStringList parts;
    parts << roundBegins();
    parts << (current == human ? tr("Your turn.") : tr("%1's turn.").arg(seatName(current)));

    const auto cards_by = [this](const std::vector<SeatCard> &plays) {
        QStringList played;
        for (const SeatCard &play : plays)
            played << tr("%1 by %2").arg(cardName(play.card), seatOrYou(play.seat));
        return played.join(listSeparator);
    };
    // Between two tricks the last one stays in words, its fourth card too, as long as the
    // next trick has no card (the thirteenth is still there after the deal).
    const int winner = game.getLastTrickWinnerSeat();
    if (!game.getTrickPlays().empty())
        parts << tr("In the trick: %1.").arg(cards_by(game.getTrickPlays()));
    else if (winner >= 0 && !game.getLastTrick().empty())
        parts << (winner == human
                      ? tr("You took the last trick: %1.").arg(cards_by(game.getLastTrick()))
                      : tr("%1 took the last trick: %2.")
                            .arg(seatName(winner), cards_by(game.getLastTrick())));

    if (!(selected == Card())) {
        parts << tr("You may play: %1.").arg(cardList(playableCards()));
        parts << tr("Selected: %1.").arg(cardName(selected));
    }
    return parts.join(QLatin1Char(' '));
}

QString TableNarrator::roundBegins() const
{
    return tr("Round %1.").arg(game.getRound());
}

QString TableNarrator::lastCardPlayed() const
{
    // The fourth card closes its trick at once, so it is found in the last trick.
    const std::vector<SeatCard> &trick = game.getTrickPlays();
    const std::vector<SeatCard> &last = game.getLastTrick();
    const SeatCard play = !trick.empty() ? trick.back() : last.empty() ? SeatCard{} : last.back();
    if (play.seat == game.getHumanPlayer())
        return tr("You play the %1.").arg(cardName(play.card));
    return tr("%1 plays the %2.").arg(seatName(play.seat), cardName(play.card));
}

QString TableNarrator::trickTaken() const
{
    const int winner = game.getLastTrickWinnerSeat();
    return winner == game.getHumanPlayer() ? tr("You took the trick.")
                                           : tr("%1 took the trick.").arg(seatName(winner));
}

QString TableNarrator::yourTurn() const
{
    const std::vector<Card> playable = playableCards();
    QString text = tr("Your turn. You may play: %1.").arg(cardList(playable));
    const std::vector<Player> players = game.getPlayers();
    const auto human = std::size_t(game.getHumanPlayer());
    if (human < players.size() && playable.size() < players[human].hand.cards.size()) {
        std::vector<Card> hand = players[human].hand.cards;
        std::stable_sort(hand.begin(), hand.end());
        text += QLatin1Char(' ') + tr("Your hand: %1.").arg(cardList(hand));
    }
    return text;
}

QString TableNarrator::roundResult() const
{
    const std::vector<RoundRecord> &history = game.getHistory();
    if (history.empty())
        return QString();
    const RoundRecord &record = history.back();
    const int human = game.getHumanPlayer();
    QStringList tricks;
    for (std::size_t seat = 0; seat < record.seats.size(); ++seat) {
        //: A player and the tricks they took in the round: "Lara 2 tricks", "you 1 trick".
        tricks << tr("%1 %2").arg(seatOrYou(int(seat)), tricksText(record.seats[seat].tricks));
    }
    QStringList parts;
    parts << tr("Round %1 is over.").arg(record.round);
    parts << tr("Tricks taken: %1.").arg(tricks.join(listSeparator));
    if (std::size_t(human) < record.seats.size()) {
        const SeatResult &mine = record.seats[std::size_t(human)];
        if (record.round > 1)
            parts << (isCallMade(mine.call, mine.tricks, record.shortcall)
                          ? tr("You made your call of %1.").arg(mine.call)
                          : tr("You missed your call of %1.").arg(mine.call));
        parts << tr("This round: %1.").arg(pointsText(mine.gained));
    }
    return parts.join(QLatin1Char(' '));
}

QString TableNarrator::gameEnded() const
{
    return tr("The game has ended.");
}

QString TableNarrator::lastTrick() const
{
    const std::vector<SeatCard> &plays = game.getLastTrick();
    if (plays.empty() || game.getPlayers().size() != std::size_t(rules::playerCount))
        return tr("No trick has been taken yet.");
    QStringList cards;
    for (const SeatCard &play : plays)
        cards << tr("%1: %2").arg(seatName(play.seat), cardName(play.card));
    const QString text = lastTrickIsFromPreviousRound()
                             ? tr("Last trick of the previous round: %1. %2 took the trick.")
                             : tr("Last trick: %1. %2 took the trick.");
    return text.arg(cards.join(listSeparator), seatName(game.getLastTrickWinnerSeat()));
}

bool TableNarrator::lastTrickIsFromPreviousRound() const
{
    // The game deals the next round as the last trick of one completes.
    return !game.getLastTrick().empty() && game.getCompletedTricks() == 0;
}
