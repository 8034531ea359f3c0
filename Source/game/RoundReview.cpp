#include "RoundReview.h"

#include "Coach.h"
#include "ExpertPlayer.h"
#include "ExpertPosition.h"
#include "GameState.h"

#include <algorithm>
#include <cstddef>

namespace {

using rules::playerCount;
using rules::tricksPerRound;

// A record the replay can trust: four dealt hands of 13, and 52 plays, each by a seat in
// turn order of a hand it held, leading to the next trick's leader.
bool isComplete(const RoundRecord &record)
{
    if (record.dealt.size() != playerCount || record.calls.size() != playerCount
        || record.plays.size() != std::size_t(playerCount * tricksPerRound) || record.human < 0
        || record.human >= playerCount)
        return false;
    std::vector<std::vector<Card>> held = record.dealt;
    for (const std::vector<Card> &hand : held)
        if (hand.size() != std::size_t(tricksPerRound))
            return false;
    for (const SeatCard &play : record.plays) {
        if (play.seat < 0 || play.seat >= playerCount)
            return false;
        std::vector<Card> &hand = held[std::size_t(play.seat)];
        const auto card = std::find(hand.begin(), hand.end(), play.card);
        if (card == hand.end())
            return false;
        hand.erase(card);
    }
    return true;
}

}  // namespace

RoundReview::RoundReview(const RoundRecord &record)
    : round_number(record.round), human_seat(record.human)
{
    if (!isComplete(record))
        return;
    replayTricks(record);
    judgeDecisions(record);
    judgeCall(record);
}

void RoundReview::replayTricks(const RoundRecord &record)
{
    std::array<int, playerCount> taken{};
    for (std::size_t first = 0; first < record.plays.size(); first += playerCount) {
        Trick trick;
        trick.number = int(first / playerCount) + 1;
        std::vector<Card> cards;
        for (std::size_t k = first; k < first + playerCount; ++k) {
            trick.plays.push_back(record.plays[k]);
            cards.push_back(record.plays[k].card);
        }
        const Card winner = trickWinner(cards);
        for (const SeatCard &play : trick.plays)
            if (play.card == winner)
                trick.winner = play.seat;
        ++taken[std::size_t(trick.winner)];
        trick.tricks_after = taken;
        trick_list.push_back(std::move(trick));
    }
}

void RoundReview::judgeDecisions(const RoundRecord &record)
{
    ExpertPosition position;
    position.seat = record.human;
    position.hand = record.dealt[std::size_t(record.human)];
    std::copy(record.calls.begin(), record.calls.end(), position.calls.begin());
    position.first_round = record.round == 1;
    position.shortcall = record.shortcall;
    position.describeSeats(record.human, record.opponents);

    std::vector<Card> played;
    for (std::size_t k = 0; k < record.plays.size(); ++k) {
        const SeatCard &play = record.plays[k];
        if (play.seat == record.human) {
            // The hint's seed: the hand as held, and the round's cards so far.
            ExpertPlayer expert(Coach::hintSeed(position.hand, played));
            const ExpertPlayer::Evaluation evaluation = expert.evaluate(position);
            decision_list.push_back(
                {int(k / playerCount) + 1, play.card, evaluation.best, evaluation.cost(play.card)});
            position.hand.erase(std::find(position.hand.begin(), position.hand.end(), play.card));
        }
        position.plays.push_back(play);
        played.push_back(play.card);
    }
}

void RoundReview::judgeCall(const RoundRecord &record)
{
    if (record.round < 2)
        return;
    const std::size_t human = std::size_t(record.human);
    call_line.called = true;
    call_line.call = record.calls[human];
    call_line.tricks = trick_list.empty() ? 0 : trick_list.back().tricks_after[human];
    Coach coach;
    coach.estimate(record.dealt[human]);
    if (!coach.hasEstimate())
        return;
    int others_total = 0;
    for (std::size_t seat = 0; seat < record.calls.size(); ++seat)
        if (seat != human)
            others_total += record.calls[seat];
    call_line.suggested = Coach::bestCall(coach.histogram(), others_total);
    call_line.suggested_expected =
        Coach::expectedScore(coach.histogram(), call_line.suggested, others_total);
    call_line.call_expected = Coach::expectedScore(coach.histogram(), call_line.call, others_total);
}

double RoundReview::totalCost() const
{
    double total = 0;
    for (const Decision &decision : decision_list)
        if (decision.noticeable())
            total += decision.cost;
    return total;
}

int RoundReview::biggestSlip() const
{
    const Decision *biggest = nullptr;
    for (const Decision &decision : decision_list)
        if (decision.noticeable() && (!biggest || decision.cost > biggest->cost))
            biggest = &decision;
    return biggest ? biggest->trick : 0;
}
