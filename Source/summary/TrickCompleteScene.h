#pragma once

#include "Card.h"
#include "Player.h"

#include <QFont>
#include <QGraphicsScene>
#include <QString>

#include <vector>

class CallTextItem;
class CardGraphicsItem;
class QGraphicsTextItem;

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

signals:
    void callDetermined(int call);
    void endGame();
    // The human's call as the selector shows it now; the game's own call waits for Continue.
    void proposedCallChanged(int call);

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
    void updateButtonStates();

    const int min_call = 2;
    const int max_call = 13;
    std::vector<SummaryRow> rows;
    QGraphicsTextItem *total_calls_item = nullptr;
    QGraphicsTextItem *human_call_item = nullptr;
    CallTextItem *continue_item = nullptr;
    bool game_ended = false;
    QList<CallTextItem *> buttons;
    QList<CardGraphicsItem *> hand_items;
    QFont summary_font;
};
