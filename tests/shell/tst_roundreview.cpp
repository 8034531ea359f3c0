// The round review through the window: R after a round played by the hint (H, Enter)
// opens it with no slip found, its rows agree with the game's own record (winners worked
// out here by the trick rule), the arrow keys step through the tricks, and after End Game
// it stays open to the player.

#include "AppIdentity.h"
#include "CallTextItem.h"
#include "CardName.h"
#include "GraphicsView.h"
#include "MainWindow.h"
#include "RoundReviewDialog.h"
#include "Settings.h"
#include "ShellTestSupport.h"
#include "TrickPicture.h"

#include <QAccessible>
#include <QAction>
#include <QTableWidget>
#include <QTest>

#include <cstdlib>

class TestRoundReview : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        applyApplicationIdentity();
        animation_speed = FastSpeed;
        time_divisor = 32;
    }

    void reviewAgreesWithTheRecord()
    {
        std::srand(6);
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QAction *review = window.actionHandler().reviewAction();
        QCOMPARE(review->shortcut(), QKeySequence(Qt::Key_R));
        QVERIFY(!review->isEnabled());  // no round has ended
        answerNewGameDialog("Reviewer");
        window.actionHandler().newGameAction()->trigger();
        const GameState &game = window.gameState();
        // Every card as the hint shows it, by H then Enter: the review finds no slip.
        QApplication::setActiveWindow(&window);
        while (!window.summaryScene()) {
            if (window.actionHandler().hintAction()->isEnabled()) {
                QTest::keyClick(window.view(), Qt::Key_H);
                QTest::keyClick(window.view(), Qt::Key_Return);
            }
            QTest::qWait(5);
        }
        QTRY_VERIFY(review->isEnabled());
        QApplication::setActiveWindow(&window);
        QTest::keyClick(window.view(), Qt::Key_R);
        RoundReviewDialog *dialog = window.reviewWindow();
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(dialog->shownRound(), 1);
        QCOMPARE(dialog->accessibleDescription(), dialog->summaryText());
        QCOMPARE(dialog->summaryText(),
                 QStringLiteral("Your cards matched the Expert's play this round."));

        // Each row against the record: who led, each seat's card in its own column, and
        // who took it by the trick rule.
        const RoundRecord &record = game.getHistory().back();
        const std::vector<Player> players = game.getPlayers();
        const auto name = [&](int seat) { return QString::fromStdString(players.at(seat).name); };
        QTableWidget *table = dialog->table();
        QCOMPARE(table->rowCount(), 13);
        QAccessibleInterface *cells = QAccessible::queryAccessibleInterface(table);
        QVERIFY(cells && cells->tableInterface());
        std::vector<int> taken(4, 0);
        for (int row = 0; row < 13; ++row) {
            std::vector<Card> trick;
            for (int k = 0; k < 4; ++k) {
                const SeatCard &play = record.plays.at(std::size_t(4 * row + k));
                trick.push_back(play.card);
                QCOMPARE(table->item(row, 2 + play.seat)->text(), cardName(play.card));
                QCOMPARE(
                    cells->tableInterface()->cellAt(row, 2 + play.seat)->text(QAccessible::Name),
                    cardName(play.card));
            }
            QCOMPARE(table->item(row, 1)->text(), name(record.plays.at(std::size_t(4 * row)).seat));
            const Card winner = trickWinner(trick);
            int winner_seat = -1;
            for (int k = 0; k < 4; ++k)
                if (trick[std::size_t(k)] == winner)
                    winner_seat = record.plays.at(std::size_t(4 * row + k)).seat;
            ++taken[std::size_t(winner_seat)];
            QCOMPARE(table->item(row, 6)->text(), name(winner_seat));
            QVERIFY(!table->item(row, 9));  // no cost shown
        }
        for (int seat = 0; seat < 4; ++seat)
            QCOMPARE(taken[std::size_t(seat)], record.seats.at(std::size_t(seat)).tricks);

        // The keys step the rows, and the picture shows the chosen trick's cards in order.
        const auto pictured = [&](int row) {
            QList<Card> cards;
            for (int k = 0; k < 4; ++k)
                cards << record.plays.at(std::size_t(4 * row + k)).card;
            return dialog->picture()->cards() == cards;
        };
        QVERIFY(pictured(0));
        table->setFocus();
        const QList<QPair<Qt::Key, int>> steps = {{Qt::Key_Right, 1},
                                                  {Qt::Key_Down, 2},
                                                  {Qt::Key_Left, 1},
                                                  {Qt::Key_Up, 0},
                                                  {Qt::Key_Left, 0}};
        for (const auto &[key, row] : steps) {
            QTest::keyClick(table, key);
            QCOMPARE(table->currentRow(), row);
            QVERIFY(pictured(row));
        }
        QTest::keyClick(dialog, Qt::Key_Escape);
        QVERIFY(!dialog->isVisible());

        // After End Game the review is still there, from the key and from the summary.
        QApplication::setActiveWindow(&window);
        QTRY_VERIFY(window.summaryScene()->takesKeys());
        QTest::keyClick(window.view(), Qt::Key_E, Qt::ControlModifier);
        QVERIFY(window.summaryScene()->resultItem());
        QVERIFY(review->isEnabled());
        window.summaryScene()->button(QStringLiteral("Review"))->click();
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->shownRound(), 1);
    }
};

QTEST_MAIN(TestRoundReview)
#include "tst_roundreview.moc"
