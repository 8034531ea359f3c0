#pragma once

#include "CallSelector.h"
#include "Coach.h"
#include "Player.h"
#include "SummaryElement.h"
#include "SummaryLayout.h"
#include "SummaryRow.h"

#include <QAccessible>
#include <QFont>
#include <QGraphicsScene>
#include <QRectF>
#include <QString>

#include <vector>

class CallTextItem;
class CardGraphicsItem;
class CoachChartItem;
class QGraphicsRectItem;
class QGraphicsTextItem;
class QKeyEvent;

// The standings between two rounds, where the human sets the call for the round
// already dealt, then continues or ends the game.
class TrickCompleteScene : public QGraphicsScene
{
    Q_OBJECT

public:
    // view_scale: the scale of the view it is shown in, so that small windows still get
    // readable text; 0 keeps the design's sizes.
    TrickCompleteScene(const std::vector<Player> &players, int human_player,
                       QObject *parent = nullptr, qreal view_scale = 0);

    const std::vector<SummaryRow> &summaryRows() const { return rows; }
    int humanCall() const { return selector.call(); }
    int totalCalls() const { return selector.total(); }
    // The buttons, for tests and tools: "+ Call +", "- Call -", "End Game", "Continue",
    // "Review".
    CallTextItem *button(const QString &text) const;
    // The button that is the element, null for the standings and the call.
    CallTextItem *button(SummaryElement element) const;
    QList<CardGraphicsItem *> handItems() const { return layout.hand; }

    // Learning Mode: the coach's suggested call and a bar chart of its simulated rounds
    // (how many took 0 to 13 tricks), beside the call selector, with how often the call
    // on the selector is made in them. Moves nothing that is there already; the selector
    // still starts at 2. Shown once at most.
    void showCoachAdvice(int suggested_call, const Coach::Histogram &rounds_by_tricks);
    QGraphicsTextItem *suggestionItem() const;
    QGraphicsTextItem *chanceItem() const;
    // "Call 3: made in 79 of 100 simulated rounds" for the selector's call; empty
    // without the coach.
    QString chanceText() const;
    QList<QGraphicsRectItem *> chartBars() const;
    // Where the chart outlines the selector's call; empty without the coach.
    QRectF callMarkRect() const;
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
    // Where the standings are: every text that is not a button.
    QRectF standingsRect() const;
    // Keys count only once the summary has been on screen: see drawForeground.
    bool takesKeys() const { return takes_keys; }

signals:
    void callDetermined(int call);
    void endGame();
    // The round review is asked for; the summary stays as it is.
    void review();
    // The human's call as the selector shows it now; the game's own call waits for Continue.
    void proposedCallChanged(int call);
    // For assistive technology: what an element shows changed, or it took the focus mark.
    void accessibleChange(SummaryElement element, QAccessible::Event type);

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
    void collectRows(const std::vector<Player> &players, int human_player);
    void placeResult();
    void changeHumanCall(int delta);
    void updateButtonStates();
    void moveFocus(bool forward);

    CallSelector selector;
    std::vector<SummaryRow> rows;
    SummaryLayout layout;
    bool painted = false;
    bool takes_keys = false;
    QFont summary_font;
    int legible_point_size = 0;
    CoachChartItem *coach_chart = nullptr;
    QGraphicsTextItem *result_item = nullptr;
    CallTextItem *focused_button = nullptr;
};
