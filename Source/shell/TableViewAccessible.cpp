#include "TableViewAccessible.h"

#include "AnnouncementAccessible.h"
#include "GraphicsView.h"
#include "SummaryElementRegistry.h"

TableViewAccessible::TableViewAccessible(GraphicsView *view)
    : QAccessibleWidget(view, QAccessible::Canvas),
      summary_elements(std::make_unique<SummaryElementRegistry>(view))
{
}

TableViewAccessible::~TableViewAccessible() = default;

QList<QAccessibleInterface *> TableViewAccessible::extraElements() const
{
    const auto *view = static_cast<const GraphicsView *>(widget());
    QList<QAccessibleInterface *> elements = summary_elements->elements();
    if (AnnouncementAccessible *news = view->currentAnnouncement())
        elements << news;
    return elements;
}

QString TableViewAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Description)
        return static_cast<const GraphicsView *>(widget())->tableDescription();
    return QAccessibleWidget::text(t);
}

int TableViewAccessible::childCount() const
{
    return QAccessibleWidget::childCount() + int(extraElements().size());
}

QAccessibleInterface *TableViewAccessible::child(int index) const
{
    const int own = QAccessibleWidget::childCount();
    if (index < own)
        return QAccessibleWidget::child(index);
    return extraElements().value(index - own);
}

int TableViewAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    const int index = int(extraElements().indexOf(const_cast<QAccessibleInterface *>(child)));
    return index >= 0 ? QAccessibleWidget::childCount() + index
                      : QAccessibleWidget::indexOfChild(child);
}

QAccessibleInterface *tableViewAccessibleFactory(const QString &class_name, QObject *object)
{
    if (class_name == QLatin1String("GraphicsView") && object && object->isWidgetType())
        return new TableViewAccessible(static_cast<GraphicsView *>(object));
    return nullptr;
}
