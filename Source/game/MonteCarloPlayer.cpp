#include "MonteCarloPlayer.h"

#include "CardBits.h"
#include "GameRules.h"
#include "GuessedHand.h"
#include "HiddenCards.h"
#include "Player.h"
#include "PlayoutTable.h"
#include "StandardPolicy.h"

#include <algorithm>
#include <array>
#include <bit>
#include <vector>

namespace {

using namespace cardbits;

constexpr int seats = rules::playerCount;

// A simulated round, played out by the standard decision list.
struct Playout : PlayoutTable {
    // The rest of the round by the standard decision list in every seat.
    void playOut(bool shortcall, SeededRandom &random)
    {
        while (hands[static_cast<std::size_t>(to_move)]) {
            const auto mover = static_cast<std::size_t>(to_move);
            GuessedHand hand(hands[mover], dealt[mover], shortcall);
            play(chooseStandardCard(hand, trick, random));
        }
    }
};

// The table as it stands, hands left empty for the deals; played_by gets each seat's cards.
Playout tableOf(const ExpertPosition &position, std::array<CardSet, seats> &played_by)
{
    Playout table;
    for (const SeatCard &play : position.plays) {
        table.to_move = play.seat % seats;
        played_by[static_cast<std::size_t>(table.to_move)] |= bitOf(indexOf(play.card));
        table.play(indexOf(play.card));
    }
    table.to_move = position.seat;
    return table;
}

// One deal of the hidden cards into table's hands: by the voids shown if any deal fits
// them, else any deal of the right sizes.
void dealHidden(const HiddenCards &hidden, const Playout &start, Playout &table,
                SeededRandom &random)
{
    if (hidden.deal(true, random, table.hands))
        return;
    table.hands = start.hands;
    hidden.deal(false, random, table.hands);
}

Card heldCard(const std::vector<Card> &hand, CardIndex chosen)
{
    const auto held = std::find_if(hand.begin(), hand.end(), [chosen](const Card &card) {
        return isRealCard(card) && indexOf(card) == chosen;
    });
    return held != hand.end() ? *held : hand.front();
}

}  // namespace

Card MonteCarloPlayer::chooseCard(const ExpertPosition &position)
{
    const CardSet own = setOf(position.hand);
    std::array<CardSet, seats> played_by{};
    Playout start = tableOf(position, played_by);
    const auto me = static_cast<std::size_t>(position.seat);
    start.hands[me] = own;
    std::vector<CardIndex> candidates;
    for (CardSet legal = legalCards(own, start.trick); legal; legal &= legal - 1)
        candidates.push_back(static_cast<CardIndex>(std::countr_zero(legal)));
    if (candidates.empty())
        return position.hand.empty() ? Card() : position.hand.front();
    if (candidates.size() == 1)
        return heldCard(position.hand, candidates.front());

    const HiddenCards hidden = HiddenCards::read(position, own, start.trick.played, false);
    std::vector<long long> totals(candidates.size(), 0);
    for (int d = 0; d < dealsPerDecision; ++d) {
        Playout table = start;
        dealHidden(hidden, start, table, random);
        for (std::size_t s = 0; s < seats; ++s) {
            const CardSet dealt = table.hands[s] | played_by[s];
            for (int lane = 0; lane < seats; ++lane)
                table.dealt[s][static_cast<std::size_t>(lane)] =
                    static_cast<std::uint8_t>(std::popcount(laneCards(dealt, lane)));
        }
        // The same deal and the same draws for every candidate.
        const SeededRandom stream = random;
        for (std::size_t c = 0; c < candidates.size(); ++c) {
            Playout line = table;
            random = stream;
            line.play(candidates[c]);
            line.playOut(position.shortcall, random);
            totals[c] += roundScore(position.calls[me], line.tricks[me], position.first_round,
                                    position.shortcall);
        }
    }
    const auto best = std::max_element(totals.begin(), totals.end()) - totals.begin();
    return heldCard(position.hand, candidates[static_cast<std::size_t>(best)]);
}
