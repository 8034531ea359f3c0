#pragma once

#include <string>
#include <vector>

namespace deckgen {

struct Pt {
    double x = 0;
    double y = 0;
};

// A 2D affine map (x' = a·x + c·y + e, y' = b·x + d·y + f), as in SVG's matrix().
struct Affine {
    double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;

    Pt map(Pt p) const { return {a * p.x + c * p.y + e, b * p.x + d * p.y + f}; }
    Affine then(const Affine &next) const;

    static Affine translate(double dx, double dy) { return {1, 0, 0, 1, dx, dy}; }
    static Affine scale(double sx, double sy) { return {sx, 0, 0, sy, 0, 0}; }
    static Affine rotate(double degrees);
    static Affine mirrorX(double axis) { return {-1, 0, 0, 1, 2 * axis, 0}; }
};

// Numbers are written with at most two decimals so the output is byte-for-byte stable.
std::string num(double v);

// Builds SVG path data from absolute moves, lines and cubic curves only, which every
// renderer draws the same way. Geometry can be mapped before it is written, so a shape
// drawn once can be mirrored or turned without a transform attribute.
class Path
{
public:
    Path &M(double x, double y);
    Path &L(double x, double y);
    Path &C(double x1, double y1, double x2, double y2, double x, double y);
    Path &Q(double x1, double y1, double x, double y);  // stored as a cubic
    Path &Z();

    Path &ellipse(double cx, double cy, double rx, double ry);
    Path &circle(double cx, double cy, double r) { return ellipse(cx, cy, r, r); }
    Path &rect(double x, double y, double w, double h);
    Path &polygon(const std::vector<Pt> &pts);

    Path &append(const Path &other);
    Path mapped(const Affine &m) const;
    // This path followed by its mirror image about the vertical line x = axis.
    Path withMirror(double axis) const;

    // The outline of this path stroked `width` wide, as a path to fill: a stroke is
    // outlined anew on every repaint, a fill only drawn. Meant for fine lines, where
    // caps and joins are below a pixel: they are squared off, and curves are divided
    // into `steps` straight pieces.
    Path fineLineOutline(double width, int steps = 4) const;
    // The same with round caps and joins, for lines wide enough to show them.
    Path roundLineOutline(double width, int steps = 6) const;

    std::string str() const;
    bool empty() const { return cmds.empty(); }
    // The box around all points, control points included.
    void bounds(Pt &min, Pt &max) const;

private:
    Path outlined(double width, int steps, bool round) const;

    struct Cmd {
        char op;
        Pt p[3];
    };
    std::vector<Cmd> cmds;
    Pt last;
};

}  // namespace deckgen
