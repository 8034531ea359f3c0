#include "CallTextItem.h"
#include "CardGraphicsItem.h"
#include "GraphicsView.h"
#include "InvariantChecker.h"
#include "ScoreSheetDialog.h"
#include "ScoreSheetModel.h"
#include "ShellTestSupport.h"
#include "TableViewAccessible.h"
#include "TrickCompleteScene.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QGraphicsEllipseItem>
#include <QGraphicsRectItem>
#include <QGraphicsSceneHoverEvent>
#include <QGraphicsTextItem>
#include <QGraphicsView>
#include <QHeaderView>
#include <QImage>
#include <QItemSelectionModel>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTextDocument>

namespace {

std::vector<Card> fullSuits(std::initializer_list<int> suits, int per_suit)
{
    std::vector<Card> cards;
    for (int suit : suits)
        for (int v = 1; v <= per_suit; ++v)
            cards.push_back(makeCard(suit, v));
    return cards;
}

std::vector<Card> thirteenOfAllSuits()
{
    std::vector<Card> cards = fullSuits({Spades, Hearts, Diamonds, Clubs}, 3);
    cards.push_back(makeCard(Diamonds, 9));
    return cards;
}

std::vector<Player> fourPlayers(int human_call = 7)
{
    // Seats 0..3 with points 10, 25, 25, -5; seat 2 has no diamonds.
    return {makePlayer("Human", 10, human_call, 0, thirteenOfAllSuits()),
            makePlayer("Ezio", 25, 4, 0, thirteenOfAllSuits()),
            makePlayer("Lara", 25, 3, 0, fullSuits({Spades, Hearts, Clubs}, 4)),
            makePlayer("Wei", -5, 5, 0, thirteenOfAllSuits())};
}

QList<QGraphicsTextItem *> textItems(QGraphicsScene &scene, const QString &plain)
{
    QList<QGraphicsTextItem *> found;
    for (QGraphicsItem *item : scene.items())
        if (auto *text = dynamic_cast<QGraphicsTextItem *>(item))
            if (text->toPlainText() == plain)
                found.append(text);
    return found;
}

}  // namespace

class TestSummaryScene : public QObject
{
    Q_OBJECT

private slots:
    void rowsByPointsThenSeat()
    {
        TrickCompleteScene scene(fourPlayers(), 0);
        QStringList names;
        for (const SummaryRow &row : scene.summaryRows())
            names << row.name;
        QCOMPARE(names, (QStringList{"Ezio", "Lara", "Human", "Wei"}));
        // Name items are laid out top to bottom in that order.
        qreal last_y = -1e9;
        for (const QString &name : names) {
            const auto items = textItems(scene, name);
            QCOMPARE(items.size(), 1);
            QVERIFY(items.first()->y() > last_y);
            last_y = items.first()->y();
        }
    }

    void humanCallStartsAtTwo()
    {
        TrickCompleteScene scene(fourPlayers(9), 0);
        QCOMPARE(scene.humanCall(), 2);
        QCOMPARE(scene.totalCalls(), 4 + 3 + 5 + 2);
        QCOMPARE(textItems(scene, "14").size(), 1);  // the total
    }

    void callStaysWithinTwoAndThirteen()
    {
        TrickCompleteScene scene(fourPlayers(), 0);
        CallTextItem *plus = scene.button("+ Call +");
        CallTextItem *minus = scene.button("- Call -");
        QVERIFY(plus && minus);

        // Buttons act like buttons: a pointing hand and a highlight under the pointer,
        // and inactive while they can do nothing.
        QVERIFY(!minus->isEnabled());
        QVERIFY(plus->isEnabled());
        QCOMPARE(plus->cursor().shape(), Qt::PointingHandCursor);
        QGraphicsSceneHoverEvent enter(QEvent::GraphicsSceneHoverEnter);
        scene.sendEvent(plus, &enter);
        QVERIFY(plus->isHighlighted());
        QGraphicsSceneHoverEvent leave(QEvent::GraphicsSceneHoverLeave);
        scene.sendEvent(plus, &leave);
        QVERIFY(!plus->isHighlighted());

        pressItem(minus);
        QCOMPARE(scene.humanCall(), 2);
        for (int i = 0; i < 11; ++i)
            pressItem(plus);
        QCOMPARE(scene.humanCall(), 13);
        QVERIFY(!plus->isEnabled());
        QVERIFY(minus->isEnabled());
        pressItem(plus);
        pressItem(plus);
        QCOMPARE(scene.humanCall(), 13);
        QCOMPARE(scene.totalCalls(), 12 + 13);
        QCOMPARE(textItems(scene, "25").size(), 3);  // two players' points and the total
        QCOMPARE(textItems(scene, "13").size(), 1);  // the human's call
        pressItem(minus);
        QCOMPARE(scene.humanCall(), 12);
        QCOMPARE(textItems(scene, "24").size(), 1);
    }

    // Calls adding up to 12 or less make a Shortcall round: the human's call counts, and
    // the player hears it.
    void shortcallFollowsTheTotal()
    {
        std::vector<Player> players = fourPlayers();
        players[1].call = 3;
        players[3].call = 4;  // with Lara's 3, ten; the human's 2 makes twelve
        TrickCompleteScene scene(players, 0);
        const QString shortcall = QStringLiteral("That makes a Shortcall round.");
        QCOMPARE(scene.totalCalls(), 12);
        QVERIFY(scene.callText().contains(shortcall));
        scene.button("+ Call +")->click();
        QCOMPARE(scene.totalCalls(), 13);
        QVERIFY(!scene.callText().contains(shortcall));
    }

    void sideoffOnlyForComputerPlayersMissingASuit()
    {
        std::vector<Player> players = fourPlayers();
        players[0].hand.cards = fullSuits({Spades, Hearts, Clubs}, 4);  // human, also void
        TrickCompleteScene scene(players, 0);
        const auto marks = textItems(scene, "sideoff");
        QCOMPARE(marks.size(), 1);
        // Beside Lara's row.
        QCOMPARE(marks.first()->y(), textItems(scene, "Lara").first()->y());
    }

    void showsTheHumansHandInDisplayOrder()
    {
        std::vector<Player> players = fourPlayers();
        std::vector<Card> hand = thirteenOfAllSuits();
        std::reverse(hand.begin(), hand.end());
        players[0].hand.cards = hand;
        TrickCompleteScene scene(players, 0);
        const QList<CardGraphicsItem *> items = scene.handItems();
        QCOMPARE(items.size(), 13);
        QCOMPARE(items.first()->faceElementId(), QStringLiteral("AS"));
        QCOMPARE(items.at(3)->faceElementId(), QStringLiteral("AH"));
        QCOMPARE(items.at(6)->faceElementId(), QStringLiteral("AC"));
        QCOMPARE(items.last()->faceElementId(), QStringLiteral("2D"));
        for (int i = 1; i < items.size(); ++i) {
            QVERIFY(!items.at(i)->isFaceDown());
            QCOMPARE(items.at(i)->y(), items.first()->y());
            QVERIFY(items.at(i)->x() > items.at(i - 1)->x());
        }
        // Continue sits at the right end of the hand, End Game at its left.
        CallTextItem *end = scene.button("End Game");
        CallTextItem *cont = scene.button("Continue");
        QCOMPARE(end->x(), items.first()->x());
        QCOMPARE(qRound(cont->x() + cont->boundingRect().width()),
                 qRound(items.last()->x() + items.last()->boundingRect().width()));
        QVERIFY(end->y() > items.first()->y());
    }

    void continueAndEndGameSignals()
    {
        TrickCompleteScene scene(fourPlayers(), 0);
        QSignalSpy called(&scene, &TrickCompleteScene::callDetermined);
        QSignalSpy ended(&scene, &TrickCompleteScene::endGame);
        pressItem(scene.button("+ Call +"));
        pressItem(scene.button("+ Call +"));
        pressItem(scene.button("Continue"));
        QCOMPARE(called.size(), 1);
        QCOMPARE(called.first().first().toInt(), 4);

        CallTextItem *end = scene.button("End Game");
        pressItem(end);
        QCOMPARE(ended.size(), 1);
        QVERIFY(!scene.button("Continue")->isVisible());
        // Once ended, the selector and End Game itself are inert and look it.
        QVERIFY(!end->isEnabled());
        QVERIFY(!scene.button("+ Call +")->isEnabled() && !scene.button("- Call -")->isEnabled());
        QVERIFY(end->opacity() < 1.0);
        pressItem(end);
        pressItem(scene.button("+ Call +"));
        QCOMPARE(ended.size(), 1);
        QCOMPARE(called.size(), 1);
        QCOMPARE(scene.humanCall(), 4);
        // The result: both leaders named, on screen and to the screen reader.
        const QString result = QStringLiteral("Ezio and Lara share the win with 25 points.");
        QVERIFY(scene.resultItem()->toPlainText().startsWith(result));
        QVERIFY(scene.accessibleSummary().contains(result));
        std::vector<Player> one_leader = fourPlayers();
        one_leader[3].points = 40;
        QCOMPARE(TrickCompleteScene(one_leader, 0).resultText(),
                 QStringLiteral("Wei wins with 40 points."));
    }

    // The sheet of a game played as the self-play program plays it, against that
    // program's own account of the same seed.
    void scoreSheetMatchesSelfPlay()
    {
        const int rounds = 6;
        QProcess selfplay;
        selfplay.start(TOLVANMERE_SELFPLAY, {"--seed", "3", "--rounds", QString::number(rounds)});
        QVERIFY(selfplay.waitForFinished(60000));
        const QStringList lines = QString::fromUtf8(selfplay.readAllStandardOutput()).split('\n');

        std::srand(3);
        GameState game;
        InvariantChecker checker(game);
        game.startNewGame();
        game.setHumanName("Self");
        while (game.getHistory().size() < std::size_t(rounds)) {
            checker.humanCalls();
            for (const unsigned round = game.getRound(); game.getRound() == round;)
                QCOMPARE(checker.move(), std::string());
        }
        ScoreSheetDialog dialog;
        dialog.followGame(game);
        ScoreSheetModel &sheet = *dialog.model();
        QCOMPARE(sheet.rowCount(), rounds);
        // No row looks chosen that nobody chose.
        QVERIFY(!dialog.table()->selectionModel()->hasSelection());
        // Opened, the whole sheet is on its screen, Close button and all; widened, its table
        // fills the room.
        dialog.show();
        QVERIFY(dialog.screen()->availableGeometry().contains(dialog.geometry()));
        dialog.resize(dialog.screen()->availableGeometry().width() * 3, dialog.height());
        QCoreApplication::processEvents();
        QCOMPARE(dialog.table()->horizontalHeader()->length(), dialog.table()->viewport()->width());

        const QRegularExpression seat(QStringLiteral("  (\\S+) (\\d+)(?:/(\\d+))? -> (-?\\d+)"));
        const auto cell = [&sheet](int row, int column) {
            return sheet.data(sheet.index(row, column)).toString();
        };
        int row = 0;
        bool shortcall = false;
        for (const QString &line : lines) {
            if (line.startsWith("Round "))
                shortcall = line.contains("(shortcall");
            if (!line.startsWith("  Result:"))
                continue;
            QCOMPARE(cell(row, 0).contains("Shortcall"), shortcall);
            auto match = seat.globalMatch(line);
            for (int s = 0; s < 4; ++s) {
                const QRegularExpressionMatch m = match.next();
                QCOMPARE(sheet.names().at(s), m.captured(1));
                QCOMPARE(cell(row, ScoreSheetModel::column(s, ScoreSheetModel::Tricks)),
                         m.captured(2));
                if (row > 0)
                    QCOMPARE(cell(row, ScoreSheetModel::column(s, ScoreSheetModel::Call)),
                             m.captured(3));
                QCOMPARE(cell(row, ScoreSheetModel::column(s, ScoreSheetModel::Total)),
                         m.captured(4));
            }
            ++row;
        }
        QCOMPARE(row, rounds);
        // A new game starts the sheet afresh.
        game.startNewGame();
        sheet.update(game);
        QCOMPARE(sheet.rowCount(), 0);
    }

    void rightClicksDoNothing()
    {
        TrickCompleteScene scene(fourPlayers(), 0);
        QSignalSpy called(&scene, &TrickCompleteScene::callDetermined);
        QSignalSpy ended(&scene, &TrickCompleteScene::endGame);
        for (const char *text : {"+ Call +", "- Call -", "End Game", "Continue"}) {
            CallTextItem *button = scene.button(text);
            QSignalSpy clicked(button, &CallTextItem::clicked);
            pressItem(button, Qt::RightButton);
            pressItem(button, Qt::MiddleButton);
            QCOMPARE(clicked.size(), 0);
        }
        QCOMPARE(scene.humanCall(), 2);
        QCOMPARE(called.size(), 0);
        QCOMPARE(ended.size(), 0);
        QVERIFY(scene.button("Continue")->isVisible());
    }

    // Learning Mode's coach: a suggestion and a chart of the simulated rounds beside the
    // call selector, covering nothing and moving nothing; absent unless asked for.
    void coachAdviceSitsBesideTheSelector()
    {
        TrickCompleteScene plain(fourPlayers(), 0);
        TrickCompleteScene coached(fourPlayers(), 0);
        QVERIFY(!plain.suggestionItem());
        QVERIFY(plain.chartBars().isEmpty());
        const QList<QGraphicsItem *> before = coached.items(Qt::AscendingOrder);

        Coach::Histogram rounds{};
        rounds[2] = 10;
        rounds[3] = 25;
        rounds[4] = 40;
        rounds[5] = 20;
        rounds[6] = 5;
        coached.showCoachAdvice(4, rounds);
        coached.showCoachAdvice(4, rounds);  // once at most
        // By the scoring rule: 65 of the 100 rounds make 4 (+4), 35 miss it (-4).
        const QString suggested = QStringLiteral("Suggested: 4, expected +1.2 points");
        QCOMPARE(coached.suggestionItem()->toPlainText(), suggested);
        QCOMPARE(textItems(coached, suggested).size(), 1);
        QCOMPARE(coached.humanCall(), 2);

        // What was there is still there, in the same place, in the same order.
        const QList<QGraphicsItem *> plain_items = plain.items(Qt::AscendingOrder);
        const QList<QGraphicsItem *> after = coached.items(Qt::AscendingOrder);
        QCOMPARE(after.mid(0, before.size()), before);
        QCOMPARE(before.size(), plain_items.size());
        for (int i = 0; i < before.size(); ++i) {
            QCOMPARE(before[i]->type(), plain_items[i]->type());
            QCOMPARE(before[i]->sceneBoundingRect(), plain_items[i]->sceneBoundingRect());
        }

        // The chart: one bar per trick count, heights in proportion, the suggestion
        // marked, beside the selector and over none of the summary's items.
        const QList<QGraphicsRectItem *> bars = coached.chartBars();
        QCOMPARE(bars.size(), 14);
        const qreal tallest = bars[4]->rect().height();
        QVERIFY(tallest > 50);
        for (int k = 0; k < 14; ++k) {
            QVERIFY(qAbs(bars[k]->rect().height() - tallest * rounds[std::size_t(k)] / 40.0)
                    < 1e-6);
            QCOMPARE(bars[k]->brush().color() == bars[4]->brush().color(), k == 4);
            if (k > 0)
                QVERIFY(bars[k]->x() > bars[k - 1]->x());
        }
        CallTextItem *decrease = coached.button("- Call -");
        QCOMPARE(coached.suggestionItem()->y(), decrease->y());
        QVERIFY(coached.suggestionItem()->x() > decrease->sceneBoundingRect().right());
        for (QGraphicsItem *item : after.mid(before.size())) {
            for (QGraphicsItem *old : before) {
                if (old->type() == QGraphicsEllipseItem::Type)
                    continue;  // markers lie over their own numbers
                QVERIFY2(!item->sceneBoundingRect().intersects(old->sceneBoundingRect()),
                         qPrintable(QStringLiteral("chart item over an item of the summary")));
            }
        }
        // How often the selector's call is made, to the eye and the ear, as it changes.
        for (int i = 0; i < 3; ++i)
            coached.button("+ Call +")->click();
        QCOMPARE(coached.chanceItem()->toPlainText(),
                 QStringLiteral("Your call 5: -2.5 points, made in 25 of 100 simulated rounds"));
        QVERIFY(coached.callText().endsWith(coached.chanceText() + '.'));
        // The set call's column is the one outlined.
        QCOMPARE(qRound(coached.callMarkRect().center().x()),
                 qRound(bars[5]->sceneBoundingRect().center().x()));

        // With the other calls at 8, a call of 2 makes a Shortcall round: only an exact
        // make counts, 10 rounds of 100 (+2), the other 90 miss (-2).
        std::vector<Player> low = fourPlayers();
        low[1].call = 2;
        low[2].call = 3;
        low[3].call = 3;
        TrickCompleteScene shortcall(low, 0);
        shortcall.showCoachAdvice(2, rounds);
        QCOMPARE(shortcall.chanceText(), QStringLiteral("Your call 2, exactly: -1.6 points, made "
                                                        "in 10 of 100 simulated rounds"));
        QVERIFY(shortcall.suggestionItem()->toPlainText().startsWith("Suggested: 2 exactly"));

        // Once the game has ended no round follows: the suggestion and the chance go, in
        // sight and in words; what stays keeps its place, and the winner's line comes.
        QList<QRectF> placed;
        for (const QGraphicsItem *item : shortcall.items(Qt::AscendingOrder))
            placed << item->sceneBoundingRect();
        const QRectF on_screen = shortcall.sceneRect();
        shortcall.button("End Game")->click();
        QCOMPARE(shortcall.sceneRect(), on_screen);  // the view does not move it either
        QVERIFY(!shortcall.suggestionItem()->isVisible() && !shortcall.chanceItem()->isVisible());
        const QList<QGraphicsItem *> ended = shortcall.items(Qt::AscendingOrder);
        for (int i = 0; i < placed.size(); ++i)
            QCOMPARE(ended[i]->sceneBoundingRect(), placed[i]);
        QVERIFY(shortcall.resultItem()->toPlainText().startsWith("Ezio and Lara share the win"));
        const QString words = shortcall.accessibleSummary();
        QVERIFY2(!words.contains("Suggested") && !words.contains("simulated"), qPrintable(words));
        QVERIFY(words.contains("Ezio and Lara share the win"));
    }

    // Up/Plus and Down/Minus set the call, Enter continues, Ctrl+E ends the game, Tab
    // marks the buttons in turn and Enter or Space presses the marked one.
    void keys()
    {
        TrickCompleteScene scene(fourPlayers(), 0);
        QGraphicsView view(&scene);
        QSignalSpy called(&scene, &TrickCompleteScene::callDetermined);
        QSignalSpy ended(&scene, &TrickCompleteScene::endGame);
        QSignalSpy changed(&scene, &TrickCompleteScene::proposedCallChanged);
        const auto key = [&view](Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
            QTest::keyClick(&view, k, m);
        };
        CallTextItem *plus = scene.button("+ Call +");
        CallTextItem *minus = scene.button("- Call -");
        CallTextItem *end = scene.button("End Game");
        CallTextItem *cont = scene.button("Continue");
        CallTextItem *review = scene.button("Review");

        // Keys pressed before the summary was on screen were meant for the table.
        key(Qt::Key_Return);  // else Continue would be called twice below
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QTRY_VERIFY(scene.takesKeys());

        key(Qt::Key_Down);
        QCOMPARE(scene.humanCall(), 2);
        for (int i = 0; i < 12; ++i)
            key(i % 2 ? Qt::Key_Up : Qt::Key_Plus);
        QCOMPARE(scene.humanCall(), 13);
        key(Qt::Key_Minus);
        key(Qt::Key_Down);
        QCOMPARE(scene.humanCall(), 11);
        QCOMPARE(changed.size(), 13);
        QCOMPARE(changed.last().first().toInt(), 11);
        QCOMPARE(scene.totalCalls(), 12 + 11);
        QCOMPARE(textItems(scene, "11").size(), 1);
        key(Qt::Key_E);
        key(Qt::Key_E, Qt::AltModifier);
        key(Qt::Key_Space);  // nothing marked: nothing to press
        QCOMPARE(ended.size(), 0);
        key(Qt::Key_Return);
        QCOMPARE(called.size(), 1);
        QCOMPARE(called.last().first().toInt(), 11);

        // The focus mark is drawn, and only after Tab.
        const auto picture = [&scene](CallTextItem *item) {
            QImage image(item->sceneBoundingRect().size().toSize(), QImage::Format_ARGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            scene.render(&painter, QRectF(), item->sceneBoundingRect());
            return image;
        };
        const QImage plain = picture(plus);
        QVERIFY(!scene.focusedButton());
        key(Qt::Key_Tab);
        QCOMPARE(scene.focusedButton(), plus);
        QVERIFY(plus->isFocusMarked());
        QVERIFY(picture(plus) != plain);
        key(Qt::Key_Space);
        QCOMPARE(scene.humanCall(), 12);
        key(Qt::Key_Tab);
        QCOMPARE(scene.focusedButton(), minus);
        QVERIFY(!plus->isFocusMarked());
        QCOMPARE(picture(plus), plain);
        key(Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(scene.humanCall(), 11);
        key(Qt::Key_Tab);
        key(Qt::Key_Tab);
        QCOMPARE(scene.focusedButton(), cont);
        key(Qt::Key_Tab);
        QCOMPARE(scene.focusedButton(), review);
        key(Qt::Key_Tab);
        QCOMPARE(scene.focusedButton(), plus);  // round again
        key(Qt::Key_Backtab);
        key(Qt::Key_Backtab);
        QCOMPARE(scene.focusedButton(), cont);
        key(Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(scene.focusedButton(), end);
        QCOMPARE(called.size(), 1);
        QCOMPARE(ended.size(), 0);

        key(Qt::Key_Tab);  // Continue marked, then the game ends under it
        key(Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(ended.size(), 1);
        QVERIFY(!cont->isVisible());
        key(Qt::Key_Return);
        QCOMPARE(called.size(), 1);  // no Continue any more
        const QString call_shown = scene.callText();
        key(Qt::Key_Up);
        QCOMPARE(scene.callText(), call_shown);  // nor a call to change
        // Only Review is left to press: the game's record stays open to the player.
        QVERIFY(!scene.focusedButton());
        QSignalSpy reviewed(&scene, &TrickCompleteScene::review);
        key(Qt::Key_Tab);
        QCOMPARE(scene.focusedButton(), review);
        key(Qt::Key_Space);
        QCOMPARE(reviewed.size(), 1);
        QVERIFY(scene.accessibleSummary().contains("The game has ended."));
    }

    // The standings, the call and the four buttons, children of the table's view for
    // assistive technology; the buttons can be pressed, and a change or the focus mark
    // is reported for the element it concerns.
    void accessibleElements()
    {
        QAccessible::installFactory(tableViewAccessibleFactory);
        TrickCompleteScene scene(fourPlayers(), 0);
        GraphicsView view;
        view.setScene(&scene);
        QAccessibleInterface *table = QAccessible::queryAccessibleInterface(&view);
        QList<QAccessibleInterface *> elements;
        for (int i = 0; i < table->childCount(); ++i)
            if (table->child(i)->object() == nullptr)
                elements << table->child(i);
        QCOMPARE(elements.size(), 7);
        for (QAccessibleInterface *element : elements) {
            QCOMPARE(element->parent(), table);
            QCOMPARE(table->child(table->indexOfChild(element)), element);
        }
        QCOMPARE(elements[0]->role(), QAccessible::StaticText);
        QCOMPARE(elements[0]->text(QAccessible::Name),
                 QStringLiteral("Standings: Ezio, 25 points, call 4; Lara, 25 points, call 3, "
                                "sideoff; Human, 10 points, call 2; Wei, -5 points, call 5."));
        QCOMPARE(elements[1]->text(QAccessible::Name),
                 QStringLiteral("Your call: 2. Total of the calls: 14."));
        QStringList names;
        for (int i = 2; i < 7; ++i) {
            QCOMPARE(elements[i]->role(), QAccessible::PushButton);
            QCOMPARE(elements[i]->actionInterface()->actionNames(),
                     QStringList{QAccessibleActionInterface::pressAction()});
            names << elements[i]->text(QAccessible::Name);
        }
        QCOMPARE(names, (QStringList{"+ Call +", "- Call -", "End Game", "Continue", "Review"}));
        QVERIFY(scene.accessibleSummary().startsWith("Round summary. Standings: Ezio"));

        QSignalSpy heard(&scene, &TrickCompleteScene::accessibleChange);
        QSignalSpy called(&scene, &TrickCompleteScene::callDetermined);
        QSignalSpy ended(&scene, &TrickCompleteScene::endGame);
        elements[2]->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(scene.humanCall(), 3);
        QCOMPARE(elements[1]->text(QAccessible::Name),
                 QStringLiteral("Your call: 3. Total of the calls: 15."));
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QTRY_VERIFY(scene.takesKeys());
        QTest::keyClick(&view, Qt::Key_Tab);
        QTest::keyClick(&view, Qt::Key_Tab);
        // What changed, and which button took the mark: the elements that show them.
        QCOMPARE(heard.size(), 3);
        const QList<QPair<QAccessible::Event, QAccessibleInterface *>> expected = {
            {QAccessible::NameChanged, elements[1]},
            {QAccessible::Focus, elements[2]},
            {QAccessible::Focus, elements[3]}};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(heard[i][1].value<QAccessible::Event>(), expected[i].first);
            const auto element = heard[i][0].value<SummaryElement>();
            QCOMPARE(elements.value(int(
                         std::find(allSummaryElements.begin(), allSummaryElements.end(), element)
                         - allSummaryElements.begin())),
                     expected[i].second);
        }
        QVERIFY(elements[3]->state().focused && !elements[2]->state().focused);

        elements[4]->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(ended.size(), 1);
        QVERIFY(elements[5]->state().invisible);
        elements[5]->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(called.size(), 0);  // a hidden Continue cannot be pressed
        QAccessible::removeFactory(tableViewAccessibleFactory);
    }

    void namesAreShownLiterally_data()
    {
        // A table reads best one row a line.
        // clang-format off
        QTest::addColumn<QString>("name");
        QTest::newRow("markup") << QStringLiteral("<i>x</i>&lt;");
        QTest::newRow("utf-8") << QStringLiteral("Zoë");
        QTest::newRow("cjk") << QStringLiteral("李雷");
        // clang-format on
    }
    void namesAreShownLiterally()
    {
        QFETCH(QString, name);
        std::vector<Player> players = fourPlayers();
        players[0].name = name.toStdString();
        TrickCompleteScene scene(players, 0);
        QCOMPARE(textItems(scene, name).size(), 1);
    }
};

QTEST_MAIN(TestSummaryScene)
#include "tst_summaryscene.moc"
