#include "ReferenceEstimate.h"

#include <algorithm>
#include <cstdlib>
#include <map>

ReferenceSimulation::ReferenceSimulation(const std::vector<Card> &own_cards) : own(own_cards)
{
    for (int suit : {Spades, Hearts, Diamonds, Clubs}) {
        for (const Card &card : makeSuit(suit)) {
            if (std::find(own.begin(), own.end(), card) == own.end())
                pool.push_back(card);
        }
    }
    for (const Card &card : own)
        win_counts.push_back({card, 0});
}

int ReferenceSimulation::playRound(std::vector<Card> *played_cards)
{
    randomShuffle(pool);

    std::vector<Player> seats(4);
    for (std::size_t s = 0; s < 3; ++s)
        seats[s].hand.cards.assign(pool.begin() + static_cast<std::ptrdiff_t>(13 * s),
                                   pool.begin() + static_cast<std::ptrdiff_t>(13 * (s + 1)));
    seats[3].hand.cards = own;

    int leader = std::rand() % 4;
    std::vector<Card> played;
    for (int t = 0; t < 13; ++t) {
        std::vector<Card> trick;
        std::map<Card, int> owners;
        for (int k = 0; k < 4; ++k) {
            const int seat = (leader + k) % 4;
            const Card card =
                seats[static_cast<std::size_t>(seat)].chooseCard(trick, played, false);
            trick.push_back(card);
            played.push_back(card);
            owners[card] = seat;
        }
        const Card winner = trickWinner(trick);
        const int s = owners[winner];
        seats[static_cast<std::size_t>(s)].tricks += 1;
        if (s == 3) {
            for (CardWinCount &entry : win_counts) {
                if (entry.card == winner) {
                    ++entry.wins;
                    break;
                }
            }
        }
        leader = s;
    }
    if (played_cards)
        played_cards->insert(played_cards->end(), played.begin(), played.end());
    seats[3].addRoundScore(true, false);
    return seats[3].points;
}

void referenceEstimateCall(Player &player)
{
    ReferenceSimulation simulation(player.hand.cards);
    player.win_counts = simulation.win_counts;
    if (simulation.own.size() != 13 || simulation.pool.size() != 39) {
        player.call = minimumComputerCall;
        return;
    }
    double sum = 0.0;
    for (int run = 0; run < simulationRuns; ++run)
        sum += simulation.playRound();
    player.win_counts = simulation.win_counts;
    player.call = roundCall(sum / static_cast<double>(simulationRuns), std::rand());
}
