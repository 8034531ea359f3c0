#pragma once

#include "SummaryRow.h"

#include <QCoreApplication>
#include <QFont>
#include <QList>

#include <vector>

class CallTextItem;
class CardGraphicsItem;
class QGraphicsScene;
class QGraphicsTextItem;

// Where the round summary's parts go: the standings with their headers and the total of
// the calls, the call buttons under them, the human's new hand, End Game and Continue
// under it with Review between them, and at the end the result. The items it adds belong to the
// scene; the scene keeps what they show up to date.
struct SummaryLayout {
    // The scene's own words, with their translations.
    Q_DECLARE_TR_FUNCTIONS(TrickCompleteScene)

public:
    // Adds the items to the scene, top to bottom, each placed relative to the one before.
    void build(QGraphicsScene *scene, const std::vector<SummaryRow> &rows, int total_calls,
               const QFont &font);
    // Shows a number in one of the number fields: the human's call, the total.
    static void setNumber(QGraphicsTextItem *item, int number);
    // Where Continue was, right of End Game and Review: the game's result, in plain text.
    QGraphicsTextItem *placeResult(const QString &text);

    // The numbers the scene keeps up to date.
    QGraphicsTextItem *human_call = nullptr, *total_calls = nullptr;
    // The call's buttons, End Game, Continue and Review; all five in that order.
    CallTextItem *increase = nullptr, *decrease = nullptr;
    CallTextItem *end_game = nullptr, *continue_button = nullptr, *review = nullptr;
    QList<CallTextItem *> buttons;
    QList<CardGraphicsItem *> hand;

private:
    QList<QGraphicsTextItem *> placeStandingsRows(const std::vector<SummaryRow> &rows);
    void placeTotal(QGraphicsTextItem *last_name, int total);
    qreal placeCallButtons(const QRectF &standings);  // returns the hand's top
    void placeHand(const std::vector<SummaryRow> &rows, qreal y);
    void placeBottomButtons(const QRectF &standings, qreal hand_y);
    void placeReviewButton();

    QGraphicsTextItem *addText(const QString &plain_text);
    QGraphicsTextItem *addNumber(int number, qreal text_width);
    CallTextItem *addButton(const QString &text);
    void addMarker(QGraphicsTextItem *over, const QColor &colour);

    QGraphicsScene *scene = nullptr;
    QFont font;
    QGraphicsTextItem *calls_header = nullptr;
};
