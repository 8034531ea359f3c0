#include "MainUIActionHandler.h"
#include "ui_MainWindow.h"

#include "AboutBox.h"
#include "HowToPlayDialog.h"
#include "Settings.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMenu>
#include <QWidget>

MainUIActionHandler::MainUIActionHandler(QObject *parent) : QObject(parent) {}

void MainUIActionHandler::setupActions(Ui::MainWindow *form)
{
    ui = form;

    speed_group = new QActionGroup(this);
    speed_group->addAction(ui->actionFast)->setData(FastSpeed);
    speed_group->addAction(ui->actionMedium)->setData(MediumSpeed);
    speed_group->addAction(ui->actionSlow)->setData(SlowSpeed);
    connect(speed_group, &QActionGroup::triggered, this,
            &MainUIActionHandler::onAnimationSpeedChanged);
    ui->actionMedium->activate(QAction::Trigger);

    connect(ui->action_About, &QAction::triggered, this, &MainUIActionHandler::about);

    new_game_action = ui->mainToolBar->addAction(tr("New Game..."));
    new_game_action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    connect(new_game_action, &QAction::triggered, this, &MainUIActionHandler::newGame);

    // Offered only while the human may play; the flow driver switches it.
    hint_action = ui->mainToolBar->addAction(tr("Hint"));
    hint_action->setShortcut(QKeySequence(Qt::Key_H));
    hint_action->setToolTip(tr("Mark the card the computer would play in your place (H)"));
    hint_action->setEnabled(false);
    connect(hint_action, &QAction::triggered, this, &MainUIActionHandler::hint);
    setupHelpAndQuit();
}

void MainUIActionHandler::setupHelpAndQuit()
{
    how_to_play_action = ui->menu_Help->addAction(tr("&How to Play..."));
    how_to_play_action->setShortcut(QKeySequence::HelpContents);
    connect(how_to_play_action, &QAction::triggered, this, &MainUIActionHandler::howToPlay);

    ui->menuOptions->addSeparator();
    quit_action = ui->menuOptions->addAction(tr("&Quit"));
    quit_action->setShortcut(QKeySequence::Quit);
    quit_action->setMenuRole(QAction::QuitRole);
    if (auto *window = qobject_cast<QWidget *>(parent()))
        connect(quit_action, &QAction::triggered, window, &QWidget::close);
}

void MainUIActionHandler::howToPlay()
{
    HowToPlayDialog dialog(qobject_cast<QWidget *>(parent()));
    dialog.exec();
}

void MainUIActionHandler::about()
{
    AboutBox box(nullptr);
    box.exec();
}

void MainUIActionHandler::onAnimationSpeedChanged(QAction *action)
{
    animation_speed = action->data().toInt();
}
