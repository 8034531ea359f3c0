#include "ExpertPlayer.h"

#include "GameState.h"

ExpertPlayer::ExpertPlayer(std::uint64_t seed) : seed(seed) {}

Card ExpertPlayer::chooseCard(const GameState &state)
{
    const Player seat = state.getPlayers().at(std::size_t(state.getCurrentPlayer()));
    const std::vector<Card> legal = seat.hand.legalCards(state.getTrick());
    return legal.at(std::size_t(seed % legal.size()));
}
