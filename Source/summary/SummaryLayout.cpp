#include "SummaryLayout.h"

#include "CallTextItem.h"
#include "CardGraphicsItem.h"
#include "IsolatedName.h"
#include "SummaryStyle.h"

#include <QBrush>
#include <QGraphicsEllipseItem>
#include <QGraphicsScene>
#include <QGraphicsTextItem>

#include <algorithm>

namespace {

const QString numberTemplate = QStringLiteral("<center>%1</center>");

using summarystyle::gap;
// Space above and below the new hand.
constexpr qreal handGap = 40;
// Each card of the hand leaves this share of the one before it showing.
constexpr qreal cardStep = 0.5;

}  // namespace

void SummaryLayout::build(QGraphicsScene *target, const std::vector<SummaryRow> &rows, int total,
                          const QFont &summary_font)
{
    scene = target;
    font = summary_font;
    const QList<QGraphicsTextItem *> names = placeStandingsRows(rows);
    if (!names.isEmpty())
        placeTotal(names.last(), total);
    // The buttons line up with the standings as they are before any button is added.
    const QRectF standings = scene->itemsBoundingRect();
    const qreal hand_y = placeCallButtons(standings);
    placeHand(rows, hand_y);
    placeBottomButtons(standings, hand_y);
    placeReviewButton();
}

void SummaryLayout::setNumber(QGraphicsTextItem *item, int number)
{
    item->setHtml(numberTemplate.arg(number));
}

QList<QGraphicsTextItem *> SummaryLayout::placeStandingsRows(const std::vector<SummaryRow> &rows)
{
    // Names, one row under the other.
    QList<QGraphicsTextItem *> name_items;
    qreal y = 0;
    int name_width = 0;
    for (const SummaryRow &row : rows) {
        QGraphicsTextItem *item = addText(isolatedName(row.name));  // plain text: never markup
        item->setPos(0, y);
        y += item->boundingRect().height() + gap;
        name_width = std::max(name_width, int(item->boundingRect().width()));
        name_items.append(item);
    }

    // The headers sit above the first row, right of the widest name.
    QGraphicsTextItem *points_header = addText(tr("Points"));
    points_header->setPos(name_width + gap, -(points_header->boundingRect().height() + gap));
    calls_header = addText(tr("Calls"));
    calls_header->setPos(points_header->x() + points_header->boundingRect().width() + gap,
                         points_header->y());
    // "Total Calls" stands under the names and can be longer than all of them (more so in
    // other languages): the columns move right until its number clears it.
    QGraphicsTextItem total_probe(tr("Total Calls"));
    total_probe.setFont(font);
    const qreal clash = total_probe.boundingRect().width() + gap - calls_header->x();
    if (clash > 0) {
        points_header->moveBy(clash, 0);
        calls_header->moveBy(clash, 0);
    }
    const qreal points_width = points_header->boundingRect().width();
    const qreal calls_width = calls_header->boundingRect().width();

    for (std::size_t i = 0; i < rows.size(); ++i) {
        const SummaryRow &row = rows[i];
        const qreal row_y = name_items[int(i)]->y();
        addNumber(row.points, points_width)->setPos(points_header->x(), row_y);
        QGraphicsTextItem *call_item = addNumber(row.call, calls_width);
        call_item->setPos(calls_header->x(), row_y);
        if (row.is_human) {
            human_call = call_item;
            addMarker(call_item, summarystyle::humanMarker);
        } else if (row.missing_suit) {
            addText(tr("sideoff"))->setPos(calls_header->x() + calls_width + gap, row_y);
        }
    }
    return name_items;
}

void SummaryLayout::placeTotal(QGraphicsTextItem *last_name, int total)
{
    // The total of the calls, a row under the last name.
    const qreal total_y = last_name->y() + last_name->boundingRect().height() + gap;
    addText(tr("Total Calls"))->setPos(last_name->x(), total_y);
    total_calls = addNumber(total, calls_header->boundingRect().width());
    total_calls->setPos(calls_header->x(), total_y);
    addMarker(total_calls, summarystyle::markerRed);
}

qreal SummaryLayout::placeCallButtons(const QRectF &standings)
{
    // "+ Call +" under the standings' left edge, "- Call -" under their right edge.
    increase = addButton(tr("+ Call +"));
    increase->setPos(standings.x(), standings.y() + standings.height() + gap);
    decrease = addButton(tr("- Call -"));
    decrease->setPos(std::max(standings.x() + standings.width() - decrease->boundingRect().width(),
                              increase->x() + increase->boundingRect().width() + gap),
                     increase->y());
    return int(decrease->y() + decrease->boundingRect().height() + handGap);
}

void SummaryLayout::placeHand(const std::vector<SummaryRow> &rows, qreal y)
{
    // The human's new hand, each card covering the right half of the one before.
    const SummaryRow *human = nullptr;
    for (const SummaryRow &row : rows)
        if (row.is_human)
            human = &row;
    if (!human)
        return;
    qreal x = 0;
    for (const Card &card : human->cards) {
        auto *item = new CardGraphicsItem();
        item->setCard(card);
        item->setPos(x, y);
        scene->addItem(item);
        hand.append(item);
        x = int(x + cardStep * item->boundingRect().width());
    }
}

void SummaryLayout::placeBottomButtons(const QRectF &standings, qreal hand_y)
{
    // "End Game" under the hand's left end, "Continue" under its right end; with no hand,
    // on the hand's line, Continue under the standings' right edge.
    end_game = addButton(tr("End Game"));
    continue_button = addButton(tr("Continue"));
    if (!hand.isEmpty()) {
        CardGraphicsItem *first = hand.first();
        CardGraphicsItem *last = hand.last();
        end_game->setPos(first->x(), first->y() + first->boundingRect().height() + handGap);
        continue_button->setPos(std::max(last->x() + last->boundingRect().width()
                                             - continue_button->boundingRect().width(),
                                         end_game->x() + end_game->boundingRect().width() + gap),
                                end_game->y());
    } else {
        end_game->setPos(0, hand_y);
        continue_button->setPos(
            standings.x() + standings.width() - continue_button->boundingRect().width(), hand_y);
    }
}

void SummaryLayout::placeReviewButton()
{
    // Added last, where nothing was: midway between End Game and Continue.
    review = addButton(tr("Review"));
    const qreal left = end_game->x() + end_game->boundingRect().width();
    const qreal middle = (left + continue_button->x()) / 2;
    review->setPos(std::max(left + 2 * gap, middle - review->boundingRect().width() / 2),
                   end_game->y());
}

QGraphicsTextItem *SummaryLayout::placeResult(const QString &text)
{
    QGraphicsTextItem *result = addText(text);
    // Right of Review, which stays for a look back on the game.
    const qreal left = review->x() + review->boundingRect().width() + 2 * gap;
    const qreal right = continue_button->x() + continue_button->boundingRect().width();
    result->setTextWidth(std::max(right - left, 2 * end_game->boundingRect().width()));
    result->setPos(left, end_game->y());
    return result;
}

QGraphicsTextItem *SummaryLayout::addText(const QString &plain_text)
{
    auto *item = new QGraphicsTextItem(plain_text);
    item->setFont(font);
    scene->addItem(item);
    return item;
}

QGraphicsTextItem *SummaryLayout::addNumber(int number, qreal text_width)
{
    auto *item = new QGraphicsTextItem();
    item->setFont(font);
    setNumber(item, number);
    item->setTextWidth(text_width);
    scene->addItem(item);
    return item;
}

CallTextItem *SummaryLayout::addButton(const QString &text)
{
    auto *item = new CallTextItem(text);
    item->setFont(font);
    scene->addItem(item);
    buttons.append(item);
    return item;
}

void SummaryLayout::addMarker(QGraphicsTextItem *over, const QColor &colour)
{
    auto *marker = new QGraphicsEllipseItem(over->boundingRect());
    marker->setPos(over->pos());
    marker->setBrush(QBrush(colour, Qt::SolidPattern));
    marker->setOpacity(summarystyle::markerOpacity);
    scene->addItem(marker);
}
