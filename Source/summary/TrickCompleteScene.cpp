#include "TrickCompleteScene.h"

#include "CallTextItem.h"
#include "CardGraphicsItem.h"
#include "CardName.h"
#include "CoachChartItem.h"
#include "SuitVoids.h"
#include "SummaryLayout.h"
#include "SummaryNarrator.h"
#include "SummaryStyle.h"

#include <QGraphicsTextItem>
#include <QKeyEvent>
#include <QStringList>
#include <QTimer>

#include <algorithm>

TrickCompleteScene::TrickCompleteScene(const std::vector<Player> &players, int human_player,
                                       QObject *parent, qreal view_scale)
    : QGraphicsScene(parent)
{
    legible_point_size = summarystyle::legiblePointSize(font(), view_scale);
    summary_font =
        summarystyle::serif(font(), std::max(summarystyle::pointSize, legible_point_size));

    collectRows(players, human_player);
    layout.build(this, rows, totalCalls(), summary_font);
    connect(layout.increase, &CallTextItem::clicked, this, &TrickCompleteScene::onCallIncrease);
    connect(layout.decrease, &CallTextItem::clicked, this, &TrickCompleteScene::onCallDecrease);
    connect(layout.end_game, &CallTextItem::clicked, this, &TrickCompleteScene::onEndGame);
    connect(layout.continue_button, &CallTextItem::clicked, this,
            &TrickCompleteScene::onContinueClicked);
    connect(layout.review, &CallTextItem::clicked, this, &TrickCompleteScene::review);
    updateButtonStates();
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

void TrickCompleteScene::showCoachAdvice(int suggested_call,
                                         const Coach::Histogram &rounds_by_tricks)
{
    CallTextItem *decrease = layout.decrease;
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
    const QRectF area(QPointF(taken.right() + 2 * summarystyle::gap, taken.top()),
                      QPointF(hand_right, decrease->y()));
    const int others_total = selector.total() - selector.call();
    const QString suggestion = SummaryNarrator::suggestion(
        suggested_call, Coach::expectedScore(rounds_by_tricks, suggested_call, others_total),
        rules::isShortcallTotal(others_total + suggested_call));
    coach_chart = new CoachChartItem(suggested_call, rounds_by_tricks, area, summary_font,
                                     suggestion, legible_point_size);
    addItem(coach_chart);
    coach_chart->setCall(humanCall(), chanceText());
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

QRectF TrickCompleteScene::callMarkRect() const
{
    return coach_chart ? coach_chart->callMark()->sceneBoundingRect() : QRectF();
}

CallTextItem *TrickCompleteScene::button(const QString &text) const
{
    for (CallTextItem *item : layout.buttons)
        if (item->toPlainText() == text)
            return item;
    return nullptr;
}

CallTextItem *TrickCompleteScene::button(SummaryElement element) const
{
    switch (element) {
    case SummaryElement::Increase:
        return layout.increase;
    case SummaryElement::Decrease:
        return layout.decrease;
    case SummaryElement::EndGame:
        return layout.end_game;
    case SummaryElement::Continue:
        return layout.continue_button;
    case SummaryElement::Review:
        return layout.review;
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
        if (layout.human_call)
            SummaryLayout::setNumber(layout.human_call, selector.call());
    }
    if (layout.total_calls)
        SummaryLayout::setNumber(layout.total_calls, totalCalls());
    if (coach_chart)
        coach_chart->setCall(humanCall(), chanceText());
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
    if (layout.increase)
        layout.increase->setEnabled(selector.canRaise());
    if (layout.decrease)
        layout.decrease->setEnabled(selector.canLower());
    if (layout.end_game)
        layout.end_game->setEnabled(!selector.ended());
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
    layout.continue_button->hide();
    // The view keeps showing the summary where it was: the result may reach past the hand.
    setSceneRect(sceneRect());
    // No round follows: the coach's call for it and the chance of the call go.
    for (QGraphicsTextItem *advice : {suggestionItem(), chanceItem()})
        if (advice)
            advice->hide();
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
        else if (layout.continue_button->isVisible())
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
    for (CallTextItem *item : layout.buttons)
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
    if (!coach_chart || selector.ended())
        return QString();
    const int call = humanCall();
    const Coach::Histogram &rounds = coach_chart->rounds();
    return SummaryNarrator::chance(call, Coach::madeCount(rounds, call, selector.shortcall()),
                                   Coach::expectedScore(rounds, call, selector.total() - call),
                                   selector.shortcall());
}

QString TrickCompleteScene::resultText() const
{
    return SummaryNarrator::result(rows);
}

void TrickCompleteScene::placeResult()
{
    if (!result_item && layout.end_game)
        result_item = layout.placeResult(SummaryNarrator::resultNote(rows));
}

QString TrickCompleteScene::accessibleSummary() const
{
    SummaryNarrator::Scene shown;
    shown.standings = standingsText();
    shown.call = callText();
    if (QGraphicsTextItem *suggestion = suggestionItem(); suggestion && suggestion->isVisible())
        shown.suggestion = QStringLiteral("%1. %2").arg(
            suggestion->toPlainText(), SummaryNarrator::roundCounts(coach_chart->rounds()));
    for (const CardGraphicsItem *item : layout.hand)
        shown.hand << cardName(item->card());
    shown.ended = selector.ended();
    shown.result = resultText();
    for (const CallTextItem *item : layout.buttons)
        shown.buttons << item->toPlainText();
    return SummaryNarrator::summary(shown);
}

QRectF TrickCompleteScene::callRect() const
{
    QRectF rect;
    for (const QGraphicsTextItem *item : {layout.human_call, layout.total_calls})
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
