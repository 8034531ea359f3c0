#pragma once

#include <QDialog>

#include <memory>

class GameState;
class ScoreSheetModel;
class QTableView;

namespace Ui {
class ScoreSheetDialog;
}

// The score sheet window: the rounds' table over the running totals' chart. It stays
// open beside the game (it is not modal) and follows it as rounds end.
class ScoreSheetDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ScoreSheetDialog(QWidget *parent = nullptr);
    ~ScoreSheetDialog() override;

    // Takes the game's finished rounds; a new game empties the sheet.
    void followGame(const GameState &game);
    ScoreSheetModel *model() const { return sheet; }
    QTableView *table() const;

    // Opens no larger than its screen, so that the Close button stays in sight.
    void setVisible(bool visible) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showRounds();
    // The columns as wide as their contents, sharing out whatever room the table has more.
    void fitColumns();

    std::unique_ptr<Ui::ScoreSheetDialog> ui;
    ScoreSheetModel *sheet = nullptr;
};
