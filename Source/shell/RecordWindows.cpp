#include "RecordWindows.h"

#include "GameState.h"

#include <QAction>
#include <QWidget>

RecordWindows::RecordWindows(QWidget *window, QWidget *table, QAction *review_action)
    : QObject(window), window(window), table(table), review_action(review_action)
{
    review_action->setEnabled(false);
}

void RecordWindows::followGame(const GameState &game)
{
    if (score_sheet)
        score_sheet->followGame(game);
    if (review_dialog)
        review_dialog->followGame(game);
    review_action->setEnabled(!game.getHistory().empty());
}

void RecordWindows::showScores(const GameState &game)
{
    if (!score_sheet)
        watch(score_sheet = new ScoreSheetDialog(window));
    score_sheet->followGame(game);
    present(score_sheet);
}

void RecordWindows::showReview(const GameState &game)
{
    if (game.getHistory().empty())
        return;
    if (!review_dialog)
        watch(review_dialog = new RoundReviewDialog(window));
    review_dialog->followGame(game);
    present(review_dialog);
}

void RecordWindows::watch(QDialog *dialog)
{
    // Closed, it hands the keys back to the table.
    connect(dialog, &QDialog::finished, this, [this] {
        window->activateWindow();
        table->setFocus();
    });
}

void RecordWindows::present(QDialog *dialog)
{
    if (dialog->isVisible())
        dialog->raise();  // from behind the table
    dialog->show();
    dialog->activateWindow();
}
