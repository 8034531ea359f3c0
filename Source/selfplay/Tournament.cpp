#include "Tournament.h"

#include "Card.h"
#include "ExpertPlayer.h"
#include "GameRules.h"
#include "GameState.h"
#include "MonteCarloPlayer.h"
#include "Player.h"
#include "SeededRandom.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

namespace {

constexpr int seats = rules::playerCount;

// A generator seed for one use of one game: the seed, the game and up to two more numbers
// (round, seat, purpose) mixed so that neighbouring values give unrelated streams.
std::uint64_t streamSeed(std::uint32_t seed, long long game, int a, int b)
{
    std::uint64_t z = seed;
    for (const std::uint64_t part :
         {static_cast<std::uint64_t>(game), std::uint64_t(a + 1), std::uint64_t(b + 1)}) {
        z = (z ^ part) + 0x9E3779B97F4A7C15ull;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        z ^= z >> 31;
    }
    return z;
}

// The processor time of this thread in milliseconds: a decision's cost on one core, whatever
// else the machine is running.
double threadMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) * 1e-6;
}

enum Stream { DealStream, CallStream, PlayStream, TestSeatStream, OpponentStream };

// The game's own deal, shuffled by a generator of the tournament's.
std::vector<Hand> dealFrom(SeededRandom &random)
{
    std::vector<Card> deck = makeDeck();
    for (;;) {
        for (std::size_t i = 1; i < deck.size(); ++i)
            std::swap(deck[i], deck[static_cast<std::size_t>(random.next()) % (i + 1)]);
        std::vector<Hand> hands(seats);
        for (std::size_t i = 0; i < deck.size(); ++i)
            hands[i % seats].cards.push_back(deck[i]);
        if (std::none_of(hands.begin(), hands.end(),
                         [](const Hand &hand) { return isBadHand(hand.cards); }))
            return hands;
    }
}

// Mean and 95% confidence half-width of the values.
std::pair<double, double> meanAndMargin(const std::vector<double> &values)
{
    if (values.empty())
        return {0, 0};
    double sum = 0;
    for (const double v : values)
        sum += v;
    const double mean = sum / static_cast<double>(values.size());
    if (values.size() < 2)
        return {mean, 0};
    double squares = 0;
    for (const double v : values)
        squares += (v - mean) * (v - mean);
    const double variance = squares / static_cast<double>(values.size() - 1);
    return {mean, 1.96 * std::sqrt(variance / static_cast<double>(values.size()))};
}

// One game's generators: each seat's standard play, the random seat's, the test seat's
// Expert or Monte-Carlo player and each seat's Expert opponent.
struct GameStreams {
    GameStreams(std::uint32_t seed, long long game)
        : test(streamSeed(seed, game, TestSeatStream, 0)),
          expert(streamSeed(seed, game, TestSeatStream, 1)),
          montecarlo(streamSeed(seed, game, TestSeatStream, 2))
    {
        for (int seat = 0; seat < seats; ++seat) {
            play.emplace_back(streamSeed(seed, game, PlayStream, seat));
            opponents.emplace_back(streamSeed(seed, game, OpponentStream, seat));
        }
    }

    std::vector<SeededRandom> play;
    SeededRandom test;
    ExpertPlayer expert;
    MonteCarloPlayer montecarlo;
    std::vector<ExpertPlayer> opponents;
};

// Who sits at the table: the test seat and its policy, and the other three seats' kind.
struct Seating {
    Tournament::Policy policy;
    Opponents opponents;
    int test_seat;
};

// A round dealt and called: the players, the Expert's view and the first leader.
struct RoundStart {
    std::vector<Player> players;
    ExpertPlayer::Position position;
    int leader = 0;
};

RoundStart startRound(std::uint32_t seed, long long game, int round, const Seating &seating,
                      GameStreams &streams)
{
    RoundStart start;
    SeededRandom deal_random(streamSeed(seed, game, DealStream, round));
    const std::vector<Hand> hands = dealFrom(deal_random);
    start.players.resize(seats);
    ExpertPlayer::Position &position = start.position;
    // As in the game: Experts and the test seat (in the human's place) are not known to play
    // the decision list.
    position.standard_seats.fill(seating.opponents == Opponents::Standard);
    position.standard_seats[static_cast<std::size_t>(seating.test_seat)] = false;
    position.estimated_calls.fill(round > 1);
    int total_calls = 0;
    for (int seat = 0; seat < seats; ++seat) {
        const auto s = static_cast<std::size_t>(seat);
        Player &player = start.players[s];
        player.hand = hands[s];
        if (round > 1) {
            SeededRandom call_random(streamSeed(seed, game, CallStream, round * 8 + seat));
            player.estimateCall(call_random);
        }
        position.calls[s] = player.call;
        total_calls += player.call;
    }
    position.first_round = round == 1;
    // An Expert in the human's place calls last, as the human does, knowing the other calls.
    // Among Experts, who call by the estimate, it calls as they do: that table calibrates
    // the Expert against itself, and the last word alone is worth some 5 points of games won.
    if (!position.first_round && seating.policy == Tournament::Policy::Expert
        && seating.opponents == Opponents::Standard) {
        const auto t = static_cast<std::size_t>(seating.test_seat);
        Player &player = start.players[t];
        position.seat = seating.test_seat;
        position.hand = player.hand.cards;
        total_calls -= player.call;
        player.call = position.calls[t] = streams.expert.chooseCall(position, player.call);
        total_calls += player.call;
    }
    position.shortcall = !position.first_round && rules::isShortcallTotal(total_calls);
    start.leader = deal_random.next() % seats;
    return start;
}

// A card no rule allows ends the tournament as a broken invariant ends self-play.
void checkLegal(const std::vector<Card> &legal, const Card &card, int seat)
{
    if (std::find(legal.begin(), legal.end(), card) != legal.end())
        return;
    std::fprintf(stderr, "%s: broken invariant: seat %d played %s, not a legal card\n",
                 "tolvanmere-selfplay", seat, card.toShortString().c_str());
    std::exit(1);
}

// An Expert opponent's card, removed from its hand.
Card opponentCard(RoundStart &round, int seat, GameStreams &streams)
{
    Player &player = round.players[static_cast<std::size_t>(seat)];
    round.position.seat = seat;
    round.position.hand = player.hand.cards;
    const Card card = streams.opponents[static_cast<std::size_t>(seat)].chooseCard(round.position);
    player.hand.removeCard(card);
    return card;
}

// The test seat's card by its policy, removed from its hand; the decision's time is added
// to decision_ms.
Card testSeatCard(Tournament::Policy policy, RoundStart &round, int seat,
                  const std::vector<Card> &trick, const std::vector<Card> &played,
                  GameStreams &streams, std::vector<double> &decision_ms)
{
    Player &player = round.players[static_cast<std::size_t>(seat)];
    const double begin = threadMilliseconds();
    Card card;
    if (policy == Tournament::Policy::Standard) {
        card = player.chooseCard(trick, played, round.position.shortcall,
                                 streams.play[static_cast<std::size_t>(seat)]);
    } else if (policy == Tournament::Policy::Random) {
        const std::vector<Card> legal = player.hand.legalCards(trick);
        card = legal[static_cast<std::size_t>(streams.test.next()) % legal.size()];
        player.hand.removeCard(card);
        decision_ms.push_back(0);
        return card;
    } else {
        round.position.seat = seat;
        round.position.hand = player.hand.cards;
        card = policy == Tournament::Policy::MonteCarlo
                   ? streams.montecarlo.chooseCard(round.position)
                   : streams.expert.chooseCard(round.position);
        player.hand.removeCard(card);
    }
    decision_ms.push_back(threadMilliseconds() - begin);
    return card;
}

// Plays the round's 52 cards; returns each seat's tricks.
std::array<int, seats> playRound(const Seating &seating, RoundStart &round, GameStreams &streams,
                                 std::vector<double> &decision_ms)
{
    int to_move = round.leader;
    std::vector<Card> trick;
    std::vector<Card> played;
    std::array<int, seats> tricks{};
    for (int card_count = 0; card_count < seats * rules::tricksPerRound; ++card_count) {
        const auto mover = static_cast<std::size_t>(to_move);
        const std::vector<Card> legal = round.players[mover].hand.legalCards(trick);
        Card card;
        if (to_move == seating.test_seat)
            card =
                testSeatCard(seating.policy, round, to_move, trick, played, streams, decision_ms);
        else if (seating.opponents == Opponents::Expert)
            card = opponentCard(round, to_move, streams);
        else
            card = round.players[mover].chooseCard(trick, played, round.position.shortcall,
                                                   streams.play[mover]);
        checkLegal(legal, card, to_move);
        trick.push_back(card);
        played.push_back(card);
        round.position.plays.push_back({card, to_move});
        if (trick.size() < seats) {
            to_move = (to_move + 1) % seats;
            continue;
        }
        const Card winner = trickWinner(trick);
        const auto winner_index =
            static_cast<int>(std::find(trick.begin(), trick.end(), winner) - trick.begin());
        to_move = (to_move + 1 + winner_index) % seats;
        ++tricks[static_cast<std::size_t>(to_move)];
        trick.clear();
    }
    return tricks;
}

}  // namespace

Tournament::Tournament(Policy policy, long long games, std::uint32_t seed, Opponents opponents)
    : policy(policy), games(games), seed(seed), opponents(opponents)
{
}

Tournament::Result Tournament::run()
{
    std::vector<double> points;
    std::vector<double> won;
    std::vector<double> decision_ms;
    Result result;
    for (long long game = 0; game < games; ++game) {
        const int test_seat = static_cast<int>(game % seats);
        const std::array<int, seats> totals = playGame(game, test_seat, decision_ms, result);
        const int best = *std::max_element(totals.begin(), totals.end());
        const auto sharing = std::count(totals.begin(), totals.end(), best);
        const int own = totals[static_cast<std::size_t>(test_seat)];
        won.push_back(own == best ? 100.0 / static_cast<double>(sharing) : 0.0);
        points.push_back(own / static_cast<double>(roundsPerGame));
    }

    result.games = games;
    std::tie(result.points_per_round, result.points_margin) = meanAndMargin(points);
    std::tie(result.won_percent, result.won_margin) = meanAndMargin(won);
    if (!decision_ms.empty()) {
        result.decision_mean_ms = meanAndMargin(decision_ms).first;
        std::sort(decision_ms.begin(), decision_ms.end());
        const auto index =
            static_cast<std::size_t>(std::ceil(0.99 * static_cast<double>(decision_ms.size()))) - 1;
        result.decision_p99_ms = decision_ms[std::min(index, decision_ms.size() - 1)];
    }
    return result;
}

std::array<int, Tournament::seatCount> Tournament::playGame(long long game, int test_seat,
                                                            std::vector<double> &decision_ms,
                                                            Result &result) const
{
    std::array<int, seats> totals{};
    GameStreams streams(seed, game);
    const Seating seating{policy, opponents, test_seat};
    for (int round = 1; round <= roundsPerGame; ++round) {
        RoundStart start = startRound(seed, game, round, seating, streams);
        const std::array<int, seats> tricks = playRound(seating, start, streams, decision_ms);
        if (start.position.shortcall) {
            const auto t = static_cast<std::size_t>(test_seat);
            ++result.shortcall_calls;
            result.shortcall_made += tricks[t] == start.players[t].call ? 1 : 0;
        }
        for (std::size_t s = 0; s < seats; ++s)
            totals[s] += roundScore(start.players[s].call, tricks[s], start.position.first_round,
                                    start.position.shortcall);
    }
    return totals;
}

bool Tournament::policyFromName(const std::string &name, Policy &policy)
{
    for (const Policy candidate :
         {Policy::Expert, Policy::Standard, Policy::Random, Policy::MonteCarlo}) {
        if (name == policyName(candidate)) {
            policy = candidate;
            return true;
        }
    }
    return false;
}

std::string Tournament::policyName(Policy policy)
{
    switch (policy) {
    case Policy::Expert:
        return "expert";
    case Policy::Random:
        return "random";
    case Policy::MonteCarlo:
        return "montecarlo";
    case Policy::Standard:
        break;
    }
    return "standard";
}

std::string Tournament::summaryLine(Policy policy, const Result &result)
{
    char text[200];
    std::snprintf(text, sizeof text,
                  "seat %s: points per round %.2f +- %.2f, games won %.1f%% +- %.1f, decision "
                  "%.1f ms mean, %.1f ms p99",
                  policyName(policy).c_str(), result.points_per_round, result.points_margin,
                  result.won_percent, result.won_margin, result.decision_mean_ms,
                  result.decision_p99_ms);
    return text;
}

bool Tournament::opponentsFromName(const std::string &name, Opponents &opponents)
{
    if (name != "standard" && name != "expert")
        return false;
    opponents = name == "expert" ? Opponents::Expert : Opponents::Standard;
    return true;
}

std::string Tournament::shortcallLine(const Result &result)
{
    const double percent = result.shortcall_calls > 0
                               ? 100.0 * static_cast<double>(result.shortcall_made)
                                     / static_cast<double>(result.shortcall_calls)
                               : 0.0;
    char text[100];
    std::snprintf(text, sizeof text, "calls made exactly in shortcall rounds: %.1f%% of %lld",
                  percent, result.shortcall_calls);
    return text;
}
