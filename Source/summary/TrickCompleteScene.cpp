#include "TrickCompleteScene.h"

#include "CallTextItem.h"
#include "CardGraphicsItem.h"
#include "CardName.h"
#include "CountText.h"
#include "GameRules.h"
#include "IsolatedName.h"
#include "SummaryElementAccessible.h"

#include <QBrush>
#include <QGraphicsEllipseItem>
#include <QGraphicsLineItem>
#include <QGraphicsRectItem>
#include <QGraphicsTextItem>
#include <QKeyEvent>
#include <QPen>
#include <QStringList>
#include <QTimer>

#include <algorithm>
#include <cstdlib>
#include <functional>

namespace {

const QString numberTemplate = QStringLiteral("<center>%1</center>");

// The summary's type: a large, wide serif.
constexpr int summaryPointSize = 20;
constexpr int summaryStretch = 150;
// Space between the columns and rows of the standings, and under them.
constexpr qreal gap = 20;
// Space above and below the new hand.
constexpr qreal handGap = 40;
// Each card of the hand leaves this share of the one before it showing.
constexpr qreal cardStep = 0.5;
constexpr qreal markerOpacity = 0.25;
const QColor humanCallMarker(155, 155, 155, 255);
const QColor totalCallsMarker(255, 0, 0, 255);

// The coach's chart: grey bars, the suggested call's bar in the red of the total's marker.
const QColor chartBarColour(90, 90, 90);
const QColor chartSuggestedColour(255, 0, 0);
constexpr qreal chartBarOpacity = 0.5;
constexpr qreal chartBarFill = 0.7;  // of each bar's column; the rest is space
constexpr qreal chartColumnPadding = 8;
constexpr qreal chartSmallestPointSize = 11;

bool lacksASuit(const std::vector<Card> &cards)
{
    for (int suit : {Spades, Hearts, Diamonds, Clubs})
        if (cardsOfSuit(cards, suit).empty())
            return true;
    return false;
}

void addMarker(QGraphicsScene *scene, QGraphicsTextItem *over, const QColor &colour)
{
    auto *marker = new QGraphicsEllipseItem(over->boundingRect());
    marker->setPos(over->pos());
    marker->setBrush(QBrush(colour, Qt::SolidPattern));
    marker->setOpacity(markerOpacity);
    scene->addItem(marker);
}

}  // namespace

TrickCompleteScene::TrickCompleteScene(const std::vector<Player> &players, int human_player,
                                       QObject *parent)
    : QGraphicsScene(parent)
{
    summary_font = font();
    summary_font.setPointSize(summaryPointSize);
    summary_font.setStyleHint(QFont::Serif, QFont::PreferDefault);
    summary_font.setStretch(summaryStretch);

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
        if (row.is_human)
            row.call = min_call;
        rows.push_back(std::move(row));
    }
    std::vector<SummaryRow> by_seat = std::move(rows);
    rows.clear();
    for (const int seat : seatsByStanding(players))
        rows.push_back(std::move(by_seat[std::size_t(seat)]));
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
            addMarker(this, call_item, humanCallMarker);
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
    addMarker(this, total_calls_item, totalCallsMarker);
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

TrickCompleteScene::~TrickCompleteScene()
{
    // The accessibility cache owns the elements; they must not outlive the items they read.
    for (const QAccessible::Id id : element_ids)
        QAccessible::deleteAccessibleInterface(id);
}

void TrickCompleteScene::showCoachAdvice(int suggested_call,
                                         const Coach::Histogram &rounds_by_tricks)
{
    CallTextItem *decrease = decrease_item;
    if (suggestion_item || !decrease)
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

    coach_rounds = rounds_by_tricks;
    suggestion_item = addSummaryText(tr("Suggested: %1").arg(suggested_call));
    const qreal left = taken.right() + 2 * gap;
    suggestion_item->setPos(left, decrease->y());
    // The notes beside and above the chart need more words: the upright face.
    QFont note_font = summary_font;
    note_font.setStretch(QFont::Unstretched);
    chance_item = addSummaryText(QString());
    chance_item->setFont(note_font);
    chance_item->setPlainText(chanceText());
    chance_item->setPos(
        suggestion_item->sceneBoundingRect().right() + gap,
        decrease->y()
            + (suggestion_item->boundingRect().height() - chance_item->boundingRect().height())
                  / 2);
    QGraphicsTextItem *caption =
        addSummaryText(tr("Tricks this hand took in %1 simulated rounds").arg(simulationRuns));
    caption->setFont(note_font);
    caption->setPos(left, taken.top());

    const int columns = int(rounds_by_tricks.size());
    QGraphicsTextItem widest_label(QString::number(columns - 1));  // measured, never shown
    QFont label_font = summary_font;
    widest_label.setFont(label_font);
    // Longer words (other languages, sideoff marks) push the chart right: its numbers get
    // smaller, down to a limit, before it runs past the hand.
    const qreal room = (hand_right - left) / columns;
    while (widest_label.boundingRect().width() + chartColumnPadding > room
           && label_font.pointSizeF() > chartSmallestPointSize) {
        label_font.setPointSizeF(label_font.pointSizeF() - 1);
        widest_label.setFont(label_font);
    }
    const qreal label_height = widest_label.boundingRect().height();
    const qreal column = std::max(widest_label.boundingRect().width() + chartColumnPadding, room);

    const qreal baseline = decrease->y() - label_height;
    const qreal tallest = baseline - caption->sceneBoundingRect().bottom();
    const int most =
        std::max(1, *std::max_element(rounds_by_tricks.begin(), rounds_by_tricks.end()));
    const qreal bar_width = column * chartBarFill;
    for (int tricks = 0; tricks < columns; ++tricks) {
        const int rounds = rounds_by_tricks[std::size_t(tricks)];
        const qreal height = tallest * rounds / most;
        const qreal x = left + tricks * column;
        const bool suggested = tricks == suggested_call;
        auto *bar = new QGraphicsRectItem(0, 0, bar_width, height);
        bar->setPos(x + (column - bar_width) / 2, baseline - height);
        bar->setBrush(QBrush(suggested ? chartSuggestedColour : chartBarColour, Qt::SolidPattern));
        bar->setPen(Qt::NoPen);
        bar->setOpacity(chartBarOpacity);
        bar->setToolTip(tr("Tricks: %1\nSimulated rounds: %2 of %3")
                            .arg(tricks)
                            .arg(rounds)
                            .arg(simulationRuns));
        addItem(bar);
        chart_bars.append(bar);

        auto *label = new QGraphicsTextItem();
        label->setFont(label_font);
        label->setHtml(numberTemplate.arg(tricks));
        label->setTextWidth(column);
        label->setPos(x, baseline);
        addItem(label);
        if (suggested)
            addMarker(this, label, chartSuggestedColour);
    }
    auto *axis = new QGraphicsLineItem(left, baseline, left + columns * column, baseline);
    axis->setPen(QPen(chartBarColour, 2));
    addItem(axis);
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

int TrickCompleteScene::humanCall() const
{
    for (const SummaryRow &row : rows)
        if (row.is_human)
            return row.call;
    return 0;
}

int TrickCompleteScene::totalCalls() const
{
    int total = 0;
    for (const SummaryRow &row : rows)
        total += row.call;
    return total;
}

CallTextItem *TrickCompleteScene::button(const QString &text) const
{
    for (CallTextItem *item : buttons)
        if (item->toPlainText() == text)
            return item;
    return nullptr;
}

void TrickCompleteScene::changeHumanCall(int delta)
{
    if (game_ended)
        return;  // the call of a game that is over is nobody's business
    bool changed = false;
    int new_call = 0;
    for (SummaryRow &row : rows) {
        if (!row.is_human)
            continue;
        const int wanted = row.call + delta;
        if (wanted >= min_call && wanted <= max_call) {
            row.call = wanted;
            changed = true;
        }
        new_call = row.call;
    }
    if (total_calls_item)
        total_calls_item->setHtml(numberTemplate.arg(totalCalls()));
    if (changed && human_call_item)
        human_call_item->setHtml(numberTemplate.arg(new_call));
    if (chance_item)
        chance_item->setPlainText(chanceText());
    updateButtonStates();
    if (changed) {
        notifyAccessible(1, QAccessible::NameChanged);
        emit proposedCallChanged(new_call);
    }
}

// A button that can do nothing looks and acts inactive: the selector at its limits, and
// everything once the game is ended.
void TrickCompleteScene::updateButtonStates()
{
    const int call = humanCall();
    if (increase_item)
        increase_item->setEnabled(!game_ended && call < max_call);
    if (decrease_item)
        decrease_item->setEnabled(!game_ended && call > min_call);
    if (end_game_item)
        end_game_item->setEnabled(!game_ended);
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
    if (game_ended)
        return;
    game_ended = true;
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
    notifyAccessible(2 + int(buttons.indexOf(focused_button)), QAccessible::Focus);
}

QString TrickCompleteScene::standingsText() const
{
    QStringList lines;
    for (const SummaryRow &row : rows) {
        QString line =
            tr("%1, %2, call %3").arg(row.name, pointsText(row.points), QString::number(row.call));
        if (row.missing_suit && !row.is_human)
            line = tr("%1, sideoff").arg(line);
        lines << line;
    }
    return tr("Standings: %1.").arg(lines.join(QStringLiteral("; ")));
}

QString TrickCompleteScene::callText() const
{
    QString text = tr("Your call: %1. Total of the calls: %2.").arg(humanCall()).arg(totalCalls());
    if (rules::isShortcallTotal(totalCalls()))
        text += QLatin1Char(' ') + tr("That makes a Shortcall round.");
    // The chance goes with the call, so that it is read out again as the call changes.
    return chance_item ? QStringLiteral("%1 %2.").arg(text, chanceText()) : text;
}

QString TrickCompleteScene::chanceText() const
{
    if (!chance_item)
        return QString();
    const int call = humanCall();
    return tr("Call %1: made in %2 of %3 simulated rounds")
        .arg(call)
        .arg(Coach::madeCount(coach_rounds, call, rules::isShortcallTotal(totalCalls())))
        .arg(simulationRuns);
}

QString TrickCompleteScene::resultText() const
{
    if (rows.empty())
        return {};
    // The rows are in standings order: the leaders come first.
    const int best = rows.front().points;
    QStringList leaders;
    for (const SummaryRow &row : rows)
        if (row.points == best)
            leaders << isolatedName(row.name);
    // The plural form follows the size of the number, as in pointsText.
    const int size = std::abs(best);
    if (leaders.size() == 1)
        return countedText("TrickCompleteScene",
                           QT_TRANSLATE_N_NOOP("TrickCompleteScene", "%1 wins with %2 point(s)."),
                           size)
            .arg(leaders.front())
            .arg(best);
    const QString last = leaders.takeLast();
    //: Names of players who tie: %1 is one name or several separated by commas.
    const QString names = tr("%1 and %2").arg(leaders.join(QStringLiteral(", ")), last);
    return countedText(
               "TrickCompleteScene",
               QT_TRANSLATE_N_NOOP("TrickCompleteScene", "%1 share the win with %2 point(s)."),
               size)
        .arg(names)
        .arg(best);
}

// Where Continue was, right of End Game: the winner, and where the whole game can be read.
void TrickCompleteScene::placeResult()
{
    if (result_item || !end_game_item)
        return;
    // Plain text: never markup. Sentences side by side, as in the accessible summary.
    result_item = addSummaryText(
        QStringLiteral("%1 %2").arg(resultText(), tr("Press S for the score sheet.")));
    const qreal left = end_game_item->x() + end_game_item->boundingRect().width() + 2 * gap;
    const qreal right = continue_item->x() + continue_item->boundingRect().width();
    result_item->setTextWidth(std::max(right - left, 2 * end_game_item->boundingRect().width()));
    result_item->setPos(left, end_game_item->y());
}

QString TrickCompleteScene::accessibleSummary() const
{
    QStringList parts = {tr("Round summary."), standingsText(), callText()};
    if (suggestion_item)
        parts << suggestion_item->toPlainText() + QLatin1Char('.');
    QStringList hand;
    for (const CardGraphicsItem *item : hand_items)
        hand << cardName(item->card());
    if (!hand.isEmpty())
        parts << tr("Your new hand: %1.").arg(hand.join(QStringLiteral(", ")));
    if (continue_item && !continue_item->isVisible()) {
        parts << tr("The game has ended.") << resultText() << tr("Press S for the score sheet.");
    } else {
        QStringList names;
        for (const CallTextItem *item : buttons)
            names << item->toPlainText();
        parts << tr("Buttons: %1.").arg(names.join(QStringLiteral(", ")));
    }
    return parts.join(QLatin1Char(' '));
}

QRectF TrickCompleteScene::callRect() const
{
    QRectF rect;
    for (const QGraphicsTextItem *item : {human_call_item, total_calls_item})
        if (item)
            rect |= item->sceneBoundingRect();
    return rect;
}

QList<QAccessibleInterface *> TrickCompleteScene::accessibleElements()
{
    if (element_ids.isEmpty()) {
        using Kind = SummaryElementAccessible::Kind;
        element_ids << QAccessible::registerAccessibleInterface(
            new SummaryElementAccessible(this, Kind::Standings));
        element_ids << QAccessible::registerAccessibleInterface(
            new SummaryElementAccessible(this, Kind::Call));
        for (CallTextItem *item : buttons)
            element_ids << QAccessible::registerAccessibleInterface(
                new SummaryElementAccessible(this, Kind::Button, item));
    }
    QList<QAccessibleInterface *> elements;
    for (const QAccessible::Id id : element_ids)
        elements << QAccessible::accessibleInterface(id);
    return elements;
}

void TrickCompleteScene::notifyAccessible(int element, QAccessible::Event type)
{
    if (element_ids.isEmpty() && !QAccessible::isActive())
        return;  // nobody listens: make nothing
    QAccessibleInterface *iface = accessibleElements().value(element);
    if (!iface)
        return;
    QAccessibleEvent event(iface, type);
    QAccessible::updateAccessibility(&event);
}
