#include "Art.h"

namespace deckgen {

namespace {

// Centre lines of the glyph strokes. The stroke is 15 wide, so the lines keep 7.5 from
// the grid's edges; round caps and joins give the letters a soft, printed look.
constexpr double t = 7.5;   // top
constexpr double b = 92.5;  // bottom
constexpr double l = 8;     // left
constexpr double r = 52;    // right
constexpr double mx = 30;   // middle

Path six()
{
    Path p;
    p.M(47, 13)
        .C(42.5, 9.5, 37, t, 31, t)
        .C(16, t, l, 24, l, 52)
        .C(l, 79, 17, b, 30, b)
        .C(43, b, r, 82, r, 68)
        .C(r, 54, 43, 44, 30.5, 44)
        .C(20, 44, 11, 50, l + 0.5, 62);
    return p;
}

}  // namespace

Path glyph(const std::string &v)
{
    Path p;
    if (v == "A") {
        p.M(l - 1, b).L(mx, t).L(r + 1, b);
        p.M(15.5, 66).L(44.5, 66);
    } else if (v == "2") {
        p.M(9.5, 27)
            .C(9.5, 14, 19, t, 30.5, t)
            .C(43, t, 51, 15.5, 51, 27.5)
            .C(51, 43, 37, 55, l, b)
            .L(r + 1, b);
    } else if (v == "3") {
        p.M(10, 16.5)
            .C(15, 10.5, 22, t, 30, t)
            .C(42, t, 50, 15, 50, 27)
            .C(50, 39.5, 41, 46.5, 27, 46.5)
            .C(42, 46.5, r, 55, r, 69)
            .C(r, 83.5, 42, b, 29, b)
            .C(20, b, 12.5, 89, l, 82.5);
    } else if (v == "4") {
        p.M(39, b).L(39, t).L(l, 66).L(r + 1, 66);
    } else if (v == "5") {
        p.M(49, t)
            .L(14.5, t)
            .L(11.5, 45)
            .C(17, 40, 23, 38.5, 30, 38.5)
            .C(43, 38.5, r, 49, r, 64)
            .C(r, 80.5, 42, b, 29, b)
            .C(20, b, 12.5, 89, l, 82.5);
    } else if (v == "6") {
        p = six();
    } else if (v == "7") {
        p.M(l, t).L(r, t).L(23, b);
    } else if (v == "8") {
        p.ellipse(mx, 27.5, 18.5, 20);
        p.M(mx, 47.5)
            .C(43, 47.5, r, 57, r, 70)
            .C(r, 83, 42, b, mx, b)
            .C(18, b, l, 83, l, 70)
            .C(l, 57, 17, 47.5, mx, 47.5)
            .Z();
    } else if (v == "9") {
        p = six().mapped(Affine::rotate(180).then(Affine::translate(60, 100)));
    } else if (v == "10") {
        // A narrow one and an oval nought, spread a little wider than one glyph.
        p.M(-6, 22).L(7, t).L(7, b);
        p.ellipse(44, 50, 17, 42.5);
    } else if (v == "J") {
        p.M(22, t).L(r + 2, t);
        p.M(44, t).L(44, 68).C(44, 84, 36.5, b, 26, b).C(16, b, 9.5, 86.5, l, 76);
    } else if (v == "Q") {
        p.ellipse(mx, 48, 22.5, 40.5);
        p.M(33, 71).L(r + 1, b);
    } else if (v == "K") {
        p.M(10, t).L(10, b);
        p.M(r, t).L(10.5, 62);
        p.M(24, 45).L(r + 1, b);
    }
    return p;
}

}  // namespace deckgen
