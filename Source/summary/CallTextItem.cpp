#include "CallTextItem.h"

#include <QGraphicsSceneMouseEvent>

CallTextItem::CallTextItem(const QString &text, QGraphicsItem *parent)
    : QGraphicsTextItem(text, parent)
{
    setAcceptedMouseButtons(Qt::LeftButton);
}

void CallTextItem::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    event->accept();
    emit clicked();
}
