#include "CardGraphicsItem.h"

#include "CardPixmapCache.h"
#include "TableConstants.h"

#include <QBrush>
#include <QColor>
#include <QGraphicsSceneMouseEvent>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <QStyleOptionGraphicsItem>
#include <QSvgRenderer>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace {

const QString backRed = QStringLiteral("BACK_RED1");
const QString backBlue = QStringLiteral("BACK_BLUE1");

CardGraphicsItem::PaintMode paint_mode = CardGraphicsItem::PaintMode::Cached;

// Angles at which cards rest: upright in the trick, tilted in a hand. Only these get
// pictures turned in advance; any other angle is a card in flight.
constexpr int restingAngles[] = {0, table::cardRotation};
constexpr double angleTolerance = 0.01;  // degrees
constexpr double shapeTolerance = 1e-4;  // relative

// Draws the image at `at` but for the columns [left, right) that hidden(row) gives for
// each row. Rows go together while the pixels drawn in vain (hidden in a row, not in all
// rows of its band) stay few: each draw has a cost of its own, worth some hundreds of pixels.
template <class Hidden>
void drawOutsideHidden(QPainter *painter, QPoint at, const QImage &image, Hidden hidden)
{
    const int width = image.width();
    const int height = image.height();
    constexpr qint64 budget = 1000;
    for (int top = 0; top < height;) {
        auto [left, right] = hidden(top);
        qint64 hidden_sum = right - left;
        int bottom = top + 1;
        for (; bottom < height; ++bottom) {
            const auto [l, r] = hidden(bottom);
            const int new_left = std::max(left, l);
            const int new_right = std::min(right, r);
            const qint64 new_sum = hidden_sum + (r - l);
            const qint64 rows = bottom + 1 - top;
            if (new_sum - rows * std::max(new_right - new_left, 0) > budget)
                break;
            left = new_left;
            right = new_right;
            hidden_sum = new_sum;
        }
        if (right - left <= 0) {
            painter->drawImage(QPoint(at.x(), at.y() + top), image,
                               QRect(0, top, width, bottom - top));
        } else {
            if (left > 0)
                painter->drawImage(QPoint(at.x(), at.y() + top), image,
                                   QRect(0, top, left, bottom - top));
            if (right < width)
                painter->drawImage(QPoint(at.x() + right, at.y() + top), image,
                                   QRect(right, top, width - right, bottom - top));
        }
        top = bottom;
    }
}

}  // namespace

QSvgRenderer *card_renderer()
{
    // Made on first use, after the application and the resource registration exist;
    // kept for the life of the process because items may be destroyed very late.
    static QSvgRenderer *renderer = new QSvgRenderer(QStringLiteral(":/svg/cards/svgcards"));
    return renderer;
}

CardEmblem cardEmblem(const QSizeF &size)
{
    const double w = size.width();
    const double h = size.height();
    const int inset = table::emblemPointInset;
    CardEmblem emblem;
    emblem.diamond = QPolygon({QPoint(int(w * 0.5), int(h * inset / 100)),
                               QPoint(int(w * 0.5), int(h * (100 - inset) / 100)),
                               QPoint(int(w * inset / 100), int(h * 0.5)),
                               QPoint(int(w * (100 - inset) / 100), int(h * 0.5))});
    const int r1 = int(std::min(w, h) * table::emblemRadiusPercent / 100);
    emblem.centre = QRectF(w / 2 - r1, h / 2 - r1, 2 * r1, 2 * r1);
    const int r2 = int(std::min(w / 4, h / 4) * table::emblemRadiusPercent / 100);
    emblem.top_left = QRectF(w / 4 - r2, h / 4 - r2, 2 * r2, 2 * r2);
    emblem.bottom_right = QRectF(3 * w / 4 - r2, 3 * h / 4 - r2, 2 * r2, 2 * r2);
    return emblem;
}

void CardGraphicsItem::setPaintMode(PaintMode mode)
{
    paint_mode = mode;
}

CardGraphicsItem::PaintMode CardGraphicsItem::paintMode()
{
    return paint_mode;
}

CardGraphicsItem::CardGraphicsItem() : hover_offset(table::hoverOffset)
{
    setSharedRenderer(card_renderer());
    // QGraphicsSvgItem turns on DeviceCoordinateCache, which repaints a tilted card on
    // every frame and would only copy our own device-resolution pictures once more.
    setCacheMode(QGraphicsItem::NoCache);
}

QString CardGraphicsItem::elementIdFor(const Card &card)
{
    const std::string id = ::faceElementId(card);
    return id.empty() ? backBlue : QString::fromStdString(id);
}

void CardGraphicsItem::setCard(const Card &new_card)
{
    shown_card = new_card;
    face_element_id = elementIdFor(new_card);
    setElementId(face_down ? backRed : face_element_id);
    update();
}

void CardGraphicsItem::setFaceDown(bool down)
{
    face_down = down;
    setElementId(face_down ? backRed : face_element_id);
    update();
}

void CardGraphicsItem::resetDisplay()
{
    setRotation(0);
    setScale(1.0);
    setOpacity(1.0);
    setTransformOriginPoint(0, 0);
    setVisible(true);
    // A card still lifted when the table is laid out again would float into the next round.
    if (hovered)
        lower();
}

void CardGraphicsItem::lower()
{
    hovered = false;
    setTransform(QTransform::fromTranslate(-lift.x(), -lift.y()), true);
    lift = QPointF();
    update();
}

void CardGraphicsItem::setLifted(bool lifted)
{
    if (lifted == hovered)
        return;
    if (!lifted) {
        lower();
        return;
    }
    hovered = true;
    // The item's transform acts after its rotation, so the lift is turned by the tilt
    // here: a card tilted in the hand rises along its own edge, not straight up.
    lift = QTransform().rotate(rotation()).map(QPointF(0, -hover_offset));
    setTransform(QTransform::fromTranslate(lift.x(), lift.y()), true);
    update();
}

void CardGraphicsItem::hoverEnterEvent(QGraphicsSceneHoverEvent *)
{
    if (hovered)
        return;
    setLifted(true);
    emit hoverEntered(item_id);
}

void CardGraphicsItem::hoverLeaveEvent(QGraphicsSceneHoverEvent *)
{
    if (!hovered)
        return;
    lower();
    emit hoverLeft(item_id);
}

void CardGraphicsItem::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();  // not ours: no grab, nothing happens
        return;
    }
    hoverLeaveEvent(nullptr);
    event->accept();
    emit clicked(item_id);
}

void CardGraphicsItem::paintEmblem(QPainter *painter, const QRectF &bounds, const QRectF &clip)
{
    painter->setClipRect(clip, Qt::ReplaceClip);
    painter->setPen(Qt::NoPen);
    painter->setBrush(QBrush(QColor(table::emblemRed, 0, 0, 255), Qt::DiagCrossPattern));
    const CardEmblem emblem = cardEmblem(bounds.size());
    painter->drawPolygon(emblem.diamond, Qt::OddEvenFill);
    painter->drawEllipse(emblem.centre);
    painter->drawEllipse(emblem.top_left);
    painter->drawEllipse(emblem.bottom_right);
}

void CardGraphicsItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
                             QWidget *widget)
{
    if (paint_mode == PaintMode::Cached
        && painter->worldTransform().type() != QTransform::TxProject) {
        paintCached(painter);
        if (hinted)
            paintHintMark(painter);
        return;
    }
    // The view does not save the painter state around items: leave it as we found it.
    painter->save();
    QGraphicsSvgItem::paint(painter, option, widget);
    if (face_down)
        paintEmblem(painter, boundingRect(), option->exposedRect);
    painter->restore();
    if (hinted)
        paintHintMark(painter);
}

void CardGraphicsItem::setHinted(bool hint)
{
    if (hinted == hint)
        return;
    hinted = hint;
    update();
}

void CardGraphicsItem::paintHintMark(QPainter *painter) const
{
    // A soft glow under a fine line, both inside the card's own bounds: the item repaints
    // nothing outside them.
    const QRectF bounds = boundingRect();
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setBrush(Qt::NoBrush);
    QColor glow = table::hintColour;
    glow.setAlpha(table::hintGlowAlpha);
    const qreal glow_inset = table::hintGlowWidth / 2.0;
    painter->setPen(QPen(glow, table::hintGlowWidth));
    painter->drawRoundedRect(bounds.adjusted(glow_inset, glow_inset, -glow_inset, -glow_inset),
                             table::hintCornerRadius, table::hintCornerRadius);
    const qreal line_inset = table::hintLineWidth / 2.0;
    painter->setPen(QPen(table::hintColour, table::hintLineWidth));
    painter->drawRoundedRect(bounds.adjusted(line_inset, line_inset, -line_inset, -line_inset),
                             table::hintCornerRadius, table::hintCornerRadius);
    painter->restore();
}

void CardGraphicsItem::paintCached(QPainter *painter)
{
    const QRectF bounds = boundingRect();
    const double own_scale = scale();
    if (bounds.isEmpty() || !(own_scale > 0))
        return;
    const QTransform world = painter->worldTransform();
    const double dpr = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    const double sx = std::hypot(world.m11(), world.m12());
    const double sy = std::hypot(world.m21(), world.m22());
    if (!(sx > 0) || !(sy > 0))
        return;

    const int overlay_key = face_down ? 1 : 0;
    const CardPixmapCache::Overlay overlay = [this](QPainter *p, const QRectF &r) {
        if (face_down)
            paintEmblem(p, r, r);
    };
    CardPixmapCache &cache = CardPixmapCache::instance();

    // At rest (own scale 1, uniform scale, a resting angle) the picture is made for the
    // exact device transform and blitted pixel for pixel: as sharp as drawing the SVG.
    const bool uniform = std::abs(sx - sy) <= shapeTolerance * sx
                         && std::abs(world.m11() * world.m21() + world.m12() * world.m22())
                                <= shapeTolerance * sx * sy
                         && world.determinant() > 0;
    if (uniform && std::abs(own_scale - 1.0) <= shapeTolerance) {
        const double angle = std::atan2(world.m12(), world.m11()) * 180.0 / M_PI;
        for (const int resting : restingAngles) {
            if (std::abs(angle - resting) > angleTolerance)
                continue;
            const CardPixmapCache::Entry &entry = cache.entry(
                card_renderer(), elementId(), bounds, sx * dpr, resting, overlay_key, overlay);
            const QPoint origin(int(std::lround(world.dx() * dpr)),
                                int(std::lround(world.dy() * dpr)));
            painter->save();
            painter->setWorldTransform(QTransform::fromScale(1 / dpr, 1 / dpr));
            const double wanted = CardPixmapCache::quantizedScale(sx * dpr);
            if (entry.scale == wanted) {
                drawUncovered(painter, origin + entry.offset, entry.image, world, dpr, wanted,
                              resting);
            } else {
                // The picture of another size stands in until this one is made.
                const double f = wanted / entry.scale;
                painter->setRenderHint(QPainter::SmoothPixmapTransform);
                painter->drawImage(QRectF(QPointF(origin) + QPointF(entry.offset) * f,
                                          QSizeF(entry.image.size()) * f),
                                   entry.image);
                update();
            }
            painter->restore();
            return;
        }
    }

    // In flight (spinning, shrinking): the upright picture of the card's resting size,
    // transformed. Shrinking or turning never renders the SVG again.
    const double rest_scale = std::max(sx, sy) * dpr / own_scale;
    const CardPixmapCache::Entry &entry =
        cache.entry(card_renderer(), elementId(), bounds, rest_scale, 0, overlay_key, overlay);
    const double unit = entry.scale;
    if (unit != CardPixmapCache::quantizedScale(rest_scale))
        update();  // a stand-in: the right size comes in a later frame
    const QRectF target(entry.offset.x() / unit, entry.offset.y() / unit,
                        entry.image.width() / unit, entry.image.height() / unit);
    painter->save();
    painter->setRenderHint(QPainter::SmoothPixmapTransform);
    painter->drawImage(target, entry.image, QRectF(entry.image.rect()));
    painter->restore();
}

// A hand fans its cards so that each hides most of the one below: drawing that one whole
// blended every hidden pixel in vain, most of a frame's cost on a large screen. Here the
// card draws, in bands of rows, only what lies outside the opaque middle of the card above
// (which replaces whatever is beneath it exactly), when that card is sure to be drawn
// opaque right over it at the same angle and size. `at` is the image's top-left on the
// device, the painter unscaled to device pixels. The image is a copy: making the picture
// of the card above may rehash the cache under a reference.
void CardGraphicsItem::drawUncovered(QPainter *painter, QPoint at, QImage image,
                                     const QTransform &world, double dpr, double scale,
                                     int angle) const
{
    // Small pictures blend faster than the bands are worked out (a 1920 x 1080 table).
    constexpr qint64 worthwhilePixels = 40000;
    const CardGraphicsItem *above = covering_card;
    if (!above || qint64(image.width()) * image.height() < worthwhilePixels
        || !liesOpaquelyUnder(*above)) {
        painter->drawImage(at, image);
        return;
    }
    const QTransform above_world = above->sceneTransform() * sceneTransform().inverted() * world;
    const double tolerance = shapeTolerance * std::hypot(world.m11(), world.m12());
    if (std::abs(above_world.m11() - world.m11()) > tolerance
        || std::abs(above_world.m12() - world.m12()) > tolerance
        || std::abs(above_world.m21() - world.m21()) > tolerance
        || std::abs(above_world.m22() - world.m22()) > tolerance) {
        painter->drawImage(at, image);
        return;
    }
    const CardPixmapCache::Overlay overlay = [above](QPainter *p, const QRectF &r) {
        if (above->face_down)
            paintEmblem(p, r, r);
    };
    const CardPixmapCache::Entry &cover = CardPixmapCache::instance().entry(
        card_renderer(), above->elementId(), above->boundingRect(), scale, angle,
        above->face_down ? 1 : 0, overlay);
    if (cover.scale != scale) {  // a stand-in, drawn stretched: its pixels are not known
        painter->drawImage(at, image);
        return;
    }
    const QPoint cover_at =
        QPoint(int(std::lround(above_world.dx() * dpr)), int(std::lround(above_world.dy() * dpr)))
        + cover.offset;

    // Per row of our image, the columns [left, right) the card above surely hides. One
    // pixel of margin each way allows for the rounding of either card's position.
    const int width = image.width();
    const int cover_rows = int(cover.opaque.size());
    auto hidden = [&](int y) {
        int left = 0;
        int right = width;
        for (int dy = -1; dy <= 1; ++dy) {
            const int row = y + at.y() - cover_at.y() + dy;
            if (row < 0 || row >= cover_rows)
                return std::pair(0, 0);
            const CardPixmapCache::Entry::Span &span = cover.opaque[std::size_t(row)];
            left = std::max(left, span.left + 1 + cover_at.x() - at.x());
            right = std::min(right, span.right - 1 + cover_at.x() - at.x());
        }
        return left < right ? std::pair(left, right) : std::pair(0, 0);
    };

    drawOutsideHidden(painter, at, image, hidden);
}

// Stacked above: a higher z, or the same z and added to the scene later (the scene adds a
// hand's cards in order). Not under Qt's item cache: a cached picture of ours would keep
// the hole after the card above has gone.
bool CardGraphicsItem::liesOpaquelyUnder(const CardGraphicsItem &above) const
{
    return above.isVisible() && above.scene() == scene() && scene() && above.zValue() >= zValue()
           && above.effectiveOpacity() >= 1.0 && !above.graphicsEffect()
           && !above.boundingRect().isEmpty() && cacheMode() == NoCache
           && above.cacheMode() == NoCache;
}
