// How long the review of a finished round takes: the window builds it when it first shows
// a round, on the UI thread, so its slowest rounds count (the max_ms counter).

#include "GameState.h"
#include "Player.h"
#include "RoundReview.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <vector>

namespace {

// The records of rounds 2 to 4 of seeded games, the human's seat played by the list.
std::vector<RoundRecord> finishedRounds(Opponents opponents)
{
    std::vector<RoundRecord> records;
    for (unsigned seed = 1; records.size() < 24; ++seed) {
        std::srand(seed);
        GameState game;
        game.setOpponents(opponents);
        game.startNewGame();
        while (game.getHistory().size() < 4) {
            if (!game.isHumanMove()) {
                game.playComputerMove();
                continue;
            }
            Player human = game.getPlayers()[std::size_t(game.getHumanPlayer())];
            game.playCard(
                human.chooseCard(game.getTrick(), game.getRoundCards(), game.isShortcall()));
        }
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
