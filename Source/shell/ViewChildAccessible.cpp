#include "ViewChildAccessible.h"

#include <QWidget>
#include <QWindow>

QObject *ViewChildAccessible::object() const
{
    return nullptr;  // its owner deletes it; the cache must not tie it to an object
}

QWindow *ViewChildAccessible::window() const
{
    const QAccessibleInterface *view = parent();
    return view ? view->window() : nullptr;
}

QAccessibleInterface *ViewChildAccessible::parent() const
{
    QWidget *view = hostView();
    return view ? QAccessible::queryAccessibleInterface(view) : nullptr;
}

QAccessibleInterface *ViewChildAccessible::child(int) const
{
    return nullptr;
}

int ViewChildAccessible::childCount() const
{
    return 0;
}

int ViewChildAccessible::indexOfChild(const QAccessibleInterface *) const
{
    return -1;
}

QAccessibleInterface *ViewChildAccessible::childAt(int, int) const
{
    return nullptr;
}

void ViewChildAccessible::setText(QAccessible::Text, const QString &) {}
