#pragma once

#include "RoundReviewDialog.h"
#include "ScoreSheetDialog.h"

#include <QObject>
#include <QPointer>

class GameState;
class QAction;
class QDialog;
class QWidget;

// The windows that look back on the game: the score sheet and the round review. Each is
// made when first asked for, stays open beside the game and follows it as rounds end, and
// hands the keys back to the table when closed.
class RecordWindows : public QObject
{
public:
    // `review_action` is offered once a round has ended.
    RecordWindows(QWidget *window, QWidget *table, QAction *review_action);

    void followGame(const GameState &game);
    void showScores(const GameState &game);
    void showReview(const GameState &game);
    ScoreSheetDialog *scoreSheet() const { return score_sheet; }
    RoundReviewDialog *review() const { return review_dialog; }

private:
    void watch(QDialog *dialog);
    void present(QDialog *dialog);

    QWidget *window = nullptr;
    QWidget *table = nullptr;
    QAction *review_action = nullptr;
    QPointer<ScoreSheetDialog> score_sheet;
    QPointer<RoundReviewDialog> review_dialog;
};
