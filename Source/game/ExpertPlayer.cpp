#include "ExpertPlayer.h"

#include "CallAwarePolicy.h"
#include "CardBits.h"
#include "GameRules.h"
#include "GuessedHand.h"
#include "HiddenCards.h"
#include "Player.h"
#include "PlayoutTable.h"
#include "StandardPolicy.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace {

using namespace cardbits;

constexpr int seats = rules::playerCount;
constexpr int deckSize = HiddenCards::deckSize;

// How much the other seats' points count against the seat's own: a point taken from an
// opponent is worth less than one won, but it is worth something in a race to the top.
constexpr double opponentWeight = 0.6;
// In a shortcall round the seat's own exact call comes first: spoiling another's costs it
// tricks it must not take. Not 0, though: an Expert that spares the others makes its own
// calls no more often, and among Experts that do not spare it, it wins fewer games. Only a
// whole table that spares each other makes more exact calls.
constexpr double shortcallOpponentWeight = 0.25;
// A call weighs the others' points more than a card does: whether the calls make a
// shortcall round decides the others' rounds as much as the seat's own.
constexpr double callOpponentWeight = 0.75;

using SuitLengths = GuessedHand::SuitLengths;

using Table = PlayoutTable;

// The standard decision list's card for the seat to move.
CardIndex choosePolicyCard(const Table &table, bool shortcall, SeededRandom &random)
{
    const auto mover = static_cast<std::size_t>(table.to_move);
    GuessedHand hand(table.hands[mover], table.dealt[mover], shortcall);
    return chooseStandardCard(hand, table.trick, random);
}

// Who plays out the round: the seats known to play the standard list by it, the others
// as players who play to their calls, the seat itself for certain and the rest as guessed.
struct Rollout {
    const ExpertPlayer::Position &position;

    CardIndex choose(const Table &table, SeededRandom &random) const
    {
        const auto mover = static_cast<std::size_t>(table.to_move);
        if (table.to_move == position.seat)
            return callaware::chooseCard(table, position.calls[mover], position.shortcall, random);
        if (position.standard_seats[mover])
            return choosePolicyCard(table, position.shortcall, random);
        return callaware::guessCard(table, position.calls[mover], position.shortcall, random);
    }

    // Plays line to the round's end.
    void playOut(Table &line, SeededRandom &random) const
    {
        while (line.hands[static_cast<std::size_t>(line.to_move)])
            line.play(choose(line, random));
    }
};

// How likely a standard estimate gives this call for a hand whose card values add up to
// the given average: the estimate truncates its average two times in three and rounds it
// otherwise, never below two, and the table's sum misses the average by about 0.36.
double callLikelihood(int call, double average)
{
    constexpr double spread = 0.36;
    const auto below = [average](double bound) {
        return 0.5 * std::erfc((average - bound) / (spread * std::sqrt(2.0)));
    };
    const auto between = [&](double low, double high) {
        return below(high) - (call <= minimumComputerCall ? 0.0 : below(low));
    };
    const double truncated = between(call, call + 1);
    const double rounded = between(call - 0.5, call + 0.5);
    // A little for every call, so that a call no deal explains weighs nothing down for good.
    return 0.02 + 0.67 * truncated + 0.33 * rounded;
}

// The round's points as the game scores them, for the seat, less the others' weighed down:
// opponent_weight of their mean.
double roundValue(const Table &table, const ExpertPlayer::Position &position,
                  double opponent_weight)
{
    double value = 0;
    for (int seat = 0; seat < seats; ++seat) {
        const auto s = static_cast<std::size_t>(seat);
        const int points = roundScore(position.calls[s], table.tricks[s], position.first_round,
                                      position.shortcall);
        value += seat == position.seat ? points : -opponent_weight / (seats - 1) * points;
    }
    return value;
}

// The table as it stands: the cards played, the tricks taken, the trick in progress. The
// hands are left empty, for the deals.
Table tableOf(const ExpertPlayer::Position &position)
{
    Table table;
    for (const SeatCard &play : position.plays) {
        table.to_move = play.seat % seats;
        table.play(indexOf(play.card));
    }
    table.to_move = position.seat;
    return table;
}

// The cards worth comparing: of cards next to each other once the played cards are gone,
// only the lowest, since they win and lose the same tricks.
std::vector<CardIndex> distinctCandidates(CardSet legal, CardSet own, CardSet played)
{
    std::vector<CardIndex> distinct;
    for (; legal; legal &= legal - 1) {
        const auto card = static_cast<CardIndex>(std::countr_zero(legal));
        if (!distinct.empty() && laneOf(distinct.back()) == laneOf(card)) {
            const CardSet between =
                (bitOf(card) - 1) & ~((bitOf(distinct.back()) << 1) - 1) & laneSet(laneOf(card));
            if ((between & ~(own | played)) == 0)
                continue;
        }
        distinct.push_back(card);
    }
    return distinct;
}

// Deals of the hidden cards. What the standard players' cards tell is only as good as the
// guess that they play by the list: when no deal fits it, the rules alone decide, and when
// not even they can (a position no game reaches), any deal of the right sizes does.
class DealSource
{
public:
    DealSource(const ExpertPlayer::Position &position, CardSet own, CardSet played)
        : readings{HiddenCards::read(position, own, played, true),
                   HiddenCards::read(position, own, played, false)}
    {
    }

    // Deals the other seats' hands of table, which holds start's hands before.
    void deal(Table &table, const Table &start, SeededRandom &random)
    {
        while (!readings[level].deal(constrained, random, table.hands)) {
            table.hands = start.hands;
            if (level + 1 < readings.size())
                ++level;
            else if (constrained)
                constrained = false;
            else
                break;  // hands that do not add up: the round is played out short
        }
    }

private:
    std::array<HiddenCards, 2> readings;
    std::size_t level = 0;
    bool constrained = true;
};

// Fills in the suit lengths each hand of the deal was dealt and returns how well the deal
// explains the calls and the cards of the seats that play to their calls. played_by: each
// seat's cards played this round; random: the draws the card model may take.
double weighDeal(Table &table, const ExpertPlayer::Position &position,
                 const std::array<CardSet, seats> &played_by, const SeededRandom &random)
{
    double weight = 1;
    std::array<CardSet, seats> hands{};
    bool read_plays = false;
    for (int seat = 0; seat < seats; ++seat) {
        const auto si = static_cast<std::size_t>(seat);
        const CardSet dealt = hands[si] = table.hands[si] | played_by[si];
        read_plays |= seat != position.seat && !position.standard_seats[si] && played_by[si];
        for (int lane = 0; lane < seats; ++lane)
            table.dealt[si][static_cast<std::size_t>(lane)] =
                static_cast<std::uint8_t>(std::popcount(laneCards(dealt, lane)));
        if (seat == position.seat || !position.estimated_calls[si])
            continue;
        int wins = 0;
        for (CardSet cards = dealt; cards; cards &= cards - 1)
            wins += GuessedHand::likelyWins(static_cast<CardIndex>(std::countr_zero(cards)),
                                            table.dealt[si]);
        weight *= callLikelihood(position.calls[si], wins / 100.0);
    }
    if (read_plays)
        weight *= callaware::playsLikelihood(position, hands, table.dealt, random);
    return weight;
}

// Deals the hidden cards samples times, as start and the position allow, and hands each
// deal and its weight (how well it explains the calls and the cards played) to play_out.
// Returns the weights' sum.
template <typename PlayOut>
double forEachDeal(const ExpertPlayer::Position &position, const Table &start, CardSet own,
                   int samples, SeededRandom &random, PlayOut play_out)
{
    DealSource deals(position, own, start.trick.played);
    std::array<CardSet, seats> played_by{};
    for (const SeatCard &play : position.plays)
        played_by[static_cast<std::size_t>(play.seat % seats)] |= bitOf(indexOf(play.card));
    double weights = 0;
    for (int s = 0; s < samples; ++s) {
        Table table = start;
        deals.deal(table, start, random);
        table.hands[static_cast<std::size_t>(position.seat)] = own;
        const double weight = weighDeal(table, position, played_by, random);
        weights += weight;
        play_out(table, weight);
    }
    return weights;
}

// Each candidate's weighed round values summed over the sampled deals, and the weights'
// sum. The same deals and the same draws serve every candidate.
struct SampleTotals {
    std::vector<double> totals;
    std::vector<double> points;  // the seat's own round points, weighed the same way
    double weights = 0;
};

SampleTotals sampleTotals(const ExpertPlayer::Position &position, const Table &start, CardSet own,
                          const std::vector<CardIndex> &candidates, SeededRandom &random)
{
    const int remaining = deckSize - static_cast<int>(position.plays.size());
    const int per_sample = static_cast<int>(candidates.size()) * remaining;
    const int samples = std::clamp(ExpertPlayer::playBudget / per_sample, 24, 1000);
    const Rollout rollout{position};
    const double weight_of_others =
        position.shortcall ? shortcallOpponentWeight : opponentWeight;
    const auto seat = static_cast<std::size_t>(position.seat);

    SampleTotals sampled{std::vector<double>(candidates.size(), 0.0),
                         std::vector<double>(candidates.size(), 0.0), 0.0};
    sampled.weights =
        forEachDeal(position, start, own, samples, random, [&](const Table &table, double weight) {
            const SeededRandom stream = random;
            for (std::size_t c = 0; c < candidates.size(); ++c) {
                Table line = table;
                random = stream;
                line.play(candidates[c]);
                rollout.playOut(line, random);
                sampled.totals[c] += weight * roundValue(line, position, weight_of_others);
                sampled.points[c] += weight
                                     * roundScore(position.calls[seat], line.tricks[seat],
                                                  position.first_round, position.shortcall);
            }
        });
    return sampled;
}

// The candidate that stands for a legal card: the highest candidate of its lane not
// above it, since distinctCandidates keeps the lowest card of each run.
std::size_t candidateFor(CardIndex card, const std::vector<CardIndex> &candidates)
{
    std::size_t found = 0;
    for (std::size_t c = 0; c < candidates.size(); ++c)
        if (laneOf(candidates[c]) == laneOf(card) && candidates[c] <= card)
            found = c;
    return found;
}

// The held card itself for an index; the first legal card if the hand lacks it.
Card heldCard(const std::vector<Card> &hand, CardIndex chosen, CardSet legal)
{
    const auto held = std::find_if(hand.begin(), hand.end(), [chosen](const Card &card) {
        return isRealCard(card) && indexOf(card) == chosen;
    });
    if (held != hand.end())
        return *held;
    const auto first = std::find_if(hand.begin(), hand.end(), [legal](const Card &card) {
        return isRealCard(card) && (legal & bitOf(indexOf(card)));
    });
    return first != hand.end() ? *first : Card();
}

}  // namespace

ExpertPlayer::ExpertPlayer(std::uint64_t seed) : random(seed) {}

double ExpertPlayer::Evaluation::cost(const Card &card) const
{
    double best_points = 0, points = 0;
    bool found = false;
    for (const CardValue &entry : cards) {
        if (entry.card == best)
            best_points = entry.points;
        if (entry.card == card)
            points = entry.points, found = true;
    }
    return found ? std::max(0.0, best_points - points) : 0.0;
}

ExpertPlayer::Evaluation ExpertPlayer::evaluate(const Position &position)
{
    Evaluation evaluation;
    const CardSet own = setOf(position.hand);
    const Table start = tableOf(position);
    const CardSet legal = legalCards(own, start.trick);
    if (!legal) {
        evaluation.best = position.hand.empty() ? Card() : position.hand.front();
        return evaluation;
    }
    const std::vector<CardIndex> candidates = distinctCandidates(legal, own, start.trick.played);
    std::vector<double> means(candidates.size(), 0.0), points(candidates.size(), 0.0);
    std::size_t best = 0;
    if (candidates.size() > 1) {
        const SampleTotals sampled = sampleTotals(position, start, own, candidates, random);
        // The choice compares the sums, as it always has; the means only report them.
        best =
            static_cast<std::size_t>(std::max_element(sampled.totals.begin(), sampled.totals.end())
                                     - sampled.totals.begin());
        for (std::size_t c = 0; c < means.size() && sampled.weights > 0; ++c) {
            means[c] = sampled.totals[c] / sampled.weights;
            points[c] = sampled.points[c] / sampled.weights;
        }
    }
    evaluation.best = heldCard(position.hand, candidates[best], legal);
    for (const Card &card : position.hand)
        if (isRealCard(card) && (legal & bitOf(indexOf(card)))) {
            const std::size_t c = candidateFor(indexOf(card), candidates);
            evaluation.cards.push_back({card, means[c], points[c]});
        }
    return evaluation;
}

int ExpertPlayer::chooseCall(const Position &position, int estimate)
{
    estimate = std::clamp(estimate, rules::lowestCall, rules::highestCall);
    std::vector<Position> options;
    for (int call = std::max(rules::lowestCall, estimate - 1);
         call <= std::min(rules::highestCall, estimate + 1); ++call) {
        Position &option = options.emplace_back(position);
        option.calls[static_cast<std::size_t>(position.seat)] = call;
        int total = 0;
        for (const int each : option.calls)
            total += each;
        option.shortcall = rules::isShortcallTotal(total);
    }
    const int samples = playBudget / (static_cast<int>(options.size()) * deckSize);
    std::vector<double> totals(options.size(), 0.0);
    forEachDeal(position, Table{}, setOf(position.hand), samples, random,
                [&](const Table &deal, double weight) {
                    Table table = deal;
                    table.to_move = static_cast<int>(random.next() % seats);  // the first leader
                    const SeededRandom stream = random;
                    for (std::size_t c = 0; c < options.size(); ++c) {
                        Table line = table;
                        random = stream;
                        Rollout{options[c]}.playOut(line, random);
                        totals[c] += weight * roundValue(line, options[c], callOpponentWeight);
                    }
                });
    const auto best = std::max_element(totals.begin(), totals.end()) - totals.begin();
    return options[static_cast<std::size_t>(best)].calls[static_cast<std::size_t>(position.seat)];
}
