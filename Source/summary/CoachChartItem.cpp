#include "CoachChartItem.h"

#include "Player.h"
#include "SummaryStyle.h"

#include <QBrush>
#include <QGraphicsEllipseItem>
#include <QGraphicsLineItem>
#include <QGraphicsRectItem>
#include <QGraphicsTextItem>
#include <QPen>

#include <algorithm>

namespace {

constexpr qreal barOpacity = 0.5;
constexpr qreal barFill = 0.7;  // of each bar's column; the rest is space
constexpr qreal columnPadding = 8;
constexpr int smallestPointSize = 11;

}  // namespace

CoachChartItem::CoachChartItem(int suggested_call, const Coach::Histogram &rounds,
                               const QRectF &area, const QFont &font,
                               const QString &suggestion_text, int legible_point_size)
    : rounds_by_tricks(rounds), summary_font(font),
      smallest_point_size(std::max(smallestPointSize, legible_point_size))
{
    setFlag(ItemHasNoContents);
    suggestion_item = addText(suggestion_text, summary_font);
    suggestion_item->setPos(area.left(), area.bottom());
    // The notes beside and above the chart need more words: the upright face.
    QFont note_font = summary_font;
    note_font.setStretch(QFont::Unstretched);
    QGraphicsTextItem *caption =
        addText(tr("Tricks this hand took in %1 simulated rounds").arg(simulationRuns), note_font);
    caption->setPos(area.left(), area.top());
    // Under the caption, within the chart's width, with room for two lines: its words
    // change with the call.
    chance_item = addText(QStringLiteral("0\n0"), note_font);
    chance_item->setTextWidth(std::max(area.width(), caption->boundingRect().width()));
    chance_item->setPos(area.left(), caption->sceneBoundingRect().bottom());
    const qreal chance_bottom = chance_item->sceneBoundingRect().bottom();
    chance_item->setPlainText(QString());
    placeBars(suggested_call, area, chance_bottom);
}

void CoachChartItem::placeBars(int suggested_call, const QRectF &area, qreal caption_bottom)
{
    const QString number = QStringLiteral("<center>%1</center>");
    const int columns = int(rounds_by_tricks.size());
    QGraphicsTextItem widest_label(QString::number(columns - 1));  // measured, never shown
    QFont label_font = summary_font;
    widest_label.setFont(label_font);
    // Longer words (other languages, sideoff marks) push the chart right: its numbers get
    // smaller, down to a limit, before it runs past the hand.
    const qreal room = (area.right() - area.left()) / columns;
    while (widest_label.boundingRect().width() + columnPadding > room
           && label_font.pointSizeF() > smallest_point_size) {
        label_font.setPointSizeF(label_font.pointSizeF() - 1);
        widest_label.setFont(label_font);
    }
    const qreal label_height = widest_label.boundingRect().height();
    const qreal column = std::max(widest_label.boundingRect().width() + columnPadding, room);

    const qreal baseline = area.bottom() - label_height;
    // Room over the tallest bar for its count.
    QFont count_font = label_font;
    count_font.setStretch(QFont::Unstretched);
    QGraphicsTextItem count_probe(QString::number(simulationRuns));  // measured, never shown
    count_probe.setFont(count_font);
    const qreal tallest = baseline - caption_bottom - count_probe.boundingRect().height();
    column_width = column;
    const int most =
        std::max(1, *std::max_element(rounds_by_tricks.begin(), rounds_by_tricks.end()));
    const qreal bar_width = column * barFill;
    for (int tricks = 0; tricks < columns; ++tricks) {
        const int rounds = rounds_by_tricks[std::size_t(tricks)];
        const qreal height = tallest * rounds / most;
        const qreal x = area.left() + tricks * column;
        const bool suggested = tricks == suggested_call;
        auto *bar = new QGraphicsRectItem(0, 0, bar_width, height, this);
        bar->setPos(x + (column - bar_width) / 2, baseline - height);
        bar->setBrush(QBrush(suggested ? summarystyle::markerRed : summarystyle::chartGrey,
                             Qt::SolidPattern));
        bar->setPen(Qt::NoPen);
        bar->setOpacity(barOpacity);
        bar->setToolTip(tr("Tricks: %1\nSimulated rounds: %2 of %3")
                            .arg(tricks)
                            .arg(rounds)
                            .arg(simulationRuns));
        chart_bars.append(bar);
        if (rounds > 0) {
            auto *count = new QGraphicsTextItem(this);
            count->setFont(count_font);
            count->setHtml(number.arg(rounds));
            count->setTextWidth(column);
            count->setPos(x, bar->y() - count->boundingRect().height());
        }

        auto *label = new QGraphicsTextItem(this);
        label->setFont(label_font);
        label->setHtml(number.arg(tricks));
        label->setTextWidth(column);
        label->setPos(x, baseline);
        if (suggested) {
            auto *marker = new QGraphicsEllipseItem(label->boundingRect(), this);
            marker->setPos(label->pos());
            marker->setBrush(QBrush(summarystyle::markerRed, Qt::SolidPattern));
            marker->setOpacity(summarystyle::markerOpacity);
        }
    }
    auto *axis = new QGraphicsLineItem(area.left(), baseline, area.left() + columns * column,
                                       baseline, this);
    axis->setPen(QPen(summarystyle::chartGrey, 2));
    call_mark = new QGraphicsRectItem(0, 0, column, area.bottom() - caption_bottom, this);
    call_mark->setPen(QPen(summarystyle::chartGrey, 3, Qt::DashLine));
    call_mark->setBrush(Qt::NoBrush);
    call_mark->setPos(area.left(), caption_bottom);
}

QGraphicsTextItem *CoachChartItem::addText(const QString &text, const QFont &font)
{
    auto *item = new QGraphicsTextItem(text, this);
    item->setFont(font);
    return item;
}

void CoachChartItem::setCall(int call, const QString &chance_text)
{
    chance_item->setPlainText(chance_text);
    call_mark->setX(chart_bars.front()->x()
                    - (column_width - chart_bars.front()->rect().width()) / 2
                    + call * column_width);
}
