#pragma once

#include <QObject>

class QAction;
class QActionGroup;

namespace Ui {
class MainWindow;
}

// Gives the window's actions their meaning: animation speed, opponents, About, the keys, How to
// Play, New Game, Hint, Scores, Last Trick, Review and Quit.
class MainUIActionHandler : public QObject
{
    Q_OBJECT

public:
    explicit MainUIActionHandler(QObject *parent = nullptr);

    void setupActions(Ui::MainWindow *form);

    QAction *newGameAction() const { return new_game_action; }
    QAction *hintAction() const { return hint_action; }
    QAction *scoresAction() const { return scores_action; }
    QAction *lastTrickAction() const { return last_trick_action; }
    QAction *reviewAction() const { return review_action; }
    QAction *keysAction() const { return keys_action; }
    // Every key of the game, as the "Keys" box lists them (rich text).
    static QString keysText();
    QActionGroup *speedGroup() const { return speed_group; }
    QActionGroup *opponentsGroup() const { return opponents_group; }
    QAction *howToPlayAction() const { return how_to_play_action; }
    QAction *quitAction() const { return quit_action; }

signals:
    void newGame();
    void hint();
    void scores();
    void lastTrick();
    void review();

public slots:
    void about();
    void keys();
    void onAnimationSpeedChanged(QAction *action);
    void onOpponentsChanged(QAction *action);
    void howToPlay();

private:
    void returnToWindow();
    // A tool-bar action with its one-key shortcut and tip, triggering `signal`.
    QAction *addToolBarAction(const QString &text, Qt::Key key, const QString &tip,
                              void (MainUIActionHandler::*signal)());

    Ui::MainWindow *ui = nullptr;  // not owned
    QActionGroup *speed_group = nullptr;
    QActionGroup *opponents_group = nullptr;
    QAction *new_game_action = nullptr;
    QAction *hint_action = nullptr;
    QAction *scores_action = nullptr;
    QAction *last_trick_action = nullptr;
    QAction *review_action = nullptr;
    QAction *how_to_play_action = nullptr;
    QAction *quit_action = nullptr;

    void setupHelpAndQuit();
    QAction *keys_action = nullptr;
};
