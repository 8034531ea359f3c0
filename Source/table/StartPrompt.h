#pragma once

#include <QGraphicsTextItem>

// The line on the empty table before the first game, telling how to start one. Shown only
// while there is no game; it sits where the trick is played, inside the table's own area,
// so the table keeps its place once the cards are dealt.
class StartPrompt : public QGraphicsTextItem
{
    Q_OBJECT

public:
    StartPrompt();
};
