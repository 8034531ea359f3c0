#pragma once

#include <QColor>
#include <QFont>
#include <QFontInfo>

#include <algorithm>
#include <cmath>

// The round summary's look, shared with the score sheet's chart that echoes it.
namespace summarystyle {

// A large, wide serif.
inline constexpr int pointSize = 20;
inline constexpr int stretch = 150;
// Space between the columns and rows of the standings, and between the parts under them.
inline constexpr qreal gap = 20;
// The marker over the human's call, and the red of the total's marker, which the coach's
// chart and the score sheet also use for what concerns the human.
inline constexpr QColor humanMarker(155, 155, 155, 255);
inline constexpr QColor markerRed(255, 0, 0, 255);
// Markers lie over the numbers they mark and let them show through.
inline constexpr qreal markerOpacity = 0.25;
// The grey of the charts' bars and axes.
inline constexpr QColor chartGrey(90, 90, 90);

// The smallest text on screen, in pixels of its font's size, so that even its small
// letters stay readable in a small window.
inline constexpr qreal legiblePixels = 11;

// The point size that keeps a text legible in a view drawn at view_scale; 0 for a scale
// not known.
inline int legiblePointSize(QFont base, qreal view_scale)
{
    if (view_scale <= 0)
        return 0;
    base.setPointSize(pointSize);
    const int pixels = std::max(1, QFontInfo(base).pixelSize());
    return int(std::ceil(pointSize * legiblePixels / (pixels * view_scale)));
}

// The summary's serif, made from the given font, at the given size.
inline QFont serif(QFont base, int point_size = pointSize)
{
    base.setPointSize(point_size);
    base.setStyleHint(QFont::Serif, QFont::PreferDefault);
    base.setStretch(stretch);
    return base;
}

}  // namespace summarystyle
