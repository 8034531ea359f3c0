#pragma once

#include "TableSeating.h"

#include <QPoint>
#include <QSizeF>

#include <array>

// Where the hands and the name labels go at the start of a round, worked out from the
// sizes of the cards alone: the scene only applies it. All in item units, before tilt.
namespace table {

struct HandPlace {
    QPoint start;  // the first card's top-left
    QPoint step;   // from one card to the next
    QPoint card(int index) const { return start + step * index; }
};

struct LabelPlace {
    QPoint pos;          // the label's top-left before it is turned
    int text_width = 0;  // the length of its hand: the text is centred along it
    int rotation = 0;    // degrees; the side labels read along their columns
};

// The sizes the layout depends on: each hand's first and last card as they will be shown.
struct HandSizes {
    std::array<QSizeF, tablePositions> first;
    std::array<QSizeF, tablePositions> last;
    // The left column is placed by the width its first card had before this deal: a back
    // is a little narrower than a face, so on a hidden table the left column of later
    // rounds stands one unit right of the first round's.
    double left_width_before = 0;
};

struct TableGeometry {
    std::array<HandPlace, tablePositions> hands;
    std::array<LabelPlace, tablePositions> labels;
    QPoint your_turn_cue;  // right of the human's row, below the right column
};

// Every card of the same size, as at the first deal of a table shown face up.
HandSizes uniformSizes(const QSizeF &card);

TableGeometry tableGeometry(const HandSizes &sizes);

}  // namespace table
