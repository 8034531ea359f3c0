#include "ExpertPlayer.h"

#include "CardBits.h"
#include "ComputerRules.h"
#include "GameRules.h"
#include "GameState.h"
#include "Player.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace {

using namespace cardbits;

constexpr int seats = rules::playerCount;
constexpr int deckSize = seats * rules::tricksPerRound;
constexpr CardSet wholeDeck =
    CardSet{laneMask} | CardSet{laneMask} << 16 | CardSet{laneMask} << 32 | CardSet{laneMask} << 48;

// How much the other seats' points count against the seat's own: a point taken from an
// opponent is worth less than one won, but it is worth something in a race to the top.
constexpr double opponentWeight = 0.25;

// The n-th card (from 0) of a set, lowest index first.
CardIndex nthCard(CardSet set, int n)
{
    for (; n > 0; --n)
        set &= set - 1;
    return static_cast<CardIndex>(std::countr_zero(set));
}
int draw(SeededRandom &random, int choices)
{
    return random.next() % choices;
}

// Cards of each suit, by suit.
using SuitLengths = std::array<std::uint8_t, seats>;

// A round being played out: the hands, the trick in progress and the tricks taken.
struct Table {
    std::array<CardSet, seats> hands{};
    CardSet played = 0;
    std::array<int, seats> tricks{};
    int to_move = 0;
    int trick_size = 0;
    int led = 0;
    CardIndex winner = 0;
    int winner_seat = 0;
    std::array<SuitLengths, seats> dealt{};  // each hand's suit lengths before the round

    void play(CardIndex card)
    {
        hands[static_cast<std::size_t>(to_move)] &= ~bitOf(card);
        played |= bitOf(card);
        if (trick_size == 0 || beats(card, winner)) {
            if (trick_size == 0)
                led = laneOf(card);
            winner = card;
            winner_seat = to_move;
        }
        if (++trick_size == seats) {
            ++tricks[static_cast<std::size_t>(winner_seat)];
            to_move = winner_seat;
            trick_size = 0;
        } else {
            to_move = (to_move + 1) % seats;
        }
    }
};

// The standard decision list's card to give away: the low cards of the shortest suit
// first, else one of the lowest few non-spades, else the lowest card.
CardIndex chooseLowCard(CardSet hand, SeededRandom &random)
{
    std::array<int, seats> count{};
    int shortest = 14;
    for (int lane = 0; lane < seats; ++lane) {
        count[static_cast<std::size_t>(lane)] = std::popcount(laneCards(hand, lane));
        if (count[static_cast<std::size_t>(lane)] > 0)
            shortest = std::min(shortest, count[static_cast<std::size_t>(lane)]);
    }
    CardSet free_cards = 0;
    for (int lane = 1; lane < seats; ++lane) {
        if (count[static_cast<std::size_t>(lane)] == shortest)
            free_cards |= CardSet{laneCards(hand, lane) & ((2u << giveAwayRankBit) - 1)}
                          << (lane * 16);
    }
    if (free_cards)
        return nthCard(free_cards, draw(random, std::popcount(free_cards)));

    std::array<CardIndex, computer::lowCardRunLimit> run{};
    int n = 0;
    for (int rank_bit = 0; rank_bit <= lowCardRankBit && n < computer::lowCardRunLimit;
         ++rank_bit) {
        for (int lane = 1; lane < seats && n < computer::lowCardRunLimit; ++lane) {
            if ((laneCards(hand, lane) >> rank_bit) & 1)
                run[static_cast<std::size_t>(n++)] = indexOf(lane, rank_bit);
        }
    }
    if (n > 0)
        return run[static_cast<std::size_t>(draw(random, n))];
    const CardSet others = hand & ~laneSet(spadeLane);
    if (others) {
        // The lowest rank among the other suits.
        CardIndex best = 0;
        int best_rank = 99;
        for (int lane = 1; lane < seats; ++lane) {
            if (const std::uint32_t cards = laneCards(others, lane);
                cards && lowestBit(cards) < best_rank) {
                best_rank = lowestBit(cards);
                best = indexOf(lane, best_rank);
            }
        }
        return best;
    }
    return indexOf(spadeLane, lowestBit(laneCards(hand, spadeLane)));
}

// How many of the call estimate's 100 simulated rounds a card wins, on average, by whether
// it is a spade, its rank (Two to Ace) and the length of its suit in the dealt hand (1 to
// 6 or more); measured over 20,000 dealt hands. It stands in for a standard player's win
// counts, which nobody else sees, and its sum over a hand for the average behind a call.
constexpr std::array<std::array<std::array<std::uint8_t, 13>, 6>, 2> likelyWinsTable = {{
    {{{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 99},
      {0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 2, 78, 98},
      {0, 0, 0, 0, 1, 1, 2, 3, 3, 7, 35, 74, 96},
      {0, 0, 0, 1, 1, 2, 3, 5, 9, 16, 29, 64, 93},
      {0, 1, 1, 1, 2, 3, 5, 8, 11, 15, 22, 52, 89},
      {1, 1, 1, 1, 2, 3, 4, 6, 8, 12, 17, 36, 80}}},
    {{{8, 7, 8, 9, 8, 9, 9, 10, 10, 11, 11, 15, 100},
      {12, 13, 14, 14, 15, 17, 19, 20, 22, 25, 32, 91, 100},
      {16, 18, 19, 22, 24, 26, 30, 33, 40, 50, 81, 96, 100},
      {27, 28, 31, 34, 36, 40, 45, 52, 63, 77, 90, 98, 100},
      {37, 40, 41, 47, 51, 56, 62, 70, 78, 87, 95, 99, 100},
      {50, 54, 55, 61, 66, 72, 78, 84, 90, 95, 98, 100, 100}}},
}};

int likelyWins(CardIndex card, const SuitLengths &dealt)
{
    const int length = std::clamp<int>(dealt[static_cast<std::size_t>(laneOf(card))], 1, 6);
    return likelyWinsTable[laneOf(card) == spadeLane ? 1 : 0][static_cast<std::size_t>(length - 1)]
                          [static_cast<std::size_t>(rankBitOf(card))];
}

// A standard player's pick by win count in a shortcall round: the likeliest winner that is
// not a sure one (below 80 of 100), else the fallback.
CardIndex likeliestUnsure(CardSet cards, CardIndex fallback, const SuitLengths &dealt)
{
    int best_wins = -1;
    CardIndex best = fallback;
    for (; cards; cards &= cards - 1) {
        const auto card = static_cast<CardIndex>(std::countr_zero(cards));
        const int wins = likelyWins(card, dealt);
        if (wins < 80 && wins > best_wins) {
            best_wins = wins;
            best = card;
        }
    }
    return best;
}

// The standard decision list, which is how the computer players play. In a shortcall
// round they play high where win counts decide; their counts are not known here, so
// likelyWins stands in for them.
CardIndex choosePolicyCard(const Table &table, bool shortcall, SeededRandom &random)
{
    const CardSet hand = table.hands[static_cast<std::size_t>(table.to_move)];
    const SuitLengths &dealt = table.dealt[static_cast<std::size_t>(table.to_move)];
    if (table.trick_size == 0) {
        std::array<CardIndex, seats> masters{};
        int found = 0;
        for (int lane = 0; lane < seats; ++lane) {
            const std::uint32_t unplayed = ~laneCards(table.played, lane) & laneMask;
            if (!unplayed)
                continue;
            const int top = highestBit(unplayed);
            if ((laneCards(hand, lane) >> top) & 1)
                masters[static_cast<std::size_t>(found++)] = indexOf(lane, top);
        }
        if (found > 0)
            return masters[static_cast<std::size_t>(found == 1 ? 0 : draw(random, found))];
        const CardIndex low = chooseLowCard(hand, random);
        return shortcall ? likeliestUnsure(hand, low, dealt) : low;
    }
    const int led = table.led;
    const CardIndex winner = table.winner;
    if (const std::uint32_t suit = laneCards(hand, led)) {
        const CardIndex low = indexOf(led, lowestBit(suit));
        const CardIndex high = indexOf(led, highestBit(suit));
        if (laneOf(winner) == spadeLane && led != spadeLane)
            return shortcall ? high : low;
        if (table.trick_size == seats - 1) {
            const std::uint32_t beating = above(suit, rankBitOf(winner));
            if (beating)
                return indexOf(led, shortcall ? highestBit(beating) : lowestBit(beating));
            return shortcall ? likeliestUnsure(CardSet{suit} << (led * 16), low, dealt) : low;
        }
        const std::uint32_t unplayed = ~laneCards(table.played, led) & laneMask;
        if (unplayed) {
            const int top = highestBit(unplayed);
            if (((suit >> top) & 1) && top >= rankBitOf(winner))
                return indexOf(led, top);
        }
        return shortcall ? high : low;
    }
    if (const std::uint32_t spades = laneCards(hand, spadeLane)) {
        if (laneOf(winner) != spadeLane)
            return indexOf(spadeLane, lowestBit(spades));
        const std::uint32_t over = above(spades, rankBitOf(winner));
        if (over)
            return indexOf(spadeLane, shortcall ? highestBit(over) : lowestBit(over));
        return chooseLowCard(hand, random);
    }
    return chooseLowCard(hand, random);
}

// The cards a hand may play to the trick in progress (Hand::legalCards on sets).
CardSet legalCards(const Table &table)
{
    const CardSet hand = table.hands[static_cast<std::size_t>(table.to_move)];
    if (table.trick_size == 0)
        return hand;
    if (const CardSet following = hand & laneSet(table.led))
        return following;
    const CardSet spades = hand & laneSet(spadeLane);
    if (laneOf(table.winner) == spadeLane) {
        const CardSet over = CardSet{above(laneCards(spades, spadeLane), rankBitOf(table.winner))};
        return over ? over : hand;
    }
    return spades ? spades : hand;
}

// A seat that has its tricks in a shortcall round must take no more: it plays under the
// winner when it can and sheds its most dangerous cards while it is safe to.
CardIndex chooseDuckCard(const Table &table)
{
    const CardSet legal = legalCards(table);
    const auto danger = [](CardIndex card) {
        return rankBitOf(card) + (laneOf(card) == spadeLane ? 13 : 0);
    };
    CardIndex safest = 0, riskiest = 0, riskiest_loser = 0;
    int low = 99, high = -1, high_loser = -1;
    for (CardSet cards = legal; cards; cards &= cards - 1) {
        const auto card = static_cast<CardIndex>(std::countr_zero(cards));
        const int d = danger(card);
        if (d < low)
            low = d, safest = card;
        if (d > high)
            high = d, riskiest = card;
        if (table.trick_size > 0 && !beats(card, table.winner) && d > high_loser)
            high_loser = d, riskiest_loser = card;
    }
    if (high_loser >= 0)
        return riskiest_loser;
    return table.trick_size == seats - 1 ? riskiest : safest;
}

// Who plays out the round: the other seats as standard players, the seat itself the
// same until it holds its tricks in a shortcall round.
struct Rollout {
    int seat = 0;
    int call = 0;
    bool shortcall = false;

    CardIndex choose(const Table &table, SeededRandom &random) const
    {
        if (table.to_move == seat)
            return shortcall && table.tricks[static_cast<std::size_t>(seat)] >= call
                       ? chooseDuckCard(table)
                       : choosePolicyCard(table, false, random);
        return choosePolicyCard(table, shortcall, random);
    }
};

// What the position tells about the hidden cards: which cards each seat may still hold
// and how many it holds.
struct Knowledge {
    std::array<CardSet, seats> allowed{};
    std::array<int, seats> held{};
    CardSet unknown = 0;
    // The unknown cards, fewest possible holders first, and each card's possible holders.
    std::array<CardIndex, deckSize> order{};
    int order_size = 0;
};

// Cards of a lane below, above or strictly between rank bits, as sets.
CardSet laneBelow(int lane, int rank_bit)
{
    return CardSet{(1u << rank_bit) - 1} << (lane * 16);
}
CardSet laneAbove(int lane, int rank_bit)
{
    return CardSet{above(laneMask, rank_bit)} << (lane * 16);
}
// The highest card of a lane not played yet; 0xFF when all are.
CardIndex masterOf(CardSet played, int lane)
{
    const std::uint32_t unplayed = ~laneCards(played, lane) & laneMask;
    return unplayed ? indexOf(lane, highestBit(unplayed)) : CardIndex{0xFF};
}

// What a card played by the standard decision list says about the hand it came from: it
// leads a master card whenever it holds one, follows with a master card or else its lowest
// (by its win counts, not known here, in a shortcall round), and trumps or takes a trick as
// cheaply as it can (as dearly in a shortcall round). The cards the hand cannot hold any more.
CardSet standardPlayExcludes(CardIndex card, int trick_size, int led, CardIndex winner,
                             CardSet played, bool shortcall)
{
    const int lane = laneOf(card);
    const int rank = rankBitOf(card);
    if (trick_size == 0) {
        if (card == masterOf(played, lane))
            return 0;
        CardSet masters = 0;
        for (int other = 0; other < seats; ++other) {
            if (const CardIndex master = masterOf(played, other); master != 0xFF)
                masters |= bitOf(master);
        }
        return masters;
    }
    const CardSet lower = laneBelow(lane, rank);
    const CardSet higher = laneAbove(lane, rank);
    if (lane == led) {
        if (laneOf(winner) == spadeLane && led != spadeLane)
            return shortcall ? 0 : lower;
        if (trick_size == seats - 1) {
            if (beats(card, winner))
                return shortcall ? higher : lower & laneAbove(lane, rankBitOf(winner));
            return shortcall ? 0 : laneAbove(lane, rankBitOf(winner)) | lower;
        }
        // The master card comes only when it is not below the winner, which is already
        // played and may outrank it.
        const CardIndex master = masterOf(played, lane);
        if (card == master)
            return 0;
        const CardSet master_held = rankBitOf(master) >= rankBitOf(winner) ? bitOf(master) : 0;
        return master_held | (shortcall ? 0 : lower);
    }
    if (lane != spadeLane || !beats(card, winner))
        return 0;  // a card shed: only the suits it could not follow are known
    if (laneOf(winner) != spadeLane)
        return lower;
    return shortcall ? higher : lower & laneAbove(spadeLane, rankBitOf(winner));
}

Knowledge readKnowledge(const ExpertPlayer::Position &position, CardSet own, CardSet played,
                        bool read_standard_play)
{
    Knowledge knowledge;
    knowledge.unknown = wholeDeck & ~own & ~played;
    knowledge.allowed.fill(knowledge.unknown);
    knowledge.held.fill(rules::tricksPerRound);
    const std::size_t n = position.plays.size();
    CardSet played_before = 0;
    for (std::size_t start = 0; start < n; start += seats) {
        CardIndex winner = indexOf(position.plays[start].card);
        const int led = laneOf(winner);
        for (std::size_t k = start; k < std::min(n, start + seats); ++k) {
            const CardIndex card = indexOf(position.plays[k].card);
            const auto seat = static_cast<std::size_t>(position.plays[k].seat % seats);
            const int trick_size = static_cast<int>(k - start);
            --knowledge.held[seat];
            if (read_standard_play && position.standard_seats[seat]) {
                knowledge.allowed[seat] &= ~standardPlayExcludes(card, trick_size, led, winner,
                                                                 played_before, position.shortcall);
            }
            played_before |= bitOf(card);
            if (k > start && laneOf(card) != led) {
                // Could not follow; then a spade was due, and one above a spade in the trick.
                knowledge.allowed[seat] &= ~laneSet(led);
                const bool spade_in_trick = laneOf(winner) == spadeLane;
                if (!spade_in_trick && laneOf(card) != spadeLane)
                    knowledge.allowed[seat] &= ~laneSet(spadeLane);
                else if (spade_in_trick
                         && !(laneOf(card) == spadeLane && rankBitOf(card) > rankBitOf(winner)))
                    knowledge.allowed[seat] &=
                        ~(CardSet{above(laneMask, rankBitOf(winner))} << (spadeLane * 16));
            }
            if (k > start && beats(card, winner))
                winner = card;
        }
    }
    knowledge.held[static_cast<std::size_t>(position.seat)] = 0;
    knowledge.allowed[static_cast<std::size_t>(position.seat)] = 0;

    std::array<int, 64> holders{};
    for (CardSet rest = knowledge.unknown; rest; rest &= rest - 1) {
        const auto card = static_cast<CardIndex>(std::countr_zero(rest));
        for (int seat = 0; seat < seats; ++seat)
            holders[card] += (knowledge.allowed[static_cast<std::size_t>(seat)] >> card) & 1;
        knowledge.order[static_cast<std::size_t>(knowledge.order_size++)] = card;
    }
    std::stable_sort(knowledge.order.begin(), knowledge.order.begin() + knowledge.order_size,
                     [&holders](CardIndex a, CardIndex b) { return holders[a] < holders[b]; });
    return knowledge;
}

// Deals the unknown cards to the other seats, each card to a seat that may hold it, chosen
// in proportion to the room left in each hand. When every seat that may hold a card is
// full, cards already dealt move along to make room, so a deal is found whenever one
// exists. False when none does.
bool dealHidden(const Knowledge &knowledge, bool constrained, SeededRandom &random,
                std::array<CardSet, seats> &hands)
{
    const auto may = [&](int seat, CardIndex card) {
        return knowledge.held[static_cast<std::size_t>(seat)] > 0
               && (!constrained
                   || ((knowledge.allowed[static_cast<std::size_t>(seat)] >> card) & 1));
    };
    std::array<int, seats> room = knowledge.held;
    for (int i = 0; i < knowledge.order_size; ++i) {
        const CardIndex card = knowledge.order[static_cast<std::size_t>(i)];
        int total = 0;
        for (int seat = 0; seat < seats; ++seat)
            total += may(seat, card) ? room[static_cast<std::size_t>(seat)] : 0;
        if (total > 0) {
            int pick = draw(random, total);
            for (int seat = 0; seat < seats; ++seat) {
                if (!may(seat, card))
                    continue;
                pick -= room[static_cast<std::size_t>(seat)];
                if (pick < 0) {
                    hands[static_cast<std::size_t>(seat)] |= bitOf(card);
                    --room[static_cast<std::size_t>(seat)];
                    break;
                }
            }
            continue;
        }
        // A breadth-first search for a chain of moves ending at a seat with room.
        std::array<int, seats> from{-1, -1, -1, -1};
        std::array<CardIndex, seats> via{};
        std::array<bool, seats> seen{};
        std::array<int, seats> queue{};
        int head = 0, tail = 0, found = -1;
        for (int seat = 0; seat < seats; ++seat) {
            if (may(seat, card)) {
                seen[static_cast<std::size_t>(seat)] = true;
                queue[static_cast<std::size_t>(tail++)] = seat;
            }
        }
        while (head < tail && found < 0) {
            const int u = queue[static_cast<std::size_t>(head++)];
            for (CardSet cards = hands[static_cast<std::size_t>(u)]; cards && found < 0;
                 cards &= cards - 1) {
                const auto moved = static_cast<CardIndex>(std::countr_zero(cards));
                for (int v = 0; v < seats && found < 0; ++v) {
                    const auto vs = static_cast<std::size_t>(v);
                    if (seen[vs] || !may(v, moved))
                        continue;
                    seen[vs] = true;
                    from[vs] = u;
                    via[vs] = moved;
                    if (room[vs] > 0)
                        found = v;
                    else
                        queue[static_cast<std::size_t>(tail++)] = v;
                }
            }
        }
        if (found < 0)
            return false;
        --room[static_cast<std::size_t>(found)];
        int seat = found;
        while (from[static_cast<std::size_t>(seat)] >= 0) {
            const int giver = from[static_cast<std::size_t>(seat)];
            const CardIndex moved = via[static_cast<std::size_t>(seat)];
            hands[static_cast<std::size_t>(giver)] &= ~bitOf(moved);
            hands[static_cast<std::size_t>(seat)] |= bitOf(moved);
            seat = giver;
        }
        hands[static_cast<std::size_t>(seat)] |= bitOf(card);
    }
    return true;
}

// How likely a standard estimate gives this call for a hand whose card values add up to
// the given average: the estimate truncates its average two times in three and rounds it
// otherwise, never below two, and the table's sum misses the average by about 0.36.
double callLikelihood(int call, double average)
{
    constexpr double spread = 0.36;
    const auto below = [average](double bound) {
        return 0.5 * std::erfc((average - bound) / (spread * std::sqrt(2.0)));
    };
    const auto between = [&](double low, double high) {
        return below(high) - (call <= minimumComputerCall ? 0.0 : below(low));
    };
    const double truncated = between(call, call + 1);
    const double rounded = between(call - 0.5, call + 0.5);
    // A little for every call, so that a call no deal explains weighs nothing down for good.
    return 0.02 + 0.67 * truncated + 0.33 * rounded;
}

double roundValue(const Table &table, const ExpertPlayer::Position &position)
{
    double value = 0;
    for (int seat = 0; seat < seats; ++seat) {
        const auto s = static_cast<std::size_t>(seat);
        const int points = roundScore(position.calls[s], table.tricks[s], position.first_round,
                                      position.shortcall);
        value += seat == position.seat ? points : -opponentWeight / (seats - 1) * points;
    }
    return value;
}

}  // namespace

ExpertPlayer::ExpertPlayer(std::uint64_t seed) : random(seed) {}

Card ExpertPlayer::chooseCard(const GameState &state)
{
    const std::vector<Player> players = state.getPlayers();
    Position position;
    position.seat = state.getCurrentPlayer();
    position.hand = players[static_cast<std::size_t>(position.seat)].hand.cards;
    position.plays = state.getRoundPlays();
    for (std::size_t seat = 0; seat < players.size() && seat < position.calls.size(); ++seat)
        position.calls[seat] = players[seat].call;
    position.first_round = state.getRound() == 1;
    position.shortcall = state.isShortcall();
    for (int seat = 0; seat < seats; ++seat)
        position.estimated_calls[static_cast<std::size_t>(seat)] =
            !position.first_round && seat != state.getHumanPlayer();
    if (state.opponents() == Opponents::Standard) {
        for (int seat = 0; seat < seats; ++seat)
            position.standard_seats[static_cast<std::size_t>(seat)] =
                seat != state.getHumanPlayer();
    }
    return chooseCard(position);
}

Card ExpertPlayer::chooseCard(const Position &position)
{
    // The table as it stands: the cards played, the tricks taken, the trick in progress.
    Table start;
    CardSet own = 0;
    for (const Card &card : position.hand) {
        if (isRealCard(card))
            own |= bitOf(indexOf(card));
    }
    std::vector<Card> trick;
    const std::size_t n = position.plays.size();
    const std::size_t trick_start = n - n % seats;
    for (std::size_t k = 0; k < n; ++k) {
        const SeatCard &play = position.plays[k];
        start.to_move = play.seat % seats;
        start.play(indexOf(play.card));
        if (k >= trick_start)
            trick.push_back(play.card);
    }
    start.to_move = position.seat;

    // The cards worth comparing: of cards next to each other once the played cards are
    // gone, only the lowest, since they win and lose the same tricks.
    Hand hand;
    hand.cards = position.hand;
    std::vector<Card> legal = hand.legalCards(trick);
    if (legal.empty())
        return position.hand.empty() ? Card() : position.hand.front();
    std::vector<CardIndex> candidates;
    for (const Card &card : legal)
        candidates.push_back(indexOf(card));
    std::sort(candidates.begin(), candidates.end());
    std::vector<CardIndex> distinct;
    for (const CardIndex card : candidates) {
        if (!distinct.empty() && laneOf(distinct.back()) == laneOf(card)) {
            const CardSet between =
                (bitOf(card) - 1) & ~((bitOf(distinct.back()) << 1) - 1) & laneSet(laneOf(card));
            if ((between & ~(own | start.played)) == 0)
                continue;
        }
        distinct.push_back(card);
    }
    if (distinct.size() == 1)
        return cardOf(distinct.front());

    // What the standard players' cards tell is only as good as the guess that they play by
    // the list: when no deal fits it, the rules alone decide, and when not even they can
    // (a position no game reaches), any deal of the right sizes does.
    std::array<Knowledge, 2> knowledge = {readKnowledge(position, own, start.played, true),
                                          readKnowledge(position, own, start.played, false)};
    std::size_t level = 0;
    bool constrained = true;
    const int remaining = deckSize - static_cast<int>(n);
    const int per_sample = static_cast<int>(distinct.size()) * remaining;
    const int samples = std::clamp(playBudget / per_sample, 24, 1000);

    const Rollout rollout{position.seat, position.calls[static_cast<std::size_t>(position.seat)],
                          position.shortcall};
    // Each seat's cards played this round, to rebuild the hands it was dealt.
    std::array<CardSet, seats> played_by{};
    for (const SeatCard &play : position.plays)
        played_by[static_cast<std::size_t>(play.seat % seats)] |= bitOf(indexOf(play.card));

    std::vector<double> totals(distinct.size(), 0.0);
    for (int s = 0; s < samples; ++s) {
        Table table = start;
        while (!dealHidden(knowledge[level], constrained, random, table.hands)) {
            table.hands = start.hands;
            if (level + 1 < knowledge.size())
                ++level;
            else if (constrained)
                constrained = false;
            else
                break;  // hands that do not add up: the round is played out short
        }
        table.hands[static_cast<std::size_t>(position.seat)] = own;
        // The deal is weighed by how well it explains the calls.
        double weight = 1;
        for (int seat = 0; seat < seats; ++seat) {
            const auto si = static_cast<std::size_t>(seat);
            const CardSet dealt = table.hands[si] | played_by[si];
            for (int lane = 0; lane < seats; ++lane)
                table.dealt[si][static_cast<std::size_t>(lane)] =
                    static_cast<std::uint8_t>(std::popcount(laneCards(dealt, lane)));
            if (seat == position.seat || !position.estimated_calls[si])
                continue;
            int wins = 0;
            for (CardSet cards = dealt; cards; cards &= cards - 1)
                wins +=
                    likelyWins(static_cast<CardIndex>(std::countr_zero(cards)), table.dealt[si]);
            weight *= callLikelihood(position.calls[si], wins / 100.0);
        }

        const SeededRandom stream = random;
        for (std::size_t c = 0; c < distinct.size(); ++c) {
            Table line = table;
            random = stream;
            line.play(distinct[c]);
            while (line.hands[static_cast<std::size_t>(line.to_move)])
                line.play(rollout.choose(line, random));
            totals[c] += weight * roundValue(line, position);
        }
    }

    std::size_t best = 0;
    for (std::size_t c = 1; c < distinct.size(); ++c) {
        if (totals[c] > totals[best])
            best = c;
    }
    // Hand back the held card itself.
    const Card chosen = cardOf(distinct[best]);
    return *std::find(position.hand.begin(), position.hand.end(), chosen);
}
