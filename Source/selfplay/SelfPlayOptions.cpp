#include "SelfPlayOptions.h"

#include <charconv>
#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>

namespace {

void printUsage(std::ostream &out)
{
    out << "Usage: " << programName << " [--seed N] [--rounds N] [--quiet | --review] [--help]\n"
        << "       " << programName
        << " --tournament [--seat POLICY] [--opponents KIND] [--games N] [--seed N]\n"
        << "Plays seeded games of Tolvanmere with the computer player in every seat and\n"
        << "checks the rules after every move.\n"
        << "  --seed N        seed of the random generator (0.." << 4294967295u << ", default 1)\n"
        << "  --rounds N      number of rounds to play (1..100000000, default 10)\n"
        << "  --quiet         print only the summary\n"
        << "  --review        after each round, judge seat 0's cards as the coach does:\n"
        << "                  the card played, the Expert's card and what the card cost\n"
        << "  --tournament    play games of 10 rounds, one seat against three computer\n"
        << "                  players, and print the seat's results in one line\n"
        << "  --seat POLICY   the tournament's test seat: expert, standard, random or\n"
        << "                  montecarlo (a fixed yardstick: 60 sampled deals per card)\n"
        << "                  (default expert)\n"
        << "  --opponents KIND  the three other seats: standard or expert (default\n"
        << "                  standard); with it or --seat montecarlo, a line before the\n"
        << "                  results gives the seat's calls made in shortcall rounds\n"
        << "  --games N       games in the tournament (1..10000000, default 100)\n"
        << "  --help          show this text\n"
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

}  // namespace

SelfPlayOptions parseOptions(int argc, char **argv)
{
    SelfPlayOptions options;
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
        } else if (arg == "--review") {
            if (hasValue)
                usageError("option --review takes no value");
            options.review = true;
        } else if (arg == "--tournament") {
            if (hasValue)
                usageError("option --tournament takes no value");
            options.tournament = true;
        } else if (arg == "--seed" || arg == "--rounds" || arg == "--seat" || arg == "--games"
                   || arg == "--opponents") {
            if (!hasValue) {
                if (i + 1 >= argc)
                    usageError("option " + arg + " needs a value");
                value = argv[++i];
            }
            if (arg == "--seat") {
                if (!Tournament::policyFromName(value, options.seat))
                    usageError("invalid seat '" + value
                               + "': expected expert, standard, random or montecarlo");
                options.seat_given = true;
            } else if (arg == "--opponents") {
                if (!Tournament::opponentsFromName(value, options.opponents))
                    usageError("invalid opponents '" + value + "': expected standard or expert");
                options.opponents_given = true;
            } else if (arg == "--games") {
                if (!parseNumber(value, options.games) || options.games < 1
                    || options.games > 10000000)
                    usageError("invalid game count '" + value
                               + "': expected a whole number from 1 to 10000000");
                options.games_given = true;
            } else if (arg == "--seed") {
                if (!parseNumber(value, options.seed))
                    usageError("invalid seed '" + value
                               + "': expected a whole number from 0 to 4294967295");
            } else if (!parseNumber(value, options.rounds) || options.rounds < 1
                       || options.rounds > 100000000) {
                usageError("invalid round count '" + value
                           + "': expected a whole number from 1 to 100000000");
            } else {
                options.rounds_given = true;
            }
        } else {
            usageError("unknown argument '" + arg + "'");
        }
    }
    if (options.review && (options.tournament || options.quiet))
        usageError("--review adds to the round-by-round account: "
                   "--tournament and --quiet do not apply");
    if (options.tournament && (options.rounds_given || options.quiet))
        usageError("a tournament plays games of 10 rounds and prints one line: "
                   "--rounds and --quiet do not apply");
    if (!options.tournament
        && (options.seat_given || options.games_given || options.opponents_given))
        usageError("--seat, --opponents and --games need --tournament");
    return options;
}
