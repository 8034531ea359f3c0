#include "Card.h"

#include <array>
#include <sstream>

namespace {

// Weights by suit code; Clubs (4) sorts above Diamonds (3) so the colours alternate.
constexpr std::array<int32_t, 5> suitOrderWeights = {-1, 5, 4, 2, 3};

// Short names: a suit letter and a value letter, "-" for none.
const std::string shortSuits = "-SHDC";
const std::string shortValues = "-A23456789TJQK";

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
    const std::string &suits = shortSuits;
    const std::string &values = shortValues;
    std::string text;
    text += (suit >= 0 && suit <= 4) ? suits[static_cast<std::size_t>(suit)] : '?';
    text += (value >= 0 && value <= 13) ? values[static_cast<std::size_t>(value)] : '?';
    return text;
}

std::string toShortString(const std::vector<Card> &cards)
{
    std::string text;
    for (const Card &card : cards) {
        if (!text.empty())
            text += ' ';
        text += card.toShortString();
    }
    return text;
}

Card cardFromShortString(const std::string &name)
{
    if (name.size() != 2)
        return Card();
    const auto suit = shortSuits.find(name[0], 1);
    const auto value = shortValues.find(name[1], 1);
    if (suit == std::string::npos || value == std::string::npos)
        return Card();
    return makeCard(static_cast<int>(suit), static_cast<int>(value));
}

std::vector<Card> cardsFromShortString(const std::string &names)
{
    std::vector<Card> cards;
    std::istringstream in(names);
    std::string name;
    while (in >> name) {
        const Card card = cardFromShortString(name);
        if (card.suit != NoSuit)
            cards.push_back(card);
    }
    return cards;
}

std::string deckValueName(int value)
{
    static const std::array<const char *, 13> names = {"A", "2", "3",  "4", "5", "6", "7",
                                                       "8", "9", "10", "J", "Q", "K"};
    if (value < Ace || value > King)
        return {};
    return names[static_cast<std::size_t>(value - Ace)];
}

char deckSuitLetter(int suit)
{
    static const std::array<char, 4> letters = {'S', 'H', 'D', 'C'};
    if (suit < Spades || suit > Clubs)
        return '\0';
    return letters[static_cast<std::size_t>(suit - Spades)];
}

std::string faceElementId(const Card &card)
{
    if (card.value < Ace || card.value > King || card.suit < Spades || card.suit > Clubs)
        return {};
    return deckValueName(card.value) + deckSuitLetter(card.suit);
}

std::vector<std::string> faceElementIds()
{
    std::vector<std::string> ids;
    for (const Card &card : makeDeck())
        ids.push_back(faceElementId(card));
    return ids;
}

Card makeCard(int suit, int value)
{
    if (suit < Spades || suit > Clubs || value < Ace || value > King)
        return Card();
    Card card;
    card.suit = suit;
    card.suit_order = suitOrderWeights[static_cast<std::size_t>(suit)];
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
