#pragma once

#include <string>

namespace deckgen {

// The whole card sheet: 52 faces and two backs, each a group with the card's id.
std::string deckDocument();

// The application icon, 256 × 256 units.
std::string iconDocument();

}  // namespace deckgen
