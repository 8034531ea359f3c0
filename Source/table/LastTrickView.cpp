#include "LastTrickView.h"

#include "CardGraphicsItem.h"
#include "IsolatedName.h"
#include "TableConstants.h"
#include "TableNarrator.h"

#include <QFocusEvent>
#include <QGraphicsTextItem>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr qreal cardGap = 40;  // between the cards, scene units
constexpr qreal textGap = 12;  // between a card and its name
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
    qreal x = 0;
    for (const SeatCard &play : plays) {
        auto *card = new CardGraphicsItem();
        card->setCard(play.card);
        card->setAcceptHoverEvents(false);
        card->setAcceptedMouseButtons(Qt::NoButton);
        card->setPos(x, 0);
        trick_scene.addItem(card);
        const QRectF bounds = card->boundingRect();

        const bool took = play.seat == game.getLastTrickWinnerSeat();
        const QString name = richName(narrator.seatName(play.seat));
        auto *label = new QGraphicsTextItem();
        label->setFont(font);
        label->setDefaultTextColor(took ? table::metColour.lighter(180) : nameColour);
        label->setHtml(
            QStringLiteral("<center>%1</center>").arg(took ? tr("%1 <b>+1</b>").arg(name) : name));
        label->setTextWidth(bounds.width() + cardGap);
        label->setPos(x - cardGap / 2, bounds.height() + textGap);
        trick_scene.addItem(label);
        if (took) {
            auto *frame = trick_scene.addRect(bounds.adjusted(-8, -8, 8, 8),
                                              QPen(table::metColour.lighter(180), 8));
            frame->setPos(x, 0);
        }
        x += bounds.width() + cardGap;
    }

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
