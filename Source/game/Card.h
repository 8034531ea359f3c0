#pragma once

#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

// Suit and value codes. The card fields stay plain integers; these only name the codes.
enum Suit : int32_t { NoSuit = 0, Spades = 1, Hearts = 2, Diamonds = 3, Clubs = 4 };
enum Value : int32_t {
    NoValue = 0,
    Ace = 1,
    Two,
    Three,
    Four,
    Five,
    Six,
    Seven,
    Eight,
    Nine,
    Ten,
    Jack = 11,
    Queen = 12,
    King = 13
};

// A playing card. suit_order and rank are stored so that every comparison is a plain
// field read; makeCard keeps them consistent with suit and value.
struct Card {
    int32_t suit = NoSuit;
    int32_t suit_order = -1;  // Spades 5, Hearts 4, Clubs 3, Diamonds 2
    int32_t value = NoValue;  // Ace 1 .. King 13
    int32_t rank = -1;        // 2 .. 14, Ace high

    // Display order: spades, hearts, clubs, diamonds; within a suit Ace down to Two.
    bool operator<(const Card &other) const;
    // Same suit and rank.
    bool operator==(const Card &other) const;

    std::string toShortString() const;  // "SA", "HT", "--"
};

// The card of a suit code (1..4) and value code (1..13), every field filled in.
Card makeCard(int suit, int value);
// The 13 cards of a suit, Ace, Two, ..., King.
std::vector<Card> makeSuit(int suit);
// Spades, Hearts, Diamonds, Clubs, each Ace..King.
std::vector<Card> makeDeck();
std::vector<Card> cardsOfSuit(const std::vector<Card> &cards, int suit);
// Cards as short text, "SA HT D2"; "" for none.
std::string toShortString(const std::vector<Card> &cards);
// The card of a short name ("SA", "HT"); the no-card value for anything else.
Card cardFromShortString(const std::string &name);
// The cards of names separated by spaces, in order; a name that is no card is left out.
std::vector<Card> cardsFromShortString(const std::string &names);

// The names of the deck document, where a card's face is its value's name followed by
// its suit's letter ("AS", "10H", "QC").
std::string deckValueName(int value);         // "A", "2".."10", "J", "Q", "K"; "" for no value
char deckSuitLetter(int suit);                // 'S', 'H', 'D', 'C'; '\0' for no suit
std::string faceElementId(const Card &card);  // "" for no card
// The 52 face ids in makeDeck's order.
std::vector<std::string> faceElementIds();

// The card that takes the trick; spades are always trump. The trick must not be empty.
Card trickWinner(const std::vector<Card> &trick);

// The one permutation the game uses: for i = 1..n-1, swap i with rand() % (i + 1).
// Every random draw of the game comes from rand(), so a seed replays a whole game.
template <typename T>
void randomShuffle(std::vector<T> &items)
{
    for (std::size_t i = 1; i < items.size(); ++i) {
        const std::size_t j = static_cast<std::size_t>(std::rand()) % (i + 1);
        std::swap(items[i], items[j]);
    }
}
