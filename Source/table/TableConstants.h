#pragma once

#include "TableSeating.h"

#include <QColor>
#include <QPointF>

#include <array>

// Every number that shapes the table: animation durations, trick positions and the
// layout of hands and labels. Durations are at Medium speed; the animation manager
// scales them by the speed setting when it makes an animation.
namespace table {

// --- card item ---
inline constexpr int hoverOffset = 55;  // how far a hovered card rises, item units

// Face-down emblem: red cross-hatch over the back.
inline constexpr int emblemRed = 212;
inline constexpr int emblemPointInset = 10;  // percent of the side, diamond points
inline constexpr int emblemRadiusPercent = 25;

// The coach's hint: an amber line with a soft glow inside the card's edge.
inline constexpr QColor hintColour(232, 163, 23);
// The green of a call met, in the panel; also the table's "Your turn" and trick cues.
inline constexpr QColor metColour(1, 125, 9);
// The red of a call missed, in the panel and the score sheet.
inline constexpr QColor missedColour(0x94, 0x00, 0x02);
inline constexpr int hintGlowAlpha = 110;
inline constexpr double hintGlowWidth = 16;  // item units
inline constexpr double hintLineWidth = 5;
inline constexpr double hintCornerRadius = 12;  // the deck's card corner

// --- animation manager ---
inline constexpr int cardMoveDuration = 250;
inline constexpr int cardFadeDuration = 200;
inline constexpr int pauseAfterCardBase = 750;    // never scaled
inline constexpr int pauseAfterCardSpread = 200;  // plus rand() % this
inline constexpr std::array<int, 3> gatherDurations = {700, 900, 1100};
inline constexpr double gatherSpin = 500.0;  // degrees, sign chosen at random
inline constexpr int winnerSpinDuration = 350;
inline constexpr double winnerSpin = 400.0;  // degrees, sign chosen at random

// Where a card played from each table position lands, in TablePosition order.
inline constexpr std::array<QPointF, tablePositions> trickPositions = {
    QPointF(400, 440), QPointF(650, 700), QPointF(420, 950), QPointF(170, 610)};

// Fast divides durations, Slow multiplies them.
inline constexpr int fastDivisor = 4;
inline constexpr int slowFactor = 3;

// --- game scene ---
inline constexpr int cardRotation = 15;  // tilt of a card in a hand, degrees
inline constexpr int rowStep = 75;       // between cards of the top and bottom rows
inline constexpr int columnStep = 60;    // between cards of the side columns
inline constexpr int handGap = 20;       // between neighbouring hands
inline constexpr int labelPointSize = 30;
inline constexpr int topLabelY = -75;
inline constexpr int rightLabelGap = 75;     // right of the right column
inline constexpr int bottomLabelGap = 65;    // below the bottom row
inline constexpr int leftLabelOffset = 160;  // left of the left column
inline constexpr double dimmedOpacity = 0.25;
inline constexpr double highlightedZ = 1;  // a picked card above the rest of its hand

// Cues beside the labels: the turn mark, "Your turn", and the trick winner's "+1".
inline constexpr int cuePointSize = 30;
inline constexpr int turnMarkPadding = 12;
inline constexpr int turnMarkUnderline = 6;
inline constexpr int trickCueDuration = 1600;  // runs beside play, delays nothing

inline constexpr int debugLabelCount = (tablePositions - 1) * cardsPerHand;  // the computers' cards
inline constexpr int debugLabelPointSize = 20;
inline constexpr QPointF debugLabelOffsetTop(0, -30);
inline constexpr QPointF debugLabelOffsetRight(-80, 0);
inline constexpr QPointF debugLabelOffsetLeft(-70, 0);

}  // namespace table
