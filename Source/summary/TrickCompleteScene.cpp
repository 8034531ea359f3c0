#include "TrickCompleteScene.h"

#include "CallTextItem.h"
#include "CardGraphicsItem.h"
#include "CardName.h"
#include "CoachChartItem.h"
#include "IsolatedName.h"
#include "SuitVoids.h"
#include "SummaryNarrator.h"
#include "SummaryStyle.h"

#include <QBrush>
#include <QGraphicsEllipseItem>
#include <QGraphicsTextItem>
#include <QKeyEvent>
#include <QStringList>
#include <QTimer>

#include <algorithm>

namespace {

const QString numberTemplate = QStringLiteral("<center>%1</center>");

// Space between the columns and rows of the standings, and under them.
constexpr qreal gap = 20;
// Space above and below the new hand.
constexpr qreal handGap = 40;
// Each card of the hand leaves this share of the one before it showing.
constexpr qreal cardStep = 0.5;

void addMarker(QGraphicsScene *scene, QGraphicsTextItem *over, const QColor &colour)
{
    auto *marker = new QGraphicsEllipseItem(over->boundingRect());
    marker->setPos(over->pos());
    marker->setBrush(QBrush(colour, Qt::SolidPattern));
    marker->setOpacity(summarystyle::markerOpacity);
    scene->addItem(marker);
}

}  // namespace

TrickCompleteScene::TrickCompleteScene(const std::vector<Player> &players, int human_player,
                                       QObject *parent)
    : QGraphicsScene(parent)
{
    summary_font = summarystyle::serif(font());

    collectRows(players, human_player);
    const QList<QGraphicsTextItem *> names = placeStandingsRows();
    placeCallColumn(names);
    // The buttons line up with the standings as they are before any button is added.
    const QRectF standings = itemsBoundingRect();
    const qreal hand_y = placeCallButtons(standings);
    placeHand(hand_y);
    placeBottomButtons(standings, hand_y);
}

void TrickCompleteScene::collectRows(const std::vector<Player> &players, int human_player)
{
    const std::vector<int> leaders = leadingSeats(players);
    int others_total = 0;
    for (std::size_t seat = 0; seat < players.size(); ++seat) {
        const Player &player = players[seat];
        SummaryRow row;
        row.name = QString::fromStdString(player.name);
        row.points = player.points;
        row.call = player.call;
        row.is_human = int(seat) == human_player;
        row.cards = player.hand.cards;
        // Card's order is the display order: spades, hearts, clubs, diamonds, Ace first.
        std::stable_sort(row.cards.begin(), row.cards.end());
        row.missing_suit = lacksASuit(row.cards);
        row.leads = std::find(leaders.begin(), leaders.end(), int(seat)) != leaders.end();
        if (row.is_human)
            row.call = selector.call();
        else
            others_total += row.call;
        rows.push_back(std::move(row));
    }
    std::vector<SummaryRow> by_seat = std::move(rows);
    rows.clear();
    for (const int seat : seatsByStanding(players))
        rows.push_back(std::move(by_seat[std::size_t(seat)]));
    selector = CallSelector(others_total);
}

QList<QGraphicsTextItem *> TrickCompleteScene::placeStandingsRows()
{
    // Names, one row under the other.
    QList<QGraphicsTextItem *> name_items;
    qreal y = 0;
    int name_width = 0;
    for (const SummaryRow &row : rows) {
        QGraphicsTextItem *item =
            addSummaryText(isolatedName(row.name));  // plain text: never markup
        item->setPos(0, y);
        y += item->boundingRect().height() + gap;
        name_width = std::max(name_width, int(item->boundingRect().width()));
        name_items.append(item);
    }

    // The headers sit above the first row, right of the widest name.
    points_header = addSummaryText(tr("Points"));
    points_header->setPos(name_width + gap, -(points_header->boundingRect().height() + gap));
    calls_header = addSummaryText(tr("Calls"));
    calls_header->setPos(points_header->x() + points_header->boundingRect().width() + gap,
                         points_header->y());
    // "Total Calls" stands under the names and can be longer than all of them (more so in
    // other languages): the columns move right until its number clears it.
    QGraphicsTextItem total_probe(tr("Total Calls"));
    total_probe.setFont(summary_font);
    const qreal clash = total_probe.boundingRect().width() + gap - calls_header->x();
    if (clash > 0) {
        points_header->moveBy(clash, 0);
        calls_header->moveBy(clash, 0);
    }
    const qreal points_width = points_header->boundingRect().width();
    const qreal calls_width = calls_header->boundingRect().width();

    for (std::size_t i = 0; i < rows.size(); ++i) {
        const SummaryRow &row = rows[i];
        const qreal row_y = name_items[int(i)]->y();
        addNumber(row.points, points_width)->setPos(points_header->x(), row_y);
        QGraphicsTextItem *call_item = addNumber(row.call, calls_width);
        call_item->setPos(calls_header->x(), row_y);
        if (row.is_human) {
            human_call_item = call_item;
            addMarker(this, call_item, summarystyle::humanMarker);
        } else if (row.missing_suit) {
            addSummaryText(tr("sideoff"))->setPos(calls_header->x() + calls_width + gap, row_y);
        }
    }
    return name_items;
}

void TrickCompleteScene::placeCallColumn(const QList<QGraphicsTextItem *> &name_items)
{
    // The total of the calls, a row under the last name.
    if (name_items.isEmpty())
        return;
    QGraphicsTextItem *last_name = name_items.last();
    const qreal total_y = last_name->y() + last_name->boundingRect().height() + gap;
    addSummaryText(tr("Total Calls"))->setPos(last_name->x(), total_y);
    total_calls_item = addNumber(totalCalls(), calls_header->boundingRect().width());
    total_calls_item->setPos(calls_header->x(), total_y);
    addMarker(this, total_calls_item, summarystyle::markerRed);
}

qreal TrickCompleteScene::placeCallButtons(const QRectF &standings)
{
    // "+ Call +" under the standings' left edge, "- Call -" under their right edge.
    CallTextItem *increase = addButton(tr("+ Call +"));
    increase_item = increase;
    increase->setPos(standings.x(), standings.y() + standings.height() + gap);
    CallTextItem *decrease = addButton(tr("- Call -"));
    decrease_item = decrease;
    decrease->setPos(std::max(standings.x() + standings.width() - decrease->boundingRect().width(),
                              increase->x() + increase->boundingRect().width() + gap),
                     increase->y());
    connect(increase, &CallTextItem::clicked, this, &TrickCompleteScene::onCallIncrease);
    connect(decrease, &CallTextItem::clicked, this, &TrickCompleteScene::onCallDecrease);
    return int(decrease->y() + decrease->boundingRect().height() + handGap);
}

void TrickCompleteScene::placeHand(qreal y)
{
    // The human's new hand, each card covering the right half of the one before.
    const SummaryRow *human = nullptr;
    for (const SummaryRow &row : rows)
        if (row.is_human)
            human = &row;
    if (!human)
        return;
    qreal x = 0;
    for (const Card &card : human->cards) {
        auto *item = new CardGraphicsItem();
        item->setCard(card);
        item->setPos(x, y);
        addItem(item);
        hand_items.append(item);
        x = int(x + cardStep * item->boundingRect().width());
    }
}

void TrickCompleteScene::placeBottomButtons(const QRectF &standings, qreal hand_y)
{
    // "End Game" under the hand's left end, "Continue" under its right end; with no hand,
    // on the hand's line, Continue under the standings' right edge.
    CallTextItem *end_game = addButton(tr("End Game"));
    end_game_item = end_game;
    continue_item = addButton(tr("Continue"));
    if (!hand_items.isEmpty()) {
        CardGraphicsItem *first = hand_items.first();
        CardGraphicsItem *last = hand_items.last();
        end_game->setPos(first->x(), first->y() + first->boundingRect().height() + handGap);
        continue_item->setPos(std::max(last->x() + last->boundingRect().width()
                                           - continue_item->boundingRect().width(),
                                       end_game->x() + end_game->boundingRect().width() + gap),
                              end_game->y());
    } else {
        end_game->setPos(0, hand_y);
        continue_item->setPos(
            standings.x() + standings.width() - continue_item->boundingRect().width(), hand_y);
    }
    connect(end_game, &CallTextItem::clicked, this, &TrickCompleteScene::onEndGame);
    connect(continue_item, &CallTextItem::clicked, this, &TrickCompleteScene::onContinueClicked);
    updateButtonStates();
}

void TrickCompleteScene::showCoachAdvice(int suggested_call,
                                         const Coach::Histogram &rounds_by_tricks)
{
    CallTextItem *decrease = decrease_item;
    if (coach_chart || !decrease)
        return;

    // The free space right of the standings and the call selector, up to the right end
    // of the hand below (or further, when long names leave too little of it).
    QRectF taken;
    qreal hand_right = 0;
    for (QGraphicsItem *item : items()) {
        if (item->type() == CardGraphicsItem::Type) {
            hand_right = std::max(hand_right, item->sceneBoundingRect().right());
            continue;
        }
        if (item->y() <= decrease->y())
            taken |= item->sceneBoundingRect();
    }
    const QRectF area(QPointF(taken.right() + 2 * gap, taken.top()),
                      QPointF(hand_right, decrease->y()));
    const QString chance = SummaryNarrator::chance(
        humanCall(), Coach::madeCount(rounds_by_tricks, humanCall(), selector.shortcall()));
    coach_chart = new CoachChartItem(suggested_call, rounds_by_tricks, area, summary_font, chance);
    addItem(coach_chart);
}

QGraphicsTextItem *TrickCompleteScene::suggestionItem() const
{
    return coach_chart ? coach_chart->suggestionItem() : nullptr;
}

QGraphicsTextItem *TrickCompleteScene::chanceItem() const
{
    return coach_chart ? coach_chart->chanceItem() : nullptr;
}

QList<QGraphicsRectItem *> TrickCompleteScene::chartBars() const
{
    return coach_chart ? coach_chart->bars() : QList<QGraphicsRectItem *>();
}

QGraphicsTextItem *TrickCompleteScene::addSummaryText(const QString &plain_text)
{
    auto *item = new QGraphicsTextItem(plain_text);
    item->setFont(summary_font);
    addItem(item);
    return item;
}

QGraphicsTextItem *TrickCompleteScene::addNumber(int number, qreal text_width)
{
    auto *item = new QGraphicsTextItem();
    item->setFont(summary_font);
    item->setHtml(numberTemplate.arg(number));
    item->setTextWidth(text_width);
    addItem(item);
    return item;
}

CallTextItem *TrickCompleteScene::addButton(const QString &text)
{
    auto *item = new CallTextItem(text);
    item->setFont(summary_font);
    addItem(item);
    buttons.append(item);
    return item;
}

CallTextItem *TrickCompleteScene::button(const QString &text) const
{
    for (CallTextItem *item : buttons)
        if (item->toPlainText() == text)
            return item;
    return nullptr;
}

CallTextItem *TrickCompleteScene::button(SummaryElement element) const
{
    switch (element) {
    case SummaryElement::Increase:
        return increase_item;
    case SummaryElement::Decrease:
        return decrease_item;
    case SummaryElement::EndGame:
        return end_game_item;
    case SummaryElement::Continue:
        return continue_item;
    case SummaryElement::Standings:
    case SummaryElement::Call:
        break;
    }
    return nullptr;
}

void TrickCompleteScene::changeHumanCall(int delta)
{
    if (selector.ended())
        return;  // the call of a game that is over is nobody's business
    const bool changed = selector.change(delta);
    if (changed) {
        for (SummaryRow &row : rows)
            if (row.is_human)
                row.call = selector.call();
        if (human_call_item)
            human_call_item->setHtml(numberTemplate.arg(selector.call()));
    }
    if (total_calls_item)
        total_calls_item->setHtml(numberTemplate.arg(totalCalls()));
    if (coach_chart)
        coach_chart->setChanceText(chanceText());
    updateButtonStates();
    if (changed) {
        emit accessibleChange(SummaryElement::Call, QAccessible::NameChanged);
        emit proposedCallChanged(selector.call());
    }
}

// A button that can do nothing looks and acts inactive: the selector at its limits, and
// everything once the game is ended.
void TrickCompleteScene::updateButtonStates()
{
    if (increase_item)
        increase_item->setEnabled(selector.canRaise());
    if (decrease_item)
        decrease_item->setEnabled(selector.canLower());
    if (end_game_item)
        end_game_item->setEnabled(!selector.ended());
    // As with widgets, the keyboard's mark leaves a button that can no longer be pressed.
    if (focused_button && (!focused_button->isEnabled() || !focused_button->isVisible())) {
        focused_button->setFocusMarked(false);
        focused_button = nullptr;
    }
}

void TrickCompleteScene::onCallDecrease()
{
    changeHumanCall(-1);
}

void TrickCompleteScene::onCallIncrease()
{
    changeHumanCall(+1);
}

void TrickCompleteScene::onContinueClicked()
{
    emit callDetermined(humanCall());
}

void TrickCompleteScene::onEndGame()
{
    if (selector.ended())
        return;
    selector.end();
    continue_item->hide();
    placeResult();
    updateButtonStates();
    emit endGame();
}

// A key pressed while the table still showed the last trick was meant for the table, even
// when it is delivered only after the summary took its place (the event loop was busy
// building it): keys count from the event loop's next turn after the first frame.
void TrickCompleteScene::drawForeground(QPainter *painter, const QRectF &rect)
{
    QGraphicsScene::drawForeground(painter, rect);
    if (painted)
        return;
    painted = true;
    QTimer::singleShot(0, this, [this] { takes_keys = true; });
}

bool TrickCompleteScene::event(QEvent *event)
{
    if (event->type() == QEvent::KeyPress && !takes_keys) {
        event->accept();
        return true;
    }
    // Tab moves the focus mark among the buttons; the base scene would give it to widgets.
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (tab && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            moveFocus(key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier));
            event->accept();
            return true;
        }
    }
    return QGraphicsScene::event(event);
}

void TrickCompleteScene::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    // Ending the game takes a chord nobody presses by habit.
    if (key == Qt::Key_E && modifiers == Qt::ControlModifier) {
        event->accept();
        onEndGame();
        return;
    }
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        QGraphicsScene::keyPressEvent(event);
        return;
    }
    const bool marked = focused_button && focused_button->isVisible();
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Plus:
        onCallIncrease();
        break;
    case Qt::Key_Down:
    case Qt::Key_Minus:
        onCallDecrease();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (marked)
            focused_button->click();
        else if (continue_item->isVisible())
            onContinueClicked();
        break;
    case Qt::Key_Space:
        if (marked)
            focused_button->click();
        break;
    default:
        QGraphicsScene::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TrickCompleteScene::moveFocus(bool forward)
{
    QList<CallTextItem *> reachable;
    for (CallTextItem *item : buttons)
        if (item->isVisible() && item->isEnabled())
            reachable.append(item);
    if (reachable.isEmpty())
        return;
    const int count = int(reachable.size());
    const int at = int(reachable.indexOf(focused_button));
    const int next = at < 0 ? (forward ? 0 : count - 1) : (at + (forward ? 1 : count - 1)) % count;
    if (focused_button)
        focused_button->setFocusMarked(false);
    focused_button = reachable[next];
    focused_button->setFocusMarked(true);
    for (const SummaryElement element : allSummaryElements)
        if (button(element) == focused_button)
            emit accessibleChange(element, QAccessible::Focus);
}

QString TrickCompleteScene::standingsText() const
{
    return SummaryNarrator::standings(rows);
}

QString TrickCompleteScene::callText() const
{
    return SummaryNarrator::call(selector, chanceText());
}

QString TrickCompleteScene::chanceText() const
{
    if (!coach_chart)
        return QString();
    const int call = humanCall();
    return SummaryNarrator::chance(
        call, Coach::madeCount(coach_chart->rounds(), call, selector.shortcall()));
}

QString TrickCompleteScene::resultText() const
{
    return SummaryNarrator::result(rows);
}

// Where Continue was, right of End Game: the winner, and where the whole game can be read.
void TrickCompleteScene::placeResult()
{
    if (result_item || !end_game_item)
        return;
    result_item = addSummaryText(SummaryNarrator::resultNote(rows));  // plain text: never markup
    const qreal left = end_game_item->x() + end_game_item->boundingRect().width() + 2 * gap;
    const qreal right = continue_item->x() + continue_item->boundingRect().width();
    result_item->setTextWidth(std::max(right - left, 2 * end_game_item->boundingRect().width()));
    result_item->setPos(left, end_game_item->y());
}

QString TrickCompleteScene::accessibleSummary() const
{
    SummaryNarrator::Scene shown;
    shown.standings = standingsText();
    shown.call = callText();
    if (QGraphicsTextItem *suggestion = suggestionItem())
        shown.suggestion = suggestion->toPlainText();
    for (const CardGraphicsItem *item : hand_items)
        shown.hand << cardName(item->card());
    shown.ended = selector.ended();
    shown.result = resultText();
    for (const CallTextItem *item : buttons)
        shown.buttons << item->toPlainText();
    return SummaryNarrator::summary(shown);
}

QRectF TrickCompleteScene::callRect() const
{
    QRectF rect;
    for (const QGraphicsTextItem *item : {human_call_item, total_calls_item})
        if (item)
            rect |= item->sceneBoundingRect();
    return rect;
}

QRectF TrickCompleteScene::standingsRect() const
{
    // Names, points, calls, the headers and the total.
    QRectF area;
    for (const QGraphicsItem *item : items())
        if (item->type() == QGraphicsTextItem::Type)
            area |= item->sceneBoundingRect();
    return area;
}
