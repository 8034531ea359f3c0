#pragma once

#include "GameState.h"
#include "Player.h"

#include <vector>

// The players as they stood when the game's last recorded round ended: its calls, tricks
// and totals over the players' current records. The game deals the next round as it
// scores one, so the table needs this while it still shows the round that ended. With no
// round recorded yet, the players as they are.
std::vector<Player> finishedRoundStandings(const GameState &game);
