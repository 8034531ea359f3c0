#include "MainWindow.h"
#include "ui_MainWindow.h"

#include "CardName.h"
#include "CountText.h"
#include "FatalError.h"
#include "FlowLog.h"
#include "GraphicsView.h"
#include "LastTrickView.h"
#include "NewGameDialog.h"
#include "PlayerStatWidget.h"
#include "ScoreSheetDialog.h"
#include "Settings.h"
#include "TableViewAccessible.h"
#include "TrickCompleteScene.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QDebug>
#include <QScreen>
#include <QStringList>
#include <QWindow>

#include <algorithm>

namespace {

// What the screen does not tell: a desktop's panel, and a title bar before the window
// knows its own frame.
constexpr int unreportedPanelHeight = 48;
constexpr int titleBarAllowance = 40;

}  // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent), action_handler(this), game_state(), game_scene(game_state),
      ui(new Ui::MainWindow)
{
    // Before the view exists: with assistive technology on from the start, its accessible
    // interface is made as the widget is, and then kept.
    QAccessible::installFactory(tableViewAccessibleFactory);
    ui->setupUi(this);
    action_handler.setupActions(ui.get());
    setWindowTitle(QStringLiteral("%1 %2").arg(QCoreApplication::applicationName(),
                                               QCoreApplication::applicationVersion()));
    ui->graphicsView->setScene(&game_scene);
    ui->graphicsView->setAccessibleName(tr("Card table"));
    updateViewDescription();
    ui->graphicsView->setFocus();  // the table's keys work from the start

    connect(ui->graphicsView, &GraphicsView::resized, this, &MainWindow::onViewResized);
    connect(&game_scene, &GameScene::selectionChanged, this, &MainWindow::updateViewDescription);
    connect(&game_scene, &GameScene::selectionChanged, this, &MainWindow::announceSelection);
    connect(&game_scene, &GameScene::cardClicked, this, &MainWindow::onCardClicked);
    connect(&action_handler, &MainUIActionHandler::newGame, this, &MainWindow::onNewGame);
    connect(&action_handler, &MainUIActionHandler::hint, this, &MainWindow::onHint);
    connect(&action_handler, &MainUIActionHandler::scores, this, &MainWindow::onScores);
    connect(&action_handler, &MainUIActionHandler::lastTrick, this, &MainWindow::onLastTrick);
    ui->pushButtonDebug->setVisible(debug_mode);
    if (!debug_mode) {
        connect(&game_scene, &GameScene::animateCardFinished, this, &MainWindow::advanceGame);
        connect(&game_scene, &GameScene::trickCompleteAnimationFinished, this,
                &MainWindow::onTrickCompleteAnimationFinished);
    } else {
        connect(&game_scene, &GameScene::animateCardFinished, this,
                &MainWindow::debugAnimateCardFinished);
        connect(&game_scene, &GameScene::trickCompleteAnimationFinished, this,
                &MainWindow::debugTrickCompleteAnimationFinished);
    }

    // The table is drawn at its own scale in a view of the form's minimum size; a smaller
    // screen may lower that minimum, never the table's scale.
    table_design_side =
        std::min(ui->graphicsView->minimumWidth(), ui->graphicsView->minimumHeight());
    setWindowState(Qt::WindowMaximized);
}

MainWindow::~MainWindow()
{
    // The view must not paint a scene that is going away.
    ui->graphicsView->setScene(nullptr);
}

GraphicsView *MainWindow::view() const
{
    return ui->graphicsView;
}

PlayerStatWidget *MainWindow::statisticsPanel() const
{
    return ui->playerStatsWidget;
}

void MainWindow::advanceGame()
{
    // The game state has already dealt the next round when the last trick of one is
    // completed; until that trick is gathered, table and panel show the round it ended.
    const bool round_over =
        current_round != int(game_state.getRound()) && !game_state.getHistory().empty();
    const std::vector<Player> finished =
        round_over ? finishedRoundPlayers() : std::vector<Player>();
    if (round_over)
        ui->playerStatsWidget->updateStatistics(finished, unsigned(current_round),
                                                game_state.getHistory().back().shortcall);
    else
        ui->playerStatsWidget->updateStatistics(game_state);

    if (game_state.getCompletedTricks() != seen_completed_tricks) {
        seen_completed_tricks = game_state.getCompletedTricks();
        winning_card_id = game_scene.cardId(game_state.getLastTrickWinner());
        qCDebug(flowLog) << "advanceGame() - trick done";
        for (const Player &player : game_state.getPlayers())
            qCDebug(flowLog) << player.name.c_str() << player.tricks << player.points;
        game_scene.clearTurn();
        game_scene.animateTrickComplete(trick_card_ids, winning_card_id);
        if (round_over) {
            game_scene.updateLabels(finished);
            // The summary follows the gathering at once: the winner's flash comes now.
            game_scene.showTrickWinnerCue();
        } else {
            game_scene.updateLabels(game_state);
        }
        updateViewDescription();
        const int winner = game_state.getLastTrickWinnerSeat();
        announce(winner == game_state.getHumanPlayer()
                     ? tr("You took the trick.")
                     : tr("%1 took the trick.").arg(seatName(winner)));
        return;
    }

    game_scene.showTurn(game_state);

    if (!game_state.isHumanMove()) {
        if (!game_state.playComputerMove())
            fatalError("..\\Source\\MainWindow", 78, "Invalid game state.");
        qCDebug(flowLog) << "advanceGame() - !game_state.isHumanMove()";
        trick_card_ids.append(game_scene.cardId(game_state.getMove()));
        game_scene.animateMove(game_state.getMove());
        updateViewDescription();
        const SeatCard play = lastPlay();
        announce(tr("%1 plays the %2.").arg(seatName(play.seat), cardName(play.card)));
        return;
    }

    qCDebug(flowLog) << "advanceGame() - game_state.isHumanMove()";
    // The turn is told whole below; the card chosen as the hand opens is not news.
    opening_turn = true;
    game_scene.setHumanCardsEnabled(game_state, true);
    opening_turn = false;
    adviseOnTurn(true);
    updateViewDescription();
    announceTurn();
}

std::vector<Player> MainWindow::finishedRoundPlayers() const
{
    std::vector<Player> players = game_state.getPlayers();
    if (game_state.getHistory().empty())
        return players;
    const RoundRecord &last = game_state.getHistory().back();
    for (std::size_t seat = 0; seat < players.size() && seat < last.seats.size(); ++seat) {
        players[seat].call = last.seats[seat].call;
        players[seat].tricks = last.seats[seat].tricks;
        players[seat].points = last.seats[seat].total;
    }
    return players;
}

void MainWindow::callDetermined(int calls)
{
    game_state.setHumanCall(calls);
    news_prefix = tr("Round %1.").arg(game_state.getRound());
    showTable();
    game_scene.layoutTable(game_state);
    advanceGame();
}

void MainWindow::debugAnimateCardFinished()
{
    debug_card_pending = true;
}

void MainWindow::debugTrickCompleteAnimationFinished()
{
    debug_trick_pending = true;
}

void MainWindow::endGame()
{
    qCDebug(flowLog) << "End game";
    updateViewDescription();
    announce(tr("The game has ended."));
}

void MainWindow::on_pushButtonDebug_clicked()
{
    if (debug_card_pending) {
        debug_card_pending = false;
        advanceGame();
    }
    if (debug_trick_pending) {
        debug_trick_pending = false;
        onTrickCompleteAnimationFinished();
    }
}

void MainWindow::onCardClicked(Card card, int id)
{
    game_scene.setHumanCardsEnabled(game_state, false);
    // The scene offers only the human's legal cards while it is the human's turn; a
    // refused card must not reach the table.
    if (!game_state.playCard(card)) {
        game_scene.setHumanCardsEnabled(game_state, game_state.isHumanMove());
        return;
    }
    adviseOnTurn(false);
    trick_card_ids.append(id);
    game_scene.animateMove(card);
    updateViewDescription();
    announce(tr("You play the %1.").arg(cardName(card)));
}

void MainWindow::onNewGame()
{
    qCDebug(flowLog) << "onNewGame";
    NewGameDialog dialog(nullptr);
    const int answer = dialog.exec();
    // The keys go back to the table, also where no window manager hands the focus back.
    activateWindow();
    ui->graphicsView->setFocus();
    if (answer != QDialog::Accepted)
        return;

    hide_opponent_cards = !dialog.isLearningMode();
    game_state.setOpponents(expert_opponents ? Opponents::Expert : Opponents::Standard);
    game_state.startNewGame();
    game_state.setHumanName(dialog.playerName().toStdString());  // UTF-8
    if (score_sheet)
        score_sheet->followGame(game_state);
    delete last_trick_view;
    seen_completed_tricks = game_state.getCompletedTricks();
    current_round = int(game_state.getRound());
    trick_card_ids.clear();
    news_prefix = tr("Round %1.").arg(game_state.getRound());
    debug_card_pending = false;
    debug_trick_pending = false;
    game_scene.setHumanCardsEnabled(game_state, false);
    adviseOnTurn(false);
    adviseOnDeal();
    showTable();
    // Laying the table out stops every animation and pause of the previous game, so no
    // finishing signal of that game can step this one.
    game_scene.layoutTable(game_state);
    advanceGame();
}

void MainWindow::onTrickCompleteAnimationFinished()
{
    game_scene.hideCards(QList<int>(trick_card_ids));
    trick_card_ids.clear();

    if (current_round == int(game_state.getRound())) {
        advanceGame();
        return;
    }

    qCDebug(flowLog) << "trickCompleteAnimationFinished() - current_round != game_state.getRound()";
    current_round = int(game_state.getRound());
    seen_completed_tricks = game_state.getCompletedTricks();
    if (score_sheet)
        score_sheet->followGame(game_state);
    // The last trick belongs to the table, not to the summary that now covers it.
    if (last_trick_view)
        last_trick_view->close();

    if (summary_scene)
        summary_scene->deleteLater();
    summary_scene =
        new TrickCompleteScene(game_state.getPlayers(), game_state.getHumanPlayer(), this);
    adviseOnDeal();
    if (coach.hasEstimate()) {
        // Against the three calls the summary shows.
        const int others_total = summary_scene->totalCalls() - summary_scene->humanCall();
        summary_scene->showCoachAdvice(Coach::bestCall(coach.histogram(), others_total),
                                       coach.histogram());
    }
    ui->graphicsView->setScene(summary_scene);
    connect(summary_scene, &TrickCompleteScene::callDetermined, this, &MainWindow::callDetermined);
    connect(summary_scene, &TrickCompleteScene::endGame, this, &MainWindow::endGame);
    connect(summary_scene, &TrickCompleteScene::proposedCallChanged, this,
            &MainWindow::showProposedCall);
    showProposedCall(summary_scene->humanCall());
    connect(summary_scene, &TrickCompleteScene::proposedCallChanged, this,
            &MainWindow::updateViewDescription);
    connect(summary_scene, &TrickCompleteScene::proposedCallChanged, this,
            [this] { announce(summary_scene->callText()); });
    updateViewDescription();
    announce(roundResult() + QLatin1Char(' ') + summary_scene->accessibleSummary());
}

void MainWindow::onViewResized(QSize size)
{
    const int smallest_side = std::min(size.width(), size.height());
    if (table_design_side <= 0)
        return;
    const double factor = 0.3 * smallest_side / table_design_side;
    ui->graphicsView->resetTransform();
    ui->graphicsView->scale(factor, factor);
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    QWindow *window = windowHandle();
    if (!window || window == watched_window)
        return;
    watched_window = window;
    connect(window, &QWindow::screenChanged, this, [this] { fitToScreen(false); });
    // Not on screen yet: its normal size may be fitted too, whatever state it asks for.
    fitToScreen(true);
}

// A compositor kills a client whose surface is larger than the size it configured (a
// maximized window's, say): the whole window, its minimum included, must fit the screen.
void MainWindow::fitToScreen(bool before_first_show)
{
    QScreen *screen = this->screen();
    if (!screen)
        return;
    if (screen != watched_screen) {
        if (watched_screen)
            disconnect(watched_screen, nullptr, this, nullptr);
        watched_screen = screen;
        connect(screen, &QScreen::availableGeometryChanged, this, [this] { fitToScreen(false); });
    }
    QSize room = screen->availableGeometry().size();
    // Wayland (and X without a window manager) reports the whole screen as available:
    // leave room for a panel the desktop may keep.
    if (screen->availableGeometry() == screen->geometry())
        room.rheight() -= unreportedPanelHeight;
    const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    room -= QSize(frame.left() + frame.right(),
                  std::max(frame.top(), titleBarAllowance) + frame.bottom());

    GraphicsView *view = ui->graphicsView;
    const QSize chrome = minimumSizeHint() - view->minimumSize();
    const int side = std::max(1, std::min({table_design_side, room.width() - chrome.width(),
                                           room.height() - chrome.height()}));
    view->setMinimumSize(side, side);
    // The window's own minimum follows at once (a child not yet shown tells no one).
    ui->centralWidget->updateGeometry();
    layout()->activate();
    // A maximized or full-screen window on screen has the size the compositor gave it.
    if (before_first_show || !(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        resize(size().boundedTo(room));
}

void MainWindow::showProposedCall(int call)
{
    // The panel agrees with the summary on screen; the game's own call is still set only
    // by Continue.
    GameState proposed = game_state;
    proposed.setHumanCall(call);
    ui->playerStatsWidget->updateStatistics(proposed);
}

void MainWindow::showTable()
{
    ui->graphicsView->setScene(&game_scene);
    // The summary is done with; a long game must not keep one scene per round.
    if (summary_scene) {
        summary_scene->disconnect(this);
        summary_scene->deleteLater();
        summary_scene = nullptr;
    }
}

// After a deal: the human's new hand gets the computer's estimate, which only a Learning
// Mode game shows (in the round summary); a first round has none.
void MainWindow::adviseOnDeal()
{
    if (!hide_opponent_cards && game_state.getRound() > 1) {
        const int human = game_state.getHumanPlayer();
        coach.estimate(game_state.getPlayers()[std::size_t(human)].hand.cards);
    } else {
        coach.clear();
    }
}

// The human's turn opens or closes: a Learning Mode game marks the hint at once, a normal
// game offers the Hint action; either way the mark goes once the human has played.
void MainWindow::adviseOnTurn(bool human_may_play)
{
    if (hint_card_id >= 0) {
        game_scene.setHintedCard(-1);
        hint_card_id = -1;
    }
    action_handler.hintAction()->setEnabled(human_may_play);
    if (human_may_play && !hide_opponent_cards)
        markHint();
}

// Asked once per turn, and only while the human may play.
bool MainWindow::markHint()
{
    if (!action_handler.hintAction()->isEnabled() || !game_state.isHumanMove())
        return false;
    if (hint_card_id < 0) {
        hint_card_id = game_scene.cardId(Coach::hint(game_state));
        game_scene.setHintedCard(hint_card_id);
    }
    return true;
}

void MainWindow::onHint()
{
    // The keys' choice moves to the hinted card, so that Enter plays it next.
    if (markHint())
        game_scene.setSelectedCard(hint_card_id);
}

void MainWindow::onScores()
{
    if (!score_sheet) {
        score_sheet = new ScoreSheetDialog(this);
        // Closed, it hands the keys back to the table.
        connect(score_sheet, &QDialog::finished, this, [this] {
            activateWindow();
            ui->graphicsView->setFocus();
        });
    }
    score_sheet->followGame(game_state);
    if (score_sheet->isVisible())
        score_sheet->raise();  // from behind the table
    score_sheet->show();
    score_sheet->activateWindow();
}

void MainWindow::onLastTrick()
{
    // A second L closes it, as any other key does.
    if (last_trick_view) {
        last_trick_view->close();
        return;
    }
    if (!action_handler.lastTrickAction()->isEnabled())
        return;
    last_trick_view = new LastTrickView(game_state, ui->graphicsView);
    connect(last_trick_view, &LastTrickView::closed, ui->graphicsView,
            qOverload<>(&QWidget::setFocus));
    last_trick_view->show();
    last_trick_view->setFocus();
}

void MainWindow::updateViewDescription()
{
    // Whatever changed the description may have made or ended a trick worth showing.
    action_handler.lastTrickAction()->setEnabled(ui->graphicsView->scene() == &game_scene
                                                 && !game_state.getLastTrick().empty());
    const QString text = tableDescription();
    // Its change is told with the next news (GraphicsView::announce).
    ui->graphicsView->setTableDescription(text);
}

QString MainWindow::seatName(int seat) const
{
    const std::vector<Player> players = game_state.getPlayers();
    if (seat < 0 || std::size_t(seat) >= players.size())
        return QString();
    return QString::fromStdString(players[std::size_t(seat)].name);
}

SeatCard MainWindow::lastPlay() const
{
    // The fourth card closes its trick at once, so it is found in the last trick.
    const std::vector<SeatCard> &trick = game_state.getTrickPlays();
    const std::vector<SeatCard> &last = game_state.getLastTrick();
    if (!trick.empty())
        return trick.back();
    return last.empty() ? SeatCard{} : last.back();
}

void MainWindow::announce(const QString &text)
{
    ui->graphicsView->announce(news_prefix.isEmpty() ? text
                                                     : news_prefix + QLatin1Char(' ') + text);
    news_prefix.clear();
}

void MainWindow::announceTurn()
{
    const QList<int> playable = game_scene.playableCards();
    const Player human = game_state.getPlayers()[std::size_t(game_state.getHumanPlayer())];
    QStringList may_play;
    for (const int id : playable)
        may_play << cardName(game_scene.cardItem(id)->card());
    QString text = tr("Your turn. You may play: %1.").arg(may_play.join(QStringLiteral(", ")));
    if (std::size_t(playable.size()) < human.hand.cards.size()) {
        std::vector<Card> hand = human.hand.cards;
        std::stable_sort(hand.begin(), hand.end());
        QStringList names;
        for (const Card &card : hand)
            names << cardName(card);
        text += QLatin1Char(' ') + tr("Your hand: %1.").arg(names.join(QStringLiteral(", ")));
    }
    announce(text);
}

void MainWindow::announceSelection()
{
    if (opening_turn)
        return;
    if (const CardGraphicsItem *selected = game_scene.cardItem(game_scene.selectedCard()))
        announce(cardName(selected->card()));
}

QString MainWindow::roundResult() const
{
    const std::vector<RoundRecord> &history = game_state.getHistory();
    if (history.empty())
        return QString();
    const RoundRecord &record = history.back();
    const int human = game_state.getHumanPlayer();
    QStringList tricks;
    for (std::size_t seat = 0; seat < record.seats.size(); ++seat) {
        //: A player and the tricks they took in the round: "Lara 2 tricks", "you 1 trick".
        tricks << tr("%1 %2").arg(int(seat) == human ? tr("you") : seatName(int(seat)),
                                  tricksText(record.seats[seat].tricks));
    }
    QStringList parts;
    parts << tr("Round %1 is over.").arg(record.round);
    parts << tr("Tricks taken: %1.").arg(tricks.join(QStringLiteral(", ")));
    if (std::size_t(human) < record.seats.size()) {
        const SeatResult &mine = record.seats[std::size_t(human)];
        if (record.round > 1)
            parts << (isCallMade(mine.call, mine.tricks, record.shortcall)
                          ? tr("You made your call of %1.").arg(mine.call)
                          : tr("You missed your call of %1.").arg(mine.call));
        parts << tr("This round: %1.").arg(pointsText(mine.gained));
    }
    return parts.join(QLatin1Char(' '));
}

QString MainWindow::tableDescription() const
{
    if (summary_scene && ui->graphicsView->scene() == summary_scene)
        return summary_scene->accessibleSummary();

    const std::vector<Player> players = game_state.getPlayers();
    if (players.size() < 4)
        return tr("No game. Press Ctrl+N to start a new game.");
    const int human = game_state.getHumanPlayer();
    const int current = game_state.getCurrentPlayer();

    QStringList parts;
    parts << tr("Round %1.").arg(game_state.getRound());
    parts << (current == human ? tr("Your turn.") : tr("%1's turn.").arg(seatName(current)));

    const auto cards_by = [&](const std::vector<SeatCard> &plays) {
        QStringList played;
        for (const SeatCard &play : plays)
            played << tr("%1 by %2")
                          .arg(cardName(play.card),
                               play.seat == human ? tr("you") : seatName(play.seat));
        return played.join(QStringLiteral(", "));
    };
    // Between two tricks the last one stays in words, its fourth card too, as long as the
    // next trick has no card (the thirteenth is still there after the deal).
    const int winner = game_state.getLastTrickWinnerSeat();
    if (!game_state.getTrickPlays().empty())
        parts << tr("In the trick: %1.").arg(cards_by(game_state.getTrickPlays()));
    else if (winner >= 0 && !game_state.getLastTrick().empty())
        parts << (winner == human
                      ? tr("You took the last trick: %1.").arg(cards_by(game_state.getLastTrick()))
                      : tr("%1 took the last trick: %2.")
                            .arg(seatName(winner), cards_by(game_state.getLastTrick())));

    const QList<int> playable = game_scene.playableCards();
    if (!playable.isEmpty()) {
        QStringList names;
        for (const int id : playable)
            names << cardName(game_scene.cardItem(id)->card());
        parts << tr("You may play: %1.").arg(names.join(QStringLiteral(", ")));
        if (const CardGraphicsItem *selected = game_scene.cardItem(game_scene.selectedCard()))
            parts << tr("Selected: %1.").arg(cardName(selected->card()));
    }
    return parts.join(QLatin1Char(' '));
}
