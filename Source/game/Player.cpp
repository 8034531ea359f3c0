#include "Player.h"

#include <algorithm>

bool trumpRankLess(const Card &a, const Card &b)
{
    const bool aSpade = a.suit == Spades;
    const bool bSpade = b.suit == Spades;
    if (aSpade != bSpade)
        return bSpade;
    return a.rank < b.rank;
}

bool winCountLess(const CardWinCount &a, const CardWinCount &b)
{
    return a.wins < b.wins;
}

bool winCountGreater(const CardWinCount &a, const CardWinCount &b)
{
    if (a.wins != b.wins)
        return a.wins > b.wins;
    return a.card < b.card;
}

bool Hand::removeCard(const Card &card)
{
    const auto it = std::find(cards.begin(), cards.end(), card);
    if (it == cards.end())
        return false;
    cards.erase(it);
    return true;
}

std::vector<Card> Hand::legalCards(const std::vector<Card> &trick) const
{
    if (trick.empty())
        return cards;

    const std::vector<Card> following = ::cardsOfSuit(cards, trick.front().suit);
    if (!following.empty())
        return following;

    const std::vector<Card> spades = ::cardsOfSuit(cards, Spades);
    if (!::cardsOfSuit(trick, Spades).empty()) {
        const Card winner = trickWinner(trick);
        std::vector<Card> higher;
        for (const Card &card : spades) {
            if (card.rank > winner.rank)
                higher.push_back(card);
        }
        return higher.empty() ? cards : higher;
    }
    return spades.empty() ? cards : spades;
}

bool isCallMade(int call, int tricks, bool shortcall)
{
    return shortcall ? tricks == call : tricks >= call;
}

int roundScore(int call, int tricks, bool first_round, bool shortcall)
{
    if (first_round)
        return tricks;
    return isCallMade(call, tricks, shortcall) ? call : -call;
}

void Player::addRoundScore(bool firstRound, bool shortcall)
{
    points += roundScore(call, tricks, firstRound, shortcall);
}

std::vector<int> seatsByStanding(const std::vector<Player> &players)
{
    std::vector<int> seats(players.size());
    for (std::size_t i = 0; i < seats.size(); ++i)
        seats[i] = static_cast<int>(i);
    std::stable_sort(seats.begin(), seats.end(), [&players](int a, int b) {
        return players[static_cast<std::size_t>(a)].points
               > players[static_cast<std::size_t>(b)].points;
    });
    return seats;
}
