#include "GameScene.h"

#include "FatalError.h"
#include "GameState.h"
#include "HandKeys.h"
#include "IsolatedName.h"
#include "Player.h"
#include "Settings.h"
#include "StandingsToolTip.h"
#include "TableConstants.h"

#include <QFont>
#include <QKeyEvent>

#include <algorithm>
#include <vector>

namespace {

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
        // Until the first deal, the deck in its own order: suit by suit, Ace to King.
        item.setCard(makeCard(k / rules::tricksPerRound + 1, k % rules::tricksPerRound + 1));
        item.setId(k);
        position_cards[std::size_t(table::positionOfCard(k))].append(&item);
        addItem(&item);
    }
    for (CardGraphicsItem *item : position_cards[table::humanPosition]) {
        connect(item, &CardGraphicsItem::hoverEntered, this, &GameScene::onCardHoverEntered);
        connect(item, &CardGraphicsItem::hoverLeft, this, &GameScene::onCardHoverLeft);
    }
    human_seat = game_state.getHumanPlayer();
    addLabels();
    addItem(&start_prompt);

    connect(&animation_manager, &AnimationManager::animateCardFinished, this,
            &GameScene::animateCardFinished);
    connect(&animation_manager, &AnimationManager::trickCompleteAnimationFinished, this,
            &GameScene::trickCompleteAnimationFinished);
    connect(&animation_manager, &AnimationManager::trickCompleteAnimationFinished, this,
            &GameScene::showTrickWinnerCue);
}

// Stacked above the cards in this order: the name labels, "Your turn", the debug labels.
void GameScene::addLabels()
{
    TurnCues::Labels labels{};
    for (std::size_t p = 0; p < name_labels.size(); ++p) {
        QGraphicsTextItem &label = name_labels[p];
        QFont font = label.font();
        font.setPointSize(table::labelPointSize);
        label.setFont(font);
        // No device pixmap cache: new HTML is reported as a change of 2^31 units each
        // way, and a cached upright label repainted its cleared pixmap through that
        // rectangle as nothing at all, blank from the first trick until a resize.
        label.hide();
        addItem(&label);
        labels[p] = &label;
    }
    turn_cues = std::make_unique<TurnCues>(labels);
    addItem(turn_cues->yourTurnCue());
    if (debug_mode)
        debug_labels.addTo(*this);
}

GameScene::~GameScene()
{
    animation_manager.stopAll();
}

CardGraphicsItem *GameScene::cardItem(int id)
{
    return table::isCardId(id) ? &card_items[std::size_t(id)] : nullptr;
}

const CardGraphicsItem *GameScene::cardItem(int id) const
{
    return table::isCardId(id) ? &card_items[std::size_t(id)] : nullptr;
}

CardGraphicsItem &GameScene::ownItem(int id)
{
    if (!table::isCardId(id))
        FATAL_ERROR("A card item's signal carries no card item's id.");
    return card_items[std::size_t(id)];
}

QGraphicsTextItem *GameScene::nameLabel(int table_position)
{
    return table::isTablePosition(table_position) ? &name_labels[std::size_t(table_position)]
                                                  : nullptr;
}

int GameScene::seatAt(int table_position) const
{
    return table::isTablePosition(table_position)
               ? table::seatAtPosition(table_position, human_seat)
               : -1;
}

int GameScene::tablePositionOfSeat(int seat) const
{
    return seat >= 0 && seat < rules::playerCount ? table::positionOfSeat(seat, human_seat) : -1;
}

void GameScene::layoutTable(const GameState &game_state)
{
    // Whatever still runs belongs to the table being replaced: its end must not reach
    // the new one.
    animation_manager.stopAll();
    clearHighlightedCard();
    turn_cues->clearTrickCue();
    playable_ids.clear();
    selected_id = -1;

    const std::vector<Player> players = game_state.getPlayers();
    start_prompt.setVisible(int(players.size()) < table::tablePositions);
    if (int(players.size()) < table::tablePositions)
        return;  // no game yet: nothing to lay out

    // The cards first, since the places follow from the sizes of what each hand shows.
    table::HandSizes sizes;
    sizes.left_width_before = position_cards[table::Left].front()->boundingRect().width();
    for (int p = 0; p < table::tablePositions; ++p) {
        dealHand(p, players[std::size_t(seatAt(p))]);
        sizes.first[std::size_t(p)] = position_cards[std::size_t(p)].front()->boundingRect().size();
        sizes.last[std::size_t(p)] = position_cards[std::size_t(p)].back()->boundingRect().size();
    }
    const table::TableGeometry geometry = table::tableGeometry(sizes);
    debug_labels.restart();
    for (int p = 0; p < table::tablePositions; ++p) {
        const Player &player = players[std::size_t(seatAt(p))];
        placeHand(p, geometry.hands[std::size_t(p)], player);
        placeLabel(p, geometry.labels[std::size_t(p)], displayName(player));
    }
    clearTurn();
    turn_cues->placeYourTurnCue(geometry.your_turn_cue);
    updateLabels(game_state);
}

// A hidden hand is shuffled, so its order tells nothing about the cards; a shown one is
// sorted for reading.
void GameScene::dealHand(int p, const Player &player)
{
    const bool hidden = hide_opponent_cards && p != table::humanPosition;
    std::vector<Card> cards = player.hand.cards;
    if (hidden)
        randomShuffle(cards);
    else
        std::sort(cards.begin(), cards.end());

    const QList<CardGraphicsItem *> &row = position_cards[std::size_t(p)];
    for (int i = 0; i < table::cardsPerHand; ++i) {
        CardGraphicsItem *item = row[i];
        item->resetDisplay();
        if (std::size_t(i) < cards.size()) {
            item->setCard(cards[std::size_t(i)]);
        } else {
            // A short hand leaves its spare items empty and out of sight.
            item->setCard(Card());
            item->hide();
        }
        item->setFaceDown(hidden);
    }
}

void GameScene::placeHand(int p, const table::HandPlace &place, const Player &player)
{
    const QList<CardGraphicsItem *> &row = position_cards[std::size_t(p)];
    for (int i = 0; i < table::cardsPerHand; ++i) {
        CardGraphicsItem *item = row[i];
        item->setPos(place.card(i));
        item->setRotation(card_rotation);
        // The next card lies over this one (added to the scene after it, same z).
        item->setCoveringCard(i + 1 < table::cardsPerHand ? row[i + 1] : nullptr);
        if (debug_mode && p != table::humanPosition)
            debug_labels.place(player, *item, p);
    }
}

void GameScene::placeLabel(int p, const table::LabelPlace &place, const QString &text)
{
    QGraphicsTextItem &label = name_labels[std::size_t(p)];
    label.show();
    label.setHtml(centred(text));
    label.setTextWidth(place.text_width);
    label.setPos(place.pos);
    label.setRotation(place.rotation);
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
        const Player &player = players[std::size_t(seatAt(p))];
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
        legal = players[std::size_t(seatAt(table::humanPosition))].hand.legalCards(
            game_state.getTrick());

    if (!enabled)
        clearHighlightedCard();
    turn_cues->setYourTurnVisible(enabled && !legal.empty());
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
    if (!table::isHandKey(event->key())
        || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        QGraphicsScene::keyPressEvent(event);
        return;
    }
    // Taken even when they do nothing, so the view never scrolls under them.
    event->accept();
    // Nothing to choose off turn, before a game, or while a card or trick still moves.
    if (playable_ids.isEmpty() || animation_manager.isBusy())
        return;

    const CardGraphicsItem *selected = cardItem(selected_id);
    keyboard_in_use = true;
    const table::HandKeyStep step = table::handKeyStep(
        playable_ids, selected_id, selected && selected->isHovered(), event->key());
    if (step.play)
        playSelectedCard();
    else
        setSelectedCard(step.select);
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
        for (CardGraphicsItem *item : position_cards[std::size_t(p)]) {
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
    turn_cues->setTrickWinner(table::isCardId(winner_id) ? table::positionOfCard(winner_id) : -1);
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
    emit cardClicked(ownItem(id).card(), id);
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
    // Only the cards that may not be played fade, so the playable ones stay readable
    // while one of them is raised.
    for (CardGraphicsItem *item : position_cards[table::humanPosition])
        if (item->id() != id)
            item->setOpacity(
                item->isHinted() || playable_ids.contains(item->id()) ? 1.0 : table::dimmedOpacity);
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

void GameScene::showTurn(const GameState &game_state)
{
    const bool dealt = int(game_state.getPlayers().size()) >= table::tablePositions;
    turn_cues->showTurn(dealt ? tablePositionOfSeat(game_state.getCurrentPlayer()) : -1);
}
