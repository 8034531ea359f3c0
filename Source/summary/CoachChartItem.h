#pragma once

#include "Coach.h"

#include <QCoreApplication>
#include <QFont>
#include <QGraphicsItem>
#include <QList>
#include <QRectF>

class QGraphicsRectItem;
class QGraphicsTextItem;

// Learning Mode's advice in the round summary: the coach's suggested call, how often the
// selector's call is made, and a bar chart of the simulated rounds by the tricks this hand
// took in them, the suggestion's bar in red. It fills the area it is given: the caption at
// its top, the suggestion on its bottom edge (the selector's line), the bars between.
// It draws nothing itself; its parts are its children.
class CoachChartItem : public QGraphicsItem
{
    Q_DECLARE_TR_FUNCTIONS(CoachChartItem)

public:
    enum { Type = UserType + 4 };
    int type() const override { return Type; }

    // area's right edge is where the chart should end: its columns shrink their numbers
    // to fit, down to a limit, and run past it only then.
    CoachChartItem(int suggested_call, const Coach::Histogram &rounds_by_tricks, const QRectF &area,
                   const QFont &font, const QString &chance_text);

    const Coach::Histogram &rounds() const { return rounds_by_tricks; }
    void setChanceText(const QString &text);
    QGraphicsTextItem *suggestionItem() const { return suggestion_item; }
    QGraphicsTextItem *chanceItem() const { return chance_item; }
    QList<QGraphicsRectItem *> bars() const { return chart_bars; }

    QRectF boundingRect() const override { return QRectF(); }
    void paint(QPainter *, const QStyleOptionGraphicsItem *, QWidget *) override {}

private:
    QGraphicsTextItem *addText(const QString &text, const QFont &font);
    // The bars and their numbers from the caption's foot down to the selector's line.
    void placeBars(int suggested_call, const QRectF &area, qreal caption_bottom);

    Coach::Histogram rounds_by_tricks;
    QFont summary_font;
    QGraphicsTextItem *suggestion_item = nullptr;
    QGraphicsTextItem *chance_item = nullptr;
    QList<QGraphicsRectItem *> chart_bars;  // one per trick count, 0 to all
};
