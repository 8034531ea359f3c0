#include "TableGeometry.h"

#include "TableConstants.h"

namespace table {

namespace {

// The positions are whole units, taken toward zero from the sums of card sizes.
int truncated(double value)
{
    return int(value);
}

// The top row starts at the origin; the right column below and right of its last card;
// the bottom row below the right column; the left column level with the right one, left
// of the top row by the left card's width.
std::array<HandPlace, tablePositions> handPlaces(const HandSizes &sizes)
{
    std::array<HandPlace, tablePositions> hands;
    const QPoint row_step(rowStep, 0);
    const QPoint column_step(0, columnStep);
    hands[Top] = {QPoint(0, 0), row_step};
    const QPoint top_last = hands[Top].card(cardsPerHand - 1);
    hands[Right] = {QPoint(truncated(top_last.x() + sizes.last[Top].width() + handGap),
                           truncated(top_last.y() + sizes.last[Top].height() + handGap)),
                    column_step};
    const QPoint right_last = hands[Right].card(cardsPerHand - 1);
    hands[Bottom] = {QPoint(0, truncated(right_last.y() + sizes.last[Right].height() + handGap)),
                     row_step};
    hands[Left] = {QPoint(truncated(hands[Top].start.x() - sizes.left_width_before - handGap),
                          hands[Right].start.y()),
                   column_step};
    return hands;
}

// A row's label runs above or below it; a column's beside it, turned to read along it.
LabelPlace labelPlace(int position, const HandPlace &hand, const QSizeF &first_size,
                      const QSizeF &last_size)
{
    const QPoint first = hand.start;
    const QPoint last = hand.card(cardsPerHand - 1);
    if (position == Top || position == Bottom) {
        const int width = truncated(last_size.width()) + last.x() - first.x();
        const int y = position == Top ? topLabelY
                                      : truncated(first.y() + first_size.height() + bottomLabelGap);
        return {QPoint(first.x(), y), width, 0};
    }
    const int y0 = first.y();
    const int y1 = truncated(truncated(last_size.height()) + last.y());
    if (position == Right)
        return {QPoint(truncated(first.x() + first_size.width() + rightLabelGap), y0), y1 - y0, 90};
    return {QPoint(first.x() - leftLabelOffset, y1), y1 - y0, -90};
}

}  // namespace

HandSizes uniformSizes(const QSizeF &card)
{
    HandSizes sizes;
    sizes.first.fill(card);
    sizes.last.fill(card);
    sizes.left_width_before = card.width();
    return sizes;
}

TableGeometry tableGeometry(const HandSizes &sizes)
{
    TableGeometry geometry;
    geometry.hands = handPlaces(sizes);
    for (int p = 0; p < tablePositions; ++p)
        geometry.labels[std::size_t(p)] =
            labelPlace(p, geometry.hands[std::size_t(p)], sizes.first[std::size_t(p)],
                       sizes.last[std::size_t(p)]);
    const QPoint right_first = geometry.hands[Right].start;
    const QPoint bottom_first = geometry.hands[Bottom].start;
    geometry.your_turn_cue =
        QPoint(right_first.x(), truncated(bottom_first.y() + sizes.first[Bottom].height() / 2));
    return geometry;
}

}  // namespace table
