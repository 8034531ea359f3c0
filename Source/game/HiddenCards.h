#pragma once

#include "CardBits.h"
#include "ExpertPosition.h"
#include "GameRules.h"
#include "SeededRandom.h"

#include <array>

// What a position tells the seat to move about the cards it cannot see: which cards each
// other seat may still hold and how many it holds, and deals of the unknown cards that
// agree with it.
class HiddenCards
{
public:
    static constexpr int seats = rules::playerCount;
    static constexpr int deckSize = seats * rules::tricksPerRound;
    using Hands = std::array<cardbits::CardSet, seats>;

    // Reads the position's plays: suits a seat could not follow, spades too low to
    // over-trump, and, when read_standard_play, what the standard seats' choices reveal.
    // own: the seat's own cards; played: every card of the round so far.
    static HiddenCards read(const ExpertPosition &position, cardbits::CardSet own,
                            cardbits::CardSet played, bool read_standard_play);

    // Adds the unknown cards to hands, each card to a seat that may hold it (any seat with
    // room when !constrained), chosen in proportion to the room left in each hand. When
    // every seat that may hold a card is full, cards already dealt move along to make
    // room, so a deal is found whenever one exists. False when none does.
    bool deal(bool constrained, SeededRandom &random, Hands &hands) const;

    const Hands &allowed() const { return allowed_cards; }
    const std::array<int, seats> &held() const { return held_count; }
    cardbits::CardSet unknown() const { return unknown_cards; }

private:
    bool may(int seat, cardbits::CardIndex card, bool constrained) const;
    // A chain of moves that frees room for card; false when there is none.
    bool makeRoom(cardbits::CardIndex card, bool constrained, std::array<int, seats> &room,
                  Hands &hands) const;

    Hands allowed_cards{};
    std::array<int, seats> held_count{};
    cardbits::CardSet unknown_cards = 0;
    // The unknown cards, fewest possible holders first.
    std::array<cardbits::CardIndex, deckSize> order{};
    int order_size = 0;
};

// What a card played by the standard decision list says about the hand it came from,
// given the trick and the round's cards before it: the cards the hand cannot hold any more.
cardbits::CardSet standardPlayExcludes(cardbits::CardIndex card,
                                       const cardbits::TrickOnSets &before, bool shortcall);
