#include "CallTextItem.h"

#include <QCursor>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>
#include <QPen>

namespace {

const QColor highlightFill(255, 255, 255, 110);
const QColor highlightEdge(0, 95, 110, 200);
constexpr qreal inactiveOpacity = 0.35;  // faded, still legible on the table
constexpr qreal focusPenWidth = 3;
constexpr qreal focusCornerRadius = 6;
const QColor focusColour(20, 20, 20);

}  // namespace

CallTextItem::CallTextItem(const QString &text, QGraphicsItem *parent)
    : QGraphicsTextItem(text, parent)
{
    setAcceptedMouseButtons(Qt::LeftButton);
    setAcceptHoverEvents(true);
    applyEnabledLook();
}

void CallTextItem::click()
{
    if (!isEnabled())
        return;
    emit clicked();
}

void CallTextItem::setFocusMarked(bool marked)
{
    if (marked == focus_marked)
        return;
    focus_marked = marked;
    update();
}

void CallTextItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget)
{
    if (highlighted) {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QPen(highlightEdge, 2));
        painter->setBrush(highlightFill);
        const QRectF box = boundingRect().adjusted(1, 1, -1, -1);
        painter->drawRoundedRect(box, 8, 8);
        painter->restore();
    }
    QGraphicsTextItem::paint(painter, option, widget);
    if (!focus_marked)
        return;
    painter->save();
    painter->setPen(QPen(focusColour, focusPenWidth));
    painter->setBrush(Qt::NoBrush);
    // Inside the bounding rectangle, which is all the view repaints for the item.
    const qreal inset = focusPenWidth / 2;
    painter->drawRoundedRect(boundingRect().adjusted(inset, inset, -inset, -inset),
                             focusCornerRadius, focusCornerRadius);
    painter->restore();
}

void CallTextItem::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !isEnabled())
        return;
    event->accept();
    emit clicked();
}

void CallTextItem::hoverEnterEvent(QGraphicsSceneHoverEvent *)
{
    highlighted = isEnabled();
    update();
}

void CallTextItem::hoverLeaveEvent(QGraphicsSceneHoverEvent *)
{
    highlighted = false;
    update();
}

QVariant CallTextItem::itemChange(GraphicsItemChange change, const QVariant &value)
{
    if (change == ItemEnabledHasChanged)
        applyEnabledLook();
    return QGraphicsTextItem::itemChange(change, value);
}

void CallTextItem::applyEnabledLook()
{
    if (isEnabled()) {
        setOpacity(1.0);
        setCursor(Qt::PointingHandCursor);
    } else {
        highlighted = false;
        setOpacity(inactiveOpacity);
        unsetCursor();
    }
    update();
}
