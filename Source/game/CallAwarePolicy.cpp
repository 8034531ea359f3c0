#include "CallAwarePolicy.h"

#include "GameRules.h"
#include "StandardPolicy.h"

#include <bit>

using namespace cardbits;

namespace {

constexpr int seats = rules::playerCount;

// What a card the model would not have played leaves of a deal's weight: the model is a
// guess at how such a seat plays, not its rule.
constexpr double missFactor = 0.4;

// How often guessCard takes any legal card instead of the model's.
constexpr int freePercent = 50;

// Two cards of a lane stand for each other when every card between them is in the hand or
// already played: they win and lose the same tricks.
bool sameCard(CardIndex a, CardIndex b, CardSet hand, CardSet played)
{
    if (a == b)
        return true;
    if (laneOf(a) != laneOf(b))
        return false;
    const CardIndex low = a < b ? a : b, high = a < b ? b : a;
    const CardSet between = (bitOf(high) - 1) & ~((bitOf(low) << 1) - 1);
    return (between & ~(hand | played)) == 0;
}

}  // namespace

namespace callaware {

CardIndex chooseDuckCard(const PlayoutTable &table)
{
    const CardSet legal =
        legalCards(table.hands[static_cast<std::size_t>(table.to_move)], table.trick);
    const auto danger = [](CardIndex card) {
        return rankBitOf(card) + (laneOf(card) == spadeLane ? 13 : 0);
    };
    CardIndex safest = 0, riskiest = 0, riskiest_loser = 0;
    int low = 99, high = -1, high_loser = -1;
    for (CardSet cards = legal; cards; cards &= cards - 1) {
        const auto card = static_cast<CardIndex>(std::countr_zero(cards));
        const int d = danger(card);
        if (d < low)
            low = d, safest = card;
        if (d > high)
            high = d, riskiest = card;
        if (table.trick.size > 0 && !beats(card, table.trick.winner) && d > high_loser)
            high_loser = d, riskiest_loser = card;
    }
    if (high_loser >= 0)
        return riskiest_loser;
    return table.trick.size == seats - 1 ? riskiest : safest;
}

CardIndex chooseCard(const PlayoutTable &table, int call, bool shortcall, SeededRandom &random)
{
    const auto mover = static_cast<std::size_t>(table.to_move);
    if (shortcall && table.tricks[mover] >= call)
        return chooseDuckCard(table);
    // Short of its call in a shortcall round, it takes its tricks as dearly as it can and
    // gives its riskiest cards away, as the list's shortcall picks do.
    GuessedHand hand(table.hands[mover], table.dealt[mover], shortcall);
    return chooseStandardCard(hand, table.trick, random);
}

CardIndex guessCard(const PlayoutTable &table, int call, bool shortcall, SeededRandom &random)
{
    if (random.next() % 100 < freePercent) {
        const CardSet legal =
            legalCards(table.hands[static_cast<std::size_t>(table.to_move)], table.trick);
        return nthCard(legal, random.next() % std::popcount(legal));
    }
    return chooseCard(table, call, shortcall, random);
}

double playsLikelihood(const ExpertPosition &position, const std::array<CardSet, 4> &hands,
                       const std::array<GuessedHand::SuitLengths, 4> &dealt, SeededRandom random)
{
    PlayoutTable replay;
    replay.hands = hands;
    replay.dealt = dealt;
    double likelihood = 1;
    for (const SeatCard &play : position.plays) {
        const int seat = play.seat % seats;
        const auto s = static_cast<std::size_t>(seat);
        const CardIndex card = indexOf(play.card);
        replay.to_move = seat;
        if (seat != position.seat && !position.standard_seats[s]
            && std::popcount(legalCards(replay.hands[s], replay.trick)) > 1) {
            const CardIndex expected =
                chooseCard(replay, position.calls[s], position.shortcall, random);
            if (!sameCard(expected, card, replay.hands[s], replay.trick.played))
                likelihood *= missFactor;
        }
        if (!((replay.hands[s] >> card) & 1))
            return likelihood;  // a deal that does not hold the card: nothing more to read
        replay.play(card);
    }
    return likelihood;
}

}  // namespace callaware
