#pragma once

#include "Card.h"

#include <QGraphicsSvgItem>
#include <QPolygon>
#include <QRectF>
#include <QString>

class QImage;
class QSvgRenderer;
class QTransform;

// The one renderer of the card deck (":/svg/cards/svgcards"), parsed once on first use
// and shared by every card item. It outlives every item.
QSvgRenderer *card_renderer();

// Where the face-down emblem goes on a card of a given size (item units).
struct CardEmblem {
    QPolygon diamond;  // filled odd-even: two opposite quarters of a diamond
    QRectF centre;     // the big circle
    QRectF top_left;   // the small circles
    QRectF bottom_right;
};
CardEmblem cardEmblem(const QSizeF &size);

// One playing card on a scene: the face of its Card or a back, drawn from the deck.
class CardGraphicsItem : public QGraphicsSvgItem
{
    Q_OBJECT

public:
    enum { Type = UserType + 1 };
    int type() const override { return Type; }

    // How cards draw themselves. Cached (pictures made once per size, see CardPixmapCache)
    // is the normal way; DirectSvg draws the SVG on every paint and is kept so that the
    // benchmark and the crispness checks can compare against it.
    enum class PaintMode { Cached, DirectSvg };
    static void setPaintMode(PaintMode mode);
    static PaintMode paintMode();

    CardGraphicsItem();

    // The owner's number for this item; every signal carries it.
    int id() const { return item_id; }
    void setId(int id) { item_id = id; }
    const Card &card() const { return shown_card; }
    void setCard(const Card &card);
    void setFaceDown(bool down);
    // Undoes what animations leave behind: rotation, scale, opacity, transform origin,
    // visibility, and a hover lift that was never released.
    void resetDisplay();

    // The coach's hint: an outline drawn with the card, so that hover and selection
    // still read as they do.
    void setHinted(bool hinted);
    bool isHinted() const { return hinted; }
    // Raises or lowers the card as the pointer does; the card's own hover calls it too.
    void setLifted(bool lifted);

    bool isFaceDown() const { return face_down; }
    bool isHovered() const { return hovered; }
    QString faceElementId() const { return face_element_id; }

    // The card stacked next above this one in its hand, which hides most of it; none by
    // default. Only a drawing shortcut: what shows is the same with or without it.
    void setCoveringCard(const CardGraphicsItem *card) { covering_card = card; }

    // Element id of a card's face ("AS", "10H", "QC"), "BACK_BLUE1" when out of range.
    static QString elementIdFor(const Card &card);

    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
               QWidget *widget = nullptr) override;

signals:
    void clicked(int id);
    void hoverEntered(int id);
    void hoverLeft(int id);

protected:
    void hoverEnterEvent(QGraphicsSceneHoverEvent *event) override;
    void hoverLeaveEvent(QGraphicsSceneHoverEvent *event) override;
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;

private:
    void lower();
    void paintCached(QPainter *painter);
    void drawUncovered(QPainter *painter, QPoint at, QImage image, const QTransform &world,
                       double dpr, double scale, int angle) const;
    bool liesOpaquelyUnder(const CardGraphicsItem &above) const;
    static void paintEmblem(QPainter *painter, const QRectF &bounds, const QRectF &clip);
    void paintHintMark(QPainter *painter) const;

    int item_id = -1;
    Card shown_card;
    bool hovered = false;
    int hover_offset;
    QPointF lift;  // the hover translation in force, undone exactly when lowering
    QString face_element_id = QStringLiteral("BACK_RED1");
    bool face_down = false;
    bool hinted = false;
    const CardGraphicsItem *covering_card = nullptr;
};
