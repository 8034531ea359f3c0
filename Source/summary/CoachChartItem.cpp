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
constexpr qreal smallestPointSize = 11;

}  // namespace

CoachChartItem::CoachChartItem(int suggested_call, const Coach::Histogram &rounds,
                               const QRectF &area, const QFont &font, const QString &chance_text)
    : rounds_by_tricks(rounds), summary_font(font)
{
    setFlag(ItemHasNoContents);
    suggestion_item = addText(tr("Suggested: %1").arg(suggested_call), summary_font);
    suggestion_item->setPos(area.left(), area.bottom());
    // The notes beside and above the chart need more words: the upright face.
    QFont note_font = summary_font;
    note_font.setStretch(QFont::Unstretched);
    chance_item = addText(QString(), note_font);
    chance_item->setPlainText(chance_text);
    chance_item->setPos(
        suggestion_item->sceneBoundingRect().right() + summarystyle::gap,
        area.bottom()
            + (suggestion_item->boundingRect().height() - chance_item->boundingRect().height())
                  / 2);
    QGraphicsTextItem *caption =
        addText(tr("Tricks this hand took in %1 simulated rounds").arg(simulationRuns), note_font);
    caption->setPos(area.left(), area.top());
    placeBars(suggested_call, area, caption->sceneBoundingRect().bottom());
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
           && label_font.pointSizeF() > smallestPointSize) {
        label_font.setPointSizeF(label_font.pointSizeF() - 1);
        widest_label.setFont(label_font);
    }
    const qreal label_height = widest_label.boundingRect().height();
    const qreal column = std::max(widest_label.boundingRect().width() + columnPadding, room);

    const qreal baseline = area.bottom() - label_height;
    const qreal tallest = baseline - caption_bottom;
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
}

QGraphicsTextItem *CoachChartItem::addText(const QString &text, const QFont &font)
{
    auto *item = new QGraphicsTextItem(text, this);
    item->setFont(font);
    return item;
}

void CoachChartItem::setChanceText(const QString &text)
{
    chance_item->setPlainText(text);
}
