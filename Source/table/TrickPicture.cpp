#include "TrickPicture.h"

#include "CardGraphicsItem.h"
#include "IsolatedName.h"
#include "TableConstants.h"

#include <QGraphicsRectItem>
#include <QGraphicsTextItem>

namespace {

constexpr qreal margin = 30;
const QColor cloth(0, 40, 45);  // the table's teal, near black, as the last trick's panel
const QColor nameColour(Qt::white);

}  // namespace

TrickPicture::TrickPicture(QWidget *parent) : QGraphicsView(parent)
{
    setScene(&trick_scene);
    setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setBackgroundBrush(cloth);
    // A picture: the keys stay with the table of tricks beside it.
    setFocusPolicy(Qt::NoFocus);
    setMinimumHeight(120);
}

void TrickPicture::showTrick(const std::vector<SeatCard> &plays, int winner,
                             const QStringList &names)
{
    trick_scene.clear();
    QFont font = this->font();
    font.setPointSize(table::labelPointSize);
    layOut(trick_scene, plays, winner, names, font);
    fit();
}

qreal TrickPicture::layOut(QGraphicsScene &scene, const std::vector<SeatCard> &plays, int winner,
                           const QStringList &names, const QFont &font)
{
    qreal x = 0;
    for (const SeatCard &play : plays) {
        auto *card = new CardGraphicsItem();
        card->setCard(play.card);
        card->setAcceptHoverEvents(false);
        card->setAcceptedMouseButtons(Qt::NoButton);
        card->setPos(x, 0);
        scene.addItem(card);
        const QRectF bounds = card->boundingRect();

        const bool took = play.seat == winner;
        const QColor colour = took ? table::metColour.lighter(180) : nameColour;
        const QString name = richName(names.value(play.seat));
        auto *label = new QGraphicsTextItem();
        label->setFont(font);
        label->setDefaultTextColor(colour);
        label->setHtml(
            QStringLiteral("<center>%1</center>").arg(took ? tr("%1 <b>+1</b>").arg(name) : name));
        label->setTextWidth(bounds.width() + cardGap);
        label->setPos(x - cardGap / 2, bounds.height() + textGap);
        scene.addItem(label);
        if (took)
            scene.addRect(bounds.adjusted(-8, -8, 8, 8), QPen(colour, 8))->setPos(x, 0);
        x += bounds.width() + cardGap;
    }
    return x;
}

QList<Card> TrickPicture::cards() const
{
    QList<Card> shown;
    for (QGraphicsItem *item : trick_scene.items(Qt::AscendingOrder))
        if (auto *card = qgraphicsitem_cast<CardGraphicsItem *>(item))
            shown << card->card();
    return shown;
}

void TrickPicture::resizeEvent(QResizeEvent *event)
{
    QGraphicsView::resizeEvent(event);
    fit();
}

void TrickPicture::fit()
{
    const QRectF shown = trick_scene.itemsBoundingRect().adjusted(-margin, -margin, margin, margin);
    setSceneRect(shown);
    fitInView(shown, Qt::KeepAspectRatio);
}
