#pragma once

#include "Coach.h"
#include "SummaryRow.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <vector>

class CallSelector;

// The round summary's words for assistive technology and its result line: plain
// functions of what the summary shows, so the scene only hands them on.
class SummaryNarrator
{
    Q_DECLARE_TR_FUNCTIONS(SummaryNarrator)

public:
    // "Standings: Ezio, 25 points, call 4; ...", the rows in standings order.
    static QString standings(const std::vector<SummaryRow> &rows);
    // The selector's call and the total; with the coach, how often the call is made.
    static QString call(const CallSelector &selector, const QString &chance);
    // "Your call 2: +0.4 points, made in 79 of 100 simulated rounds", "exactly" when the
    // call would make the round a Shortcall.
    static QString chance(int call, int made, double expected, bool exactly);
    // "Suggested: 3, expected +2.1 points", "exactly" as above.
    static QString suggestion(int call, double expected, bool exactly);
    // "Simulated rounds by tricks taken: 2: 10, 3: 25", the counts that are not zero.
    static QString roundCounts(const Coach::Histogram &rounds);
    // Points with their sign and one decimal, as the language writes numbers.
    static QString signedPoints(double points);
    // Who won the game and with how many points, all the leaders when they tie.
    static QString result(const std::vector<SummaryRow> &rows);
    // The result where it is shown, with where the whole game can be read.
    static QString resultNote(const std::vector<SummaryRow> &rows);

    // What the whole summary shows, read as one text.
    struct Scene {
        QString standings;
        QString call;
        QString suggestion;  // empty without the coach
        QStringList hand;    // the new hand's card names
        bool ended = false;
        QString result;       // read once the game has ended
        QStringList buttons;  // read while it goes on
    };
    static QString summary(const Scene &scene);
};
