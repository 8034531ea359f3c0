#pragma once

#include "CardBits.h"
#include "ExpertPosition.h"
#include "GuessedHand.h"
#include "PlayoutTable.h"
#include "SeededRandom.h"

#include <array>

// How a player who plays to its call plays its cards, on card sets, for the Expert's
// play-outs of seats that are not known to play the standard decision list (other Experts,
// the human). While short of its call it plays to win tricks by the list's own picks (a
// master card led or followed, a winner played last, low cards given away), in a shortcall
// round as dearly as it can; once a shortcall round's call is made it takes no more: it
// plays under the winner, and sheds its most dangerous cards while that is safe.
namespace callaware {

using cardbits::CardIndex;
using cardbits::CardSet;

// The seat to move's card; call is its call this round.
CardIndex chooseCard(const PlayoutTable &table, int call, bool shortcall, SeededRandom &random);

// Another seat's card as the Expert guesses it: the call-aware card half the time, any
// legal card the other half. The others read the table for themselves, and a play-out that
// trusts the model further counts on ducks and winners they do not deliver: against
// Experts it made its own exact calls less often.
CardIndex guessCard(const PlayoutTable &table, int call, bool shortcall, SeededRandom &random);

// The card of a seat that must take no more tricks.
CardIndex chooseDuckCard(const PlayoutTable &table);

// How well a deal explains the cards the position's other seats not known to play the list
// have played so far, if they played by chooseCard: a factor per card that another card
// would have stood for. hands: each seat's cards as dealt this round; dealt: their suit
// lengths. The random draws are the caller's copy.
double playsLikelihood(const ExpertPosition &position, const std::array<CardSet, 4> &hands,
                       const std::array<GuessedHand::SuitLengths, 4> &dealt, SeededRandom random);

}  // namespace callaware
