#include "MainUIActionHandler.h"
#include "ui_MainWindow.h"

#include "AboutBox.h"
#include "GameRules.h"
#include "HowToPlayDialog.h"
#include "Settings.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMessageBox>
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

    // Read by the next New Game: a game keeps the opponents it started with.
    opponents_group = new QActionGroup(this);
    opponents_group->addAction(ui->actionStandard)->setData(false);
    opponents_group->addAction(ui->actionExpert)->setData(true);
    connect(opponents_group, &QActionGroup::triggered, this,
            &MainUIActionHandler::onOpponentsChanged);
    ui->actionStandard->activate(QAction::Trigger);

    connect(ui->action_About, &QAction::triggered, this, &MainUIActionHandler::about);

    new_game_action = ui->mainToolBar->addAction(tr("New Game..."));
    new_game_action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    connect(new_game_action, &QAction::triggered, this, &MainUIActionHandler::newGame);

    // Offered only while the human may play; the flow driver switches it.
    hint_action = addToolBarAction(tr("Hint"), Qt::Key_H,
                                   tr("Mark the card the computer would play in your place (H)"),
                                   &MainUIActionHandler::hint);
    hint_action->setEnabled(false);
    scores_action =
        addToolBarAction(tr("Scores"), Qt::Key_S,
                         tr("Show the score sheet: every round's calls, tricks and points (S)"),
                         &MainUIActionHandler::scores);
    // Offered while there is a trick to show at the table; the flow driver switches it.
    last_trick_action = addToolBarAction(tr("Last Trick"), Qt::Key_L,
                                         tr("Show the cards of the last trick and who took it (L)"),
                                         &MainUIActionHandler::lastTrick);
    last_trick_action->setEnabled(false);
    // Offered once a round has ended.
    review_action = addToolBarAction(
        tr("Review"), Qt::Key_R,
        tr("Review the rounds: every trick, and what your cards cost against the Expert's (R)"),
        &MainUIActionHandler::review);
    review_action->setEnabled(false);
    setupHelpAndQuit();
}

QAction *MainUIActionHandler::addToolBarAction(const QString &text, Qt::Key key, const QString &tip,
                                               void (MainUIActionHandler::*signal)())
{
    QAction *action = ui->mainToolBar->addAction(text);
    action->setShortcut(QKeySequence(key));
    action->setToolTip(tip);
    connect(action, &QAction::triggered, this, signal);
    return action;
}

void MainUIActionHandler::setupHelpAndQuit()
{
    // After About, which keeps its place at the top of the menu.
    ui->menu_Help->addSeparator();
    how_to_play_action = ui->menu_Help->addAction(tr("&How to Play..."));
    how_to_play_action->setShortcut(QKeySequence::HelpContents);
    connect(how_to_play_action, &QAction::triggered, this, &MainUIActionHandler::howToPlay);
    keys_action = ui->menu_Help->addAction(tr("&Keys..."));
    connect(keys_action, &QAction::triggered, this, &MainUIActionHandler::keys);

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
    returnToWindow();
}

void MainUIActionHandler::about()
{
    AboutBox box(nullptr);
    box.exec();
    returnToWindow();
}

void MainUIActionHandler::returnToWindow()
{
    // The boxes have no parent window, so nothing hands the keyboard back to the main
    // window when they close unless it asks (without a window manager, nothing at all).
    if (auto *window = qobject_cast<QWidget *>(parent()))
        window->activateWindow();
}

namespace {

// The Alt key of a translated text's "&" mnemonic, as the translation in use underlines it.
QString altKey(const char *context, const char *text)
{
    const QString translated = QCoreApplication::translate(context, text);
    for (qsizetype i = translated.indexOf(u'&'); i >= 0 && i + 1 < translated.size();
         i = translated.indexOf(u'&', i + 2)) {
        if (translated.at(i + 1) != u'&')
            return MainUIActionHandler::tr("Alt+%1").arg(translated.at(i + 1).toUpper());
    }
    return QString();
}

}  // namespace

QString MainUIActionHandler::keysText()
{
    // The key column never wraps, and keeps its distance from the words beside it.
    const auto row = [](const QString &keys, const QString &what) {
        return QStringLiteral("<tr><td style=\"white-space:pre; padding-right:12px\"><b>%1</b>"
                              "</td><td>%2</td></tr>")
            .arg(keys, what);
    };
    const auto heading = [](const QString &text) {
        return QStringLiteral("<tr><td colspan=\"2\"><br><i>%1</i></td></tr>").arg(text);
    };
    const QString menus =
        altKey("MainWindow", "&Options") + QStringLiteral(", ") + altKey("MainWindow", "&Help");
    return QStringLiteral("<table cellspacing=\"4\">") + heading(tr("At the table, on your turn"))
           + row(tr("Left, Right"), tr("choose among the cards you may play"))
           + row(tr("Home, End"), tr("the first or the last card you may play"))
           + row(tr("Enter, Space"), tr("play the chosen card (the first press only shows it "
                                        "if no card is raised yet)"))
           + heading(tr("In the round summary"))
           + row(tr("Up or +, Down or -"), tr("raise or lower your call, from %1 to %2")
                                               .arg(rules::lowestCall)
                                               .arg(rules::highestCall))
           + row(tr("Enter"), tr("Continue (or press the marked button)"))
           + row(tr("Tab, Shift+Tab"), tr("mark the next or the previous button"))
           + row(tr("Space"), tr("press the marked button")) + row(tr("Ctrl+E"), tr("End Game"))
           + heading(tr("Everywhere")) + row(tr("Ctrl+N"), tr("New Game..."))
           + row(tr("H"), tr("Hint: mark and choose the card an Expert would play in your place"))
           + row(tr("S"), tr("Scores: the score sheet (Escape closes it)"))
           + row(tr("L"), tr("Last Trick: at the table, the last trick's cards until the next "
                             "key or click"))
           + row(tr("R"), tr("Review: every trick of the rounds played, and what your cards "
                             "cost against the Expert's (Escape closes it)"))
           + row(tr("Left, Right, Up, Down"), tr("in the review, the previous or the next trick"))
           + row(tr("F1"), tr("How to Play")) + row(tr("Ctrl+Q"), tr("Quit"))
           + row(menus, tr("the Options and Help menus"))
           + row(tr("Enter, Escape"), tr("accept or close a dialog"))
           + row(altKey("NewGameDialog", "&Learning Mode"),
                 tr("tick Learning Mode in the New Game dialog"))
           + QStringLiteral("</table>")
           + QStringLiteral("<p>%1</p>")
                 .arg(tr("A screen reader such as Orca speaks each card as it is played and by "
                         "whom, who takes the trick, your turn and the chosen card, without a "
                         "key being pressed."));
}

void MainUIActionHandler::keys()
{
    QMessageBox box(QMessageBox::NoIcon, tr("Keys"), keysText(), QMessageBox::Close);
    box.setTextFormat(Qt::RichText);
    box.exec();
    returnToWindow();
}

void MainUIActionHandler::onAnimationSpeedChanged(QAction *action)
{
    animation_speed = action->data().toInt();
}

void MainUIActionHandler::onOpponentsChanged(QAction *action)
{
    expert_opponents = action->data().toBool();
}
