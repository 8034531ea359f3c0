#include "DebugLabels.h"

#include "CardGraphicsItem.h"
#include "Player.h"

#include <QFont>
#include <QGraphicsScene>

void DebugLabels::addTo(QGraphicsScene &scene)
{
    for (QGraphicsTextItem &label : labels) {
        QFont font = label.font();
        font.setPointSize(table::debugLabelPointSize);
        label.setFont(font);
        label.show();
        scene.addItem(&label);
    }
}

void DebugLabels::place(const Player &player, const CardGraphicsItem &item, int p)
{
    if (next >= int(labels.size()))
        return;
    for (const CardWinCount &count : player.win_counts) {
        if (!(count.card == item.card()))
            continue;
        QGraphicsTextItem &label = labels[std::size_t(next++)];
        label.setPlainText(QStringLiteral("%1").arg(count.wins));
        const QPointF offset = p == table::Top     ? table::debugLabelOffsetTop
                               : p == table::Right ? table::debugLabelOffsetRight
                                                   : table::debugLabelOffsetLeft;
        label.setPos(item.pos() + offset);
        return;
    }
}

QGraphicsTextItem *DebugLabels::label(int index)
{
    return index >= 0 && index < int(labels.size()) ? &labels[std::size_t(index)] : nullptr;
}
