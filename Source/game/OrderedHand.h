#pragma once

#include "CardBits.h"
#include "GameRules.h"
#include "RandomSource.h"

#include <array>

// A computer player's hand on card sets, kept in its exact order, for the standard decision
// list (chooseStandardCard) in the call estimate's simulated rounds: the low card picks by
// position and re-sorts the hand, so the order decides which card a draw gives. Shortcall
// off and no win counts, as in those rounds. Every draw is the one Hand::chooseCard makes.
//
// A played card only leaves the held set: it stays in the order until the next re-sort, so
// that playing a card costs no search and no shift.
class OrderedHand
{
public:
    using CardIndex = cardbits::CardIndex;
    using CardSet = cardbits::CardSet;

    // Adds a dealt card at the end of the hand.
    void deal(CardIndex card)
    {
        order[static_cast<std::size_t>(in_use++)] = card;
        held_cards |= cardbits::bitOf(card);
        ++lane_count[static_cast<std::size_t>(cardbits::laneOf(card))];
    }
    void remove(CardIndex card)
    {
        held_cards &= ~cardbits::bitOf(card);
        --lane_count[static_cast<std::size_t>(cardbits::laneOf(card))];
    }

    // --- what chooseStandardCard asks ---
    CardSet held() const { return held_cards; }
    static constexpr bool shortcall() { return false; }
    // Hand::chooseLowCard: may re-sort the hand, never removes a card.
    CardIndex lowCard(RandomSource &random);
    // One of the held master cards, listed in the order their suits first appear.
    CardIndex pickMaster(CardSet masters, int found, RandomSource &random) const;
    CardIndex unsure(CardSet, CardIndex fallback) const { return fallback; }

private:
    void sortForLowCards();

    std::array<CardIndex, rules::tricksPerRound> order{};
    int in_use = 0;  // entries of order in use, played cards included
    CardSet held_cards = 0;
    std::array<int, rules::playerCount> lane_count{};  // cards held per suit
    bool sorted = false;  // by trumpRankLess; playing cards keeps it so
};
