#pragma once

#include <QObject>

class QAction;
class QActionGroup;

namespace Ui {
class MainWindow;
}

// Gives the window's actions their meaning: animation speed, About, the keys, and New Game.
class MainUIActionHandler : public QObject
{
    Q_OBJECT

public:
    explicit MainUIActionHandler(QObject *parent = nullptr);

    void setupActions(Ui::MainWindow *form);

    QAction *newGameAction() const { return new_game_action; }
    QAction *keysAction() const { return keys_action; }
    // Every key of the game, as the "Keys" box lists them (rich text).
    static QString keysText();
    QActionGroup *speedGroup() const { return speed_group; }

signals:
    void newGame();

public slots:
    void about();
    void keys();
    void onAnimationSpeedChanged(QAction *action);

private:
    void returnToWindow();

    Ui::MainWindow *ui = nullptr;  // not owned
    QActionGroup *speed_group = nullptr;
    QAction *new_game_action = nullptr;
    QAction *keys_action = nullptr;
};
