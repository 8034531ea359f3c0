#include "Art.h"

#include <algorithm>

namespace deckgen {

namespace {

// Antialiasing reaches about a pixel beyond an edge, which is two units at the smallest
// card size the game shows; shapes closer than that may share pixels.
constexpr double clearance = 2.5;

// Joining shapes saves little per element, while a long path costs the rasteriser far
// more than several short ones (measured: ten pips in one path take nearly twice as
// long as ten paths): join only what stays within a short run of rows.
constexpr double mergeHeight = 25;

// Lines up to this width have caps and joins of about a pixel at most, which an outline
// with squared ends and mitred corners draws as well as a stroke.
constexpr double fineLine = 2.2;

bool near(const Pt &aLo, const Pt &aHi, const Pt &bLo, const Pt &bHi)
{
    return aLo.x < bHi.x && bLo.x < aHi.x && aLo.y < bHi.y && bLo.y < aHi.y;
}

}  // namespace

Canvas &Canvas::fill(const Path &p, const std::string &colour)
{
    return add("fill=\"" + colour + "\"", p, clearance, false, {});
}

Canvas &Canvas::fillEvenOdd(const Path &p, const std::string &colour)
{
    return add("fill=\"" + colour + "\" fill-rule=\"evenodd\"", p, clearance, true, {});
}

Canvas &Canvas::line(const Path &p, const std::string &colour, double width)
{
    // Drawn as the filled outline of the stroke, far cheaper than a stroke, which is
    // outlined anew on every repaint. Outlines keep to elements of their own: they all
    // run one way round, which a shape they overlapped might not, and overlapping shapes
    // that run opposite ways cancel out.
    const Path outline = width <= fineLine ? p.fineLineOutline(width) : p.roundLineOutline(width);
    return add("fill=\"" + colour + "\"", outline, clearance, false, "line");
}

Canvas &Canvas::add(const std::string &attrs, const Path &p, double reach, bool alone,
                    const std::string &kind)
{
    Shape shape{p, {}, {}};
    p.bounds(shape.lo, shape.hi);
    shape.lo = {shape.lo.x - reach, shape.lo.y - reach};
    shape.hi = {shape.hi.x + reach, shape.hi.y + reach};
    // Search back for an element of the same style, stopping at anything this shape
    // comes near: it must stay drawn above that.
    for (size_t i = items.size(); !alone && i-- > 0;) {
        Item &item = items[i];
        bool clear = true;
        Pt lo = shape.lo, hi = shape.hi;
        for (const Shape &s : item.shapes) {
            clear = clear && !near(shape.lo, shape.hi, s.lo, s.hi);
            lo = {std::min(lo.x, s.lo.x), std::min(lo.y, s.lo.y)};
            hi = {std::max(hi.x, s.hi.x), std::max(hi.y, s.hi.y)};
        }
        // Next to its predecessor a shape may overlap it: one path draws both alike.
        if (item.attrs == attrs && item.kind == kind && !item.alone
            && (clear || i + 1 == items.size()) && hi.y - lo.y <= mergeHeight) {
            item.shapes.push_back(std::move(shape));
            return *this;
        }
        if (!clear)
            break;
    }
    items.push_back({attrs, {std::move(shape)}, alone, kind});
    return *this;
}

Canvas &Canvas::append(const Canvas &other, const Affine &m)
{
    for (const Item &item : other.items) {
        for (const Shape &s : item.shapes) {
            // The stored box is widened by the shape's reach; widen the image alike.
            Pt lo, hi;
            s.path.bounds(lo, hi);
            add(item.attrs, s.path.mapped(m), lo.x - s.lo.x, item.alone, item.kind);
        }
    }
    return *this;
}

std::string Canvas::str() const
{
    std::string s;
    for (const Item &item : items) {
        Path all;
        for (const Shape &shape : item.shapes)
            all.append(shape.path);
        s += pathEl(all, item.attrs);
    }
    return s;
}

}  // namespace deckgen
