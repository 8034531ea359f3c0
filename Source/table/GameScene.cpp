#include "GameScene.h"

#include "FatalError.h"
#include "GameState.h"
#include "IsolatedName.h"
#include "Player.h"
#include "Settings.h"
#include "StandingsToolTip.h"
#include "TableConstants.h"

#include <QFont>
#include <QGraphicsRectItem>
#include <QGraphicsSimpleTextItem>
#include <QKeyEvent>
#include <QTextDocument>

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
    return richName(QString::fromStdString(player.name));
}

QString labelToolTip(const Player &player)
{
    return standingsToolTip(QString::fromStdString(player.name), player.points, player.tricks,
                            player.call);
}

}  // namespace

GameScene::GameScene(const GameState &game_state, QObject *parent) : QGraphicsScene(parent)
{
    card_rotation = table::cardRotation;
    // Some 60 items, several of them moving in every animation frame: a linear search is
    // cheaper than keeping a BSP index up to date.
    setItemIndexMethod(QGraphicsScene::NoIndex);
    for (int k = 0; k < int(card_items.size()); ++k) {
        CardGraphicsItem &item = card_items[std::size_t(k)];
        item.hide();
        item.setCard(makeCard(k / table::cardsPerHand + 1, k % table::cardsPerHand + 1));
        item.setId(k);
        position_cards[k / table::cardsPerHand].append(&item);
        addItem(&item);
    }
    for (CardGraphicsItem *item : position_cards[table::humanPosition]) {
        connect(item, &CardGraphicsItem::hoverEntered, this, &GameScene::onCardHoverEntered);
        connect(item, &CardGraphicsItem::hoverLeft, this, &GameScene::onCardHoverLeft);
    }

    const int h = game_state.getHumanPlayer();
    constexpr int seats = table::tablePositions;
    position_players[0] = (h + 2) % seats;
    position_players[1] = (h + 3) % seats;
    position_players[2] = h;
    position_players[3] = (h + 1) % seats;

    for (QGraphicsTextItem &label : name_labels) {
        QFont font = label.font();
        font.setPointSize(table::labelPointSize);
        label.setFont(font);
        // No device pixmap cache: new HTML is reported as a change of 2^31 units each
        // way, and a cached upright label repainted its cleared pixmap through that
        // rectangle as nothing at all, blank from the first trick until a resize.
        label.hide();
        addItem(&label);
    }
    setupCues();
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
    connect(&animation_manager, &AnimationManager::trickCompleteAnimationFinished, this,
            &GameScene::showTrickWinnerCue);
}

GameScene::~GameScene()
{
    animation_manager.stopAll();
}

CardGraphicsItem *GameScene::cardItem(int id)
{
    return id >= 0 && id < int(card_items.size()) ? &card_items[std::size_t(id)] : nullptr;
}

const CardGraphicsItem *GameScene::cardItem(int id) const
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
    clearHighlightedCard();
    clearCues();
    playable_ids.clear();
    selected_id = -1;

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
            // The next card lies over this one (added to the scene after it, same z).
            item->setCoveringCard(i + 1 < table::cardsPerHand ? row[i + 1] : nullptr);
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
    clearTurn();
    placeYourTurnCue();
    updateLabels(game_state);
}

void GameScene::placeDebugLabel(const Player &player, const CardGraphicsItem &item, int p,
                                int &debug_index)
{
    for (const CardWinCount &count : player.win_counts) {
        if (!(count.card == item.card()))
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
        label.setTextWidth(truncated(cardWidth(last)) + truncated(last->x())
                           - truncated(first->x()));
        const int label_y = p == 0
                                ? table::topLabelY
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
    updateLabels(game_state.getPlayers());
}

void GameScene::updateLabels(const std::vector<Player> &players)
{
    if (int(players.size()) < table::tablePositions)
        return;
    for (int p = 0; p < table::tablePositions; ++p) {
        const Player &player = players[std::size_t(position_players[p])];
        const QString text = tr("%1 (%2) - %3/%4")
                                 .arg(displayName(player), QString::number(player.points),
                                      QString::number(player.tricks), QString::number(player.call));
        name_labels[std::size_t(p)].setHtml(centred(text));
        name_labels[std::size_t(p)].setToolTip(labelToolTip(player));
    }
}

void GameScene::setHumanCardsEnabled(const GameState &game_state, bool enabled)
{
    std::vector<Card> legal;
    const std::vector<Player> players = game_state.getPlayers();
    if (enabled && int(players.size()) >= table::tablePositions)
        legal = players[std::size_t(position_players[table::humanPosition])].hand.legalCards(
            game_state.getTrick());

    if (!enabled)
        clearHighlightedCard();
    your_turn_cue->setVisible(enabled && !legal.empty());
    playable_ids.clear();
    for (CardGraphicsItem *item : position_cards[table::humanPosition]) {
        if (!enabled) {
            disconnect(item, &CardGraphicsItem::clicked, this, &GameScene::onCardClicked);
            item->setAcceptHoverEvents(false);
        } else if (std::find(legal.begin(), legal.end(), item->card()) != legal.end()) {
            connect(item, &CardGraphicsItem::clicked, this, &GameScene::onCardClicked,
                    Qt::UniqueConnection);
            item->setAcceptHoverEvents(true);
            playable_ids.append(item->id());
        }
    }

    selected_id = playable_ids.value(0, -1);
    if (keyboard_in_use)
        showSelection();
    emit selectionChanged();
}

void GameScene::setSelectedCard(int id)
{
    if (!playable_ids.contains(id))
        return;
    const int previous = selected_id;
    selected_id = id;
    showSelection();
    if (previous != id)
        emit selectionChanged();
}

void GameScene::showSelection()
{
    // The same raise and dimming as under the pointer.
    if (cardItem(selected_id))
        setHighlightedCard(selected_id);
}

void GameScene::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    const bool table_key = key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Home
                           || key == Qt::Key_End || key == Qt::Key_Return || key == Qt::Key_Enter
                           || key == Qt::Key_Space;
    if (!table_key
        || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        QGraphicsScene::keyPressEvent(event);
        return;
    }
    // Taken even when they do nothing, so the view never scrolls under them.
    event->accept();
    // Nothing to choose off turn, before a game, or while a card or trick still moves.
    if (playable_ids.isEmpty() || animation_manager.isBusy())
        return;

    const int last = int(playable_ids.size()) - 1;
    const int index = std::max(0, int(playable_ids.indexOf(selected_id)));
    const CardGraphicsItem *selected = cardItem(selected_id);
    const bool shown = selected && selected->isHovered();
    keyboard_in_use = true;
    switch (key) {
    case Qt::Key_Home:
        setSelectedCard(playable_ids.first());
        break;
    case Qt::Key_End:
        setSelectedCard(playable_ids.last());
        break;
    default:
        // While no card is raised, a key first shows where the selection is: nothing
        // moves, and nothing is played, that the player has not seen.
        if (!shown)
            setSelectedCard(playable_ids[index]);
        else if (key == Qt::Key_Left)
            setSelectedCard(playable_ids[std::max(0, index - 1)]);
        else if (key == Qt::Key_Right)
            setSelectedCard(playable_ids[std::min(last, index + 1)]);
        else
            playSelectedCard();
        break;
    }
}

void GameScene::playSelectedCard()
{
    onCardClicked(selected_id);  // the click's own way from here on, lowering it first
}

int GameScene::cardId(const Card &card) const
{
    for (std::size_t k = 0; k < card_items.size(); ++k)
        if (card_items[k].card() == card)
            return int(k);
    fatalError("..\\Source\\GameScene", 210, "Card not found on view.");
}

void GameScene::animateMove(const Card &card)
{
    for (int p = 0; p < table::tablePositions; ++p) {
        for (CardGraphicsItem *item : position_cards[p]) {
            if (item->card() == card) {
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
    trick_winner_position = winner_id >= 0 ? winner_id / table::cardsPerHand : -1;
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
    // The pointer takes the selection along; keys pressed next continue from this card.
    keyboard_in_use = false;
    setSelectedCard(id);
    setHighlightedCard(id);
}

void GameScene::onCardHoverLeft(int)
{
    clearHighlightedCard();
}

void GameScene::onCardClicked(int id)
{
    onCardHoverLeft(id);
    if (const CardGraphicsItem *item = cardItem(id))
        emit cardClicked(item->card(), id);
}

int GameScene::tablePositionOfSeat(int seat) const
{
    for (const auto &[position, player_seat] : position_players)
        if (player_seat == seat)
            return position;
    return -1;
}

void GameScene::setHighlightedCard(int id)
{
    if (id != highlighted_id)
        clearHighlightedCard();
    CardGraphicsItem *picked = cardItem(id);
    if (!picked)
        return;
    highlighted_id = id;
    picked->setLifted(true);
    // Cards stack in id order: without this the cards to its right would veil it.
    picked->setZValue(table::highlightedZ);
    for (CardGraphicsItem *item : position_cards[table::humanPosition])
        if (item->id() != id)
            item->setOpacity(item->isHinted() ? 1.0 : table::dimmedOpacity);
}

void GameScene::setHintedCard(int id)
{
    for (CardGraphicsItem &item : card_items)
        item.setHinted(item.id() == id);
    if (highlighted_id >= 0)
        setHighlightedCard(highlighted_id);
}

void GameScene::clearHighlightedCard()
{
    if (CardGraphicsItem *picked = cardItem(highlighted_id)) {
        picked->setLifted(false);
        picked->setZValue(0);
    }
    highlighted_id = -1;
    for (CardGraphicsItem *item : position_cards[table::humanPosition])
        if (item->opacity() != 1.0)
            item->setOpacity(1.0);
}

void GameScene::setupCues()
{
    label_colour = name_labels[0].defaultTextColor();
    QFont cue_font = name_labels[0].font();
    cue_font.setPointSize(table::cuePointSize);
    cue_font.setBold(true);
    const QColor mark_colour(255, 193, 37);
    for (std::size_t p = 0; p < name_labels.size(); ++p) {
        // A soft glow behind the text with a firm line under it; both turn with the label.
        auto *glow = new QGraphicsRectItem(&name_labels[p]);
        glow->setFlag(QGraphicsItem::ItemStacksBehindParent);
        glow->setPen(Qt::NoPen);
        glow->setBrush(QColor(mark_colour.red(), mark_colour.green(), mark_colour.blue(), 90));
        auto *underline = new QGraphicsRectItem(glow);
        underline->setPen(Qt::NoPen);
        underline->setBrush(mark_colour.darker(130));
        glow->hide();
        turn_marks[p] = glow;
        turn_underlines[p] = underline;

        auto *cue = new QGraphicsSimpleTextItem(QStringLiteral("+1"), &name_labels[p]);
        QFont trick_font = name_labels[p].font();
        trick_font.setBold(true);
        cue->setFont(trick_font);
        cue->setBrush(table::metColour);
        cue->hide();
        trick_cues[p] = cue;
    }

    your_turn_cue = new QGraphicsSimpleTextItem(tr("Your turn"));
    your_turn_cue->setFont(cue_font);
    your_turn_cue->setBrush(table::metColour);
    your_turn_cue->hide();
    addItem(your_turn_cue);

    trick_cue_fade.setDuration(table::trickCueDuration);
    trick_cue_fade.setStartValue(1.0);
    trick_cue_fade.setEndValue(0.0);
    trick_cue_fade.setEasingCurve(QEasingCurve::InQuad);
    connect(&trick_cue_fade, &QVariantAnimation::valueChanged, this, [this](const QVariant &v) {
        if (trick_winner_position >= 0)
            trick_cues[std::size_t(trick_winner_position)]->setOpacity(v.toDouble());
    });
    connect(&trick_cue_fade, &QVariantAnimation::finished, this, &GameScene::clearCues);
}

void GameScene::clearCues()
{
    trick_cue_fade.stop();
    for (std::size_t p = 0; p < name_labels.size(); ++p) {
        trick_cues[p]->hide();
        name_labels[p].setDefaultTextColor(label_colour);
    }
}

// Where the centred text of a label starts and ends, in the label's own coordinates.
static QRectF textExtent(const QGraphicsTextItem &label)
{
    const QRectF box = label.boundingRect();
    const qreal text = std::min(label.document()->idealWidth(), box.width());
    return QRectF(box.x() + (box.width() - text) / 2, box.y(), text, box.height());
}

void GameScene::showTurn(const GameState &game_state)
{
    const int position = tablePositionOfSeat(game_state.getCurrentPlayer());
    if (position != turn_position)
        clearTurn();
    if (position < 0 || int(game_state.getPlayers().size()) < table::tablePositions)
        return;
    turn_position = position;
    QGraphicsRectItem *glow = turn_marks[std::size_t(position)];
    const QRectF text = textExtent(name_labels[std::size_t(position)]);
    const qreal pad = table::turnMarkPadding;
    const QRectF rect = text.adjusted(-pad, 0, pad, 0);
    glow->setRect(rect);
    turn_underlines[std::size_t(position)]->setRect(
        rect.x(), rect.bottom() - table::turnMarkUnderline, rect.width(), table::turnMarkUnderline);
    glow->show();
}

void GameScene::clearTurn()
{
    for (QGraphicsRectItem *mark : turn_marks)
        mark->hide();
    turn_position = -1;
}

QGraphicsItem *GameScene::turnMark(int table_position) const
{
    return table_position >= 0 && table_position < int(turn_marks.size())
               ? turn_marks[std::size_t(table_position)]
               : nullptr;
}

QGraphicsItem *GameScene::trickCue(int table_position) const
{
    return table_position >= 0 && table_position < int(trick_cues.size())
               ? trick_cues[std::size_t(table_position)]
               : nullptr;
}

void GameScene::showTrickWinnerCue()
{
    const int p = trick_winner_position;
    if (p < 0 || p >= int(name_labels.size()))
        return;
    clearCues();
    trick_winner_position = p;  // clearCues keeps it; the fade reads it
    QGraphicsTextItem &label = name_labels[std::size_t(p)];
    label.setDefaultTextColor(table::metColour);
    QGraphicsSimpleTextItem *cue = trick_cues[std::size_t(p)];
    const QRectF text = textExtent(label);
    cue->setPos(text.right() + table::turnMarkPadding,
                text.y() + (text.height() - cue->boundingRect().height()) / 2);
    cue->setOpacity(1.0);
    cue->show();
    trick_cue_fade.start();
}

void GameScene::placeYourTurnCue()
{
    // Right of the human's row, below the right column: clear of every card and label.
    const CardGraphicsItem *right_first = position_cards[1].front();
    const CardGraphicsItem *bottom_first = position_cards[table::humanPosition].front();
    your_turn_cue->setPos(truncated(right_first->x()),
                          truncated(bottom_first->y() + cardHeight(bottom_first) / 2));
}
