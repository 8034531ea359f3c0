// tolvanmere-selfplay: plays seeded games with the computer player in all four seats,
// prints a round-by-round account and has InvariantChecker check the rules after every
// move. This file only runs the game and prints; SelfPlayOptions reads the command line.

#include "Card.h"
#include "GameState.h"
#include "InvariantChecker.h"
#include "Player.h"
#include "RoundReview.h"
#include "SelfPlayOptions.h"
#include "Tournament.h"

#include <algorithm>
#include <cstdlib>
#include <iomanip>
#include <iostream>
#include <string>
#include <vector>

namespace {

std::string sortedText(std::vector<Card> cards)
{
    std::stable_sort(cards.begin(), cards.end());
    return toShortString(cards);
}

class SelfPlay
{
public:
    explicit SelfPlay(const SelfPlayOptions &options) : options(options), checker(game) {}

    int run()
    {
        std::srand(options.seed);
        game.startNewGame();
        game.setHumanName("Self");
        check(checker.checkFreshRound());
        check(checker.checkConservation());

        while (checker.roundsDone() < options.rounds) {
            checker.humanCalls();
            if (!options.quiet)
                printRound();
            const unsigned round = game.getRound();
            while (game.getRound() == round) {
                check(checker.move());
                if (options.quiet)
                    continue;
                if (const auto &trick = checker.lastTrick())
                    printTrick(*trick);
                if (const auto &result = checker.lastRound()) {
                    printResult(*result);
                    if (options.review)
                        printReview(game.getHistory().back());
                }
            }
        }
        printSummary();
        return 0;
    }

private:
    void check(const std::string &error) const
    {
        if (error.empty())
            return;
        std::cout.flush();
        std::cerr << programName << ": broken invariant (seed " << options.seed << ", round "
                  << game.getRound() << ", completed tricks " << game.getCompletedTricks()
                  << "): " << error << "\n";
        std::exit(1);
    }

    void printRound() const
    {
        const unsigned round = game.getRound();
        const std::vector<Player> players = game.getPlayers();
        std::cout << "Round " << round;
        if (round == 1)
            std::cout << " (no calls: one point per trick)";
        else if (game.isShortcall())
            std::cout << " (shortcall: calls must be made exactly)";
        std::cout << "\n";
        for (std::size_t seat = 0; seat < players.size(); ++seat) {
            std::cout << "  " << std::left << std::setw(10) << players[seat].name << std::right;
            if (round > 1)
                std::cout << " calls " << std::setw(2) << players[seat].call;
            std::cout << "  " << sortedText(players[seat].hand.cards) << "\n";
        }
        std::cout << "  " << players[static_cast<std::size_t>(game.getCurrentPlayer())].name
                  << " leads.\n";
    }

    // Names never change during a game: the players of now are those of the trick.
    void printTrick(const InvariantChecker::Trick &trick) const
    {
        const std::vector<Player> players = game.getPlayers();
        std::cout << "  Trick " << std::setw(2) << trick.number << ":";
        for (std::size_t k = 0; k < trick.plays.size(); ++k) {
            const SeatCard &play = trick.plays[k];
            std::cout << " " << players[static_cast<std::size_t>(play.seat)].name << " "
                      << play.card.toShortString() << (k + 1 < trick.plays.size() ? "," : "");
        }
        std::cout << "  -> " << players[static_cast<std::size_t>(trick.winner)].name << "\n";
    }

    void printResult(const RoundRecord &result) const
    {
        const std::vector<Player> players = game.getPlayers();
        std::cout << "  Result:";
        for (std::size_t i = 0; i < result.seats.size(); ++i) {
            const SeatResult &line = result.seats[i];
            std::cout << "  " << players[i].name << " " << line.tricks;
            if (result.round > 1)
                std::cout << "/" << line.call;
            std::cout << " -> " << line.total;
        }
        std::cout << "\n\n";
    }

    // The numbers the Round Review window shows for the same round; the total, like the
    // window's, counts only costs of RoundReview::noticeableCost or more.
    void printReview(const RoundRecord &record) const
    {
        const RoundReview review(record);
        const std::vector<Player> players = game.getPlayers();
        std::cout << "  Review of " << players[std::size_t(review.human())].name << "'s cards:\n"
                  << std::fixed << std::setprecision(2);
        for (const RoundReview::Decision &decision : review.decisions())
            std::cout << "    Trick " << std::setw(2) << decision.trick << ": played "
                      << std::setw(3) << decision.played.toShortString() << ", Expert "
                      << std::setw(3) << decision.expert.toShortString() << ", cost "
                      << decision.cost << "\n";
        std::cout << "  Cards cost " << review.totalCost() << " points";
        if (const int slip = review.biggestSlip())
            std::cout << ", the biggest slip in trick " << slip;
        std::cout << ".\n";
        if (const RoundReview::Call &call = review.call(); call.called)
            std::cout << "  Call " << call.call << " (expected " << call.call_expected << "), took "
                      << call.tricks << "; the coach's call " << call.suggested << " (expected "
                      << call.suggested_expected << ").\n";
        std::cout << "\n" << std::defaultfloat << std::setprecision(6);
    }

    void printSummary() const
    {
        const std::vector<Player> players = game.getPlayers();
        const auto &stats = checker.stats();
        std::cout << "Summary: seed " << options.seed << ", " << checker.roundsDone() << " rounds, "
                  << checker.shortcallRounds() << " shortcall rounds, all invariants held.\n";
        for (std::size_t i = 0; i < players.size(); ++i) {
            std::cout << "  " << std::left << std::setw(10) << players[i].name << std::right
                      << " points " << std::setw(8) << players[i].points << "  tricks "
                      << std::setw(8) << stats[i].tricks << "  calls made " << stats[i].calls_made
                      << ", missed " << stats[i].calls_missed << "\n";
        }
    }

    SelfPlayOptions options;
    GameState game;
    InvariantChecker checker;
};

}  // namespace

int main(int argc, char **argv)
{
    const SelfPlayOptions options = parseOptions(argc, argv);
    if (options.tournament) {
        Tournament tournament(options.seat, options.games, options.seed, options.opponents);
        const Tournament::Result result = tournament.run();
        // The lines of before stay as they were; the new options add the shortcall line.
        if (options.opponents_given || options.seat == Tournament::Policy::MonteCarlo)
            std::cout << Tournament::shortcallLine(result) << "\n";
        std::cout << Tournament::summaryLine(options.seat, result) << "\n";
        return 0;
    }
    return SelfPlay(options).run();
}
