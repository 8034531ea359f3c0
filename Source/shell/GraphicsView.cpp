#include "GraphicsView.h"

#include <QPainter>
#include <QRadialGradient>
#include <QResizeEvent>

namespace {

const QColor clothCentre(0, 155, 174);
const QColor clothEdge(255, 255, 255);

}  // namespace

GraphicsView::GraphicsView(QWidget *parent) : QGraphicsView(parent) {}

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
