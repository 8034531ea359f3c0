#include "GraphicsView.h"

#include "AnnouncementAccessible.h"

#include <QResizeEvent>

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
