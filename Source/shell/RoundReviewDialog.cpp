#include "RoundReviewDialog.h"
#include "ui_RoundReviewDialog.h"

#include "CardName.h"
#include "SummaryNarrator.h"
#include "TableConstants.h"
#include "TrickPicture.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLocale>
#include <QScreen>

namespace {

// The table's columns: the trick, who led, a column per seat, who took it, the running
// tricks, then the Expert's card and the cost of the human's card.
constexpr int seatColumn = 2;
constexpr int takenColumn = seatColumn + rules::playerCount;
constexpr int tricksColumn = takenColumn + 1;
constexpr int expertColumn = tricksColumn + 1;
constexpr int costColumn = expertColumn + 1;
constexpr int columnCount = costColumn + 1;

QTableWidgetItem *cell(const QString &text, const QString &spoken = QString())
{
    auto *item = new QTableWidgetItem(text);
    if (!spoken.isEmpty()) {
        item->setData(Qt::AccessibleTextRole, spoken);
        item->setToolTip(spoken);
    }
    return item;
}

bool sameGame(const std::vector<RoundRecord> &kept, const std::vector<RoundRecord> &now)
{
    return !kept.empty() && kept.size() <= now.size() && kept.front().dealt == now.front().dealt;
}

}  // namespace

RoundReviewDialog::RoundReviewDialog(QWidget *parent)
    : QDialog(parent), ui(new Ui::RoundReviewDialog)
{
    ui->setupUi(this);
    ui->tableTricks->setColumnCount(columnCount);
    ui->tableTricks->installEventFilter(this);
    ui->tableTricks->viewport()->installEventFilter(this);
    connect(ui->spinRound, &QSpinBox::valueChanged, this, &RoundReviewDialog::showRound);
    connect(ui->tableTricks, &QTableWidget::currentCellChanged, this,
            &RoundReviewDialog::showSelectedTrick);
    ui->spinRound->setEnabled(false);
}

RoundReviewDialog::~RoundReviewDialog() = default;

QTableWidget *RoundReviewDialog::table() const
{
    return ui->tableTricks;
}

TrickPicture *RoundReviewDialog::picture() const
{
    return ui->picture;
}

QString RoundReviewDialog::summaryText() const
{
    return ui->labelSummary->text();
}

QString RoundReviewDialog::callText() const
{
    return ui->labelCall->text();
}

int RoundReviewDialog::shownRound() const
{
    return records.empty() ? 0 : ui->spinRound->value();
}

void RoundReviewDialog::followGame(const GameState &game)
{
    const std::vector<RoundRecord> &history = game.getHistory();
    if (!sameGame(records, history))
        reviews.clear();
    const bool was_latest = filled_round == 0 || filled_round == int(records.size());
    records = history;
    reviews.resize(records.size());
    names.clear();
    for (const Player &player : game.getPlayers())
        names << QString::fromStdString(player.name);
    filled_round = 0;
    const QSignalBlocker quiet(ui->spinRound);
    ui->spinRound->setEnabled(records.size() > 1);
    ui->spinRound->setMaximum(std::max(1, int(records.size())));
    // A round that ends is the one to look at, unless an earlier one is being looked at.
    if (was_latest || ui->spinRound->value() > int(records.size()))
        ui->spinRound->setValue(int(records.size()));
    if (isVisible())
        fill();
}

void RoundReviewDialog::showRound(int round)
{
    if (round >= 1 && round <= int(records.size()) && ui->spinRound->value() != round) {
        ui->spinRound->setValue(round);  // comes back here through valueChanged
        return;
    }
    filled_round = 0;
    if (isVisible())
        fill();
}

const RoundReview &RoundReviewDialog::review(int round)
{
    std::unique_ptr<RoundReview> &kept = reviews[std::size_t(round - 1)];
    if (!kept)
        kept = std::make_unique<RoundReview>(records[std::size_t(round - 1)]);
    return *kept;
}

void RoundReviewDialog::showEvent(QShowEvent *event)
{
    if (QScreen *shown_on = screen()) {
        // Room for a title bar and borders, which are not known before the first show.
        const QSize room = shown_on->availableGeometry().size() - QSize(16, 48);
        resize(size().boundedTo(room));
    }
    QDialog::showEvent(event);
    fill();
}

void RoundReviewDialog::fill()
{
    const int round = shownRound();
    if (round == filled_round)
        return;
    filled_round = round;
    QTableWidget *table = ui->tableTricks;
    const QSignalBlocker quiet(table);
    table->setRowCount(0);
    setHeaders();
    if (round == 0) {
        ui->labelSummary->setText(tr("No round has ended yet: the review fills in as rounds end."));
        ui->labelCall->clear();
        setAccessibleDescription(ui->labelSummary->text());
        ui->picture->showTrick({}, -1, names);
        return;
    }
    const RoundReview &shown = review(round);
    // The human's own column stands out.
    if (QTableWidgetItem *own = table->horizontalHeaderItem(seatColumn + shown.human())) {
        QFont bold = own->font();
        bold.setBold(true);
        own->setFont(bold);
    }
    ui->labelSummary->setText(summaryLine(shown));
    ui->labelCall->setText(callLine(shown));
    setAccessibleDescription(ui->labelSummary->text());
    table->setRowCount(int(shown.tricks().size()));
    for (int row = 0; row < table->rowCount(); ++row)
        fillRow(shown, row);
    fitColumns();
    table->setCurrentCell(0, 0);
    showSelectedTrick();
}

void RoundReviewDialog::setHeaders()
{
    QStringList headers = {tr("Trick"), tr("Led by")};
    for (int seat = 0; seat < rules::playerCount; ++seat)
        headers << names.value(seat);
    headers << tr("Taken by") << tr("Tricks") << tr("Expert's card") << tr("Cost");
    ui->tableTricks->setHorizontalHeaderLabels(headers);
}

void RoundReviewDialog::fillRow(const RoundReview &shown, int row)
{
    const RoundReview::Trick &trick = shown.tricks()[std::size_t(row)];
    const RoundRecord &record = records[std::size_t(shown.round() - 1)];
    QTableWidget *table = ui->tableTricks;
    table->setItem(row, 0, cell(QString::number(trick.number)));
    table->setItem(row, 1, cell(names.value(trick.plays.front().seat)));
    for (const SeatCard &play : trick.plays) {
        QTableWidgetItem *item = cell(cardName(play.card));
        if (play.seat == trick.winner)
            item->setForeground(table::metColour);
        table->setItem(row, seatColumn + play.seat, item);
    }
    table->setItem(row, takenColumn, cell(names.value(trick.winner)));
    QStringList counts, spoken;
    for (int seat = 0; seat < rules::playerCount; ++seat) {
        const int taken = trick.tricks_after[std::size_t(seat)];
        const int call = record.calls.at(std::size_t(seat));
        counts << (shown.call().called ? QStringLiteral("%1/%2").arg(taken).arg(call)
                                       : QString::number(taken));
        spoken << (shown.call().called
                       ? tr("%1 %2 of %3").arg(names.value(seat)).arg(taken).arg(call)
                       : tr("%1 %2").arg(names.value(seat)).arg(taken));
    }
    table->setItem(row, tricksColumn,
                   cell(counts.join(QStringLiteral("  ")), spoken.join(QStringLiteral(", "))));
    for (const RoundReview::Decision &decision : shown.decisions()) {
        if (decision.trick != trick.number || !decision.noticeable())
            continue;
        // The card that cost stands out in the human's column.
        if (QTableWidgetItem *played = table->item(row, seatColumn + shown.human())) {
            QFont bold = played->font();
            bold.setBold(true);
            played->setFont(bold);
        }
        table->setItem(row, expertColumn, cell(cardName(decision.expert)));
        QTableWidgetItem *cost =
            cell(tr("%1 points").arg(SummaryNarrator::signedPoints(-decision.cost)));
        cost->setForeground(table::missedColour);
        table->setItem(row, costColumn, cost);
    }
}

void RoundReviewDialog::showSelectedTrick()
{
    const int row = ui->tableTricks->currentRow();
    const int round = shownRound();
    if (round == 0 || row < 0 || row >= int(review(round).tricks().size())) {
        ui->picture->showTrick({}, -1, names);
        return;
    }
    const RoundReview::Trick &trick = review(round).tricks()[std::size_t(row)];
    ui->picture->showTrick(trick.plays, trick.winner, names);
}

void RoundReviewDialog::fitColumns()
{
    // As wide as their contents, sharing out whatever room the table has more.
    QTableWidget *table = ui->tableTricks;
    table->resizeColumnsToContents();
    QHeaderView *header = table->horizontalHeader();
    const int extra = table->viewport()->width() - header->length();
    for (int column = 0; extra > 0 && column < columnCount; ++column)
        header->resizeSection(column, header->sectionSize(column) + extra / columnCount
                                          + (column < extra % columnCount ? 1 : 0));
}

bool RoundReviewDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->tableTricks->viewport() && event->type() == QEvent::Resize)
        fitColumns();
    // Left and Right step through the tricks as Up and Down do: a row is a trick.
    if (watched == ui->tableTricks && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const int step = key->key() == Qt::Key_Left ? -1 : key->key() == Qt::Key_Right ? 1 : 0;
        if (step != 0 && !(key->modifiers() & ~Qt::KeypadModifier)) {
            QTableWidget *table = ui->tableTricks;
            const int row = std::clamp(table->currentRow() + step, 0, table->rowCount() - 1);
            if (row >= 0)
                table->setCurrentCell(row, std::max(0, table->currentColumn()));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

QString RoundReviewDialog::summaryLine(const RoundReview &review)
{
    const int slip = review.biggestSlip();
    if (slip == 0)
        return tr("Your cards matched the Expert's play this round.");
    return tr("Your cards cost about %1 points this round; the biggest slip was trick %2.")
        .arg(QLocale().toString(review.totalCost(), 'f', 1))
        .arg(slip);
}

QString RoundReviewDialog::callLine(const RoundReview &review)
{
    const RoundReview::Call &call = review.call();
    if (!call.called) {
        const int human = review.human();
        const int taken =
            review.tricks().empty() ? 0 : review.tricks().back().tricks_after[std::size_t(human)];
        return tr("Round %1 had no calls: you took %2 tricks.").arg(review.round()).arg(taken);
    }
    QString text = tr("You called %1 and took %2 tricks.").arg(call.call).arg(call.tricks);
    if (call.differs())
        text += QLatin1Char(' ')
                + tr("The coach suggested %1, expected %2 points (your call: %3 points).")
                      .arg(call.suggested)
                      .arg(SummaryNarrator::signedPoints(call.suggested_expected))
                      .arg(SummaryNarrator::signedPoints(call.call_expected));
    return text;
}
