#include "ScoreSheetDialog.h"
#include "ui_ScoreSheetDialog.h"

#include "ScoreSheetModel.h"

#include <QEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QScreen>

ScoreSheetDialog::ScoreSheetDialog(QWidget *parent)
    : QDialog(parent), ui(new Ui::ScoreSheetDialog), sheet(new ScoreSheetModel(this))
{
    ui->setupUi(this);
    ui->tableView->setModel(sheet);
    ui->tableView->viewport()->installEventFilter(this);
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

void ScoreSheetDialog::setVisible(bool visible)
{
    // Before the dialog places itself on the screen, which it does from its size.
    if (visible && !isVisible()) {
        if (QScreen *shown_on = screen()) {
            // The frame is not known before the first show: room for a title bar and borders.
            const QSize room = shown_on->availableGeometry().size() - QSize(16, 48);
            resize(size().boundedTo(room).expandedTo(minimumSizeHint()));
        }
    }
    QDialog::setVisible(visible);
}

bool ScoreSheetDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->tableView->viewport() && event->type() == QEvent::Resize)
        fitColumns();
    return QDialog::eventFilter(watched, event);
}

void ScoreSheetDialog::fitColumns()
{
    QHeaderView *header = ui->tableView->horizontalHeader();
    const int count = header->count();
    if (count == 0)
        return;
    header->resizeSections(QHeaderView::ResizeToContents);
    const int extra = ui->tableView->viewport()->width() - header->length();
    if (extra <= 0)
        return;
    for (int column = 0; column < count; ++column)
        header->resizeSection(column, header->sectionSize(column) + extra / count
                                          + (column < extra % count ? 1 : 0));
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
    fitColumns();
    if (!empty) {
        ui->tableView->scrollToBottom();
        // The keyboard starts on the latest round.
        // Only the keyboard's place: no row is marked as chosen until the player chooses one.
        if (!ui->tableView->currentIndex().isValid())
            ui->tableView->selectionModel()->setCurrentIndex(sheet->index(sheet->rowCount() - 1, 0),
                                                             QItemSelectionModel::NoUpdate);
    }
}
