// Seeded self-play through the public game-state interface, with every seat played by
// the computer player, checking the rules' invariants after every move.

#include "CoreTestSupport.h"

#include <QTest>

#include <algorithm>

using namespace coretest;

namespace {

// Plays whole rounds and reports the first broken invariant as text ("" when all held).
class InvariantRun
{
public:
    explicit InvariantRun(GameState &game) : game(game) {}

    // The human seat calls what the computer would call for its hand.
    void humanCalls()
    {
        human_wins.clear();
        if (game.getRound() < 2)
            return;
        Player estimate = game.getPlayers()[0];
        estimate.estimateCall();
        human_wins = estimate.win_counts;
        game.setHumanCall(estimate.call);
    }

    std::string move()
    {
        const std::vector<Player> before = game.getPlayers();
        const std::vector<Card> trick = game.getTrick();
        const unsigned round = game.getRound();
        const int completed = game.getCompletedTricks();
        const bool shortcall = game.isShortcall();
        const int seat = game.getCurrentPlayer();
        const Player &mover = before[static_cast<std::size_t>(seat)];
        const std::vector<Card> legal = mover.hand.legalCards(trick);

        Card card;
        if (game.isHumanMove()) {
            Player human = mover;
            human.win_counts = human_wins;
            card = human.chooseCard(trick, game.getRoundCards(), shortcall);
            if (!game.playCard(card))
                return "human move refused: " + card.toShortString();
        } else {
            if (!game.playComputerMove())
                return "computer move refused";
            card = game.getMove();
        }
        if (std::find(legal.begin(), legal.end(), card) == legal.end())
            return "illegal card " + card.toShortString() + " to [" + shortNames(trick) + "] from ["
                + shortNames(mover.hand.cards) + "]";

        std::vector<Card> full = trick;
        full.push_back(card);
        const std::vector<Player> after = game.getPlayers();
        if (full.size() == 4) {
            const Card winner = trickWinner(full);
            const int leader = (seat + 1) % 4;
            const int winnerSeat =
                (leader + static_cast<int>(std::find(full.begin(), full.end(), winner) - full.begin())) % 4;
            if (!(game.getLastTrickWinner() == winner))
                return "wrong trick winner";
            if (completed == 12) {
                if (game.getRound() != round + 1)
                    return "13th trick did not roll the round over";
                int total = 0;
                for (std::size_t i = 0; i < 4; ++i) {
                    const int t = before[i].tricks + (static_cast<int>(i) == winnerSeat ? 1 : 0);
                    total += t;
                    int score = t;
                    if (round > 1) {
                        const bool made = shortcall ? t == before[i].call : t >= before[i].call;
                        score = made ? before[i].call : -before[i].call;
                    }
                    if (after[i].points != before[i].points + score)
                        return "score rule broken for seat " + std::to_string(i);
                    if (after[i].tricks != 0 || after[i].hand.cards.size() != 13)
                        return "new round not reset for seat " + std::to_string(i);
                    if (i > 0 && (after[i].call < 2 || after[i].win_counts.size() != 13))
                        return "computer call missing for seat " + std::to_string(i);
                }
                if (total != 13)
                    return "tricks of a round add up to " + std::to_string(total);
                if (after[0].call != before[0].call)
                    return "the roll-over changed the human's call";
                ++rounds_done;
                if (shortcall)
                    ++shortcall_rounds;
            } else {
                if (game.getCompletedTricks() != completed + 1
                    || game.getCurrentPlayer() != winnerSeat)
                    return "trick completion broken";
                for (std::size_t i = 0; i < 4; ++i) {
                    if (after[i].tricks != before[i].tricks + (static_cast<int>(i) == winnerSeat ? 1 : 0))
                        return "trick count broken";
                }
            }
        } else if (game.getTrick() != full || game.getCurrentPlayer() != (seat + 1) % 4) {
            return "trick in progress broken";
        }
        return conservation();
    }

    std::string conservation() const
    {
        const std::vector<Card> &played = game.getRoundCards();
        const std::size_t trickSize = game.getTrick().size();
        const int completed = game.getCompletedTricks();
        if (completed < 0 || completed > 12 || trickSize > 3
            || played.size() != 4 * static_cast<std::size_t>(completed) + trickSize)
            return "round_cards holds " + std::to_string(played.size()) + " cards";
        // Each of the 52 cards exactly once, in the hands or on the table.
        std::vector<int> seen(52, 0);
        int total = 0;
        const auto count = [&](const Card &c) {
            if (c.suit < Spades || c.suit > Clubs || c.value < Ace || c.value > King
                || !(makeCard(c.suit, c.value).rank == c.rank))
                return false;
            ++seen[static_cast<std::size_t>((c.suit - 1) * 13 + c.value - 1)];
            ++total;
            return true;
        };
        for (const Card &c : played)
            if (!count(c))
                return "malformed card on the table";
        for (const Player &p : game.getPlayers())
            for (const Card &c : p.hand.cards)
                if (!count(c))
                    return "malformed card in " + p.name + "'s hand";
        if (total != 52 || std::any_of(seen.begin(), seen.end(), [](int n) { return n != 1; }))
            return "the 52 cards are not conserved";
        return {};
    }

    GameState &game;
    std::vector<CardWinCount> human_wins;
    int rounds_done = 0;
    int shortcall_rounds = 0;
};

}  // namespace

class SelfPlayTest : public QObject
{
    Q_OBJECT

private slots:
    void firstRoundsOfManyGames();
    void longGameKeepsEveryInvariant();
    void sameSeedSameGame();
};

void SelfPlayTest::firstRoundsOfManyGames()
{
    // Many fresh deals of round 1; the 52nd card is chosen and checked but not played,
    // which would start the estimates of round 2.
    const int games = 1500;
    for (int seed = 1; seed <= games; ++seed) {
        std::srand(static_cast<unsigned>(seed));
        GameState game;
        game.startNewGame();
        InvariantRun run(game);
        QVERIFY2(run.conservation().empty(), qPrintable(QString("seed %1").arg(seed)));
        for (int move = 0; move < 51; ++move) {
            const std::string error = run.move();
            QVERIFY2(error.empty(), qPrintable(QString("seed %1 move %2: %3").arg(seed).arg(move)
                                                   .arg(QString::fromStdString(error))));
        }
        Player last = game.getPlayers()[static_cast<std::size_t>(game.getCurrentPlayer())];
        const std::vector<Card> legal = last.hand.legalCards(game.getTrick());
        QCOMPARE(legal.size(), std::size_t(1));
        QVERIFY(last.chooseCard(game.getTrick(), game.getRoundCards(), false) == legal.front());
    }
}

void SelfPlayTest::longGameKeepsEveryInvariant()
{
    std::srand(7);
    GameState game;
    game.startNewGame();
    InvariantRun run(game);
    const int rounds = 600;
    while (run.rounds_done < rounds) {
        run.humanCalls();
        const unsigned round = game.getRound();
        while (game.getRound() == round) {
            const std::string error = run.move();
            QVERIFY2(error.empty(), qPrintable(QString("round %1: %2").arg(round)
                                                   .arg(QString::fromStdString(error))));
        }
    }
    QCOMPARE(game.getRound(), unsigned(rounds + 1));
    QVERIFY(run.shortcall_rounds > 0);
    QVERIFY(run.shortcall_rounds < rounds);
}

void SelfPlayTest::sameSeedSameGame()
{
    std::string fingerprints[2];
    for (std::string &fingerprint : fingerprints) {
        std::srand(123);
        GameState game;
        game.startNewGame();
        InvariantRun run(game);
        while (run.rounds_done < 3) {
            run.humanCalls();
            const unsigned round = game.getRound();
            while (game.getRound() == round)
                QVERIFY(run.move().empty());
        }
        fingerprint = GameStateTestAccess::fingerprint(game);
    }
    QCOMPARE(fingerprints[0], fingerprints[1]);
}

QTEST_APPLESS_MAIN(SelfPlayTest)
#include "tst_selfplay.moc"
