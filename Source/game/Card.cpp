#include "Card.h"

#include <array>

namespace {

// Weights by suit code; Clubs (4) sorts above Diamonds (3) so the colours alternate.
constexpr std::array<int32_t, 5> kSuitOrder = {-1, 5, 4, 2, 3};

}  // namespace

bool Card::operator<(const Card &other) const
{
    if (suit == other.suit)
        return rank > other.rank;
    return suit_order > other.suit_order;
}

bool Card::operator==(const Card &other) const
{
    return suit == other.suit && rank == other.rank;
}

std::string Card::toShortString() const
{
    static const std::string suits = "-SHDC";
    static const std::string values = "-A23456789TJQK";
    std::string text;
    text += (suit >= 0 && suit <= 4) ? suits[static_cast<std::size_t>(suit)] : '?';
    text += (value >= 0 && value <= 13) ? values[static_cast<std::size_t>(value)] : '?';
    return text;
}

std::string Card::toString() const
{
    static const std::array<const char *, 5> suits = {"Not a suit", "Spades", "Hearts",
                                                      "Diamonds", "Clubs"};
    static const std::array<const char *, 14> values = {
        "Not a value", "Ace", "Two", "Three", "Four", "Five", "Six",
        "Seven", "Eight", "Nine", "Ten", "Jack", "Queen", "King"};
    std::string text = (suit >= 0 && suit <= 4) ? suits[static_cast<std::size_t>(suit)] : "***";
    text += '-';
    text += (value >= 0 && value <= 13) ? values[static_cast<std::size_t>(value)] : "***";
    return text;
}

Card makeCard(int suit, int value)
{
    if (suit < Spades || suit > Clubs || value < Ace || value > King)
        return Card();
    Card card;
    card.suit = suit;
    card.suit_order = kSuitOrder[static_cast<std::size_t>(suit)];
    card.value = value;
    card.rank = value == Ace ? 14 : value;
    return card;
}

std::vector<Card> makeSuit(int suit)
{
    std::vector<Card> cards;
    if (suit < Spades || suit > Clubs)
        return cards;
    cards.reserve(13);
    for (int value = Ace; value <= King; ++value)
        cards.push_back(makeCard(suit, value));
    return cards;
}

std::vector<Card> makeDeck()
{
    std::vector<Card> deck;
    deck.reserve(52);
    for (int suit = Spades; suit <= Clubs; ++suit) {
        const std::vector<Card> cards = makeSuit(suit);
        deck.insert(deck.end(), cards.begin(), cards.end());
    }
    return deck;
}

std::vector<Card> cardsOfSuit(const std::vector<Card> &cards, int suit)
{
    std::vector<Card> result;
    for (const Card &card : cards) {
        if (card.suit == suit)
            result.push_back(card);
    }
    return result;
}

Card trickWinner(const std::vector<Card> &trick)
{
    // An empty trick has no winner; the no-card value keeps callers safe.
    if (trick.empty())
        return Card();
    Card winner = trick.front();
    for (const Card &card : trick) {
        if (card.suit == Spades) {
            if (winner.suit != Spades || winner.rank < card.rank)
                winner = card;
        } else if (card.suit == winner.suit && winner.rank < card.rank) {
            winner = card;
        }
    }
    return winner;
}
