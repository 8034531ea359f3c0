#pragma once

#include <QList>
#include <QWidget>

#include <memory>
#include <vector>

class GameState;
class Player;
class QLabel;

namespace Ui {
class PlayerStatWidget;
}

// The standings beside the table: round, players by points, tricks against call, and
// the shortcall notice. It keeps no game data; every refresh rewrites all of it.
class PlayerStatWidget : public QWidget
{
    Q_OBJECT

public:
    explicit PlayerStatWidget(QWidget *parent = nullptr);
    ~PlayerStatWidget() override;

    void updateStatistics(const GameState &game_state);
    // The same for given records, such as a finished round's.
    void updateStatistics(const std::vector<Player> &players, unsigned round, bool shortcall);

private:
    QList<QLabel *> name_labels;
    QList<QLabel *> points_labels;
    QList<QLabel *> tricks_labels;
    std::unique_ptr<Ui::PlayerStatWidget> ui;
};
