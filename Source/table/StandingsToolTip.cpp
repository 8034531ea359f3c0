#include "StandingsToolTip.h"

#include "GameRules.h"
#include "IsolatedName.h"

#include <QCoreApplication>

namespace {

QString describe(const QString &shown_name, int points, int tricks, int call)
{
    // Calls run from the lowest call up, so a smaller one is the first round's, which has
    // none: "of call 0" would read as a call nobody made.
    if (call < rules::lowestCall)
        return QCoreApplication::translate("StandingsToolTip",
                                           "%1: points (%2), tricks taken %3; the first round "
                                           "has no calls")
            .arg(shown_name, QString::number(points), QString::number(tricks));
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
