#include "MainWindow.h"
#include "ui_MainWindow.h"

#include "CardName.h"
#include "FatalError.h"
#include "FlowLog.h"
#include "GraphicsView.h"
#include "LastTrickView.h"
#include "NewGameDialog.h"
#include "PlayerStatWidget.h"
#include "RoundStandings.h"
#include "ScreenFit.h"
#include "Settings.h"
#include "TableNarrator.h"
#include "TableViewAccessible.h"
#include "TrickCompleteScene.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QDebug>

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
    connect(&action_handler, &MainUIActionHandler::review, this, &MainWindow::onReview);
    record_windows = new RecordWindows(this, ui->graphicsView, action_handler.reviewAction());
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

    screen_fit = new ScreenFit(this, ui->graphicsView);
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
        round_over ? finishedRoundStandings(game_state) : std::vector<Player>();
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
        announce(TableNarrator(game_state).trickTaken());
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
        announce(TableNarrator(game_state).lastCardPlayed());
        return;
    }

    qCDebug(flowLog) << "advanceGame() - game_state.isHumanMove()";
    // The turn is told whole below; the card chosen as the hand opens is not news.
    opening_turn = true;
    game_scene.setHumanCardsEnabled(game_state, true);
    opening_turn = false;
    adviseOnTurn(true);
    updateViewDescription();
    announce(TableNarrator(game_state).yourTurn());
}

void MainWindow::callDetermined(int calls)
{
    game_state.setHumanCall(calls);
    news_prefix = TableNarrator(game_state).roundBegins();
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
    announce(TableNarrator(game_state).gameEnded());
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
    announce(TableNarrator(game_state).lastCardPlayed());
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
    record_windows->followGame(game_state);
    delete last_trick_view;
    seen_completed_tricks = game_state.getCompletedTricks();
    current_round = int(game_state.getRound());
    trick_card_ids.clear();
    news_prefix = TableNarrator(game_state).roundBegins();
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
    record_windows->followGame(game_state);
    // The last trick belongs to the table, not to the summary that now covers it.
    if (last_trick_view)
        last_trick_view->close();

    if (summary_scene)
        summary_scene->deleteLater();
    summary_scene = new TrickCompleteScene(game_state.getPlayers(), game_state.getHumanPlayer(),
                                           this, ui->graphicsView->transform().m11());
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
    connect(summary_scene, &TrickCompleteScene::review, this, &MainWindow::onReview);
    connect(summary_scene, &TrickCompleteScene::proposedCallChanged, this,
            &MainWindow::showProposedCall);
    showProposedCall(summary_scene->humanCall());
    connect(summary_scene, &TrickCompleteScene::proposedCallChanged, this,
            &MainWindow::updateViewDescription);
    connect(summary_scene, &TrickCompleteScene::proposedCallChanged, this,
            [this] { announce(summary_scene->callText()); });
    updateViewDescription();
    announce(TableNarrator(game_state).roundResult() + QLatin1Char(' ')
             + summary_scene->accessibleSummary());
}

void MainWindow::onViewResized(QSize size)
{
    screen_fit->scaleView(size);
    if (last_trick_view)
        last_trick_view->follow();
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    screen_fit->windowShown();
}

void MainWindow::showProposedCall(int call)
{
    // The panel agrees with the summary on screen; the game's own call is still set only
    // by Continue.
    std::vector<Player> players = game_state.getPlayers();
    const bool full_table = players.size() == std::size_t(rules::playerCount);
    // A call the game would refuse leaves the human's as it is.
    if (full_table && call >= 0 && call <= rules::tricksPerRound)
        players[std::size_t(game_state.getHumanPlayer())].call = call;
    int total = 0;
    for (const Player &player : players)
        total += player.call;
    const bool shortcall =
        game_state.getRound() > 1 && full_table && rules::isShortcallTotal(total);
    ui->playerStatsWidget->updateStatistics(players, game_state.getRound(), shortcall);
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
    record_windows->showScores(game_state);
}

void MainWindow::onReview()
{
    record_windows->showReview(game_state);
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

void MainWindow::announce(const QString &text)
{
    ui->graphicsView->announce(news_prefix.isEmpty() ? text
                                                     : news_prefix + QLatin1Char(' ') + text);
    news_prefix.clear();
}

void MainWindow::announceSelection()
{
    if (opening_turn)
        return;
    if (const CardGraphicsItem *selected = game_scene.cardItem(game_scene.selectedCard()))
        announce(cardName(selected->card()));
}

QString MainWindow::tableDescription() const
{
    if (summary_scene && ui->graphicsView->scene() == summary_scene)
        return summary_scene->accessibleSummary();
    const CardGraphicsItem *selected = game_scene.cardItem(game_scene.selectedCard());
    return TableNarrator(game_state).tableDescription(selected ? selected->card() : Card());
}
