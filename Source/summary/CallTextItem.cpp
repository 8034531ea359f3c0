#include "CallTextItem.h"

#include <QCursor>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>

namespace {

const QColor highlight_fill(255, 255, 255, 110);
const QColor highlight_edge(0, 95, 110, 200);
constexpr qreal inactive_opacity = 0.35;  // faded, still legible on the table

} // namespace

CallTextItem::CallTextItem(const QString &text, QGraphicsItem *parent)
    : QGraphicsTextItem(text, parent)
{
    setAcceptedMouseButtons(Qt::LeftButton);
    setAcceptHoverEvents(true);
    applyEnabledLook();
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
        setOpacity(inactive_opacity);
        unsetCursor();
    }
    update();
}

void CallTextItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
                         QWidget *widget)
{
    if (highlighted) {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QPen(highlight_edge, 2));
        painter->setBrush(highlight_fill);
        const QRectF box = boundingRect().adjusted(1, 1, -1, -1);
        painter->drawRoundedRect(box, 8, 8);
        painter->restore();
    }
    QGraphicsTextItem::paint(painter, option, widget);
}
