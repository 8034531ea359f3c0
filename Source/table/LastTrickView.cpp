#include "LastTrickView.h"

#include "TableConstants.h"
#include "TableNarrator.h"
#include "TrickPicture.h"

#include <QFocusEvent>
#include <QGraphicsTextItem>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr qreal cardGap = TrickPicture::cardGap;
constexpr qreal textGap = TrickPicture::textGap;
constexpr qreal panelPadding = 40;
constexpr qreal panelRadius = 24;
const QColor backdrop(0, 0, 0, 150);
const QColor panelColour(0, 40, 45, 230);  // the table's teal, near black
const QColor nameColour(Qt::white);

}  // namespace

LastTrickView::LastTrickView(const GameState &game, QGraphicsView *table)
    : QGraphicsView(table), table(table)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setFrameShape(QFrame::NoFrame);
    setStyleSheet(QStringLiteral("background: transparent"));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setRenderHints(table->renderHints());
    setFocusPolicy(Qt::StrongFocus);
    setScene(&trick_scene);
    build(game);
    setAccessibleName(tr("Last trick"));
    setAccessibleDescription(description);
    table->installEventFilter(this);
    follow();
}

void LastTrickView::build(const GameState &game)
{
    const TableNarrator narrator(game);
    description = narrator.lastTrick();
    const std::vector<SeatCard> &plays = game.getLastTrick();
    if (plays.empty() || game.getPlayers().size() != std::size_t(rules::playerCount)) {
        auto *line = trick_scene.addText(description);
        line->setDefaultTextColor(nameColour);
        return;
    }
    QFont font = table->font();
    font.setPointSize(table::labelPointSize);
    QStringList names;
    for (int seat = 0; seat < rules::playerCount; ++seat)
        names << narrator.seatName(seat);
    const qreal x =
        TrickPicture::layOut(trick_scene, plays, game.getLastTrickWinnerSeat(), names, font);

    auto *title = new QGraphicsTextItem(narrator.lastTrickIsFromPreviousRound()
                                            ? tr("Last trick of the previous round")
                                            : tr("Last trick"));
    title->setFont(font);
    title->setDefaultTextColor(nameColour);
    title->setPos((x - cardGap - title->boundingRect().width()) / 2,
                  -title->boundingRect().height() - textGap);
    trick_scene.addItem(title);
    QPainterPath panel;
    panel.addRoundedRect(trick_scene.itemsBoundingRect().adjusted(-panelPadding, -panelPadding,
                                                                  panelPadding, panelPadding),
                         panelRadius, panelRadius);
    trick_scene.addPath(panel, Qt::NoPen, panelColour)->setZValue(-1);
}

void LastTrickView::follow()
{
    setGeometry(table->rect());
    setTransform(table->transform());
    centerOn(trick_scene.itemsBoundingRect().center());
}

bool LastTrickView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == table && event->type() == QEvent::Resize)
        follow();
    return QGraphicsView::eventFilter(watched, event);
}

void LastTrickView::drawBackground(QPainter *painter, const QRectF &rect)
{
    painter->fillRect(rect, backdrop);
}

void LastTrickView::focusOutEvent(QFocusEvent *event)
{
    QGraphicsView::focusOutEvent(event);
    // A menu or a dialog taking the keys closes it, as a click elsewhere would.
    if (event->reason() != Qt::PopupFocusReason)
        close();
}

void LastTrickView::keyPressEvent(QKeyEvent *event)
{
    event->accept();
    close();
}

void LastTrickView::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    close();
}

void LastTrickView::closeEvent(QCloseEvent *event)
{
    QGraphicsView::closeEvent(event);
    if (closing)
        return;
    closing = true;
    table->removeEventFilter(this);
    emit closed();
}
