#include "SummaryElementAccessible.h"

#include "CallTextItem.h"
#include "TrickCompleteScene.h"

#include <QGraphicsView>
#include <QPolygon>
#include <QWindow>

SummaryElementAccessible::SummaryElementAccessible(TrickCompleteScene *scene, Kind kind,
                                                   CallTextItem *button)
    : scene(scene), kind(kind), button(button)
{
}

bool SummaryElementAccessible::isValid() const
{
    return scene && (kind != Kind::Button || button);
}

QObject *SummaryElementAccessible::object() const
{
    return nullptr;  // the cache must not tie it to an item: the scene deletes it
}

QWindow *SummaryElementAccessible::window() const
{
    const QAccessibleInterface *view = parent();
    return view ? view->window() : nullptr;
}

QAccessibleInterface *SummaryElementAccessible::parent() const
{
    if (!scene || scene->views().isEmpty())
        return nullptr;
    return QAccessible::queryAccessibleInterface(scene->views().first());
}

QAccessibleInterface *SummaryElementAccessible::child(int) const
{
    return nullptr;
}

int SummaryElementAccessible::childCount() const
{
    return 0;
}

int SummaryElementAccessible::indexOfChild(const QAccessibleInterface *) const
{
    return -1;
}

QAccessibleInterface *SummaryElementAccessible::childAt(int, int) const
{
    return nullptr;
}

QString SummaryElementAccessible::text(QAccessible::Text t) const
{
    if (!isValid() || t != QAccessible::Name)
        return QString();
    switch (kind) {
    case Kind::Standings:
        return scene->standingsText();
    case Kind::Call:
        return scene->callText();
    case Kind::Button:
        return button->toPlainText();
    }
    return QString();
}

void SummaryElementAccessible::setText(QAccessible::Text, const QString &) {}

QRect SummaryElementAccessible::rect() const
{
    if (!isValid() || scene->views().isEmpty())
        return QRect();
    QRectF area;
    switch (kind) {
    case Kind::Standings:
        // Every text that is not a button: names, points, calls, the headers and the total.
        for (const QGraphicsItem *item : scene->items())
            if (item->type() == QGraphicsTextItem::Type)
                area |= item->sceneBoundingRect();
        break;
    case Kind::Call:
        area = scene->callRect();
        break;
    case Kind::Button:
        area = button->sceneBoundingRect();
        break;
    }
    const QGraphicsView *view = scene->views().first();
    const QRect local = view->mapFromScene(area).boundingRect();
    return QRect(view->viewport()->mapToGlobal(local.topLeft()), local.size());
}

QAccessible::Role SummaryElementAccessible::role() const
{
    return kind == Kind::Button ? QAccessible::PushButton : QAccessible::StaticText;
}

QAccessible::State SummaryElementAccessible::state() const
{
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    if (kind == Kind::Button) {
        state.focusable = true;
        state.focused = button->isFocusMarked();
        state.invisible = !button->isVisible();
    } else {
        state.readOnly = true;
    }
    return state;
}

void *SummaryElementAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ActionInterface && kind == Kind::Button)
        return static_cast<QAccessibleActionInterface *>(this);
    return nullptr;
}

QStringList SummaryElementAccessible::actionNames() const
{
    return kind == Kind::Button ? QStringList{pressAction()} : QStringList();
}

void SummaryElementAccessible::doAction(const QString &action_name)
{
    // A hidden button ("Continue" once the game has ended) cannot be pressed.
    if (action_name == pressAction() && isValid() && kind == Kind::Button && button->isVisible())
        button->click();
}

QStringList SummaryElementAccessible::keyBindingsForAction(const QString &) const
{
    return QStringList();
}
