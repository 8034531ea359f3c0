#pragma once

#include <QGraphicsView>
#include <QSize>

// The table's view; it tells the window its new size so the table can be scaled to fit,
// and draws the table's cloth behind every scene it shows.
class GraphicsView : public QGraphicsView
{
    Q_OBJECT

public:
    explicit GraphicsView(QWidget *parent = nullptr);

signals:
    void resized(QSize size);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void drawBackground(QPainter *painter, const QRectF &rect) override;
};
