#include "Coach.h"

#include "ExpertPlayer.h"
#include "GameState.h"
#include "RoundSimulator.h"
#include "SeededRandom.h"

namespace {

// FNV-1a over the cards, so that a seed names the exact cards and their order.
std::uint64_t mixCards(std::uint64_t hash, const std::vector<Card> &cards)
{
    constexpr std::uint64_t prime = 0x100000001B3ull;
    for (const Card &card : cards) {
        hash = (hash ^ static_cast<std::uint64_t>(card.suit)) * prime;
        hash = (hash ^ static_cast<std::uint64_t>(card.rank)) * prime;
    }
    return hash;
}

constexpr std::uint64_t fnv_offset = 0xCBF29CE484222325ull;
constexpr std::uint64_t played_separator = 0xFF;

}  // namespace

std::uint64_t Coach::dealSeed(const std::vector<Card> &dealt)
{
    return mixCards(fnv_offset, dealt);
}

std::uint64_t Coach::hintSeed(const std::vector<Card> &held, const std::vector<Card> &played)
{
    const std::uint64_t hash = mixCards(fnv_offset, held);
    return mixCards((hash ^ played_separator) * 0x100000001B3ull, played);
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
    const std::vector<Player> players = state.getPlayers();
    const Hand &hand = players.at(std::size_t(state.getCurrentPlayer())).hand;
    ExpertPlayer expert(hintSeed(hand.cards, state.getRoundCards()));
    return expert.chooseCard(state);
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
    const bool shortcall = call + others_total <= 12;
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
