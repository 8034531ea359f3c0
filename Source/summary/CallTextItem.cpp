#include "CallTextItem.h"

#include <QGraphicsSceneMouseEvent>
#include <QPainter>
#include <QPen>

namespace {

constexpr qreal focusPenWidth = 3;
constexpr qreal focusCornerRadius = 6;
const QColor focusColour(20, 20, 20);

}  // namespace

CallTextItem::CallTextItem(const QString &text, QGraphicsItem *parent)
    : QGraphicsTextItem(text, parent)
{
    setAcceptedMouseButtons(Qt::LeftButton);
}

void CallTextItem::click()
{
    emit clicked();
}

void CallTextItem::setFocusMarked(bool marked)
{
    if (marked == focus_marked)
        return;
    focus_marked = marked;
    update();
}

void CallTextItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
                         QWidget *widget)
{
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
    if (event->button() != Qt::LeftButton)
        return;
    event->accept();
    emit clicked();
}
