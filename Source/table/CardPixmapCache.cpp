#include "CardPixmapCache.h"

#include <QPainter>
#include <QSvgRenderer>
#include <QTransform>

#include <cmath>

namespace {

constexpr int scaleResolution = 4096;  // scale keys in 1/4096 of a pixel per unit
constexpr int keptScales = 2;

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
        const int dropped = recent_scales.takeLast();
        entries.removeIf([dropped](const auto &item) { return item.key().scale_key == dropped; });
    }
}

const CardPixmapCache::Entry &CardPixmapCache::entry(QSvgRenderer *renderer,
                                                     const QString &element,
                                                     const QRectF &bounds, double scale,
                                                     int angle, int overlay_key,
                                                     const Overlay &overlay)
{
    const int scale_key = scaleKey(scale);
    noteScale(scale_key);
    const Key key{element, scale_key, angle, overlay_key};
    auto found = entries.constFind(key);
    if (found != entries.constEnd())
        return *found;

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
}
