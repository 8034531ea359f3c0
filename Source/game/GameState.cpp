#include "GameState.h"

#include "SeededRandom.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace {

const std::array<const char *, 17> opponentNameList = {
    "Alcatraz", "Alistair", "Altair", "Desmond",  "Ezio",    "Geralt",  "Hawk",  "Isaac", "Jensen",
    "Lara",     "Leliana",  "Mordin", "Morrigan", "Miranda", "Shepard", "Triss", "Wei"};

using rules::playerCount;
using rules::tricksPerRound;

// True when the deck holds each of the 52 cards exactly once.
bool isFullDeck(const std::vector<Card> &deck)
{
    if (deck.size() != 52)
        return false;
    std::vector<Card> sorted = deck;
    std::sort(sorted.begin(), sorted.end());
    std::vector<Card> reference = makeDeck();
    std::sort(reference.begin(), reference.end());
    return sorted == reference;
}

// The Expert's generator starts from the game's first deal, so a seed replays an Expert
// game too, without a draw from rand().
std::uint64_t expertSeed(const std::vector<Player> &players)
{
    std::uint64_t hash = fnvOffset;
    for (const Player &player : players) {
        for (const Card &card : player.hand.cards)
            hash = fnvMix(hash, std::uint64_t(card.suit * 16 + card.rank));
    }
    return hash;
}

}  // namespace

bool isBadHand(const std::vector<Card> &cards)
{
    if (cards.empty())
        return true;
    int aces = 0;
    bool honour = false;
    for (const Card &card : cards) {
        if (card.rank == 14)
            ++aces;
        if (card.value == Ace || card.value == Jack || card.value == Queen || card.value == King)
            honour = true;
    }
    return aces == 4 || cardsOfSuit(cards, Spades).empty() || !honour;
}

std::vector<std::string> opponentNames()
{
    std::vector<std::string> names(opponentNameList.begin(), opponentNameList.end());
    randomShuffle(names);
    return {names[0], names[1], names[2]};
}

void GameState::startNewGame()
{
    players.assign(playerCount, Player());
    const std::vector<std::string> names = opponentNames();
    std::size_t next = 0;
    for (int seat = 0; seat < playerCount; ++seat) {
        if (seat != human_player)
            players[static_cast<std::size_t>(seat)].name = names[next++];
    }
    round = 0;
    history.clear();
    last_trick.clear();
    last_trick_winner_seat = -1;
    opponents_in_play = next_opponents;
    startNewRound();
    if (opponents_in_play == Opponents::Expert)
        expert = ExpertPlayer(expertSeed(players));
}

void GameState::startNewRound()
{
    if (players.size() != playerCount)
        return;  // no game yet

    const std::vector<Hand> hands = deal(makeDeck());
    round_deal.clear();
    for (std::size_t i = 0; i < players.size(); ++i) {
        players[i].hand.cards = hands[i].cards;
        players[i].tricks = 0;
        round_deal.push_back(hands[i].cards);
    }
    current_player = std::rand() % playerCount;
    round_cards.clear();
    completed_tricks = 0;
    trick.clear();
    trick_owners.clear();
    trick_plays.clear();
    round_plays.clear();
    trick_size = 0;
    ++round;
    if (round > 1) {
        for (int seat = 0; seat < playerCount; ++seat) {
            if (seat != human_player)
                players[static_cast<std::size_t>(seat)].estimateCall();
        }
    }
}

std::vector<Hand> GameState::deal(std::vector<Card> deck)
{
    // Anything but the 52 cards could never pass the checks below: refuse it rather
    // than re-deal for ever.
    if (!isFullDeck(deck))
        return std::vector<Hand>(playerCount);

    for (;;) {
        std::vector<Hand> hands(playerCount);
        randomShuffle(deck);
        for (std::size_t i = 0; i < deck.size(); ++i)
            hands[i % playerCount].cards.push_back(deck[i]);
        if (std::none_of(hands.begin(), hands.end(),
                         [](const Hand &hand) { return isBadHand(hand.cards); }))
            return hands;
    }
}

bool GameState::playCard(const Card &card)
{
    if (players.size() != playerCount || current_player != human_player)
        return false;
    Hand &hand = players[static_cast<std::size_t>(current_player)].hand;
    const std::vector<Card> legal = hand.legalCards(trick);
    if (std::find(legal.begin(), legal.end(), card) == legal.end())
        return false;
    // Keep the held card itself, not the caller's copy: equality ignores value and suit_order.
    move = *std::find(hand.cards.begin(), hand.cards.end(), card);
    hand.removeCard(move);
    applyMove();
    return true;
}

bool GameState::playComputerMove()
{
    if (players.size() != playerCount || current_player == human_player)
        return false;
    Player &player = players[static_cast<std::size_t>(current_player)];
    if (player.hand.cards.empty())
        return false;
    if (opponents_in_play == Opponents::Expert) {
        move = expert.chooseCard(expertPosition());
        player.hand.removeCard(move);
    } else {
        move = player.chooseCard(trick, round_cards, isShortcall());
    }
    applyMove();
    return true;
}

void GameState::applyMove()
{
    trick.push_back(move);
    round_cards.push_back(move);
    trick_owners[move] = current_player;
    trick_plays.push_back({move, current_player});
    round_plays.push_back({move, current_player});
    current_player = (current_player + 1) % playerCount;
    ++trick_size;
    if (trick_size == playerCount) {
        last_trick_winner = trickWinner(trick);
        const int winner = trick_owners[last_trick_winner];
        players[static_cast<std::size_t>(winner)].tricks += 1;
        current_player = winner;
        ++completed_tricks;
        last_trick = trick_plays;
        last_trick_winner_seat = winner;
        trick.clear();
        trick_owners.clear();
        trick_plays.clear();
        trick_size = 0;
    }
    if (completed_tricks == tricksPerRound) {
        const bool firstRound = round == 1;
        const bool shortcall = isShortcall();
        for (Player &player : players)
            player.addRoundScore(firstRound, shortcall);
        recordRound();
        startNewRound();
    }
}

void GameState::recordRound()
{
    RoundRecord record;
    record.round = round;
    record.shortcall = isShortcall();
    for (const Player &player : players) {
        const int gained = roundScore(player.call, player.tricks, round == 1, record.shortcall);
        record.seats.push_back(
            {round == 1 ? 0 : player.call, player.tricks, gained, player.points});
        record.calls.push_back(player.call);
    }
    record.human = human_player;
    record.opponents = opponents_in_play;
    record.dealt = round_deal;
    record.plays = round_plays;
    history.push_back(std::move(record));
}

ExpertPosition GameState::expertPosition() const
{
    ExpertPosition position;
    position.seat = current_player;
    if (players.size() == playerCount)
        position.hand = players[static_cast<std::size_t>(current_player)].hand.cards;
    position.plays = round_plays;
    for (std::size_t seat = 0; seat < players.size() && seat < position.calls.size(); ++seat)
        position.calls[seat] = players[seat].call;
    position.first_round = round == 1;
    position.shortcall = isShortcall();
    position.describeSeats(human_player, opponents());
    return position;
}

bool GameState::isHumanMove() const
{
    return current_player == human_player;
}

unsigned GameState::getRound() const
{
    return round;
}

bool GameState::isShortcall() const
{
    if (round <= 1 || players.size() != playerCount)
        return false;
    int sum = 0;
    for (const Player &player : players)
        sum += player.call;
    return rules::isShortcallTotal(sum);
}

std::vector<Player> GameState::getPlayers() const
{
    return players;
}

std::vector<Card> GameState::getTrick() const
{
    return trick;
}

int GameState::getCompletedTricks() const
{
    return completed_tricks;
}

Card GameState::getLastTrickWinner() const
{
    return last_trick_winner;
}

int GameState::getHumanPlayer() const
{
    return human_player;
}

int GameState::getCurrentPlayer() const
{
    return current_player;
}

const std::vector<Card> &GameState::getRoundCards() const
{
    return round_cards;
}

Card GameState::getMove() const
{
    return move;
}

void GameState::setHumanName(const std::string &name)
{
    if (players.size() == playerCount)
        players[static_cast<std::size_t>(human_player)].name = name;
}

void GameState::setHumanCall(int call)
{
    if (players.size() == playerCount && call >= 0 && call <= tricksPerRound)
        players[static_cast<std::size_t>(human_player)].call = call;
}

void GameState::setOpponents(Opponents level)
{
    next_opponents = level;
}

Opponents GameState::opponents() const
{
    return players.size() != playerCount ? next_opponents : opponents_in_play;
}
