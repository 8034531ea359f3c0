#include "PlayerStatWidget.h"
#include "ui_PlayerStatWidget.h"

#include "GameState.h"
#include "IsolatedName.h"
#include "StandingsToolTip.h"
#include "TableConstants.h"

#include <QLabel>
#include <QString>

#include <algorithm>
#include <vector>

namespace {

const QString metColour = table::metColour.name();
const QString missedColour = table::missedColour.name();

}  // namespace

PlayerStatWidget::PlayerStatWidget(QWidget *parent) : QWidget(parent), ui(new Ui::PlayerStatWidget)
{
    ui->setupUi(this);
    name_labels = {ui->labelPlayer1Name, ui->labelPlayer2Name, ui->labelPlayer3Name,
                   ui->labelPlayer4Name};
    points_labels = {ui->labelPlayer1Points, ui->labelPlayer2Points, ui->labelPlayer3Points,
                     ui->labelPlayer4Points};
    tricks_labels = {ui->labelPlayer1Tricks, ui->labelPlayer2Tricks, ui->labelPlayer3Tricks,
                     ui->labelPlayer4Tricks};
    for (const auto &list : {name_labels, points_labels, tricks_labels})
        for (QLabel *label : list)
            label->setTextFormat(Qt::RichText);
    ui->labelShortcall->hide();
    ui->labelShortcall->setToolTip(
        tr("The calls add up to %1 or less: a call counts only when it is made "
           "exactly, one trick more misses it too.")
            .arg(rules::shortcallMaxTotal));
}

PlayerStatWidget::~PlayerStatWidget() = default;

void PlayerStatWidget::updateStatistics(const GameState &game_state)
{
    setToolTip(game_state.opponents() == Opponents::Expert ? tr("The computer players are Experts.")
                                                           : QString());
    updateStatistics(game_state.getPlayers(), game_state.getRound(), game_state.isShortcall());
}

void PlayerStatWidget::updateStatistics(const std::vector<Player> &players, unsigned round,
                                        bool shortcall)
{
    ui->labelRound->setText(QStringLiteral("%1").arg(round));

    const std::vector<int> standings = seatsByStanding(players);

    ui->labelShortcall->setVisible(shortcall);

    const int rows = std::min<int>(int(standings.size()), int(name_labels.size()));
    for (int i = 0; i < rows; ++i) {
        const Player &s = players[std::size_t(standings[std::size_t(i)])];
        const QString name = QString::fromStdString(s.name);
        const bool met = isCallMade(s.call, s.tricks, shortcall);
        const QString span =
            QStringLiteral("<span style=\"color: %1;\">").arg(met ? metColour : missedColour);
        // Names are the player's own text, never markup.
        name_labels[i]->setText(span + richName(name) + QStringLiteral("</span>"));
        points_labels[i]->setText(span + QStringLiteral("(%1)</span>").arg(s.points));
        tricks_labels[i]->setText(span + QStringLiteral("%1/%2</span>").arg(s.tricks).arg(s.call));
        const QString tip = standingsToolTip(name, s.points, s.tricks, s.call);
        // Screen readers get the row in words, without the markup.
        const QString plain_tip = standingsText(name, s.points, s.tricks, s.call);
        for (QLabel *label : {name_labels[i], points_labels[i], tricks_labels[i]}) {
            label->setToolTip(tip);
            if (label->accessibleDescription() != plain_tip)  // Qt reports every setting
                label->setAccessibleDescription(plain_tip);
        }
    }
}
