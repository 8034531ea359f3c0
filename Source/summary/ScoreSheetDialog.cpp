#include "ScoreSheetDialog.h"
#include "ui_ScoreSheetDialog.h"

#include "ScoreSheetModel.h"

#include <QHeaderView>

ScoreSheetDialog::ScoreSheetDialog(QWidget *parent)
    : QDialog(parent), ui(new Ui::ScoreSheetDialog), sheet(new ScoreSheetModel(this))
{
    ui->setupUi(this);
    ui->tableView->setModel(sheet);
    ui->tableView->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    ui->chart->setModel(sheet);
    connect(sheet, &ScoreSheetModel::modelReset, this, &ScoreSheetDialog::showRounds);
    connect(sheet, &ScoreSheetModel::rowsInserted, this, &ScoreSheetDialog::showRounds);
    showRounds();
}

ScoreSheetDialog::~ScoreSheetDialog() = default;

QTableView *ScoreSheetDialog::table() const
{
    return ui->tableView;
}

void ScoreSheetDialog::followGame(const GameState &game)
{
    sheet->update(game);
}

void ScoreSheetDialog::showRounds()
{
    const bool empty = sheet->rowCount() == 0;
    ui->labelEmpty->setVisible(empty);
    ui->chart->setVisible(!empty);
    if (!empty) {
        ui->tableView->scrollToBottom();
        // The keyboard starts on the latest round.
        if (!ui->tableView->currentIndex().isValid())
            ui->tableView->setCurrentIndex(sheet->index(sheet->rowCount() - 1, 0));
    }
}
