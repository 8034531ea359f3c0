// The computer player: hand analysis, the card decision list and the call estimate.
// Every rand() draw here happens only on the branch that makes a random choice, so a
// seed replays a game exactly.

#include "ComputerRules.h"
#include "Player.h"
#include "RoundSimulator.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace {

bool contains(const std::vector<Card> &cards, const Card &card)
{
    return std::find(cards.begin(), cards.end(), card) != cards.end();
}

bool isNoCard(const Card &card)
{
    return card == Card();
}

// Highest rank first (Card's display order within one suit).
std::vector<Card> sortedDescending(std::vector<Card> cards)
{
    std::stable_sort(cards.begin(), cards.end());
    return cards;
}

std::size_t randomIndex(RandomSource &random, std::size_t n)
{
    return static_cast<std::size_t>(random.next()) % n;
}

}  // namespace

std::vector<Card> Hand::cardsOfSuit(int suit) const
{
    return ::cardsOfSuit(cards, suit);
}

Card Hand::masterCard(int suit, const std::vector<Card> &played,
                      const std::vector<Card> &candidates) const
{
    // Only played cards count as gone: a higher card in this very hand still blocks.
    for (const Card &card : sortedDescending(makeSuit(suit))) {
        if (!contains(played, card))
            return contains(candidates, card) ? card : Card();
    }
    return Card();
}

Card Hand::chooseLowCard(RandomSource &random)
{
    if (cards.empty())
        return Card();

    std::array<int, 5> count{};
    for (const Card &card : cards) {
        if (card.suit >= Spades && card.suit <= Clubs)
            ++count[static_cast<std::size_t>(card.suit)];
    }
    int shortest = 0;
    for (int suit = Spades; suit <= Clubs; ++suit) {
        const int n = count[static_cast<std::size_t>(suit)];
        if (n > 0 && (shortest == 0 || n < shortest))
            shortest = n;
    }

    // Low cards of the shortest suit are the cheapest to give away: they may void it.
    std::vector<CardWinCount> scored;
    scored.reserve(cards.size());
    for (const Card &card : cards) {
        int score = 5;
        if (card.suit == Spades)
            score = 10;
        else if (card.rank <= computer::giveAwayMaxRank && card.suit >= Hearts && card.suit <= Clubs
                 && count[static_cast<std::size_t>(card.suit)] == shortest)
            score = 0;
        scored.push_back({card, score});
    }
    std::stable_sort(scored.begin(), scored.end(), winCountLess);

    if (scored.front().wins == 0) {
        const auto n = static_cast<std::size_t>(std::count_if(
            scored.begin(), scored.end(), [](const CardWinCount &s) { return s.wins == 0; }));
        return scored[randomIndex(random, n)].card;
    }

    std::stable_sort(cards.begin(), cards.end(), trumpRankLess);
    const Card first = cards.front();
    if (first.suit != Spades && first.rank <= computer::lowCardMaxRank) {
        std::size_t n = 0;
        while (n < cards.size() && n < std::size_t(computer::lowCardRunLimit)
               && cards[n].suit != Spades && cards[n].rank <= computer::lowCardMaxRank)
            ++n;
        return cards[randomIndex(random, n)];
    }
    return first;
}

Card Hand::chooseBeatingCard(const std::vector<Card> &candidates, const Card &target,
                             const Card &fallback, const std::vector<CardWinCount> &win_counts,
                             bool shortcall) const
{
    std::vector<Card> beating;
    for (const Card &card : candidates) {
        if (card.rank > target.rank)
            beating.push_back(card);
    }

    if (!beating.empty()) {
        if (shortcall)
            return sortedDescending(beating).front();
        Card lowest = beating.front();
        for (const Card &card : beating) {
            if (card.rank < lowest.rank)
                lowest = card;
        }
        return lowest;
    }

    if (shortcall) {
        std::vector<CardWinCount> ordered = win_counts;
        std::stable_sort(ordered.begin(), ordered.end(), winCountGreater);
        for (const CardWinCount &entry : ordered) {
            if (contains(candidates, entry.card) && entry.wins < sure_win_threshold)
                return entry.card;
        }
    }
    return fallback;
}

Card Hand::chooseByWinCount(const std::vector<Card> &candidates,
                            const std::vector<CardWinCount> &win_counts, const Card &fallback) const
{
    const auto winsOf = [&win_counts](const Card &card, int &wins) {
        for (const CardWinCount &entry : win_counts) {
            if (entry.card == card) {
                wins = entry.wins;
                return true;
            }
        }
        wins = 0;
        return false;
    };

    Card best = fallback;
    int bestWins = 0;
    if (candidates.empty())
        return best;
    // The first candidate is taken without the threshold test.
    int wins = 0;
    if (winsOf(candidates.front(), wins)) {
        best = candidates.front();
        bestWins = wins;
    }
    for (const Card &card : candidates) {
        winsOf(card, wins);
        if (wins < sure_win_threshold && wins > bestWins) {
            best = card;
            bestWins = wins;
        }
    }
    return best;
}

Card Hand::chooseCard(const std::vector<Card> &trick, const std::vector<Card> &played,
                      bool shortcall, const std::vector<CardWinCount> &win_counts,
                      RandomSource &random)
{
    if (cards.empty())
        return Card();

    Card chosen;
    if (trick.empty()) {
        std::vector<Card> masters;
        for (const Card &card : cards) {
            const Card master = masterCard(card.suit, played, cards);
            if (!isNoCard(master) && !contains(masters, master))
                masters.push_back(master);
        }
        if (!masters.empty()) {
            chosen = masters[randomIndex(random, masters.size())];
        } else {
            const Card low = chooseLowCard(random);
            chosen = shortcall ? chooseByWinCount(cards, win_counts, low) : low;
        }
    } else {
        const int led = trick.front().suit;
        const Card winning = trickWinner(trick);
        const std::vector<Card> following = sortedDescending(cardsOfSuit(led));
        const std::vector<Card> spades = sortedDescending(cardsOfSuit(Spades));

        if (!following.empty()) {
            const Card low = following.back();
            if (winning.suit == Spades && led != Spades) {
                chosen = shortcall ? chooseByWinCount(following, win_counts, low) : low;
            } else if (static_cast<int>(trick.size()) == players_per_trick - 1) {
                chosen = chooseBeatingCard(following, winning, low, win_counts, shortcall);
            } else {
                const Card master = masterCard(led, played, following);
                if (!isNoCard(master) && master.rank >= winning.rank)
                    chosen = master;
                else
                    chosen = shortcall ? chooseByWinCount(following, win_counts, low) : low;
            }
        } else if (!spades.empty()) {
            const Card lowSpade = spades.back();
            if (winning.suit == Spades) {
                const Card over =
                    chooseBeatingCard(spades, winning, lowSpade, win_counts, shortcall);
                chosen = over.rank < winning.rank ? chooseLowCard(random) : over;
            } else {
                chosen = lowSpade;
            }
        } else {
            chosen = chooseLowCard(random);
        }
    }

    removeCard(chosen);
    return chosen;
}

Card Player::chooseCard(const std::vector<Card> &trick, const std::vector<Card> &played,
                        bool shortcall, RandomSource &random)
{
    return hand.chooseCard(trick, played, shortcall, win_counts, random);
}

int roundCall(double average, int r)
{
    int result = (r % 100 > 32) ? static_cast<int>(average) : static_cast<int>(average + 0.5);
    if (result <= 1)
        result = minimumComputerCall;
    return result;
}

void Player::estimateCall(RandomSource &random)
{
    // The simulated rounds are played by RoundSimulator, which makes exactly the card
    // choices and rand() draws of the decision list above on bit sets instead of card
    // lists: the three estimates of a round start then fit in about a millisecond.
    RoundSimulator simulator(hand.cards, random);
    // The simulation needs a freshly dealt hand: anything else would leave a seat
    // short of cards. Keep the minimum call without touching the random sequence.
    if (!simulator.isValid()) {
        win_counts = simulator.winCounts();
        call = minimumComputerCall;
        return;
    }
    const int tricks = simulator.playRounds(simulationRuns);
    win_counts = simulator.winCounts();
    call = roundCall(tricks / static_cast<double>(simulationRuns), random.next());
}
