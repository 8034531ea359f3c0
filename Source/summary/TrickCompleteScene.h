#pragma once

#include "Card.h"
#include "Player.h"

#include <QAccessible>
#include <QFont>
#include <QGraphicsScene>
#include <QRectF>
#include <QString>

#include <vector>

class CallTextItem;
class CardGraphicsItem;
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

    // The button that carries the keyboard's focus mark, if any.
    CallTextItem *focusedButton() const { return focused_button; }
    // What the scene shows, in words for assistive technology.
    QString accessibleSummary() const;
    QString standingsText() const;
    QString callText() const;
    QRectF callRect() const;
    // The standings, the call and the four buttons as accessible elements; they live
    // as long as the scene.
    QList<QAccessibleInterface *> accessibleElements();

signals:
    void callDetermined(int call);
    void endGame();
    void callChanged(int call);

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private slots:
    void onCallDecrease();
    void onCallIncrease();
    void onContinueClicked();
    void onEndGame();

private:
    QGraphicsTextItem *addSummaryText(const QString &plain_text);
    QGraphicsTextItem *addNumber(int number, qreal text_width);
    CallTextItem *addButton(const QString &text);
    void changeHumanCall(int delta);
    void moveFocus(bool forward);
    void notifyAccessible(int element, QAccessible::Event type);

    const int min_call = 2;
    const int max_call = 13;
    std::vector<SummaryRow> rows;
    QGraphicsTextItem *total_calls_item = nullptr;
    QGraphicsTextItem *human_call_item = nullptr;
    CallTextItem *continue_item = nullptr;
    QList<CallTextItem *> buttons;
    QList<CardGraphicsItem *> hand_items;
    QFont summary_font;
    CallTextItem *focused_button = nullptr;
    QList<QAccessible::Id> element_ids;  // standings, call, then the buttons in order
};
