#pragma once

#include "GameState.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <vector>

// The score pad: one row per finished round, a column for the round and then, per player
// in seat order, the call, the tricks, the round's points and the total. A copy of the
// game's history, so it never reads a game that has moved on.
class ScoreSheetModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Field { Call, Tricks, Points, Total, FieldCount };

    explicit ScoreSheetModel(QObject *parent = nullptr);

    // Takes the game's finished rounds: rows are added as rounds end, a new game starts
    // the sheet afresh.
    void update(const GameState &game);

    const std::vector<RoundRecord> &rounds() const { return history; }
    const QStringList &names() const { return player_names; }
    // The column of a player's field.
    static int column(int seat, Field field) { return 1 + seat * FieldCount + field; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QString fieldName(Field field) const;
    QString cellText(const RoundRecord &record, int seat, Field field) const;

    std::vector<RoundRecord> history;
    QStringList player_names;  // by seat
};
