#include "ScoreSheetModel.h"

#include "IsolatedName.h"
#include "TableConstants.h"

#include <QBrush>
#include <QFont>

ScoreSheetModel::ScoreSheetModel(QObject *parent) : QAbstractTableModel(parent) {}

void ScoreSheetModel::update(const GameState &game)
{
    QStringList names;
    for (const Player &player : game.getPlayers())
        names << QString::fromStdString(player.name);
    const std::vector<RoundRecord> &rounds = game.getHistory();

    // The same game grown by some rounds only appends; anything else is a new sheet.
    const bool grown = names == player_names && rounds.size() >= history.size()
                       && std::equal(history.begin(), history.end(), rounds.begin(),
                                     [](const RoundRecord &a, const RoundRecord &b) {
                                         return a.round == b.round;
                                     });
    if (grown) {
        if (rounds.size() == history.size())
            return;
        beginInsertRows(QModelIndex(), int(history.size()), int(rounds.size()) - 1);
        history = rounds;
        endInsertRows();
        return;
    }
    beginResetModel();
    player_names = names;
    history = rounds;
    endResetModel();
}

int ScoreSheetModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(history.size());
}

int ScoreSheetModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 1 + int(player_names.size()) * FieldCount;
}

QString ScoreSheetModel::fieldName(Field field) const
{
    switch (field) {
    case Call:
        return tr("Call");
    case Tricks:
        return tr("Tricks");
    case Points:
        return tr("Points");
    default:
        return tr("Total");
    }
}

QString ScoreSheetModel::cellText(const RoundRecord &record, int seat, Field field) const
{
    const SeatResult &result = record.seats[std::size_t(seat)];
    switch (field) {
    case Call:
        // The first round has no calls.
        return record.round == 1 ? QStringLiteral("-") : QString::number(result.call);
    case Tricks:
        return QString::number(result.tricks);
    case Points:
        return result.gained > 0 ? QStringLiteral("+%1").arg(result.gained)
                                 : QString::number(result.gained);
    default:
        return QString::number(result.total);
    }
}

QVariant ScoreSheetModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const RoundRecord &record = history[std::size_t(index.row())];
    if (index.column() == 0) {
        switch (role) {
        case Qt::DisplayRole:
            return record.shortcall ? tr("%1 Shortcall").arg(record.round)
                                    : QString::number(record.round);
        case Qt::ToolTipRole:
            return record.shortcall ? tr("Round %1: the calls added up to %2 or less, a call "
                                         "counted only when made exactly")
                                          .arg(record.round)
                                          .arg(rules::shortcallMaxTotal)
                                    : tr("Round %1").arg(record.round);
        case Qt::ForegroundRole:
            return record.shortcall ? QVariant(QBrush(table::missedColour)) : QVariant();
        case Qt::TextAlignmentRole:
            return int(Qt::AlignCenter);
        default:
            return {};
        }
    }

    const int seat = (index.column() - 1) / FieldCount;
    const auto field = Field((index.column() - 1) % FieldCount);
    if (seat >= int(record.seats.size()))
        return {};
    const SeatResult &result = record.seats[std::size_t(seat)];
    switch (role) {
    case Qt::DisplayRole:
        return cellText(record, seat, field);
    case Qt::AccessibleTextRole:
        // A screen reader reads a cell without its column: say whose and what it is.
        return tr("%1, %2: %3")
            .arg(player_names.value(seat), fieldName(field), cellText(record, seat, field));
    case Qt::ToolTipRole:
        return tr("%1, round %2: call %3, tricks %4, points %5, total %6")
            .arg(player_names.value(seat), QString::number(record.round),
                 cellText(record, seat, Call), QString::number(result.tricks),
                 cellText(record, seat, Points), QString::number(result.total));
    case Qt::ForegroundRole:
        // Met green, missed red, as in the panel; the first round has no call to meet.
        if (record.round == 1 || field == Total)
            return {};
        return QBrush(isCallMade(result.call, result.tricks, record.shortcall)
                          ? table::metColour
                          : table::missedColour);
    case Qt::FontRole:
        if (field == Total) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    default:
        return {};
    }
}

QVariant ScoreSheetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (section == 0)
        return role == Qt::DisplayRole || role == Qt::ToolTipRole ? QVariant(tr("Round"))
                                                                  : QVariant();
    const int seat = (section - 1) / FieldCount;
    const auto field = Field((section - 1) % FieldCount);
    switch (role) {
    case Qt::DisplayRole:
        // The name heads its group; the other columns of the group name only the field.
        return field == Call
                   ? tr("%1\n%2").arg(isolatedName(player_names.value(seat)), fieldName(field))
                   : QStringLiteral("\n%1").arg(fieldName(field));
    case Qt::ToolTipRole:
    case Qt::AccessibleTextRole:
        return tr("%1, %2").arg(player_names.value(seat), fieldName(field));
    default:
        return {};
    }
}
