#include "Coach.h"

#include "ExpertPlayer.h"
#include "GameState.h"
#include "RoundSimulator.h"
#include "SeededRandom.h"

namespace {

std::uint64_t mixCards(std::uint64_t hash, const std::vector<Card> &cards)
{
    for (const Card &card : cards)
        hash = fnvMix(fnvMix(hash, std::uint64_t(card.suit)), std::uint64_t(card.rank));
    return hash;
}

constexpr std::uint64_t played_separator = 0xFF;

}  // namespace

std::uint64_t Coach::dealSeed(const std::vector<Card> &dealt)
{
    return mixCards(fnvOffset, dealt);
}

std::uint64_t Coach::hintSeed(const std::vector<Card> &held, const std::vector<Card> &played)
{
    return mixCards(fnvMix(mixCards(fnvOffset, held), played_separator), played);
}

void Coach::estimate(const std::vector<Card> &dealt)
{
    clear();
    SeededRandom random(dealSeed(dealt));
    RoundSimulator simulator(dealt, random);
    if (!simulator.isValid())
        return;
    int total = 0;
    for (int run = 0; run < simulationRuns; ++run) {
        const int tricks = simulator.playRound();
        ++trick_histogram[static_cast<std::size_t>(tricks)];
        total += tricks;
    }
    win_counts = simulator.winCounts();
    mean_tricks = total / static_cast<double>(simulationRuns);
    suggested_call = roundCall(mean_tricks, random.next());
    has_estimate = true;
}

void Coach::clear()
{
    has_estimate = false;
    suggested_call = 0;
    mean_tricks = 0;
    win_counts.clear();
    trick_histogram.fill(0);
}

Card Coach::hint(const GameState &state)
{
    const ExpertPosition position = state.expertPosition();
    ExpertPlayer expert(hintSeed(position.hand, state.getRoundCards()));
    return expert.chooseCard(position);
}

int Coach::madeCount(const Histogram &rounds, int call, bool shortcall)
{
    int made = 0;
    for (std::size_t tricks = 0; tricks < rounds.size(); ++tricks)
        if (isCallMade(call, int(tricks), shortcall))
            made += rounds[tricks];
    return made;
}

double Coach::expectedScore(const Histogram &rounds, int call, int others_total)
{
    const bool shortcall = rules::isShortcallTotal(call + others_total);
    int total = 0;
    int points = 0;
    for (std::size_t tricks = 0; tricks < rounds.size(); ++tricks) {
        total += rounds[tricks];
        points += rounds[tricks] * roundScore(call, int(tricks), false, shortcall);
    }
    return total > 0 ? points / double(total) : 0.0;
}

int Coach::bestCall(const Histogram &rounds, int others_total)
{
    int best = minimumComputerCall;
    for (int call = minimumComputerCall + 1; call <= max_tricks; ++call)
        if (expectedScore(rounds, call, others_total) > expectedScore(rounds, best, others_total))
            best = call;
    return best;
}
