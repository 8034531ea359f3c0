#include "StandingsToolTip.h"

#include "IsolatedName.h"

#include <QCoreApplication>

QString standingsToolTip(const QString &name, int points, int tricks, int call)
{
    return QStringLiteral("<p>%1</p>")
        .arg(QCoreApplication::translate("StandingsToolTip",
                                         "%1: points (%2), tricks taken %3 of call %4")
                 .arg(richName(name), QString::number(points), QString::number(tricks),
                      QString::number(call)));
}
