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
    speed_group->addAction(ui->actionFast)->setData(0);
    speed_group->addAction(ui->actionMedium)->setData(1);
    speed_group->addAction(ui->actionSlow)->setData(2);
    connect(speed_group, &QActionGroup::triggered, this,
            &MainUIActionHandler::onAnimationSpeedChanged);
    ui->actionMedium->activate(QAction::Trigger);

    connect(ui->action_About, &QAction::triggered, this, &MainUIActionHandler::about);

    new_game_action = ui->mainToolBar->addAction(QStringLiteral("New Game..."));
    new_game_action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    connect(new_game_action, &QAction::triggered, this, &MainUIActionHandler::newGame);

    setupHelpAndQuit();
}

void MainUIActionHandler::setupHelpAndQuit()
{
    how_to_play_action = ui->menu_Help->addAction(QStringLiteral("&How to Play..."));
    how_to_play_action->setShortcut(QKeySequence::HelpContents);
    connect(how_to_play_action, &QAction::triggered, this, &MainUIActionHandler::howToPlay);

    ui->menuOptions->addSeparator();
    quit_action = ui->menuOptions->addAction(QStringLiteral("&Quit"));
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
