#include "GraphicsView.h"

#include "AnnouncementAccessible.h"

#include <QPainter>
#include <QRadialGradient>
#include <QResizeEvent>

namespace {

const QColor clothCentre(0, 155, 174);
const QColor clothEdge(255, 255, 255);

}  // namespace

GraphicsView::GraphicsView(QWidget *parent) : QGraphicsView(parent) {}

GraphicsView::~GraphicsView()
{
    for (const QAccessible::Id id : announcement_ids)
        QAccessible::deleteAccessibleInterface(id);
}

void GraphicsView::resizeEvent(QResizeEvent *event)
{
    QGraphicsView::resizeEvent(event);
    emit resized(event->size());
}

// Drawn here in the viewport's own coordinates, not as a style sheet's background: Qt
// fills a widget's gradient background over the device's pixel size, which at 2 device
// pixels per pixel puts its centre in the bottom-right corner. (A style sheet on the view
// also reached its tool tips.)
void GraphicsView::drawBackground(QPainter *painter, const QRectF &)
{
    QRadialGradient cloth(0.5, 0.5, 0.5, 0.5, 0.5);
    cloth.setCoordinateMode(QGradient::ObjectBoundingMode);
    cloth.setSpread(QGradient::ReflectSpread);
    cloth.setColorAt(0, clothCentre);
    cloth.setColorAt(1, clothEdge);
    painter->save();
    painter->resetTransform();
    painter->fillRect(viewport()->rect(), cloth);
    painter->restore();
}

void GraphicsView::announce(const QString &text)
{
    if (!QAccessible::isActive())
        return;  // nobody listens: make nothing
    announcement_ids.append(
        QAccessible::registerAccessibleInterface(new AnnouncementAccessible(this, text)));
    while (announcement_ids.size() > keptAnnouncements)
        QAccessible::deleteAccessibleInterface(announcement_ids.takeFirst());
    QAccessibleEvent event(QAccessible::accessibleInterface(announcement_ids.last()),
                           QAccessible::Focus);
    QAccessible::updateAccessibility(&event);
    // The description's change goes out behind the news: readers speak a change of the
    // object they are on, and over AT-SPI it arrives without its text.
    if (table_description != announced_description) {
        announced_description = table_description;
        QAccessibleEvent changed(this, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&changed);
    }
}

AnnouncementAccessible *GraphicsView::currentAnnouncement() const
{
    if (announcement_ids.isEmpty())
        return nullptr;
    return static_cast<AnnouncementAccessible *>(
        QAccessible::accessibleInterface(announcement_ids.last()));
}
