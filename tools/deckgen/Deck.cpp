#include "Deck.h"

#include "Art.h"
#include "Card.h"

#include <algorithm>
#include <vector>

namespace deckgen {

namespace {

// Layout of the sheet: 13 columns of faces in four rows, the backs in a fifth row.
constexpr double pitchX = 234;
constexpr double pitchY = 322;
constexpr double marginX = 8;
constexpr double marginY = 5;

// Index: glyph centre line and top, small suit sign below it.
constexpr double indexX = 22;
constexpr double indexTop = 12;
constexpr double indexScale = 0.42;
constexpr double indexPipY = 73;
constexpr double indexPipScale = 0.26;

constexpr double pipScale = 0.46;
constexpr double colL = 69;
constexpr double colC = faceW / 2;
constexpr double colR = faceW - colL;
constexpr double rowTop = 58;
constexpr double midY = faceH / 2;
constexpr double rowBottom = faceH - rowTop;

std::string defs()
{
    return "<defs>\n" + backDefs() + "</defs>\n";
}

const Affine halfTurn = Affine::rotate(180).then(Affine::translate(faceW, faceH));

// The corner index, and the same turned into the opposite corner: the glyph as one
// line, the small suit signs with the other shapes in the suit's ink.
void indexCorners(Canvas &c, const std::string &value, char suit)
{
    // "10" is wider than the other glyphs; its ink is centred slightly left of theirs.
    const double glyphCentre = value == "10" ? 27.25 : glyphW / 2;
    const Affine place = Affine::scale(indexScale, indexScale)
                             .then(Affine::translate(indexX - glyphCentre * indexScale, indexTop));
    const Path g = glyph(value).mapped(place);
    Path both = g;
    both.append(g.mapped(halfTurn));
    c.line(both, suitInk(suit), glyphStroke * indexScale);
    const Path pip = suitShape(suit).mapped(
        Affine::scale(indexPipScale, indexPipScale).then(Affine::translate(indexX, indexPipY)));
    c.fill(pip, suitInk(suit)).fill(pip.mapped(halfTurn), suitInk(suit));
}

std::vector<Pt> pipPositions(int n)
{
    const double q1 = rowTop + (rowBottom - rowTop) / 3;
    const double q2 = rowTop + 2 * (rowBottom - rowTop) / 3;
    std::vector<Pt> p;
    auto sides = [&](double y) {
        p.push_back({colL, y});
        p.push_back({colR, y});
    };
    switch (n) {
    case 2:
        p = {{colC, rowTop}, {colC, rowBottom}};
        break;
    case 3:
        p = {{colC, rowTop}, {colC, midY}, {colC, rowBottom}};
        break;
    case 4:
        sides(rowTop);
        sides(rowBottom);
        break;
    case 5:
        sides(rowTop);
        sides(rowBottom);
        p.push_back({colC, midY});
        break;
    case 6:
        sides(rowTop);
        sides(midY);
        sides(rowBottom);
        break;
    case 7:
        sides(rowTop);
        sides(midY);
        sides(rowBottom);
        p.push_back({colC, (rowTop + midY) / 2});
        break;
    case 8:
        sides(rowTop);
        sides(midY);
        sides(rowBottom);
        p.push_back({colC, (rowTop + midY) / 2});
        p.push_back({colC, (rowBottom + midY) / 2});
        break;
    case 9:
        sides(rowTop);
        sides(q1);
        sides(q2);
        sides(rowBottom);
        p.push_back({colC, midY});
        break;
    case 10:
        sides(rowTop);
        sides(q1);
        sides(q2);
        sides(rowBottom);
        p.push_back({colC, (rowTop + q1) / 2});
        p.push_back({colC, (rowBottom + q2) / 2});
        break;
    default:
        break;
    }
    return p;
}

void pips(Canvas &c, int n, char suit)
{
    for (const Pt &p : pipPositions(n)) {
        // Pips below the middle are turned upside down, as on a printed card.
        Affine m = Affine::scale(pipScale, pipScale);
        if (p.y > midY + 0.5)
            m = m.then(Affine::rotate(180));
        c.fill(suitShape(suit).mapped(m.then(Affine::translate(p.x, p.y))), suitInk(suit));
    }
}

std::string face(const std::string &value, char suit, double x, double y)
{
    // The border is a grey rounded rectangle showing one unit around the white card,
    // both filled, so that the element's bounds are exactly the outer rectangle.
    Canvas c;
    c.fill(roundRectPath(0, 0, faceW, faceH, cornerRadius), "#8c8f96");
    c.fill(roundRectPath(1, 1, faceW - 2, faceH - 2, cornerRadius - 1), "#fffefa");
    if (value == "A") {
        if (suit == 'S')
            c.append(aceOfSpades());
        else
            c.fill(suitShape(suit).mapped(
                       Affine::scale(1.1, 1.1).then(Affine::translate(faceW / 2, faceH / 2))),
                   suitInk(suit));
    } else if (value == "J" || value == "Q" || value == "K") {
        c.append(court(value[0], suit));
    } else {
        pips(c, std::stoi(value), suit);
    }
    indexCorners(c, value, suit);
    // Only the card's own group carries a transform: inside, every shape is drawn where it lies.
    return "<g id=\"" + value + suit + "\" transform=\"translate(" + num(x) + " " + num(y) + ")\">"
           + c.str() + "</g>\n";
}

std::string back(const std::string &id, const std::string &art, double x, double y)
{
    return "<g id=\"" + id + "\" transform=\"translate(" + num(x) + " " + num(y) + ")\">" + art
           + "</g>\n";
}

}  // namespace

std::string pathEl(const Path &p, const std::string &attrs)
{
    return "<path " + attrs + " d=\"" + p.str() + "\"/>";
}

Path roundRectPath(double x, double y, double w, double h, double r)
{
    Path p;
    const double k = 0.5523 * r;
    p.M(x + r, y)
        .L(x + w - r, y)
        .C(x + w - r + k, y, x + w, y + r - k, x + w, y + r)
        .L(x + w, y + h - r)
        .C(x + w, y + h - r + k, x + w - r + k, y + h, x + w - r, y + h)
        .L(x + r, y + h)
        .C(x + r - k, y + h, x, y + h - r + k, x, y + h - r)
        .L(x, y + r)
        .C(x, y + r - k, x + r - k, y, x + r, y)
        .Z();
    return p;
}

std::string roundRect(double x, double y, double w, double h, double r, const std::string &attrs)
{
    return pathEl(roundRectPath(x, y, w, h, r), attrs);
}

std::string roundRectLine(double x, double y, double w, double h, double r, double width,
                          const std::string &colour)
{
    const double d = width / 2;
    Path p = roundRectPath(x - d, y - d, w + width, h + width, r + d);
    p.append(roundRectPath(x + d, y + d, w - width, h - width, std::max(0.0, r - d)));
    return pathEl(p, "fill=\"" + colour + "\" fill-rule=\"evenodd\"");
}

std::string deckDocument()
{
    std::string s;
    s += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    s += "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
         "version=\"1.2\" baseProfile=\"tiny\" width=\"3060\" height=\"1620\" viewBox=\"0 0 3060 "
         "1620\">\n";
    s += "<title>Tolvanmere card deck</title>\n";
    s += defs();
    // A row per suit, a column per value, and element ids as the game names them.
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 13; ++col)
            s += face(deckValueName(Ace + col), deckSuitLetter(Spades + row),
                      marginX + col * pitchX, marginY + row * pitchY);
    }
    s += back("BACK_RED1", backRed(), marginX, marginY + 4 * pitchY);
    s += back("BACK_BLUE1", backBlue(), marginX + pitchX, marginY + 4 * pitchY);
    s += "</svg>\n";
    return s;
}

}  // namespace deckgen
