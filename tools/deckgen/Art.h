#pragma once

#include "Path.h"

#include <string>

namespace deckgen {

// Card geometry in document units. A face measures exactly 224 × 313 including its
// border, a back 223 × 312; everything drawn stays inside.
constexpr double kFaceW = 224;
constexpr double kFaceH = 313;
constexpr double kBackW = 223;
constexpr double kBackH = 312;
constexpr double kCorner = 12;

// The index glyphs are drawn as strokes on a 60 × 100 grid (ink kept within the grid
// at the glyph stroke width); "10" is wider and centred on the same axis.
constexpr double kGlyphW = 60;
constexpr double kGlyphH = 100;
constexpr double kGlyphStroke = 15;
Path glyph(const std::string &value);

// Suit shapes centred on (0, 0) in a box of about 100 × 100 units.
Path suitShape(char suit);

bool isRed(char suit);
const char *suitInk(char suit);

// The artwork of the upper half of a court panel (K, Q or J), drawn in card
// coordinates; the card shows it twice, the second time turned half round.
std::string courtHalf(char rank, char suit);
// Gradients the court panels refer to; they belong in the document's defs.
std::string courtDefs();
// The frame around both halves of a court panel and the line between them.
std::string courtFrame(char suit);

// Ornament for the Ace of Spades, centred on the card.
std::string aceOfSpades();

std::string backDefs();
std::string backRed();
std::string backBlue();

// SVG helpers.
std::string pathEl(const Path &p, const std::string &attrs);
Path roundRectPath(double x, double y, double w, double h, double r);
std::string roundRect(double x, double y, double w, double h, double r, const std::string &attrs);
// The outline of a rounded rectangle drawn as a filled ring (cheaper than a stroke).
std::string roundRectLine(double x, double y, double w, double h, double r, double width, const std::string &colour);

} // namespace deckgen
