#pragma once

#include "CardBits.h"
#include "GameRules.h"
#include "SeededRandom.h"

#include <array>
#include <cstdint>

// Another seat's hand as the Expert expects a standard computer player to play it, for the
// standard decision list (chooseStandardCard) in its play-outs. The real hand's order is
// not known, so the cards' index order stands in for it; in a shortcall round, where the
// players pick by win counts nobody else sees, likelyWins stands in for those.
class GuessedHand
{
public:
    using CardIndex = cardbits::CardIndex;
    using CardSet = cardbits::CardSet;
    // Cards of each suit, by lane.
    using SuitLengths = std::array<std::uint8_t, rules::playerCount>;

    // dealt: the hand's suit lengths before the round; it must outlive the hand.
    GuessedHand(CardSet cards, const SuitLengths &dealt, bool shortcall)
        : cards(cards), dealt(&dealt), shortcall_round(shortcall)
    {
    }

    // --- what chooseStandardCard asks ---
    CardSet held() const { return cards; }
    bool shortcall() const { return shortcall_round; }
    // The low cards of the shortest suit first, else one of the lowest few non-spades,
    // else the lowest card.
    CardIndex lowCard(SeededRandom &random) const;
    // A random one of the master cards; one alone takes no draw.
    CardIndex pickMaster(CardSet masters, int found, SeededRandom &random) const;
    // The likeliest winner among the cards that is not a sure one, else the fallback.
    CardIndex unsure(CardSet among, CardIndex fallback) const;

    // How many of the call estimate's 100 simulated rounds the card wins, on average, in
    // a hand dealt with these suit lengths.
    static int likelyWins(CardIndex card, const SuitLengths &dealt);

private:
    CardSet cards;
    const SuitLengths *dealt;
    bool shortcall_round;
};
