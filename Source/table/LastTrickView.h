#pragma once

#include "GameState.h"

#include <QGraphicsScene>
#include <QGraphicsView>

// The last completed trick laid over the table: its four cards in play order, each with
// who played it, and who took it. A picture taken when shown, so the game and its
// animations go on untouched beneath; the next key or click (or the focus leaving)
// closes it, and it deletes itself.
class LastTrickView : public QGraphicsView
{
    Q_OBJECT

public:
    // Shown over `table`, drawn at the table's own scale so that it uses the card
    // pictures the table already has.
    LastTrickView(const GameState &game, QGraphicsView *table);

    // What it shows, in words: also its accessible description.
    QString text() const { return description; }
    // Takes the table's place and scale again. A resize of the table is followed at once,
    // but the table takes its new scale after that: whoever rescales it calls this then.
    void follow();

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void drawBackground(QPainter *painter, const QRectF &rect) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void build(const GameState &game);

    QGraphicsScene trick_scene;
    QGraphicsView *table = nullptr;
    QString description;
    bool closing = false;
};
