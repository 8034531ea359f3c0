#pragma once

#include "Card.h"
#include "ExpertPosition.h"
#include "SeededRandom.h"

#include <cstdint>
#include <vector>

// The strong computer player's card play. For each card it may play, it deals the cards it
// cannot see at random, consistent with what the table has shown (HiddenCards), weighs
// each deal by how well it explains the calls and the cards played, plays the rest of the
// round out (the seats known to play the standard decision list by it, the others, other
// Experts and the human, as players who play to their calls, CallAwarePolicy, though only
// half their cards are taken on trust), and scores the round as the game does. The card
// with the best average wins. The same deals serve every candidate card, so that the
// comparison measures the card and not the luck of the deal.
//
// The work per decision is fixed (a budget of simulated card plays), so a decision takes
// a few milliseconds at any point of a round. Every random draw comes from its own
// generator, a plain value: a game's rand() sequence never sees it, and a copy of the
// player continues exactly as the original.
class ExpertPlayer
{
public:
    using Position = ExpertPosition;

    explicit ExpertPlayer(std::uint64_t seed = 1);

    // What the Expert thinks of each legal card of the seat to move. value is the mean
    // over the sampled deals of what the Expert maximises: the seat's round points less a
    // share of the others' mean (0.6 of it, a quarter in a shortcall round). Cards that win
    // and lose the same tricks share one value; with a single choice nothing is sampled and
    // every value is 0.
    struct CardValue {
        Card card;
        double value = 0;
        double points = 0;  // the seat's own expected round points, over the same deals
    };
    struct Evaluation {
        std::vector<CardValue> cards;  // the legal cards, in hand order
        Card best;                     // the card chooseCard plays
        // The expected round points the card gives up against the best card: what a player
        // is told a card cost. Never below 0: a card that scores more for the seat alone
        // was passed over for what it hands the others. 0 for a card the hand cannot play.
        double cost(const Card &card) const;
    };

    // The card the seat to move should play, one of its hand's legal cards; the hand
    // must not be empty. GameState::expertPosition gives a game's position.
    Card chooseCard(const Position &position) { return evaluate(position).best; }
    // The same choice with its reasons; it draws exactly what chooseCard draws.
    Evaluation evaluate(const Position &position);

    // The call for a freshly dealt hand (position.hand, nothing played yet) by the player
    // who calls last and so knows the other three calls (position.calls), as the human
    // does: of the calls next to the standard estimate, the one whose play-outs score best,
    // the others' mean counting three quarters against the seat's own points. The first
    // leader is not known yet: each deal draws one.
    int chooseCall(const Position &position, int estimate);

    // Simulated card plays per decision.
    static constexpr int playBudget = 120000;

private:
    SeededRandom random;
};
