#include "RoundStandings.h"

std::vector<Player> finishedRoundStandings(const GameState &game)
{
    std::vector<Player> players = game.getPlayers();
    if (game.getHistory().empty())
        return players;
    const RoundRecord &last = game.getHistory().back();
    for (std::size_t seat = 0; seat < players.size() && seat < last.seats.size(); ++seat) {
        players[seat].call = last.seats[seat].call;
        players[seat].tricks = last.seats[seat].tricks;
        players[seat].points = last.seats[seat].total;
    }
    return players;
}
