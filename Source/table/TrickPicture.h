#pragma once

#include "SeatCard.h"

#include <QFont>
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

    // Lays a trick out on scene from x = 0, as this picture and the table's last trick show
    // it: the cards in play order, each with its player's name below, the winner's name and
    // frame in the colour of a met call. Returns where a next card would go.
    static qreal layOut(QGraphicsScene &scene, const std::vector<SeatCard> &plays, int winner,
                        const QStringList &names, const QFont &font);
    static constexpr qreal cardGap = 40;  // between the cards, scene units
    static constexpr qreal textGap = 12;  // between a card and its name

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void fit();

    QGraphicsScene trick_scene;
};
