#pragma once

#include "Card.h"

#include <QString>

// A card's name in words, "Queen of Spades", for screen readers and every other text that
// names a card: the one place these names come from. Translated in the context "CardName".
QString cardName(const Card &card);
