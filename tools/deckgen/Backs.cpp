#include "Art.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace deckgen {

namespace {

// The part of a convex polygon between two rows, by Sutherland-Hodgman.
std::vector<Pt> clipRows(const std::vector<Pt> &poly, double y0, double y1)
{
    auto cut = [](const std::vector<Pt> &in, double y, bool keepBelow) {
        std::vector<Pt> out;
        for (size_t i = 0; i < in.size(); ++i) {
            const Pt p = in[i], q = in[(i + 1) % in.size()];
            const bool pin = keepBelow ? p.y >= y : p.y <= y, qin = keepBelow ? q.y >= y : q.y <= y;
            if (pin)
                out.push_back(p);
            if (pin != qin) {
                const double t = (y - p.y) / (q.y - p.y);
                out.push_back({p.x + t * (q.x - p.x), y});
            }
        }
        return out;
    };
    return cut(cut(poly, y0, true), y1, false);
}

// A rounded rectangle as a polygon, each corner in a few straight steps: at card size
// they cannot be told from the arc.
std::vector<Pt> roundRectPolygon(double x, double y, double w, double h, double r)
{
    std::vector<Pt> p;
    const Pt centres[] = {
        {x + w - r, y + r}, {x + w - r, y + h - r}, {x + r, y + h - r}, {x + r, y + r}};
    for (int c = 0; c < 4; ++c) {
        for (int i = 0; i <= 4; ++i) {
            const Pt d = Affine::rotate(-90 + 90.0 * c + 22.5 * i).map({r, 0});
            p.push_back({centres[c].x + d.x, centres[c].y + d.y});
        }
    }
    return p;
}

std::string edge()
{
    std::string s;
    s += roundRect(0, 0, backW, backH, cornerRadius, "fill=\"#8c8f96\"");
    s += roundRect(1, 1, backW - 2, backH - 2, cornerRadius - 1, "fill=\"#fffefa\"");
    return s;
}

// Fine stripes as one linear gradient with hard stops: a single fill draws a whole
// field of lines, where the same lines as geometry cost a hundred times more to draw.
// The gradient runs across the back at the given angle (45° or 135°); `line` is the
// width of each stripe and `period` the distance between them, both along the vector.
// With a `gap` colour the stripes are opaque, so that pieces of one field may overlap.
std::string stripes(const std::string &id, double degrees, double period, double line,
                    const std::string &colour, double opacity, const std::string &gap = {})
{
    const Pt dir = Affine::rotate(degrees).map({1, 0});
    // Project the back's corners onto the direction to find where the stripes must run.
    double lo = 1e9, hi = -1e9;
    for (Pt c : {Pt{0, 0}, Pt{backW, 0}, Pt{0, backH}, Pt{backW, backH}}) {
        const double t = c.x * dir.x + c.y * dir.y;
        lo = std::min(lo, t);
        hi = std::max(hi, t);
    }
    const double len = hi - lo;
    std::string s = "<linearGradient id=\"" + id + "\" gradientUnits=\"userSpaceOnUse\" x1=\""
                    + num(dir.x * lo) + "\" y1=\"" + num(dir.y * lo) + "\" x2=\"" + num(dir.x * hi)
                    + "\" y2=\"" + num(dir.y * hi) + "\">";
    auto stop = [&](double at, const std::string &c, double alpha) {
        char offset[16];
        std::snprintf(offset, sizeof offset, "%.4f", std::clamp(at / len, 0.0, 1.0));
        s += std::string("<stop offset=\"") + offset + "\" stop-color=\"" + c + "\"";
        if (alpha < 1)
            s += " stop-opacity=\"" + num(alpha) + "\"";
        s += "/>";
    };
    const std::string between = gap.empty() ? colour : gap;
    const double gapAlpha = gap.empty() ? 0 : 1;
    for (double t = 0; t < len; t += period) {
        stop(t, colour, opacity);
        stop(t + line, colour, opacity);
        stop(t + line, between, gapAlpha);
        stop(t + period, between, gapAlpha);
    }
    s += "</linearGradient>\n";
    return s;
}

// Draws `area` (a convex polygon) with `fill` in horizontal pieces. A gradient fill over
// many rows is handed to worker threads, which on a busy machine costs more in waiting
// than the drawing itself; short pieces are drawn at once. The cuts fall between pixel
// rows at the card size of a 1080p screen, where no seam can show; elsewhere an opaque
// fill overlaps the next piece by a unit to hide it.
std::string inPieces(const std::vector<Pt> &area, const std::string &fill, bool opaque)
{
    double top = 1e18, bottom = -1e18;
    for (Pt p : area) {
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    constexpr double rowHeight = backH / 149;
    constexpr int rowsPerPiece = 24;
    std::string s;
    for (double y0 = top; y0 < bottom;) {
        const double y1 = std::min(bottom, (std::floor(y0 / rowHeight) + rowsPerPiece) * rowHeight);
        const double from = y0 > top && opaque ? y0 - 1 : y0;
        s += pathEl(Path().polygon(clipRows(area, from, y1)), "fill=\"" + fill + "\"");
        y0 = y1;
    }
    return s;
}

}  // namespace

std::string backDefs()
{
    // In the back's own coordinates: the group's translation applies to its fills too.
    std::string s = "<radialGradient id=\"backRedField\" gradientUnits=\"userSpaceOnUse\" cx=\""
                    + num(backW / 2) + "\" cy=\"" + num(backH / 2)
                    + "\" r=\"170\"><stop offset=\"0\" stop-color=\"#fffaf0\"/>"
                      "<stop offset=\"1\" stop-color=\"#f0dcc0\"/></radialGradient>\n";
    // What the translucent stripes used to blend to over their grounds, as opaque stops.
    s += stripes("backRedBand", 45, 5.2, 2.2, "#ecbb94", 1, "#b3192e");
    s += stripes("backBlueA", 45, 9.2, 1.1, "#90a9dc", 1, "#1f3f85");
    s += stripes("backBlueB", 135, 9.2, 1.1, "#9db5e6", 0.9);
    return s;
}

// The back of every hidden card: a crimson band with gold stripes around a calm cream
// field, on which the game paints its own hatched emblem.
std::string backRed()
{
    const double w = backW, h = backH;
    std::string s = edge();
    s += roundRect(7, 7, w - 14, h - 14, 8, "fill=\"#b3192e\"");
    // The band's top and bottom, then its sides between them.
    const std::vector<Pt> outer = roundRectPolygon(10, 10, w - 20, h - 20, 6);
    s += inPieces(clipRows(outer, 10, 20), "url(#backRedBand)", true);
    s += inPieces(clipRows(outer, h - 20, h - 10), "url(#backRedBand)", true);
    s += inPieces({{10, 19}, {20, 19}, {20, h - 19}, {10, h - 19}}, "url(#backRedBand)", true);
    s += inPieces({{w - 20, 19}, {w - 10, 19}, {w - 10, h - 19}, {w - 20, h - 19}},
                  "url(#backRedBand)", true);
    s += inPieces(roundRectPolygon(22, 22, w - 44, h - 44, 4), "url(#backRedField)", true);
    s += roundRectLine(25.5, 25.5, w - 51, h - 51, 2, 1.2, "#b3192e");
    // Corner fans and small lozenges inside the frame.
    Path fans;
    const Pt corners[] = {{25.5, 25.5}, {w - 25.5, 25.5}, {w - 25.5, h - 25.5}, {25.5, h - 25.5}};
    for (int i = 0; i < 4; ++i) {
        const Affine place =
            Affine::rotate(90.0 * i).then(Affine::translate(corners[i].x, corners[i].y));
        Path fan;
        fan.M(0, 0).L(13, 0).C(13, 7, 7, 13, 0, 13).Z();
        fan.polygon({{15, 15}, {19, 17.5}, {15, 20}, {11, 17.5}});
        fans.append(fan.mapped(place));
    }
    s += pathEl(fans, "fill=\"#b3192e\"");
    // Fine rings around where the game puts the emblem's three discs, so that the
    // emblem sits in a setting of its own (its geometry: a disc of a quarter of the
    // card's width at the centre, and small ones at a quarter and three quarters).
    const double r1 = std::floor(std::min(w, h) * 25 / 100),
                 r2 = std::floor(std::min(w / 4, h / 4) * 25 / 100);
    Path rings;
    for (const auto &[c, r] : {std::pair<Pt, double>{{w / 2, h / 2}, r1 + 6},
                               {{w / 4, h / 4}, r2 + 4.5},
                               {{3 * w / 4, 3 * h / 4}, r2 + 4.5}}) {
        rings.circle(c.x, c.y, r + 0.6);
        rings.circle(c.x, c.y, r - 0.6);
    }
    s += pathEl(rings, "fill=\"#d9a89a\" fill-rule=\"evenodd\"");
    return s;
}

// The spare back: a navy field with a fine lattice and a star in an oval medallion.
std::string backBlue()
{
    const double w = backW, h = backH;
    std::string s = edge();
    s += roundRect(7, 7, w - 14, h - 14, 8, "fill=\"#1f3f85\"");
    const std::vector<Pt> field = roundRectPolygon(12.5, 12.5, w - 25, h - 25, 4);
    s += inPieces(field, "url(#backBlueA)", true);
    s += inPieces(field, "url(#backBlueB)", false);
    s += roundRectLine(11.5, 11.5, w - 23, h - 23, 5, 1.4, "#e9eefb");
    s += pathEl(Path().ellipse(w / 2, h / 2, 47.1, 65.1), "fill=\"#e9eefb\"");
    s += pathEl(Path().ellipse(w / 2, h / 2, 44.9, 62.9), "fill=\"#1f3f85\"");
    s += pathEl(Path().ellipse(w / 2, h / 2, 41, 59).ellipse(w / 2, h / 2, 40, 58),
                "fill=\"#5f82c8\" fill-rule=\"evenodd\"");
    std::vector<Pt> star;
    for (int i = 0; i < 16; ++i) {
        const double r = i % 2 == 0 ? (i % 4 == 0 ? 44 : 26) : 10;
        const Pt d = Affine::rotate(i * 22.5 - 90).map({r * 0.78, 0});
        star.push_back({w / 2 + d.x, h / 2 + d.y * 1.28});
    }
    s += pathEl(Path().polygon(star), "fill=\"#e9eefb\"");
    s += pathEl(Path().circle(w / 2, h / 2, 5), "fill=\"#e2ad2c\"");
    return s;
}

}  // namespace deckgen
