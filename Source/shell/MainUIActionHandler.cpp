#include "MainUIActionHandler.h"
#include "ui_MainWindow.h"

#include "AboutBox.h"
#include "Settings.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>

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
