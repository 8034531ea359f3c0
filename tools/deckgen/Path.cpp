#include "Path.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string_view>
#include <vector>

namespace deckgen {

Affine Affine::then(const Affine &n) const
{
    return {n.a * a + n.c * b, n.b * a + n.d * b,       n.a * c + n.c * d,
            n.b * c + n.d * d, n.a * e + n.c * f + n.e, n.b * e + n.d * f + n.f};
}

Affine Affine::rotate(double degrees)
{
    const double r = degrees * 3.14159265358979323846 / 180.0;
    const double cs = std::cos(r), sn = std::sin(r);
    return {cs, sn, -sn, cs, 0, 0};
}

std::string num(double v)
{
    char buf[32];
    int n = std::snprintf(buf, sizeof buf, "%.2f", v);
    if (n <= 0 || n >= int(sizeof buf))
        return "0";
    while (n > 0 && buf[n - 1] == '0')
        --n;
    if (n > 0 && buf[n - 1] == '.')
        --n;
    const std::string_view s(buf, size_t(n));
    if (s.empty() || s == "-0")
        return "0";
    return std::string(s);
}

Path &Path::M(double x, double y)
{
    cmds.push_back({'M', {{x, y}}});
    last = {x, y};
    return *this;
}

Path &Path::L(double x, double y)
{
    cmds.push_back({'L', {{x, y}}});
    last = {x, y};
    return *this;
}

Path &Path::C(double x1, double y1, double x2, double y2, double x, double y)
{
    cmds.push_back({'C', {{x1, y1}, {x2, y2}, {x, y}}});
    last = {x, y};
    return *this;
}

Path &Path::Q(double x1, double y1, double x, double y)
{
    const Pt p0 = last;
    return C(p0.x + 2.0 / 3.0 * (x1 - p0.x), p0.y + 2.0 / 3.0 * (y1 - p0.y),
             x + 2.0 / 3.0 * (x1 - x), y + 2.0 / 3.0 * (y1 - y), x, y);
}

Path &Path::Z()
{
    cmds.push_back({'Z', {}});
    return *this;
}

Path &Path::ellipse(double cx, double cy, double rx, double ry)
{
    // Four quarter arcs; 0.5523 is the usual cubic approximation of a quarter circle.
    const double k = 0.5523;
    M(cx + rx, cy);
    C(cx + rx, cy + k * ry, cx + k * rx, cy + ry, cx, cy + ry);
    C(cx - k * rx, cy + ry, cx - rx, cy + k * ry, cx - rx, cy);
    C(cx - rx, cy - k * ry, cx - k * rx, cy - ry, cx, cy - ry);
    C(cx + k * rx, cy - ry, cx + rx, cy - k * ry, cx + rx, cy);
    return Z();
}

Path &Path::rect(double x, double y, double w, double h)
{
    return M(x, y).L(x + w, y).L(x + w, y + h).L(x, y + h).Z();
}

Path &Path::polygon(const std::vector<Pt> &pts)
{
    for (size_t i = 0; i < pts.size(); ++i) {
        if (i == 0)
            M(pts[i].x, pts[i].y);
        else
            L(pts[i].x, pts[i].y);
    }
    return Z();
}

Path &Path::append(const Path &other)
{
    cmds.insert(cmds.end(), other.cmds.begin(), other.cmds.end());
    last = other.last;
    return *this;
}

Path Path::mapped(const Affine &m) const
{
    Path out;
    for (const Cmd &c : cmds) {
        Cmd n = c;
        for (Pt &p : n.p)
            p = m.map(p);
        out.cmds.push_back(n);
    }
    out.last = m.map(last);
    return out;
}

Path Path::withMirror(double axis) const
{
    Path out = *this;
    out.append(mapped(Affine::mirrorX(axis)));
    return out;
}

void Path::bounds(Pt &min, Pt &max) const
{
    min = {1e18, 1e18};
    max = {-1e18, -1e18};
    for (const Cmd &c : cmds) {
        const int n = c.op == 'C' ? 3 : c.op == 'Z' ? 0 : 1;
        for (int i = 0; i < n; ++i) {
            min = {std::min(min.x, c.p[i].x), std::min(min.y, c.p[i].y)};
            max = {std::max(max.x, c.p[i].x), std::max(max.y, c.p[i].y)};
        }
    }
}

namespace {

// The left side of a polyline (y down), walking it forwards. A vertex is offset along the
// mean of its segments' normals, lengthened so that both offset edges stay parallel to
// their segments (within a miter limit of four). With `round`, the outside of a sharp
// turn follows an arc about the vertex instead, as a round join does.
std::vector<Pt> leftSide(const std::vector<Pt> &pts, double r, bool round)
{
    const size_t n = pts.size();
    std::vector<Pt> normals;
    for (size_t i = 0; i + 1 < n; ++i) {
        const double dx = pts[i + 1].x - pts[i].x, dy = pts[i + 1].y - pts[i].y;
        const double len = std::hypot(dx, dy);
        normals.push_back(len > 0 ? Pt{dy / len, -dx / len} : Pt{0, 0});
    }
    std::vector<Pt> out;
    for (size_t i = 0; i < n; ++i) {
        if (i == 0 || i + 1 == n) {
            const Pt m = normals[i == 0 ? 0 : n - 2];
            out.push_back({pts[i].x + m.x * r, pts[i].y + m.y * r});
            continue;
        }
        const Pt a = normals[i - 1], b = normals[i];
        const double turn = std::atan2(a.x * b.y - a.y * b.x, a.x * b.x + a.y * b.y);
        if (round && turn > 0.5) {
            // The outside of a turn to the right on screen.
            const double a0 = std::atan2(a.y, a.x);
            const int steps = std::max(2, int(std::ceil(turn / 0.35)));
            for (int k = 0; k <= steps; ++k) {
                const double t = a0 + turn * k / steps;
                out.push_back({pts[i].x + r * std::cos(t), pts[i].y + r * std::sin(t)});
            }
            continue;
        }
        Pt m = {a.x + b.x, a.y + b.y};
        const double len = std::hypot(m.x, m.y);
        const double scale = len > 0 ? 1 / (len / 2) : 0;
        m = len > 0 ? Pt{m.x / len * std::min(4.0, scale), m.y / len * std::min(4.0, scale)} : b;
        out.push_back({pts[i].x + m.x * r, pts[i].y + m.y * r});
    }
    return out;
}

// One polyline's outline: its left side forwards, then its right side back. The ends
// are pushed out by half the width as a round cap would reach: to a point for fine
// lines, along a half circle with `round`.
void outline(Path &out, const std::vector<Pt> &pts, double r, bool round, bool closed)
{
    const size_t n = pts.size();
    if (n < 2)
        return;
    if (closed && n > 3) {
        // A loop has no ends: its two sides are rings of their own, running opposite
        // ways, so that the inside stays clear. Each side is worked out with the points
        // on either side of the seam, so the seam is joined like any other vertex.
        auto ring = [&](const std::vector<Pt> &loop) {
            std::vector<Pt> ext;
            ext.push_back(loop[loop.size() - 2]);
            ext.insert(ext.end(), loop.begin(), loop.end());
            ext.push_back(loop[1]);
            std::vector<Pt> side = leftSide(ext, r, round);
            side.erase(side.begin());
            side.pop_back();
            side.pop_back();  // the seam's point comes round again
            out.polygon(side);
        };
        ring(pts);
        ring(std::vector<Pt>(pts.rbegin(), pts.rend()));
        return;
    }
    const std::vector<Pt> back(pts.rbegin(), pts.rend());
    const std::vector<Pt> left = leftSide(pts, r, round), right = leftSide(back, r, round);
    std::vector<Pt> poly;
    auto cap = [&](const std::vector<Pt> &line) {
        // At the end of `line`: from its left side round to its right.
        const Pt end = line.back(), before = line[line.size() - 2];
        const double dx = end.x - before.x, dy = end.y - before.y, len = std::hypot(dx, dy);
        const Pt dir = len > 0 ? Pt{dx / len, dy / len} : Pt{1, 0};
        const int steps = round ? 6 : 2;
        const double a0 = std::atan2(-dir.x, dir.y);  // the left normal's angle
        for (int k = 1; k < steps; ++k) {
            const double t = a0 + 3.14159265358979323846 * k / steps;
            poly.push_back({end.x + r * std::cos(t), end.y + r * std::sin(t)});
        }
    };
    poly.insert(poly.end(), left.begin(), left.end());
    cap(pts);
    poly.insert(poly.end(), right.begin(), right.end());
    cap(back);
    out.polygon(poly);
}

}  // namespace

Path Path::fineLineOutline(double width, int steps) const
{
    return outlined(width, steps, false);
}

Path Path::roundLineOutline(double width, int steps) const
{
    return outlined(width, steps, true);
}

Path Path::outlined(double width, int steps, bool round) const
{
    Path out;
    std::vector<Pt> pts;
    bool closed = false;
    auto flush = [&] {
        // Repeated points have no direction.
        std::vector<Pt> p;
        for (Pt q : pts) {
            if (p.empty() || std::hypot(q.x - p.back().x, q.y - p.back().y) > 1e-9)
                p.push_back(q);
        }
        outline(out, p, width / 2, round, closed);
        pts.clear();
        closed = false;
    };
    for (const Cmd &c : cmds) {
        if (c.op == 'M') {
            flush();
            pts = {c.p[0]};
        } else if (c.op == 'L') {
            pts.push_back(c.p[0]);
        } else if (c.op == 'C') {
            const Pt p0 = pts.empty() ? Pt{} : pts.back(), p1 = c.p[0], p2 = c.p[1], p3 = c.p[2];
            for (int i = 1; i <= steps; ++i) {
                const double t = double(i) / steps, u = 1 - t;
                pts.push_back({u * u * u * p0.x + 3 * u * u * t * p1.x + 3 * u * t * t * p2.x
                                   + t * t * t * p3.x,
                               u * u * u * p0.y + 3 * u * u * t * p1.y + 3 * u * t * t * p2.y
                                   + t * t * t * p3.y});
            }
        } else if (c.op == 'Z' && !pts.empty()) {
            pts.push_back(pts.front());
            closed = true;
        }
    }
    flush();
    return out;
}

std::string Path::str() const
{
    std::string s;
    for (const Cmd &c : cmds) {
        if (!s.empty())
            s += ' ';
        s += c.op;
        const int n = c.op == 'C' ? 3 : c.op == 'Z' ? 0 : 1;
        for (int i = 0; i < n; ++i) {
            if (i > 0)
                s += ' ';
            s += num(c.p[i].x);
            s += ' ';
            s += num(c.p[i].y);
        }
    }
    return s;
}

}  // namespace deckgen
