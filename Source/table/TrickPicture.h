#pragma once

#include "SeatCard.h"

#include <QGraphicsScene>
#include <QGraphicsView>
#include <QStringList>

#include <vector>

// One trick drawn with the table's own card pictures: the cards in play order, each with
// its player's name, the winner's framed. It scales to whatever room it is given.
class TrickPicture : public QGraphicsView
{
    Q_OBJECT

public:
    explicit TrickPicture(QWidget *parent = nullptr);

    // `names` by seat; no plays shows an empty cloth.
    void showTrick(const std::vector<SeatCard> &plays, int winner, const QStringList &names);
    // The cards shown, in play order: lets tests compare them with the game's record.
    QList<Card> cards() const;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void fit();

    QGraphicsScene trick_scene;
};
