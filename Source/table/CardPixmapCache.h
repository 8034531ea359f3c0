#pragma once

#include <QHash>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QRectF>
#include <QString>

#include <functional>
#include <vector>

class QPainter;
class QSvgRenderer;

// Card pictures rendered once from the SVG deck at the size they take on the device and
// shared by every card item that shows the same element. Each entry is the element drawn
// at a given number of device pixels per item unit, turned by a given whole angle, so a
// card at rest is a plain blit at device resolution and a card in motion is a cheap
// transformed image instead of a fresh SVG render per frame.
//
// Entries of at most two scales are kept (the view's current one and the fullest other
// one): a resized view drops what it no longer shows instead of piling up sizes.
//
// A new scale does not stall the frame that first needs it: once a frame has spent its
// rendering budget, a missing picture is stood in for by the same picture at the kept
// scale, until a later frame makes it (the item asks for that frame).
class CardPixmapCache
{
public:
    struct Entry {
        QImage image;
        // Device-pixel offset of the image's top-left from the item's origin on the device.
        QPoint offset;
        // The scale it was rendered at: that of another scale when it stands in.
        double scale = 0;
        // Per image row, the widest run [left, right) of fully opaque pixels: whatever lies
        // under it is hidden, so a card beneath need not draw there.
        struct Span {
            int left = 0;
            int right = 0;
        };
        std::vector<Span> opaque;
    };

    // Draws extra artwork (the face-down emblem) over the element, in item units.
    using Overlay = std::function<void(QPainter *, const QRectF &bounds)>;

    static CardPixmapCache &instance();

    // The element with its overlay (when overlay_key is not 0) at `scale` device pixels
    // per unit, turned by `angle` degrees; rendered on first use.
    const Entry &entry(QSvgRenderer *renderer, const QString &element, const QRectF &bounds,
                       double scale, int angle, int overlay_key, const Overlay &overlay);

    // Starts a new frame's rendering budget. Called by itself when the event loop turns;
    // a program that draws frames without one calls it between frames.
    void startFrame();

    void clear();
    int entryCount() const { return int(entries.size()); }
    // How many SVG renders the cache has done since it was created: lets tests and the
    // benchmark show that steady frames render nothing.
    int renderCount() const { return renders; }

    // Size of the picture kept for an element at a scale and angle, empty if none: lets the
    // tests check that pictures are made at the device's own size.
    QSize imageSize(const QString &element, double scale, int angle, int overlay_key) const;
    // The scales whose pictures are kept, the latest first.
    QList<double> scales() const;

    // Scales are kept in steps of 1/4096 pixel per unit; nearby scales share an entry.
    static int scaleKey(double scale);
    // The scale an entry is actually rendered at.
    static double quantizedScale(double scale);

private:
    struct Key {
        QString element;
        int scale_key;
        int angle;
        int overlay_key;
        bool operator==(const Key &other) const = default;
    };
    friend size_t qHash(const Key &key, size_t seed) noexcept
    {
        return qHashMulti(seed, key.element, key.scale_key, key.angle, key.overlay_key);
    }

    void noteScale(int scale_key);
    const Entry *standIn(const Key &key) const;
    bool budgetSpent() const;

    QHash<Key, Entry> entries;
    QList<int> recent_scales;  // most recent first
    int renders = 0;
    bool frame_open = false;  // a frame's budget is being spent
    qint64 frame_spent_ns = 0;
};
