#include "Art.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace deckgen {

namespace {

// Lines of a lattice: the two families y = ±slope·x + c, spaced `step` apart along y,
// each cut to the rectangle [x0, x1] × [y0, y1] (Liang–Barsky), so nothing leaves it.
Path lattice(double x0, double y0, double x1, double y1, double slope, double step, double phase)
{
    Path p;
    const double cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
    const double reach = (y1 - y0) / 2 + slope * (x1 - x0) / 2 + step;
    for (int dir : {1, -1}) {
        for (double c = -reach + phase; c <= reach; c += step) {
            // Line through (cx, cy + c) with direction (1, dir·slope).
            const double px = cx, py = cy + c, dx = 1, dy = dir * slope;
            double t0 = -1e9, t1 = 1e9;
            const double ps[] = {-dx, dx, -dy, dy};
            const double qs[] = {px - x0, x1 - px, py - y0, y1 - py};
            bool inside = true;
            for (int i = 0; i < 4 && inside; ++i) {
                if (std::abs(ps[i]) < 1e-12) {
                    inside = qs[i] >= 0;
                } else {
                    const double r = qs[i] / ps[i];
                    if (ps[i] < 0)
                        t0 = std::max(t0, r);
                    else
                        t1 = std::min(t1, r);
                }
            }
            if (inside && t1 - t0 > 1e-6)
                p.M(px + t0 * dx, py + t0 * dy).L(px + t1 * dx, py + t1 * dy);
        }
    }
    return p;
}

std::string edge()
{
    std::string s;
    s += roundRect(0, 0, kBackW, kBackH, kCorner, "fill=\"#8c8f96\"");
    s += roundRect(1, 1, kBackW - 2, kBackH - 2, kCorner - 1, "fill=\"#fffefa\"");
    return s;
}

// Small lozenges evenly along the sides of a rectangle, for a border band.
Path lozengeChain(double x0, double y0, double x1, double y1, double pitch, double along, double across)
{
    Path p;
    auto side = [&](Pt a, Pt b) {
        const double len = std::hypot(b.x - a.x, b.y - a.y);
        const int n = std::max(1, int(std::round(len / pitch)));
        const Pt u{(b.x - a.x) / len, (b.y - a.y) / len};
        const Pt v{-u.y, u.x};
        for (int i = 0; i < n; ++i) {
            const double t = (i + 0.5) * len / n;
            const Pt c{a.x + u.x * t, a.y + u.y * t};
            p.polygon({{c.x - u.x * along, c.y - u.y * along},
                       {c.x + v.x * across, c.y + v.y * across},
                       {c.x + u.x * along, c.y + u.y * along},
                       {c.x - v.x * across, c.y - v.y * across}});
        }
    };
    side({x0, y0}, {x1, y0});
    side({x1, y0}, {x1, y1});
    side({x1, y1}, {x0, y1});
    side({x0, y1}, {x0, y0});
    return p;
}

} // namespace

std::string backDefs()
{
    // In the back's own coordinates: the group's translation applies to its fill too.
    return "<radialGradient id=\"backRedField\" gradientUnits=\"userSpaceOnUse\" cx=\"" + num(kBackW / 2) +
           "\" cy=\"" + num(kBackH / 2) + "\" r=\"170\"><stop offset=\"0\" stop-color=\"#fffaf0\"/>"
           "<stop offset=\"1\" stop-color=\"#f2e2c8\"/></radialGradient>\n";
}

// The back of every hidden card: a crimson border band around a calm cream field, on
// which the game paints its own hatched emblem.
std::string backRed()
{
    const double w = kBackW, h = kBackH;
    std::string s = edge();
    s += roundRect(7, 7, w - 14, h - 14, 8, "fill=\"#b3192e\"");
    s += roundRect(10, 10, w - 20, h - 20, 6, "fill=\"none\" stroke=\"#f4d9a8\" stroke-width=\"0.8\"");
    s += pathEl(lozengeChain(15.5, 15.5, w - 15.5, h - 15.5, 9.6, 3.6, 3), "fill=\"#f8e6c4\"");
    s += roundRect(22, 22, w - 44, h - 44, 4, "fill=\"url(#backRedField)\"");
    s += pathEl(lattice(27, 27, w - 27, h - 27, 2.2, 22, 0), "fill=\"none\" stroke=\"#f1dfc6\" stroke-width=\"0.8\"");
    s += roundRect(25.5, 25.5, w - 51, h - 51, 2, "fill=\"none\" stroke=\"#b3192e\" stroke-width=\"1.2\"");
    // Corner fans inside the frame.
    Path fans;
    const Pt corners[] = {{25.5, 25.5}, {w - 25.5, 25.5}, {w - 25.5, h - 25.5}, {25.5, h - 25.5}};
    for (int i = 0; i < 4; ++i) {
        const Affine place = Affine::rotate(90.0 * i).then(Affine::translate(corners[i].x, corners[i].y));
        Path fan;
        fan.M(0, 0).L(13, 0).C(13, 7, 7, 13, 0, 13).Z();
        fan.polygon({{15, 15}, {19, 17.5}, {15, 20}, {11, 17.5}});
        fans.append(fan.mapped(place));
    }
    s += pathEl(fans, "fill=\"#b3192e\"");
    return s;
}

// The spare back: a navy field with a fine lattice and a star in an oval medallion.
std::string backBlue()
{
    const double w = kBackW, h = kBackH;
    std::string s = edge();
    s += roundRect(7, 7, w - 14, h - 14, 8, "fill=\"#1f3f85\"");
    s += pathEl(lattice(12, 12, w - 12, h - 12, 1.0, 13, 6.5), "fill=\"none\" stroke=\"#5f82c8\" stroke-width=\"0.9\"");
    s += roundRect(11.5, 11.5, w - 23, h - 23, 5, "fill=\"none\" stroke=\"#e9eefb\" stroke-width=\"1.4\"");
    s += pathEl(Path().ellipse(w / 2, h / 2, 46, 64), "fill=\"#1f3f85\" stroke=\"#e9eefb\" stroke-width=\"2.2\"");
    s += pathEl(Path().ellipse(w / 2, h / 2, 40.5, 58.5), "fill=\"none\" stroke=\"#5f82c8\" stroke-width=\"1\"");
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

} // namespace deckgen
