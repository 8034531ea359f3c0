// How long the computer player's call estimate and a round of play take. The round start
// runs inside the move that ends a round, on the UI thread, so it has to stay well below
// anything the player could notice.

#include "Coach.h"
#include "ExpertPlayer.h"
#include "GameState.h"
#include "Player.h"
#include "ReferenceEstimate.h"
#include "RoundReview.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <vector>

namespace {

// Computer players with freshly dealt hands, from a fixed seed.
std::vector<Player> dealtPlayers(int count)
{
    std::srand(12345);
    std::vector<Player> players;
    GameState dealer;
    while (static_cast<int>(players.size()) < count) {
        for (const Hand &hand : dealer.deal(makeDeck())) {
            Player player;
            player.hand = hand;
            players.push_back(player);
        }
    }
    return players;
}

// Plays one move: the computer's, or the human's with the computer's choice for that seat.
void playMove(GameState &game)
{
    if (game.isHumanMove()) {
        Player human = game.getPlayers()[static_cast<std::size_t>(game.getHumanPlayer())];
        game.playCard(human.chooseCard(game.getTrick(), game.getRoundCards(), game.isShortcall()));
    } else {
        game.playComputerMove();
    }
}

void BM_EstimateCall(benchmark::State &state)
{
    const std::vector<Player> players = dealtPlayers(64);
    std::size_t next = 0;
    for (auto _ : state) {
        Player player = players[next++ % players.size()];
        player.estimateCall();
        benchmark::DoNotOptimize(player.call);
    }
}
BENCHMARK(BM_EstimateCall)->Unit(benchmark::kMicrosecond);

// The plain estimate, for comparison with the one the game uses.
void BM_ReferenceEstimateCall(benchmark::State &state)
{
    const std::vector<Player> players = dealtPlayers(64);
    std::size_t next = 0;
    for (auto _ : state) {
        Player player = players[next++ % players.size()];
        referenceEstimateCall(player);
        benchmark::DoNotOptimize(player.call);
    }
}
BENCHMARK(BM_ReferenceEstimateCall)->Unit(benchmark::kMicrosecond);

// Round 2 or later: the deal, the first player and the three computer estimates.
void BM_StartNewRound(benchmark::State &state)
{
    std::srand(2026);
    GameState game;
    game.startNewGame();
    for (auto _ : state) {
        game.startNewRound();
        benchmark::DoNotOptimize(game.getRound());
    }
}
BENCHMARK(BM_StartNewRound)->Unit(benchmark::kMicrosecond);

// The coach's estimate of the human's hand: the same simulation from its own generator.
void BM_CoachEstimate(benchmark::State &state)
{
    const std::vector<Player> players = dealtPlayers(64);
    std::size_t next = 0;
    Coach coach;
    for (auto _ : state) {
        coach.estimate(players[next++ % players.size()].hand.cards);
        benchmark::DoNotOptimize(coach.suggestedCall());
    }
}
BENCHMARK(BM_CoachEstimate)->Unit(benchmark::kMicrosecond);

// A Learning Mode round start: the deal, the three computer estimates and the coach's
// estimate of the human's hand.
void BM_StartNewRoundWithCoach(benchmark::State &state)
{
    std::srand(2026);
    GameState game;
    game.startNewGame();
    Coach coach;
    for (auto _ : state) {
        game.startNewRound();
        coach.estimate(
            game.getPlayers()[static_cast<std::size_t>(game.getHumanPlayer())].hand.cards);
        benchmark::DoNotOptimize(coach.suggestedCall());
    }
}
BENCHMARK(BM_StartNewRoundWithCoach)->Unit(benchmark::kMicrosecond);

// 52 moves, the last of which scores the round and starts the next one.
void BM_SelfPlayedRound(benchmark::State &state)
{
    std::srand(7);
    GameState game;
    game.startNewGame();
    for (auto _ : state) {
        const unsigned round = game.getRound();
        for (int moves = 0; game.getRound() == round; ++moves) {
            if (moves == 52) {
                state.SkipWithError("the round did not end after 52 moves");
                return;
            }
            playMove(game);
        }
        benchmark::DoNotOptimize(game.getCompletedTricks());
    }
}
BENCHMARK(BM_SelfPlayedRound)->Unit(benchmark::kMicrosecond);

// Positions of second rounds (calls made, a shortcall now and then) with `played` cards on
// the table, from a range of seeds, with Expert opponents (whom the Expert plays out as
// players who play to their calls) or standard ones.
std::vector<GameState> expertPositions(int played, Opponents opponents)
{
    std::vector<GameState> positions;
    for (unsigned seed = 1; positions.size() < 32; ++seed) {
        std::srand(seed);
        GameState game;
        game.setOpponents(opponents);
        game.startNewGame();
        while (game.getRound() == 1)
            playMove(game);
        for (int move = 0; move < played; ++move)
            playMove(game);
        positions.push_back(game);
    }
    return positions;
}

double threadMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) * 1e-6;
}

// Expert decisions on the positions in turn: they run inside the game state, between two
// animations, so their slowest cases count as much as their mean (the p99_ms counter, in
// processor time).
template <typename Decide>
void timeDecisions(benchmark::State &state, const std::vector<GameState> &positions, Decide decide)
{
    ExpertPlayer expert(7);
    std::size_t next = 0;
    std::vector<double> times;
    for (auto _ : state) {
        const ExpertPosition position = positions[next++ % positions.size()].expertPosition();
        const double begin = threadMilliseconds();
        benchmark::DoNotOptimize(decide(expert, position));
        times.push_back(threadMilliseconds() - begin);
    }
    std::sort(times.begin(), times.end());
    if (!times.empty())
        state.counters["p99_ms"] = times[times.size() * 99 / 100];
}

void expertDecision(benchmark::State &state, int played, Opponents opponents = Opponents::Expert)
{
    timeDecisions(state, expertPositions(played, opponents),
                  [](ExpertPlayer &expert, const ExpertPosition &position) {
                      return expert.chooseCard(position);
                  });
}

void BM_ExpertDecisionRoundStart(benchmark::State &state)
{
    expertDecision(state, 0);
}
BENCHMARK(BM_ExpertDecisionRoundStart)->Unit(benchmark::kMillisecond);

void BM_ExpertDecisionMidRound(benchmark::State &state)
{
    expertDecision(state, 25);
}
BENCHMARK(BM_ExpertDecisionMidRound)->Unit(benchmark::kMillisecond);

void BM_ExpertDecisionRoundEnd(benchmark::State &state)
{
    expertDecision(state, 41);
}
BENCHMARK(BM_ExpertDecisionRoundEnd)->Unit(benchmark::kMillisecond);

// The same positions at a table of standard players, whose cards tell the Expert more.
void BM_ExpertDecisionStandardTable(benchmark::State &state)
{
    expertDecision(state, static_cast<int>(state.range(0)), Opponents::Standard);
}
BENCHMARK(BM_ExpertDecisionStandardTable)->Arg(0)->Arg(25)->Arg(41)->Unit(benchmark::kMillisecond);

// The call of an Expert that calls last, on the same fresh deals.
void BM_ExpertCall(benchmark::State &state)
{
    timeDecisions(state, expertPositions(0, Opponents::Standard),
                  [](ExpertPlayer &expert, const ExpertPosition &position) {
                      return expert.chooseCall(
                          position, position.calls[static_cast<std::size_t>(position.seat)]);
                  });
}
BENCHMARK(BM_ExpertCall)->Unit(benchmark::kMillisecond);

// How long the review of a finished round takes: the window builds it when it first shows
// a round, on the UI thread, so its slowest rounds count (the max_ms counter).
// The records of rounds 2 to 4 of seeded games, the human's seat played by the list.
std::vector<RoundRecord> finishedRounds(Opponents opponents)
{
    std::vector<RoundRecord> records;
    for (unsigned seed = 1; records.size() < 24; ++seed) {
        std::srand(seed);
        GameState game;
        game.setOpponents(opponents);
        game.startNewGame();
        while (game.getHistory().size() < 4)
            playMove(game);
        records.insert(records.end(), game.getHistory().begin() + 1, game.getHistory().end());
    }
    return records;
}

void roundReview(benchmark::State &state, Opponents opponents)
{
    const std::vector<RoundRecord> records = finishedRounds(opponents);
    std::size_t next = 0;
    double slowest = 0;
    for (auto _ : state) {
        const auto begin = std::chrono::steady_clock::now();
        const RoundReview review(records[next++ % records.size()]);
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - begin;
        slowest = std::max(slowest, took.count());
        benchmark::DoNotOptimize(review.totalCost());
    }
    state.counters["max_ms"] = slowest;
}

void BM_RoundReviewStandardGame(benchmark::State &state)
{
    roundReview(state, Opponents::Standard);
}
BENCHMARK(BM_RoundReviewStandardGame)->Unit(benchmark::kMillisecond);

void BM_RoundReviewExpertGame(benchmark::State &state)
{
    roundReview(state, Opponents::Expert);
}
BENCHMARK(BM_RoundReviewExpertGame)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
