#pragma once

#include <QList>

// What the table's keys do to the choice among the human's playable cards: Left and Right
// step, Home and End jump, Return, Enter and Space play. Plain data in, plain data out.
namespace table {

bool isHandKey(int key);

struct HandKeyStep {
    bool play = false;  // play the selected card
    int select = -1;    // else: the card to select
};

// playable: the ids left to right, not empty; selected: the current choice; shown: whether
// it is raised for the player to see. While it is not, any key but Home and End only
// shows it: nothing moves, and nothing is played, that the player has not seen.
HandKeyStep handKeyStep(const QList<int> &playable, int selected, bool shown, int key);

}  // namespace table
