#pragma once

#include "GameRules.h"

// The human's call as the round summary's selector holds it: within the rules' bounds,
// starting at the lowest, with the total of all four calls, and frozen once the game is
// ended.
class CallSelector
{
public:
    // others_total: the three computer players' calls added up.
    explicit CallSelector(int others_total = 0) : others(others_total) {}

    int call() const { return current; }
    int total() const { return others + current; }
    bool shortcall() const { return rules::isShortcallTotal(total()); }
    bool ended() const { return game_ended; }
    bool canRaise() const { return !game_ended && current < rules::highestCall; }
    bool canLower() const { return !game_ended && current > rules::lowestCall; }

    // Moves the call by delta when the result stays within the bounds and the game goes
    // on; whether it moved.
    bool change(int delta)
    {
        const int wanted = current + delta;
        if (game_ended || wanted < rules::lowestCall || wanted > rules::highestCall)
            return false;
        current = wanted;
        return true;
    }
    void end() { game_ended = true; }

private:
    int others = 0;
    int current = rules::lowestCall;
    bool game_ended = false;
};
