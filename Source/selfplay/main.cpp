// tolvanmere-selfplay: plays seeded games with the computer player in all four seats,
// prints a round-by-round account and has InvariantChecker check the rules after every
// move. This file only reads the options and prints.

#include "Card.h"
#include "GameState.h"
#include "InvariantChecker.h"
#include "Player.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <iomanip>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr const char *programName = "tolvanmere-selfplay";

void printUsage(std::ostream &out)
{
    out << "Usage: " << programName << " [--seed N] [--rounds N] [--quiet] [--help]\n"
        << "Plays seeded games of Tolvanmere with the computer player in every seat and\n"
        << "checks the rules after every move.\n"
        << "  --seed N     seed of the random generator (0.." << 4294967295u << ", default 1)\n"
        << "  --rounds N   number of rounds to play (1..100000000, default 10)\n"
        << "  --quiet      print only the summary\n"
        << "  --help       show this text\n"
        << "Exit status: 0 all rounds played, 1 a rule invariant broke, 2 bad options.\n";
}

[[noreturn]] void usageError(const std::string &message)
{
    std::cerr << programName << ": " << message << "\n";
    printUsage(std::cerr);
    std::exit(2);
}

template <typename T>
bool parseNumber(std::string_view text, T &value)
{
    if (text.empty())
        return false;
    const char *end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    return result.ec == std::errc() && result.ptr == end;
}

struct Options {
    unsigned seed = 1;
    long long rounds = 10;
    bool quiet = false;
};

Options parseOptions(int argc, char **argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        std::string value;
        bool hasValue = false;
        if (const auto eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != std::string::npos) {
            value = arg.substr(eq + 1);
            arg = arg.substr(0, eq);
            hasValue = true;
        }
        if (arg == "--help" || arg == "-h") {
            if (hasValue)
                usageError("option --help takes no value");
            printUsage(std::cout);
            std::exit(0);
        } else if (arg == "--quiet") {
            if (hasValue)
                usageError("option --quiet takes no value");
            options.quiet = true;
        } else if (arg == "--seed" || arg == "--rounds") {
            if (!hasValue) {
                if (i + 1 >= argc)
                    usageError("option " + arg + " needs a value");
                value = argv[++i];
            }
            if (arg == "--seed") {
                if (!parseNumber(value, options.seed))
                    usageError("invalid seed '" + value
                               + "': expected a whole number from 0 to 4294967295");
            } else if (!parseNumber(value, options.rounds) || options.rounds < 1
                       || options.rounds > 100000000) {
                usageError("invalid round count '" + value
                           + "': expected a whole number from 1 to 100000000");
            }
        } else {
            usageError("unknown argument '" + arg + "'");
        }
    }
    return options;
}

std::string sortedText(std::vector<Card> cards)
{
    std::stable_sort(cards.begin(), cards.end());
    return toShortString(cards);
}

class SelfPlay
{
public:
    explicit SelfPlay(const Options &options) : options(options), checker(game) {}

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
                if (const auto &result = checker.lastRound())
                    printResult(*result);
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

    Options options;
    GameState game;
    InvariantChecker checker;
};

}  // namespace

int main(int argc, char **argv)
{
    const Options options = parseOptions(argc, argv);
    return SelfPlay(options).run();
}
