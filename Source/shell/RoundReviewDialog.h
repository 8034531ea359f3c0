#pragma once

#include "GameState.h"
#include "RoundReview.h"

#include <QDialog>
#include <QStringList>

#include <memory>
#include <vector>

class QTableWidget;
class TrickPicture;

namespace Ui {
class RoundReviewDialog;
}

// The round review window: each trick of a finished round in a table, the chosen trick
// drawn with the table's cards, and what the human's cards cost against the Expert's.
// It stays open beside the game (it is not modal) and follows it as rounds end. A round's
// review is costly, so it is made only when the window first shows that round, then kept.
class RoundReviewDialog : public QDialog
{
    Q_OBJECT

public:
    explicit RoundReviewDialog(QWidget *parent = nullptr);
    ~RoundReviewDialog() override;

    // Takes the game's finished rounds and shows the latest; a new game starts afresh.
    void followGame(const GameState &game);
    // The round shown (1 for the first), 0 before any round has ended.
    int shownRound() const;
    void showRound(int round);
    QTableWidget *table() const;
    TrickPicture *picture() const;
    QString summaryText() const;
    QString callText() const;

    // The review's top lines in words.
    static QString summaryLine(const RoundReview &review);
    static QString callLine(const RoundReview &review);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    const RoundReview &review(int round);
    void fill();
    void fillRow(const RoundReview &review, int row);
    void setHeaders();
    void fitColumns();
    void showSelectedTrick();

    std::unique_ptr<Ui::RoundReviewDialog> ui;
    std::vector<RoundRecord> records;
    std::vector<std::unique_ptr<RoundReview>> reviews;  // by round, made when first shown
    QStringList names;                                  // by seat
    int filled_round = 0;                               // the round the table shows
};
