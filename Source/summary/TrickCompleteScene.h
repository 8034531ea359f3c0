#pragma once

#include "Card.h"
#include "Coach.h"
#include "GameRules.h"
#include "Player.h"

#include <QAccessible>
#include <QFont>
#include <QGraphicsScene>
#include <QRectF>
#include <QString>

#include <vector>

class CallTextItem;
class CardGraphicsItem;
class QGraphicsRectItem;
class QGraphicsTextItem;
class QKeyEvent;

struct SummaryRow {
    QString name;
    int points = 0;
    int call = 0;
    bool is_human = false;
    std::vector<Card> cards;  // Spades, hearts, clubs, diamonds, each from the Ace down
    bool missing_suit = false;
};

// The standings between two rounds, where the human sets the call for the round
// already dealt, then continues or ends the game.
class TrickCompleteScene : public QGraphicsScene
{
    Q_OBJECT

public:
    TrickCompleteScene(const std::vector<Player> &players, int human_player,
                       QObject *parent = nullptr);
    ~TrickCompleteScene() override;

    const std::vector<SummaryRow> &summaryRows() const { return rows; }
    int humanCall() const;
    int totalCalls() const;
    // The four buttons, for tests and tools: "+ Call +", "- Call -", "End Game", "Continue".
    CallTextItem *button(const QString &text) const;
    QList<CardGraphicsItem *> handItems() const { return hand_items; }

    // Learning Mode: the coach's suggested call and a bar chart of its simulated rounds
    // (how many took 0 to 13 tricks), beside the call selector, with how often the call
    // on the selector is made in them. Moves nothing that is there already; the selector
    // still starts at 2. Shown once at most.
    void showCoachAdvice(int suggested_call, const Coach::Histogram &rounds_by_tricks);
    QGraphicsTextItem *suggestionItem() const { return suggestion_item; }
    QGraphicsTextItem *chanceItem() const { return chance_item; }
    // "Call 3: made in 79 of 100 simulated rounds" for the selector's call; empty
    // without the coach.
    QString chanceText() const;
    QList<QGraphicsRectItem *> chartBars() const { return chart_bars; }
    // The button that carries the keyboard's focus mark, if any.
    CallTextItem *focusedButton() const { return focused_button; }
    // What the scene shows, in words for assistive technology.
    QString accessibleSummary() const;
    QString standingsText() const;
    QString callText() const;
    // Who won the game and with how many points, all the leaders when they tie.
    QString resultText() const;
    // The result on screen once the game has ended, null before.
    QGraphicsTextItem *resultItem() const { return result_item; }
    QRectF callRect() const;
    // The standings, the call and the four buttons as accessible elements; they live
    // as long as the scene.
    QList<QAccessibleInterface *> accessibleElements();
    // Keys count only once the summary has been on screen: see drawForeground.
    bool takesKeys() const { return takes_keys; }

signals:
    void callDetermined(int call);
    void endGame();
    // The human's call as the selector shows it now; the game's own call waits for Continue.
    void proposedCallChanged(int call);

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void drawForeground(QPainter *painter, const QRectF &rect) override;

private slots:
    void onCallDecrease();
    void onCallIncrease();
    void onContinueClicked();
    void onEndGame();

private:
    // The constructor's steps, top to bottom; each places relative to the one before.
    void collectRows(const std::vector<Player> &players, int human_player);
    QList<QGraphicsTextItem *> placeStandingsRows();
    void placeCallColumn(const QList<QGraphicsTextItem *> &name_items);
    qreal placeCallButtons(const QRectF &standings);  // returns the hand's top
    void placeHand(qreal y);
    void placeBottomButtons(const QRectF &standings, qreal hand_y);
    void placeResult();

    QGraphicsTextItem *addSummaryText(const QString &plain_text);
    QGraphicsTextItem *addNumber(int number, qreal text_width);
    CallTextItem *addButton(const QString &text);
    void changeHumanCall(int delta);
    void updateButtonStates();
    void moveFocus(bool forward);
    void notifyAccessible(int element, QAccessible::Event type);

    const int min_call = rules::lowestCall;
    const int max_call = rules::highestCall;
    std::vector<SummaryRow> rows;
    QGraphicsTextItem *points_header = nullptr;
    QGraphicsTextItem *calls_header = nullptr;
    QGraphicsTextItem *total_calls_item = nullptr;
    QGraphicsTextItem *human_call_item = nullptr;
    CallTextItem *increase_item = nullptr;
    CallTextItem *decrease_item = nullptr;
    CallTextItem *end_game_item = nullptr;
    CallTextItem *continue_item = nullptr;
    bool game_ended = false;
    bool painted = false;
    bool takes_keys = false;
    QList<CallTextItem *> buttons;
    QList<CardGraphicsItem *> hand_items;
    QFont summary_font;
    QGraphicsTextItem *suggestion_item = nullptr;
    QGraphicsTextItem *chance_item = nullptr;
    Coach::Histogram coach_rounds{};
    QGraphicsTextItem *result_item = nullptr;
    QList<QGraphicsRectItem *> chart_bars;  // one per trick count, 0 to all
    CallTextItem *focused_button = nullptr;
    QList<QAccessible::Id> element_ids;  // standings, call, then the buttons in order
};
