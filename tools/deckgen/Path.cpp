#include "Path.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace deckgen {

Affine Affine::then(const Affine &n) const
{
    return {n.a * a + n.c * b, n.b * a + n.d * b, n.a * c + n.c * d,
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

} // namespace deckgen
