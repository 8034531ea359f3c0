#include "TableViewAccessible.h"

#include "GraphicsView.h"
#include "TrickCompleteScene.h"

TableViewAccessible::TableViewAccessible(GraphicsView *view)
    : QAccessibleWidget(view, QAccessible::Canvas)
{
}

QList<QAccessibleInterface *> TableViewAccessible::summaryElements() const
{
    const auto *view = static_cast<const GraphicsView *>(widget());
    if (auto *summary = qobject_cast<TrickCompleteScene *>(view->scene()))
        return summary->accessibleElements();
    return {};
}

int TableViewAccessible::childCount() const
{
    return QAccessibleWidget::childCount() + int(summaryElements().size());
}

QAccessibleInterface *TableViewAccessible::child(int index) const
{
    const int own = QAccessibleWidget::childCount();
    if (index < own)
        return QAccessibleWidget::child(index);
    return summaryElements().value(index - own);
}

int TableViewAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    const int index = int(summaryElements().indexOf(const_cast<QAccessibleInterface *>(child)));
    return index >= 0 ? QAccessibleWidget::childCount() + index
                      : QAccessibleWidget::indexOfChild(child);
}

QAccessibleInterface *tableViewAccessibleFactory(const QString &class_name, QObject *object)
{
    if (class_name == QLatin1String("GraphicsView") && object && object->isWidgetType())
        return new TableViewAccessible(static_cast<GraphicsView *>(object));
    return nullptr;
}
