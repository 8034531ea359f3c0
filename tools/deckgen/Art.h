#pragma once

#include "Path.h"

#include <string>
#include <vector>

namespace deckgen {

// Card geometry in document units. A face measures exactly 224 × 313 including its
// border, a back 223 × 312; everything drawn stays inside.
constexpr double faceW = 224;
constexpr double faceH = 313;
constexpr double backW = 223;
constexpr double backH = 312;
constexpr double cornerRadius = 12;

// Collects the shapes of a card and writes them as path elements. Neighbouring shapes
// of one style share an element, which saves a little set-up each; a shape joins an
// earlier element only when nothing drawn in between comes near it, so what is seen
// never changes, and only while the joined path stays short, since the rasteriser is
// slower on long paths. Lines are written as filled outlines.
class Canvas
{
public:
    Canvas &fill(const Path &p, const std::string &colour);
    // For rings: the shapes overlap on purpose, so they never share an element with others.
    Canvas &fillEvenOdd(const Path &p, const std::string &colour);
    Canvas &line(const Path &p, const std::string &colour, double width);
    // Everything of `other`, in its order and mapped by `m`, laid over what is here.
    Canvas &append(const Canvas &other, const Affine &m = {});

    std::string str() const;
    // The number of path elements written.
    size_t elements() const { return items.size(); }

private:
    struct Shape {
        Path path;
        Pt lo, hi;  // the box around it, widened by what its edge may touch
    };
    struct Item {
        std::string attrs;
        std::vector<Shape> shapes;
        bool alone = false;
        std::string kind;  // shapes of different kinds never share an element
    };
    Canvas &add(const std::string &attrs, const Path &p, double reach, bool alone,
                const std::string &kind);
    std::vector<Item> items;
};

// The index glyphs are drawn as lines on a 60 × 100 grid (ink kept within the grid
// at the glyph stroke width); "10" is wider and centred on the same axis.
constexpr double glyphW = 60;
constexpr double glyphH = 100;
constexpr double glyphStroke = 15;
Path glyph(const std::string &value);

// Suit shapes centred on (0, 0) in a box of about 100 × 100 units.
Path suitShape(char suit);

bool isRed(char suit);
const char *suitInk(char suit);

// A court panel (K, Q or J) with its frame, in card coordinates: the figure drawn
// twice, the second time turned half round.
Canvas court(char rank, char suit);

// Ornament for the Ace of Spades, centred on the card.
Canvas aceOfSpades();

std::string backDefs();
std::string backRed();
std::string backBlue();

// SVG helpers.
std::string pathEl(const Path &p, const std::string &attrs);
Path roundRectPath(double x, double y, double w, double h, double r);
std::string roundRect(double x, double y, double w, double h, double r, const std::string &attrs);
// The outline of a rounded rectangle drawn as a filled ring (cheaper than a stroke).
std::string roundRectLine(double x, double y, double w, double h, double r, double width,
                          const std::string &colour);

}  // namespace deckgen
