#include "CardPixmapCache.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QSvgRenderer>
#include <QTimer>
#include <QTransform>

#include <cmath>
#include <cstdlib>

namespace {

constexpr int scaleResolution = 4096;  // scale keys in 1/4096 of a pixel per unit
constexpr int keptScales = 2;
// SVG rendering one frame may do while older pictures can stand in: well under the
// 25 ms in which a resized window should show its first frame.
constexpr qint64 frameBudgetNs = 8'000'000;

}  // namespace

CardPixmapCache &CardPixmapCache::instance()
{
    static CardPixmapCache cache;
    return cache;
}

int CardPixmapCache::scaleKey(double scale)
{
    return int(std::lround(scale * scaleResolution));
}

double CardPixmapCache::quantizedScale(double scale)
{
    return double(scaleKey(scale)) / scaleResolution;
}

void CardPixmapCache::noteScale(int scale_key)
{
    if (!recent_scales.isEmpty() && recent_scales.first() == scale_key)
        return;
    recent_scales.removeAll(scale_key);
    recent_scales.prepend(scale_key);
    while (recent_scales.size() > keptScales) {
        // The scale with the fewest pictures goes (the oldest among equals): while a window
        // is being resized, the last complete set stays to stand in for the new sizes.
        QHash<int, int> counts;
        for (auto it = entries.constBegin(); it != entries.constEnd(); ++it)
            ++counts[it.key().scale_key];
        qsizetype drop = recent_scales.size() - 1;
        for (qsizetype i = drop - 1; i >= 1; --i) {
            if (counts.value(recent_scales[i]) < counts.value(recent_scales[drop]))
                drop = i;
        }
        const int dropped = recent_scales.takeAt(drop);
        entries.removeIf([dropped](const auto &item) { return item.key().scale_key == dropped; });
    }
}

const CardPixmapCache::Entry *CardPixmapCache::standIn(const Key &key) const
{
    const Entry *best = nullptr;
    int best_distance = 0;
    for (auto it = entries.constBegin(); it != entries.constEnd(); ++it) {
        const Key &other = it.key();
        if (other.element != key.element || other.angle != key.angle
            || other.overlay_key != key.overlay_key)
            continue;
        const int distance = std::abs(other.scale_key - key.scale_key);
        if (!best || distance < best_distance) {
            best = &it.value();
            best_distance = distance;
        }
    }
    return best;
}

bool CardPixmapCache::budgetSpent() const
{
    return frame_open && frame_spent_ns >= frameBudgetNs;
}

void CardPixmapCache::startFrame()
{
    frame_open = false;
    frame_spent_ns = 0;
}

const CardPixmapCache::Entry &CardPixmapCache::entry(QSvgRenderer *renderer, const QString &element,
                                                     const QRectF &bounds, double scale, int angle,
                                                     int overlay_key, const Overlay &overlay)
{
    const int scale_key = scaleKey(scale);
    noteScale(scale_key);
    const Key key{element, scale_key, angle, overlay_key};
    auto found = entries.constFind(key);
    if (found != entries.constEnd())
        return *found;
    if (budgetSpent()) {
        if (const Entry *stand_in = standIn(key))
            return *stand_in;
    }
    if (!frame_open) {
        frame_open = true;
        // The frame ends when the event loop turns again.
        if (QCoreApplication::instance())
            QTimer::singleShot(0, [] { instance().startFrame(); });
    }
    QElapsedTimer clock;
    clock.start();

    // Everything is derived from the quantised scale so equal keys give equal images.
    const double s = quantizedScale(scale);
    QTransform to_device;
    to_device.rotate(angle);
    to_device *= QTransform::fromScale(s, s);
    const QRectF mapped = to_device.mapRect(bounds);
    // One spare pixel on each side keeps the antialiased edge inside the image.
    const QPoint offset(int(std::floor(mapped.left())) - 1, int(std::floor(mapped.top())) - 1);
    const QSize size(int(std::ceil(mapped.right())) - offset.x() + 1,
                     int(std::ceil(mapped.bottom())) - offset.y() + 1);

    Entry made;
    made.offset = offset;
    made.scale = s;
    made.image = QImage(size.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    made.image.fill(Qt::transparent);
    if (renderer && !bounds.isEmpty()) {
        QPainter painter(&made.image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
        painter.setTransform(to_device * QTransform::fromTranslate(-offset.x(), -offset.y()));
        renderer->render(&painter, element, bounds);
        if (overlay)
            overlay(&painter, bounds);
        ++renders;
    }
    const int width = made.image.width();
    made.opaque.resize(std::size_t(made.image.height()));
    for (int y = 0; y < made.image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(made.image.constScanLine(y));
        Entry::Span &best = made.opaque[std::size_t(y)];
        for (int x = 0; x < width;) {
            if (qAlpha(line[x]) != 255) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < width && qAlpha(line[x]) == 255)
                ++x;
            if (x - start > best.right - best.left)
                best = {start, x};
        }
    }
    frame_spent_ns += clock.nsecsElapsed();
    return *entries.insert(key, made);
}

QSize CardPixmapCache::imageSize(const QString &element, double scale, int angle,
                                 int overlay_key) const
{
    const auto found = entries.constFind(Key{element, scaleKey(scale), angle, overlay_key});
    return found == entries.constEnd() ? QSize() : found->image.size();
}

QList<double> CardPixmapCache::scales() const
{
    QList<double> scales;
    for (const int key : recent_scales)
        scales.append(double(key) / scaleResolution);
    return scales;
}

void CardPixmapCache::clear()
{
    entries.clear();
    recent_scales.clear();
    startFrame();
}
