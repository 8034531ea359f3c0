#include "TrickCompleteScene.h"

#include "CallTextItem.h"
#include "CardGraphicsItem.h"
#include "SummaryElementAccessible.h"

#include <QBrush>
#include <QGraphicsEllipseItem>
#include <QGraphicsTextItem>
#include <QKeyEvent>
#include <QStringList>

#include <algorithm>
#include <functional>

namespace {

const QString number_template = QStringLiteral("<center>%1</center>");
constexpr qreal gap = 20;

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
    marker->setOpacity(0.25);
    scene->addItem(marker);
}

} // namespace

TrickCompleteScene::TrickCompleteScene(const std::vector<Player> &players, int human_player,
                                       QObject *parent)
    : QGraphicsScene(parent)
{
    summary_font = font();
    summary_font.setPointSize(20);
    summary_font.setStyleHint(QFont::Serif, QFont::PreferDefault);
    summary_font.setStretch(150);

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
    std::stable_sort(rows.begin(), rows.end(),
                     [](const SummaryRow &a, const SummaryRow &b) { return a.points > b.points; });

    // Names, one row under the other.
    QList<QGraphicsTextItem *> name_items;
    qreal y = 0;
    int name_width = 0;
    for (const SummaryRow &row : rows) {
        QGraphicsTextItem *item = addSummaryText(row.name);  // plain text: never markup
        item->setPos(0, y);
        y += item->boundingRect().height() + gap;
        name_width = std::max(name_width, int(item->boundingRect().width()));
        name_items.append(item);
    }

    QGraphicsTextItem *points_header = addSummaryText(QStringLiteral("Points"));
    points_header->setPos(name_width + gap, -(points_header->boundingRect().height() + gap));
    QGraphicsTextItem *calls_header = addSummaryText(QStringLiteral("Calls"));
    calls_header->setPos(points_header->x() + points_header->boundingRect().width() + gap,
                         points_header->y());
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
            addMarker(this, call_item, QColor(155, 155, 155, 255));
        } else if (row.missing_suit) {
            addSummaryText(QStringLiteral("sideoff"))
                ->setPos(calls_header->x() + calls_width + gap, row_y);
        }
    }

    if (!name_items.isEmpty()) {
        QGraphicsTextItem *last_name = name_items.last();
        const qreal total_y = last_name->y() + last_name->boundingRect().height() + gap;
        addSummaryText(QStringLiteral("Total Calls"))->setPos(last_name->x(), total_y);
        total_calls_item = addNumber(totalCalls(), calls_width);
        total_calls_item->setPos(calls_header->x(), total_y);
        addMarker(this, total_calls_item, QColor(255, 0, 0, 255));
    }

    const QRectF bounds = itemsBoundingRect();
    CallTextItem *increase = addButton(QStringLiteral("+ Call +"));
    increase->setPos(bounds.x(), bounds.y() + bounds.height() + gap);
    CallTextItem *decrease = addButton(QStringLiteral("- Call -"));
    decrease->setPos(bounds.x() + bounds.width() - decrease->boundingRect().width(),
                     increase->y());
    connect(increase, &CallTextItem::clicked, this, &TrickCompleteScene::onCallIncrease);
    connect(decrease, &CallTextItem::clicked, this, &TrickCompleteScene::onCallDecrease);

    // The human's new hand, each card covering the right half of the one before.
    const SummaryRow *human = nullptr;
    for (const SummaryRow &row : rows)
        if (row.is_human)
            human = &row;
    const qreal cards_y = int(decrease->y() + decrease->boundingRect().height() + 40);
    qreal x = 0;
    if (human) {
        for (const Card &card : human->cards) {
            auto *item = new CardGraphicsItem();
            item->setCard(card);
            item->setPos(x, cards_y);
            addItem(item);
            hand_items.append(item);
            x = int(x + 0.5 * item->boundingRect().width());
        }
    }

    CallTextItem *end_game = addButton(QStringLiteral("End Game"));
    continue_item = addButton(QStringLiteral("Continue"));
    if (!hand_items.isEmpty()) {
        CardGraphicsItem *first = hand_items.first();
        CardGraphicsItem *last = hand_items.last();
        end_game->setPos(first->x(), first->y() + first->boundingRect().height() + 40);
        continue_item->setPos(last->x() + last->boundingRect().width()
                                  - continue_item->boundingRect().width(),
                              end_game->y());
    } else {
        end_game->setPos(0, cards_y);
        continue_item->setPos(bounds.x() + bounds.width()
                                  - continue_item->boundingRect().width(),
                              cards_y);
    }
    connect(end_game, &CallTextItem::clicked, this, &TrickCompleteScene::onEndGame);
    connect(continue_item, &CallTextItem::clicked, this, &TrickCompleteScene::onContinueClicked);
}

TrickCompleteScene::~TrickCompleteScene()
{
    // The accessibility cache owns the elements; they must not outlive the items they read.
    for (const QAccessible::Id id : element_ids)
        QAccessible::deleteAccessibleInterface(id);
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
    item->setHtml(number_template.arg(number));
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
        total_calls_item->setHtml(number_template.arg(totalCalls()));
    if (changed && human_call_item)
        human_call_item->setHtml(number_template.arg(new_call));
    if (changed) {
        notifyAccessible(1, QAccessible::NameChanged);
        emit callChanged(new_call);
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
    continue_item->hide();
    emit endGame();
}

bool TrickCompleteScene::event(QEvent *event)
{
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
        if (item->isVisible())
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
        QString line = tr("%1, %2 points, call %3").arg(row.name).arg(row.points).arg(row.call);
        if (row.missing_suit && !row.is_human)
            line = tr("%1, sideoff").arg(line);
        lines << line;
    }
    return tr("Standings: %1.").arg(lines.join(QStringLiteral("; ")));
}

QString TrickCompleteScene::callText() const
{
    return tr("Your call: %1. Total of the calls: %2.").arg(humanCall()).arg(totalCalls());
}

QString TrickCompleteScene::accessibleSummary() const
{
    QStringList parts = {tr("Round summary."), standingsText(), callText()};
    if (continue_item && !continue_item->isVisible())
        parts << tr("The game has ended.");
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
