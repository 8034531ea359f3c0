// tolvanmere-selfplay: plays seeded games with the computer player in all four seats,
// prints a round-by-round account and checks the rules' invariants after every move.
// The human seat plays through GameState::playCard with the computer's own choice, so
// both move paths of the game state are exercised.

#include "Card.h"
#include "GameState.h"
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

constexpr const char *kProgram = "tolvanmere-selfplay";

void printUsage(std::ostream &out)
{
    out << "Usage: " << kProgram << " [--seed N] [--rounds N] [--quiet] [--help]\n"
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
    std::cerr << kProgram << ": " << message << "\n";
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
                    usageError("invalid seed '" + value + "': expected a whole number from 0 to 4294967295");
            } else if (!parseNumber(value, options.rounds) || options.rounds < 1
                       || options.rounds > 100000000) {
                usageError("invalid round count '" + value + "': expected a whole number from 1 to 100000000");
            }
        } else {
            usageError("unknown argument '" + arg + "'");
        }
    }
    return options;
}

std::string cardsText(std::vector<Card> cards, bool sorted)
{
    if (sorted)
        std::stable_sort(cards.begin(), cards.end());
    std::string text;
    for (const Card &card : cards) {
        if (!text.empty())
            text += ' ';
        text += card.toShortString();
    }
    return text;
}

bool holds(const std::vector<Card> &cards, const Card &card)
{
    return std::find(cards.begin(), cards.end(), card) != cards.end();
}

int expectedScore(int call, int tricks, bool firstRound, bool shortcall)
{
    if (firstRound)
        return tricks;
    const bool made = shortcall ? tricks == call : tricks >= call;
    return made ? call : -call;
}

struct Stats {
    long long points_change_total = 0;
    long long tricks = 0;
    long long calls_made = 0;
    long long calls_missed = 0;
};

class SelfPlay
{
public:
    explicit SelfPlay(const Options &options) : options(options), stats(4) {}

    int run()
    {
        std::srand(options.seed);
        game.startNewGame();
        game.setHumanName("Self");
        checkFreshRound(game.getPlayers(), 1);

        while (rounds_played < options.rounds) {
            beginRound();
            const unsigned round = game.getRound();
            while (game.getRound() == round)
                playOneMove();
            ++rounds_played;
        }
        printSummary();
        return 0;
    }

private:
    [[noreturn]] void fail(const std::string &message) const
    {
        std::cout.flush();
        std::cerr << kProgram << ": broken invariant (seed " << options.seed << ", round "
                  << game.getRound() << ", completed tricks " << game.getCompletedTricks()
                  << "): " << message << "\n";
        std::exit(1);
    }

    void beginRound()
    {
        const unsigned round = game.getRound();
        human_win_counts.clear();
        if (round > 1) {
            // The human seat calls what the computer would call for that hand.
            Player estimate = game.getPlayers()[static_cast<std::size_t>(game.getHumanPlayer())];
            estimate.estimateCall();
            human_win_counts = estimate.win_counts;
            game.setHumanCall(estimate.call);
        }
        if (round > 1 && game.isShortcall())
            ++shortcall_rounds;
        if (options.quiet)
            return;

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
            std::cout << "  " << cardsText(players[seat].hand.cards, true) << "\n";
        }
        std::cout << "  " << players[static_cast<std::size_t>(game.getCurrentPlayer())].name
                  << " leads.\n";
    }

    void playOneMove()
    {
        const std::vector<Player> before = game.getPlayers();
        const std::vector<Card> trickBefore = game.getTrick();
        const std::vector<Card> roundCardsBefore = game.getRoundCards();
        const unsigned round = game.getRound();
        const int completed = game.getCompletedTricks();
        const bool shortcall = game.isShortcall();
        const int seat = game.getCurrentPlayer();
        const auto seatIndex = static_cast<std::size_t>(seat);
        const std::vector<Card> legal = before[seatIndex].hand.legalCards(trickBefore);

        Card card;
        if (game.isHumanMove()) {
            Player human = before[seatIndex];
            human.win_counts = human_win_counts;
            card = human.chooseCard(trickBefore, roundCardsBefore, shortcall);
            if (!game.playCard(card))
                fail("the human seat's move " + card.toShortString() + " was refused");
        } else if (!game.playComputerMove()) {
            fail("a computer move was refused on a computer player's turn");
        } else {
            card = game.getMove();
        }
        if (!(game.getMove() == card))
            fail("the game records " + game.getMove().toShortString() + " as the move, not "
                 + card.toShortString());
        if (!holds(before[seatIndex].hand.cards, card))
            fail(before[seatIndex].name + " played " + card.toShortString() + ", a card not held");
        if (!holds(legal, card))
            fail(before[seatIndex].name + " played " + card.toShortString()
                 + ", which is not legal to the trick [" + cardsText(trickBefore, false) + "]");

        std::vector<Card> trick = trickBefore;
        trick.push_back(card);
        if (trick.size() < 4) {
            checkMidTrick(before, seat, trick);
        } else {
            const Card winner = trickWinner(trick);
            const int leader = (seat + 1) % 4;  // the fourth card closes the trick
            const auto winnerIndex = std::find(trick.begin(), trick.end(), winner) - trick.begin();
            const int winnerSeat = (leader + static_cast<int>(winnerIndex)) % 4;
            if (!(game.getLastTrickWinner() == winner))
                fail("the trick [" + cardsText(trick, false) + "] was won by "
                     + winner.toShortString() + ", the game says "
                     + game.getLastTrickWinner().toShortString());
            if (!options.quiet)
                printTrick(before, leader, trick, completed + 1, winnerSeat);
            if (completed + 1 < 13) {
                if (game.getRound() != round)
                    fail("the round ended after " + std::to_string(completed + 1) + " tricks");
                checkTrickDone(before, winnerSeat, completed + 1);
            } else {
                checkRoundDone(before, winnerSeat, round, shortcall);
            }
        }
        checkConservation();
    }

    void checkMidTrick(const std::vector<Player> &before, int seat, const std::vector<Card> &trick)
    {
        if (game.getTrick() != trick)
            fail("the trick is [" + cardsText(game.getTrick(), false) + "], expected ["
                 + cardsText(trick, false) + "]");
        if (game.getCurrentPlayer() != (seat + 1) % 4)
            fail("play did not pass to the next seat");
        const std::vector<Player> after = game.getPlayers();
        for (std::size_t i = 0; i < 4; ++i) {
            if (after[i].tricks != before[i].tricks || after[i].points != before[i].points
                || after[i].call != before[i].call)
                fail("a move inside a trick changed the tricks, points or call of " + after[i].name);
        }
    }

    void checkTrickDone(const std::vector<Player> &before, int winnerSeat, int completed)
    {
        if (game.getCompletedTricks() != completed)
            fail("completed tricks did not grow by one");
        if (!game.getTrick().empty())
            fail("the trick was not cleared after four cards");
        if (game.getCurrentPlayer() != winnerSeat)
            fail("the trick's winner does not lead the next trick");
        const std::vector<Player> after = game.getPlayers();
        for (std::size_t i = 0; i < 4; ++i) {
            const int gained = after[i].tricks - before[i].tricks;
            if (gained != (static_cast<int>(i) == winnerSeat ? 1 : 0))
                fail("the trick count of " + after[i].name + " changed by " + std::to_string(gained));
        }
    }

    void checkRoundDone(const std::vector<Player> &before, int winnerSeat, unsigned round,
                        bool shortcall)
    {
        if (game.getRound() != round + 1)
            fail("the 13th trick did not start the next round");
        std::vector<int> tricks;
        int total = 0;
        for (std::size_t i = 0; i < 4; ++i) {
            tricks.push_back(before[i].tricks + (static_cast<int>(i) == winnerSeat ? 1 : 0));
            total += tricks.back();
        }
        if (total != 13)
            fail("the round's tricks add up to " + std::to_string(total) + ", not 13");

        const std::vector<Player> after = game.getPlayers();
        for (std::size_t i = 0; i < 4; ++i) {
            const int score = expectedScore(before[i].call, tricks[i], round == 1, shortcall);
            if (after[i].points != before[i].points + score)
                fail(after[i].name + " has " + std::to_string(after[i].points)
                     + " points, the score rule gives "
                     + std::to_string(before[i].points + score));
            stats[i].points_change_total += score;
            stats[i].tricks += tricks[i];
            if (round > 1) {
                const bool made = shortcall ? tricks[i] == before[i].call : tricks[i] >= before[i].call;
                ++(made ? stats[i].calls_made : stats[i].calls_missed);
            }
        }
        if (!options.quiet) {
            std::cout << "  Result:";
            for (std::size_t i = 0; i < 4; ++i) {
                std::cout << "  " << after[i].name << " " << tricks[i];
                if (round > 1)
                    std::cout << "/" << before[i].call;
                std::cout << " -> " << after[i].points;
            }
            std::cout << "\n\n";
        }
        // The human's call is the driver's to set; the new deal must not touch it.
        const auto human = static_cast<std::size_t>(game.getHumanPlayer());
        if (after[human].call != before[human].call)
            fail("dealing the next round changed the human's call");
        checkFreshRound(after, round + 1);
    }

    void checkFreshRound(const std::vector<Player> &players, unsigned round)
    {
        if (players.size() != 4)
            fail("the game does not have four players");
        if (game.getCompletedTricks() != 0 || !game.getTrick().empty()
            || !game.getRoundCards().empty())
            fail("a new round did not start empty");
        for (std::size_t i = 0; i < 4; ++i) {
            const Player &player = players[i];
            if (player.hand.cards.size() != 13)
                fail(player.name + " was dealt " + std::to_string(player.hand.cards.size()) + " cards");
            if (player.tricks != 0)
                fail(player.name + " starts the round with tricks");
            const std::vector<Card> &cards = player.hand.cards;
            const auto aces = std::count_if(cards.begin(), cards.end(),
                                            [](const Card &c) { return c.rank == 14; });
            const bool honour = std::any_of(cards.begin(), cards.end(), [](const Card &c) {
                return c.value == Ace || c.value >= Jack;
            });
            if (aces == 4 || cardsOfSuit(cards, Spades).empty() || !honour)
                fail(player.name + " was dealt a hand that must be re-dealt: " + cardsText(cards, true));
            if (static_cast<int>(i) == game.getHumanPlayer())
                continue;
            if (round == 1 && player.call != 0)
                fail(player.name + " has a call in the first round");
            if (round > 1) {
                if (player.call < 2 || player.call > 13)
                    fail(player.name + " called " + std::to_string(player.call));
                if (player.win_counts.size() != 13)
                    fail(player.name + " has " + std::to_string(player.win_counts.size())
                         + " win counts");
                for (std::size_t k = 0; k < 13; ++k) {
                    const CardWinCount &entry = player.win_counts[k];
                    if (!(entry.card == cards[k]) || entry.wins < 0 || entry.wins > 100)
                        fail(player.name + "'s win counts do not match the hand");
                }
            }
        }
    }

    void checkConservation()
    {
        const std::vector<Player> players = game.getPlayers();
        const std::vector<Card> &played = game.getRoundCards();
        const std::vector<Card> trick = game.getTrick();
        const int completed = game.getCompletedTricks();
        if (completed < 0 || completed >= 13)
            fail("completed tricks is " + std::to_string(completed));
        if (trick.size() > 3)
            fail("the trick holds " + std::to_string(trick.size()) + " cards between moves");
        if (played.size() != 4 * static_cast<std::size_t>(completed) + trick.size())
            fail("round_cards holds " + std::to_string(played.size()) + " cards after "
                 + std::to_string(completed) + " tricks and " + std::to_string(trick.size())
                 + " cards of the trick");
        if (!std::equal(trick.begin(), trick.end(), played.end() - static_cast<std::ptrdiff_t>(trick.size())))
            fail("the trick is not the tail of the round's played cards");

        std::vector<Card> all = played;
        for (const Player &player : players) {
            all.insert(all.end(), player.hand.cards.begin(), player.hand.cards.end());
            const std::size_t expected = 13 - static_cast<std::size_t>(completed);
            if (player.hand.cards.size() != expected && player.hand.cards.size() != expected - 1)
                fail(player.name + " holds " + std::to_string(player.hand.cards.size()) + " cards");
        }
        std::vector<Card> deck = makeDeck();
        std::stable_sort(all.begin(), all.end());
        std::stable_sort(deck.begin(), deck.end());
        if (all.size() != 52 || !std::equal(all.begin(), all.end(), deck.begin(), [](const Card &a, const Card &b) {
                return a == b && a.value == b.value && a.suit_order == b.suit_order;
            }))
            fail("the hands and played cards are not the 52 cards of the deck");
    }

    void printTrick(const std::vector<Player> &before, int leader, const std::vector<Card> &trick,
                    int number, int winnerSeat) const
    {
        std::cout << "  Trick " << std::setw(2) << number << ":";
        for (std::size_t k = 0; k < trick.size(); ++k) {
            const auto seat = static_cast<std::size_t>((leader + static_cast<int>(k)) % 4);
            std::cout << " " << before[seat].name << " " << trick[k].toShortString()
                      << (k + 1 < trick.size() ? "," : "");
        }
        std::cout << "  -> " << before[static_cast<std::size_t>(winnerSeat)].name << "\n";
    }

    void printSummary() const
    {
        const std::vector<Player> players = game.getPlayers();
        std::cout << "Summary: seed " << options.seed << ", " << rounds_played << " rounds, "
                  << shortcall_rounds << " shortcall rounds, all invariants held.\n";
        for (std::size_t i = 0; i < 4; ++i) {
            std::cout << "  " << std::left << std::setw(10) << players[i].name << std::right
                      << " points " << std::setw(8) << players[i].points
                      << "  tricks " << std::setw(8) << stats[i].tricks
                      << "  calls made " << stats[i].calls_made
                      << ", missed " << stats[i].calls_missed << "\n";
        }
    }

    Options options;
    GameState game;
    std::vector<Stats> stats;
    std::vector<CardWinCount> human_win_counts;
    long long rounds_played = 0;
    long long shortcall_rounds = 0;
};

}  // namespace

int main(int argc, char **argv)
{
    const Options options = parseOptions(argc, argv);
    return SelfPlay(options).run();
}
