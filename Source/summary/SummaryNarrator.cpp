#include "SummaryNarrator.h"

#include "CallSelector.h"
#include "CountText.h"
#include "IsolatedName.h"
#include "Player.h"

#include <QLocale>

#include <cmath>
#include <cstdlib>

QString SummaryNarrator::standings(const std::vector<SummaryRow> &rows)
{
    QStringList lines;
    for (const SummaryRow &row : rows) {
        QString line =
            tr("%1, %2, call %3").arg(row.name, pointsText(row.points), QString::number(row.call));
        if (row.missing_suit && !row.is_human)
            line = tr("%1, sideoff").arg(line);
        lines << line;
    }
    return tr("Standings: %1.").arg(lines.join(QStringLiteral("; ")));
}

QString SummaryNarrator::call(const CallSelector &selector, const QString &chance)
{
    QString text =
        tr("Your call: %1. Total of the calls: %2.").arg(selector.call()).arg(selector.total());
    if (selector.shortcall())
        text += QLatin1Char(' ') + tr("That makes a Shortcall round.");
    // The chance goes with the call, so that it is read out again as the call changes.
    return chance.isEmpty() ? text : QStringLiteral("%1 %2.").arg(text, chance);
}

QString SummaryNarrator::chance(int call, int made, double expected, bool exactly)
{
    const QString text = exactly ? tr("Your call %1, exactly: %2 points, made in %3 of %4 "
                                      "simulated rounds")
                                 : tr("Your call %1: %2 points, made in %3 of %4 simulated rounds");
    return text.arg(call).arg(signedPoints(expected)).arg(made).arg(simulationRuns);
}

QString SummaryNarrator::suggestion(int call, double expected, bool exactly)
{
    const QString text = exactly ? tr("Suggested: %1 exactly, expected %2 points")
                                 : tr("Suggested: %1, expected %2 points");
    return text.arg(call).arg(signedPoints(expected));
}

QString SummaryNarrator::roundCounts(const Coach::Histogram &rounds)
{
    QStringList counts;
    for (std::size_t tricks = 0; tricks < rounds.size(); ++tricks)
        if (rounds[tricks] > 0)
            counts << tr("%1: %2").arg(tricks).arg(rounds[tricks]);
    return tr("Simulated rounds by tricks taken: %1").arg(counts.join(QStringLiteral(", ")));
}

QString SummaryNarrator::signedPoints(double points)
{
    const QLocale locale;
    const double rounded = std::round(points * 10) / 10;
    const QString number = locale.toString(std::abs(rounded), 'f', 1);
    if (rounded > 0)
        return locale.positiveSign() + number;
    return rounded < 0 ? locale.negativeSign() + number : number;
}

QString SummaryNarrator::result(const std::vector<SummaryRow> &rows)
{
    QStringList leaders;
    int best = 0;
    for (const SummaryRow &row : rows) {
        if (row.leads) {
            leaders << isolatedName(row.name);
            best = row.points;
        }
    }
    if (leaders.isEmpty())
        return {};
    // The plural form follows the size of the number, as in pointsText.
    const int size = std::abs(best);
    if (leaders.size() == 1)
        return countedText("SummaryNarrator",
                           QT_TRANSLATE_N_NOOP("SummaryNarrator", "%1 wins with %2 point(s)."),
                           size)
            .arg(leaders.front())
            .arg(best);
    const QString last = leaders.takeLast();
    //: Names of players who tie: %1 is one name or several separated by commas.
    const QString names = tr("%1 and %2").arg(leaders.join(QStringLiteral(", ")), last);
    return countedText("SummaryNarrator",
                       QT_TRANSLATE_N_NOOP("SummaryNarrator", "%1 share the win with %2 point(s)."),
                       size)
        .arg(names)
        .arg(best);
}

QString SummaryNarrator::resultNote(const std::vector<SummaryRow> &rows)
{
    // Sentences side by side, as in the accessible summary.
    return QStringLiteral("%1 %2").arg(result(rows), tr("Press S for the score sheet."));
}

QString SummaryNarrator::summary(const Scene &scene)
{
    QStringList parts = {tr("Round summary."), scene.standings, scene.call};
    if (!scene.suggestion.isEmpty())
        parts << scene.suggestion + QLatin1Char('.');
    if (!scene.hand.isEmpty())
        parts << tr("Your new hand: %1.").arg(scene.hand.join(QStringLiteral(", ")));
    if (scene.ended)
        parts << tr("The game has ended.") << scene.result << tr("Press S for the score sheet.")
              << tr("Press R for the round review.");
    else
        parts << tr("Buttons: %1.").arg(scene.buttons.join(QStringLiteral(", ")));
    return parts.join(QLatin1Char(' '));
}
