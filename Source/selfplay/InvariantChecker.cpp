#include "InvariantChecker.h"

#include <algorithm>

using rules::playerCount;
using rules::tricksPerRound;

namespace {

bool holds(const std::vector<Card> &cards, const Card &card)
{
    return std::find(cards.begin(), cards.end(), card) != cards.end();
}

std::string sortedText(std::vector<Card> cards)
{
    std::stable_sort(cards.begin(), cards.end());
    return toShortString(cards);
}

}  // namespace

InvariantChecker::InvariantChecker(GameState &game) : game(game), seat_stats(playerCount) {}

void InvariantChecker::humanCalls()
{
    human_win_counts.clear();
    if (game.getRound() < 2)
        return;
    Player estimate = game.getPlayers()[static_cast<std::size_t>(game.getHumanPlayer())];
    estimate.estimateCall();
    human_win_counts = estimate.win_counts;
    game.setHumanCall(estimate.call);
}

std::string InvariantChecker::move()
{
    last_trick.reset();
    last_round.reset();
    const std::vector<Player> before = game.getPlayers();
    const std::vector<Card> trick_before = game.getTrick();
    const unsigned round = game.getRound();
    const int completed = game.getCompletedTricks();
    const bool shortcall = game.isShortcall();
    const int seat = game.getCurrentPlayer();
    const Player &mover = before[static_cast<std::size_t>(seat)];
    const std::vector<Card> legal = mover.hand.legalCards(trick_before);

    Card card;
    if (game.isHumanMove()) {
        Player human = mover;
        human.win_counts = human_win_counts;
        card = human.chooseCard(trick_before, game.getRoundCards(), shortcall);
        if (!game.playCard(card))
            return "the human seat's move " + card.toShortString() + " was refused";
    } else if (!game.playComputerMove()) {
        return "a computer move was refused on a computer player's turn";
    } else {
        card = game.getMove();
    }
    if (!(game.getMove() == card))
        return "the game records " + game.getMove().toShortString() + " as the move, not "
               + card.toShortString();
    if (!holds(mover.hand.cards, card))
        return mover.name + " played " + card.toShortString() + ", a card not held";
    if (!holds(legal, card))
        return mover.name + " played " + card.toShortString()
               + ", which is not legal to the trick [" + toShortString(trick_before) + "]";

    std::vector<Card> trick = trick_before;
    trick.push_back(card);
    std::string error;
    if (trick.size() < playerCount) {
        error = checkMidTrick(before, seat, trick);
    } else {
        if (std::string record_error = checkTrickRecord(trick, seat); !record_error.empty())
            return record_error;
        const Card winner = trickWinner(trick);
        if (!(game.getLastTrickWinner() == winner))
            return "the trick [" + toShortString(trick) + "] was won by " + winner.toShortString()
                   + ", the game says " + game.getLastTrickWinner().toShortString();
        const std::vector<SeatCard> &plays = game.getLastTrick();
        const int winner_seat =
            std::find_if(plays.begin(), plays.end(), [&winner](const SeatCard &play) {
                return play.card == winner;
            })->seat;
        if (game.getLastTrickWinnerSeat() != winner_seat)
            return "the game says seat " + std::to_string(game.getLastTrickWinnerSeat())
                   + " took the trick, its cards say seat " + std::to_string(winner_seat);
        last_trick = Trick{plays, winner_seat, completed + 1};
        if (completed + 1 < tricksPerRound) {
            if (game.getRound() != round)
                return "the round ended after " + std::to_string(completed + 1) + " tricks";
            error = checkTrickDone(before, winner_seat, completed + 1);
        } else {
            error = checkRoundDone(before, winner_seat, round, shortcall);
        }
    }
    return error.empty() ? checkConservation() : error;
}

// The game's record of the trick so far (or the one just closed) holds the cards in play
// order, the last one with the seat that just moved.
std::string InvariantChecker::checkTrickRecord(const std::vector<Card> &trick, int seat) const
{
    const std::vector<SeatCard> &plays =
        trick.size() < playerCount ? game.getTrickPlays() : game.getLastTrick();
    std::vector<Card> cards;
    for (const SeatCard &play : plays)
        cards.push_back(play.card);
    if (cards != trick)
        return "the game records the trick as [" + toShortString(cards) + "], expected ["
               + toShortString(trick) + "]";
    if (plays.back().seat != seat)
        return "the game records seat " + std::to_string(plays.back().seat) + " for "
               + trick.back().toShortString() + ", played by seat " + std::to_string(seat);
    // The round's record ends with the move, unless the move ended the round.
    const std::vector<SeatCard> &round_plays = game.getRoundPlays();
    if (trick.size() == playerCount && game.getCompletedTricks() == 0)
        return round_plays.empty() ? std::string() : "a new round starts with cards played";
    if (round_plays.empty() || !(round_plays.back().card == trick.back())
        || round_plays.back().seat != seat)
        return "the round's record does not end with the move";
    return {};
}

std::string InvariantChecker::checkMidTrick(const std::vector<Player> &before, int seat,
                                            const std::vector<Card> &trick) const
{
    if (game.getTrick() != trick)
        return "the trick is [" + toShortString(game.getTrick()) + "], expected ["
               + toShortString(trick) + "]";
    if (std::string error = checkTrickRecord(trick, seat); !error.empty())
        return error;
    if (game.getCurrentPlayer() != (seat + 1) % playerCount)
        return "play did not pass to the next seat";
    const std::vector<Player> after = game.getPlayers();
    for (std::size_t i = 0; i < playerCount; ++i) {
        if (after[i].tricks != before[i].tricks || after[i].points != before[i].points
            || after[i].call != before[i].call)
            return "a move inside a trick changed the tricks, points or call of " + after[i].name;
    }
    return {};
}

std::string InvariantChecker::checkTrickDone(const std::vector<Player> &before, int winner_seat,
                                             int completed) const
{
    if (game.getCompletedTricks() != completed)
        return "completed tricks did not grow by one";
    if (!game.getTrick().empty())
        return "the trick was not cleared after four cards";
    if (game.getCurrentPlayer() != winner_seat)
        return "the trick's winner does not lead the next trick";
    const std::vector<Player> after = game.getPlayers();
    for (std::size_t i = 0; i < playerCount; ++i) {
        const int gained = after[i].tricks - before[i].tricks;
        if (gained != (static_cast<int>(i) == winner_seat ? 1 : 0))
            return "the trick count of " + after[i].name + " changed by " + std::to_string(gained);
    }
    return {};
}

std::string InvariantChecker::checkRoundDone(const std::vector<Player> &before, int winner_seat,
                                             unsigned round, bool shortcall)
{
    if (game.getRound() != round + 1)
        return "the last trick did not start the next round";
    std::vector<int> tricks_taken;
    int total = 0;
    for (std::size_t i = 0; i < playerCount; ++i) {
        tricks_taken.push_back(before[i].tricks + (static_cast<int>(i) == winner_seat ? 1 : 0));
        total += tricks_taken.back();
    }
    if (total != tricksPerRound)
        return "the round's tricks add up to " + std::to_string(total) + ", not "
               + std::to_string(tricksPerRound);

    const std::vector<Player> after = game.getPlayers();
    const std::vector<RoundRecord> &history = game.getHistory();
    if (history.empty() || history.back().round != round || history.back().shortcall != shortcall
        || history.back().seats.size() != playerCount)
        return "the game's record of round " + std::to_string(round) + " is missing or wrong";
    const RoundRecord &record = history.back();
    for (std::size_t i = 0; i < playerCount; ++i) {
        const int tricks = tricks_taken[i];
        const int score = roundScore(before[i].call, tricks, round == 1, shortcall);
        if (after[i].points != before[i].points + score)
            return after[i].name + " has " + std::to_string(after[i].points)
                   + " points, the score rule gives " + std::to_string(before[i].points + score);
        const SeatResult &line = record.seats[i];
        if (line.call != (round == 1 ? 0 : before[i].call) || line.tricks != tricks
            || line.gained != score || line.total != after[i].points)
            return "the game's record of round " + std::to_string(round) + " is wrong for "
                   + after[i].name;
        seat_stats[i].points_change_total += score;
        seat_stats[i].tricks += tricks;
        if (round > 1)
            ++(isCallMade(before[i].call, tricks, shortcall) ? seat_stats[i].calls_made
                                                             : seat_stats[i].calls_missed);
    }
    // The human's call is the driver's to set; the new deal must not touch it.
    const auto human = static_cast<std::size_t>(game.getHumanPlayer());
    if (after[human].call != before[human].call)
        return "dealing the next round changed the human's call";
    last_round = record;
    ++rounds_done;
    if (shortcall)
        ++shortcall_rounds;
    return checkFreshRound();
}

std::string InvariantChecker::checkFreshRound() const
{
    const std::vector<Player> players = game.getPlayers();
    const unsigned round = game.getRound();
    if (players.size() != playerCount)
        return "the game does not have " + std::to_string(playerCount) + " players";
    if (game.getCompletedTricks() != 0 || !game.getTrick().empty() || !game.getRoundCards().empty())
        return "a new round did not start empty";
    for (std::size_t i = 0; i < playerCount; ++i) {
        const Player &player = players[i];
        const std::vector<Card> &cards = player.hand.cards;
        if (cards.size() != tricksPerRound)
            return player.name + " was dealt " + std::to_string(cards.size()) + " cards";
        if (player.tricks != 0)
            return player.name + " starts the round with tricks";
        if (isBadHand(cards))
            return player.name + " was dealt a hand that must be re-dealt: " + sortedText(cards);
        if (static_cast<int>(i) == game.getHumanPlayer())
            continue;
        if (round == 1 && player.call != 0)
            return player.name + " has a call in the first round";
        if (round > 1) {
            if (player.call < rules::lowestCall || player.call > rules::highestCall)
                return player.name + " called " + std::to_string(player.call);
            if (player.win_counts.size() != tricksPerRound)
                return player.name + " has " + std::to_string(player.win_counts.size())
                       + " win counts";
            for (std::size_t k = 0; k < tricksPerRound; ++k) {
                const CardWinCount &entry = player.win_counts[k];
                if (!(entry.card == cards[k]) || entry.wins < 0 || entry.wins > 100)
                    return player.name + "'s win counts do not match the hand";
            }
        }
    }
    return {};
}

std::string InvariantChecker::checkConservation() const
{
    const std::vector<Player> players = game.getPlayers();
    const std::vector<Card> &played = game.getRoundCards();
    const std::vector<Card> trick = game.getTrick();
    const int completed = game.getCompletedTricks();
    if (completed < 0 || completed >= tricksPerRound)
        return "completed tricks is " + std::to_string(completed);
    if (trick.size() >= playerCount)
        return "the trick holds " + std::to_string(trick.size()) + " cards between moves";
    if (played.size() != playerCount * static_cast<std::size_t>(completed) + trick.size())
        return "round_cards holds " + std::to_string(played.size()) + " cards after "
               + std::to_string(completed) + " tricks and " + std::to_string(trick.size())
               + " cards of the trick";
    if (!std::equal(trick.begin(), trick.end(),
                    played.end() - static_cast<std::ptrdiff_t>(trick.size())))
        return "the trick is not the tail of the round's played cards";

    std::vector<Card> all = played;
    for (const Player &player : players) {
        all.insert(all.end(), player.hand.cards.begin(), player.hand.cards.end());
        const std::size_t expected = tricksPerRound - static_cast<std::size_t>(completed);
        if (player.hand.cards.size() != expected && player.hand.cards.size() != expected - 1)
            return player.name + " holds " + std::to_string(player.hand.cards.size()) + " cards";
    }
    std::vector<Card> deck = makeDeck();
    std::stable_sort(all.begin(), all.end());
    std::stable_sort(deck.begin(), deck.end());
    // Every field alike: a card with the right suit and rank but a stale value or
    // suit order would still compare equal.
    if (all.size() != 52
        || !std::equal(all.begin(), all.end(), deck.begin(), [](const Card &a, const Card &b) {
               return a == b && a.value == b.value && a.suit_order == b.suit_order;
           }))
        return "the hands and played cards are not the 52 cards of the deck";
    return {};
}
