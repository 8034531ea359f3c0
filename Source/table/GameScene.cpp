#include "GameScene.h"

#include "FatalError.h"
#include "GameState.h"
#include "Player.h"
#include "Settings.h"
#include "TableConstants.h"

#include <QFont>
#include <QGraphicsSceneHoverEvent>

#include <algorithm>
#include <vector>

namespace {

int truncated(double value)
{
    return int(value);
}

double cardWidth(const CardGraphicsItem *item)
{
    return item->boundingRect().width();
}

double cardHeight(const CardGraphicsItem *item)
{
    return item->boundingRect().height();
}

QString centred(const QString &text)
{
    return QStringLiteral("<center>%1</center>").arg(text);
}

// Player names come from the user: shown as typed, never taken as markup.
QString displayName(const Player &player)
{
    return QString::fromStdString(player.name).toHtmlEscaped();
}

}  // namespace

GameScene::GameScene(const GameState &game_state, QObject *parent)
    : QGraphicsScene(parent)
{
    card_rotation = table::cardRotation;
    // Some 60 items, several of them moving in every animation frame: a linear search is
    // cheaper than keeping a BSP index up to date.
    setItemIndexMethod(QGraphicsScene::NoIndex);
    for (int k = 0; k < int(card_items.size()); ++k) {
        CardGraphicsItem &item = card_items[std::size_t(k)];
        item.hide();
        item.setCard(makeCard(k / table::cardsPerHand + 1, k % table::cardsPerHand + 1));
        item.id = k;
        position_cards[k / table::cardsPerHand].append(&item);
        addItem(&item);
    }
    for (CardGraphicsItem *item : position_cards[table::humanPosition]) {
        connect(item, &CardGraphicsItem::hoverEntered, this, &GameScene::onCardHoverEntered);
        connect(item, &CardGraphicsItem::hoverLeft, this, &GameScene::onCardHoverLeft);
    }

    const int h = game_state.getHumanPlayer();
    position_players[0] = (h + 2) % 4;
    position_players[1] = (h + 3) % 4;
    position_players[2] = h;
    position_players[3] = (h + 1) % 4;

    for (QGraphicsTextItem &label : name_labels) {
        QFont font = label.font();
        font.setPointSize(table::labelPointSize);
        label.setFont(font);
        // Upright or turned by a right angle, labels can keep their text as a device
        // pixmap: redrawing four lines of large text is a good part of a full frame.
        label.setCacheMode(QGraphicsItem::DeviceCoordinateCache);
        label.hide();
        addItem(&label);
    }
    if (debug_mode) {
        for (QGraphicsTextItem &label : debug_labels) {
            QFont font = label.font();
            font.setPointSize(table::debugLabelPointSize);
            label.setFont(font);
            label.show();
            addItem(&label);
        }
    }

    connect(&animation_manager, &AnimationManager::animateCardFinished, this,
            &GameScene::animateCardFinished);
    connect(&animation_manager, &AnimationManager::trickCompleteAnimationFinished, this,
            &GameScene::trickCompleteAnimationFinished);
}

GameScene::~GameScene()
{
    animation_manager.stopAll();
}

CardGraphicsItem *GameScene::cardItem(int id)
{
    return id >= 0 && id < int(card_items.size()) ? &card_items[std::size_t(id)] : nullptr;
}

QGraphicsTextItem *GameScene::nameLabel(int table_position)
{
    return table_position >= 0 && table_position < int(name_labels.size())
               ? &name_labels[std::size_t(table_position)]
               : nullptr;
}

QGraphicsTextItem *GameScene::debugLabel(int index)
{
    return index >= 0 && index < int(debug_labels.size()) ? &debug_labels[std::size_t(index)]
                                                          : nullptr;
}

int GameScene::seatAt(int table_position) const
{
    const auto found = position_players.find(table_position);
    return found == position_players.end() ? -1 : found->second;
}

void GameScene::layoutTable(const GameState &game_state)
{
    // Whatever still runs belongs to the table being replaced: its end must not reach
    // the new one.
    animation_manager.stopAll();

    const std::vector<Player> players = game_state.getPlayers();
    if (int(players.size()) < table::tablePositions)
        return;  // no game yet: nothing to lay out

    int debug_index = 0;
    for (int p = 0; p < table::tablePositions; ++p) {
        const Player &player = players[std::size_t(position_players[p])];
        const bool hidden = hide_opponent_cards && p != table::humanPosition;
        std::vector<Card> cards = player.hand.cards;
        if (hidden)
            randomShuffle(cards);
        else
            std::sort(cards.begin(), cards.end());

        const QList<CardGraphicsItem *> &row = position_cards[p];
        const QList<CardGraphicsItem *> &top = position_cards[0];
        const QList<CardGraphicsItem *> &right = position_cards[1];
        const CardGraphicsItem *top_last = top.back();
        const CardGraphicsItem *right_last = right.back();
        int x = 0;
        int y = 0;
        int step_x = 0;
        int step_y = 0;
        switch (p) {
        case 0:
            step_x = table::rowStep;
            break;
        case 1:
            x = truncated(top_last->x() + cardWidth(top_last) + table::handGap);
            y = truncated(top_last->y() + cardHeight(top_last) + table::handGap);
            step_y = table::columnStep;
            break;
        case 2:
            y = truncated(right_last->y() + cardHeight(right_last) + table::handGap);
            step_x = table::rowStep;
            break;
        default:
            x = truncated(top.front()->x() - cardWidth(row.front()) - table::handGap);
            y = truncated(right.front()->y());
            step_y = table::columnStep;
            break;
        }

        for (int i = 0; i < table::cardsPerHand; ++i) {
            CardGraphicsItem *item = row[i];
            item->resetDisplay();
            item->setPos(x, y);
            item->setRotation(card_rotation);
            if (std::size_t(i) < cards.size()) {
                item->setCard(cards[std::size_t(i)]);
            } else {
                // A short hand leaves its spare items empty and out of sight.
                item->setCard(Card());
                item->hide();
            }
            item->setFaceDown(hidden);
            if (debug_mode && p != table::humanPosition && debug_index < int(debug_labels.size()))
                placeDebugLabel(player, *item, p, debug_index);
            x += step_x;
            y += step_y;
        }

        placeLabel(p, displayName(player));
    }
    updateLabels(game_state);
}

void GameScene::placeDebugLabel(const Player &player, const CardGraphicsItem &item, int p,
                                int &debug_index)
{
    for (const CardWinCount &count : player.win_counts) {
        if (!(count.card == item.card))
            continue;
        QGraphicsTextItem &label = debug_labels[std::size_t(debug_index++)];
        label.setPlainText(QStringLiteral("%1").arg(count.wins));
        const QPointF offset = p == 0   ? table::debugLabelOffsetTop
                               : p == 1 ? table::debugLabelOffsetRight
                                        : table::debugLabelOffsetLeft;
        label.setPos(item.pos() + offset);
        return;
    }
}

void GameScene::placeLabel(int p, const QString &text)
{
    QGraphicsTextItem &label = name_labels[std::size_t(p)];
    const QList<CardGraphicsItem *> &row = position_cards[p];
    const CardGraphicsItem *first = row.front();
    const CardGraphicsItem *last = row.back();
    label.show();
    label.setHtml(centred(text));

    if (p == 0 || p == 2) {
        label.setTextWidth(truncated(cardWidth(last)) + truncated(last->x()) - truncated(first->x()));
        const int label_y = p == 0 ? table::topLabelY
                                   : truncated(first->y() + cardHeight(first) + table::bottomLabelGap);
        label.setPos(truncated(first->x()), label_y);
        label.setRotation(0);
        return;
    }
    const int y0 = truncated(first->y());
    const int y1 = truncated(truncated(cardHeight(last)) + last->y());
    label.setTextWidth(y1 - y0);
    if (p == 1) {
        label.setPos(truncated(first->x() + cardWidth(first) + table::rightLabelGap), y0);
        label.setRotation(90);
    } else {
        label.setPos(truncated(first->x() - table::leftLabelOffset), y1);
        label.setRotation(-90);
    }
}

void GameScene::updateLabels(const GameState &game_state)
{
    const std::vector<Player> players = game_state.getPlayers();
    if (int(players.size()) < table::tablePositions)
        return;
    for (int p = 0; p < table::tablePositions; ++p) {
        const Player &player = players[std::size_t(position_players[p])];
        const QString text = QStringLiteral("%1 (%2) - %3/%4")
                                 .arg(displayName(player), QString::number(player.points),
                                      QString::number(player.tricks),
                                      QString::number(player.call));
        name_labels[std::size_t(p)].setHtml(centred(text));
    }
}

void GameScene::setHumanCardsEnabled(const GameState &game_state, bool enabled)
{
    std::vector<Card> legal;
    const std::vector<Player> players = game_state.getPlayers();
    if (enabled && int(players.size()) >= table::tablePositions)
        legal = players[std::size_t(position_players[table::humanPosition])].hand.legalCards(
            game_state.getTrick());

    for (CardGraphicsItem *item : position_cards[table::humanPosition]) {
        if (!enabled) {
            disconnect(item, &CardGraphicsItem::clicked, this, &GameScene::onCardClicked);
            // A press can reach one card while another is still raised (no pointer move
            // in between). Once the hand takes no hover events, no leave would ever come:
            // bring it down now, and the hand out of its dimming with it.
            if (item->isHovered()) {
                QGraphicsSceneHoverEvent leave(QEvent::GraphicsSceneHoverLeave);
                sendEvent(item, &leave);
            }
            item->setAcceptHoverEvents(false);
        } else if (std::find(legal.begin(), legal.end(), item->card) != legal.end()) {
            connect(item, &CardGraphicsItem::clicked, this, &GameScene::onCardClicked,
                    Qt::UniqueConnection);
            item->setAcceptHoverEvents(true);
        }
    }
}

int GameScene::cardId(const Card &card) const
{
    for (std::size_t k = 0; k < card_items.size(); ++k)
        if (card_items[k].card == card)
            return int(k);
    fatalError("..\\Source\\GameScene", 210, "Card not found on view.");
}

void GameScene::animateMove(const Card &card)
{
    for (int p = 0; p < table::tablePositions; ++p) {
        for (CardGraphicsItem *item : position_cards[p]) {
            if (item->card == card) {
                animation_manager.animateCard(item, p);
                return;
            }
        }
    }
    fatalError("..\\Source\\GameScene", 159, "Invalid computer move.");
}

void GameScene::animateTrickComplete(const QList<int> &ids, int winner_id)
{
    QList<CardGraphicsItem *> items;
    items.reserve(qsizetype(card_items.size()));
    for (CardGraphicsItem &item : card_items)
        items.append(&item);
    animation_manager.animateTrickComplete(ids, winner_id, items);
}

void GameScene::hideCards(const QList<int> &ids)
{
    for (const int id : ids)
        if (CardGraphicsItem *item = cardItem(id))
            item->hide();
}

void GameScene::onCardHoverEntered(int id)
{
    for (CardGraphicsItem *item : position_cards[table::humanPosition])
        if (item->id != id)
            item->setOpacity(table::dimmedOpacity);
}

void GameScene::onCardHoverLeft(int id)
{
    for (CardGraphicsItem *item : position_cards[table::humanPosition])
        if (item->id != id)
            item->setOpacity(1.0);
}

void GameScene::onCardClicked(int id)
{
    onCardHoverLeft(id);
    if (const CardGraphicsItem *item = cardItem(id))
        emit cardClicked(item->card, id);
}
