#include "Path.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>
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

namespace {

// One polyline's outline: the left offsets forwards, then the right offsets back, each
// end pushed out by half the width as a round cap would be. A vertex is offset along
// the mean of its segments' normals, lengthened so that both offset edges stay parallel
// to their segments (at most twice, for the sharpest turns).
void fineOutline(Path &out, const std::vector<Pt> &pts, double r)
{
    const size_t n = pts.size();
    if (n < 2)
        return;
    std::vector<Pt> normals;  // per segment, on the left of its direction (y down)
    for (size_t i = 0; i + 1 < n; ++i) {
        const double dx = pts[i + 1].x - pts[i].x, dy = pts[i + 1].y - pts[i].y;
        const double len = std::hypot(dx, dy);
        normals.push_back(len > 0 ? Pt{dy / len, -dx / len} : Pt{0, 0});
    }
    std::vector<Pt> offsets(n);
    for (size_t i = 0; i < n; ++i) {
        Pt m;
        if (i == 0 || i + 1 == n) {
            m = normals[i == 0 ? 0 : n - 2];
        } else {
            m = {normals[i - 1].x + normals[i].x, normals[i - 1].y + normals[i].y};
            const double len = std::hypot(m.x, m.y);
            const double cosHalf = len / 2;
            m = len > 0 ? Pt{m.x / len / std::max(0.5, cosHalf), m.y / len / std::max(0.5, cosHalf)} : normals[i];
        }
        offsets[i] = {m.x * r, m.y * r};
    }
    // The caps: the ends pushed out along their segments.
    const Pt startOut = {pts[0].x + normals.front().y * r, pts[0].y - normals.front().x * r};
    const Pt endOut = {pts[n - 1].x - normals.back().y * r, pts[n - 1].y + normals.back().x * r};
    std::vector<Pt> poly;
    poly.push_back(startOut);
    for (size_t i = 0; i < n; ++i)
        poly.push_back({pts[i].x + offsets[i].x, pts[i].y + offsets[i].y});
    poly.push_back(endOut);
    for (size_t i = n; i-- > 0;)
        poly.push_back({pts[i].x - offsets[i].x, pts[i].y - offsets[i].y});
    out.polygon(poly);
}

} // namespace

Path Path::fineLineOutline(double width, int steps) const
{
    Path out;
    std::vector<Pt> pts;
    for (const Cmd &c : cmds) {
        if (c.op == 'M') {
            fineOutline(out, pts, width / 2);
            pts = {c.p[0]};
        } else if (c.op == 'L') {
            pts.push_back(c.p[0]);
        } else if (c.op == 'C') {
            const Pt p0 = pts.empty() ? Pt{} : pts.back(), p1 = c.p[0], p2 = c.p[1], p3 = c.p[2];
            for (int i = 1; i <= steps; ++i) {
                const double t = double(i) / steps, u = 1 - t;
                pts.push_back({u * u * u * p0.x + 3 * u * u * t * p1.x + 3 * u * t * t * p2.x + t * t * t * p3.x,
                               u * u * u * p0.y + 3 * u * u * t * p1.y + 3 * u * t * t * p2.y + t * t * t * p3.y});
            }
        } else if (c.op == 'Z' && !pts.empty()) {
            pts.push_back(pts.front());
        }
    }
    fineOutline(out, pts, width / 2);
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

} // namespace deckgen
