#include "StandingsToolTip.h"

#include "IsolatedName.h"

#include <QCoreApplication>

namespace {

QString describe(const QString &shown_name, int points, int tricks, int call)
{
    return QCoreApplication::translate("StandingsToolTip",
                                       "%1: points (%2), tricks taken %3 of call %4")
        .arg(shown_name, QString::number(points), QString::number(tricks), QString::number(call));
}

}  // namespace

QString standingsToolTip(const QString &name, int points, int tricks, int call)
{
    return QStringLiteral("<p>%1</p>").arg(describe(richName(name), points, tricks, call));
}

QString standingsText(const QString &name, int points, int tricks, int call)
{
    return describe(isolatedName(name), points, tricks, call);
}
