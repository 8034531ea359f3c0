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
// took in them, each with its count, the suggestion's bar in red, the selector's call outlined. It
// fills the area it is given: the caption at its top, the suggestion on its bottom edge (the
// selector's line), the bars between. It draws nothing itself; its parts are its children.
class CoachChartItem : public QGraphicsItem
{
    Q_DECLARE_TR_FUNCTIONS(CoachChartItem)

public:
    enum { Type = UserType + 4 };
    int type() const override { return Type; }

    // area's right edge is where the chart should end: its columns shrink their numbers
    // to fit, down to a limit (never below legible_point_size), and run past it only then.
    CoachChartItem(int suggested_call, const Coach::Histogram &rounds_by_tricks, const QRectF &area,
                   const QFont &font, const QString &suggestion_text, int legible_point_size = 0);

    const Coach::Histogram &rounds() const { return rounds_by_tricks; }
    // The call on the selector: its column outlined, and the words on how it fares.
    void setCall(int call, const QString &chance_text);
    QGraphicsRectItem *callMark() const { return call_mark; }
    QGraphicsTextItem *suggestionItem() const { return suggestion_item; }
    QGraphicsTextItem *chanceItem() const { return chance_item; }
    QList<QGraphicsRectItem *> bars() const { return chart_bars; }

    QRectF boundingRect() const override { return QRectF(); }
    void paint(QPainter *, const QStyleOptionGraphicsItem *, QWidget *) override {}

private:
    QGraphicsTextItem *addText(const QString &text, const QFont &font);
    // The bars and their numbers from the notes' foot down to the selector's line.
    void placeBars(int suggested_call, const QRectF &area, qreal caption_bottom);

    Coach::Histogram rounds_by_tricks;
    QFont summary_font;
    int smallest_point_size = 0;
    QGraphicsTextItem *suggestion_item = nullptr;
    QGraphicsTextItem *chance_item = nullptr;
    QList<QGraphicsRectItem *> chart_bars;  // one per trick count, 0 to all
    QGraphicsRectItem *call_mark = nullptr;
    qreal column_width = 0;
};
