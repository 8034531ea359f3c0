#pragma once

#include "Card.h"
#include "Coach.h"
#include "GameScene.h"
#include "GameState.h"
#include "LastTrickView.h"
#include "MainUIActionHandler.h"
#include "RecordWindows.h"
#include "TrickCompleteScene.h"

#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QSize>

#include <memory>

class GraphicsView;
class PlayerStatWidget;
class ScreenFit;

namespace Ui {
class MainWindow;
}

// The one window: the table, the standings, the menus, and the driver that moves a game
// forward one step per event (an animation's end, a click, the summary's answer).
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Read access for tests and tools.
    const GameState &gameState() const { return game_state; }
    GameScene &gameScene() { return game_scene; }
    TrickCompleteScene *summaryScene() const { return summary_scene; }
    MainUIActionHandler &actionHandler() { return action_handler; }
    GraphicsView *view() const;
    PlayerStatWidget *statisticsPanel() const;
    // The card item the hint marks, -1 when none is marked.
    int hintedCardId() const { return hint_card_id; }
    // The score sheet window once opened, and the last trick while it shows.
    ScoreSheetDialog *scoreSheet() const { return record_windows->scoreSheet(); }
    RoundReviewDialog *reviewWindow() const { return record_windows->review(); }
    LastTrickView *lastTrickView() const { return last_trick_view; }

public slots:
    void advanceGame();
    void callDetermined(int calls);
    void debugAnimateCardFinished();
    void debugTrickCompleteAnimationFinished();
    void endGame();
    void on_pushButtonDebug_clicked();
    void onCardClicked(Card card, int id);
    void onNewGame();
    void onTrickCompleteAnimationFinished();
    void onViewResized(QSize size);
    void onHint();
    void onScores();
    void onLastTrick();
    void onReview();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void showTable();
    void adviseOnDeal();
    void adviseOnTurn(bool human_may_play);
    // Marks the coach's card for this turn; false while the human may not play.
    bool markHint();
    void showProposedCall(int call);
    // Keeps in words what a sighted player sees; readers learn of the change with the news.
    void updateViewDescription();
    QString tableDescription() const;
    // Speaks what just happened, without the player asking.
    void announce(const QString &text);
    void announceSelection();

    MainUIActionHandler action_handler;
    GameState game_state;
    GameScene game_scene;
    QList<int> trick_card_ids;
    int winning_card_id = -1;
    int seen_completed_tricks = 0;
    int current_round = 0;
    bool debug_card_pending = false;
    bool debug_trick_pending = false;
    std::unique_ptr<Ui::MainWindow> ui;
    // The summary on screen, if any; it goes once the table is shown again.
    QPointer<TrickCompleteScene> summary_scene;
    // The computer player's advice for the human's seat; it never touches the game.
    Coach coach;
    int hint_card_id = -1;
    ScreenFit *screen_fit = nullptr;          // a child of the window
    RecordWindows *record_windows = nullptr;  // a child of the window
    QPointer<LastTrickView> last_trick_view;
    // Said before the next news: the round that begins.
    QString news_prefix;
    bool opening_turn = false;
};
