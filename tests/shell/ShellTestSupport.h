#pragma once

// Helpers shared by the shell's tests: staging game states, pressing scene items, and
// answering the modal new-game dialog the way a player would.

#include "GameState.h"
#include "GameStateTestAccess.h"
#include "NewGameDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QGraphicsSceneMouseEvent>
#include <QGraphicsView>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <string>
#include <vector>

inline Player makePlayer(const std::string &name, int points, int call, int tricks,
                         std::vector<Card> cards = {})
{
    Player p;
    p.name = name;
    p.points = points;
    p.call = call;
    p.tricks = tricks;
    p.hand.cards = std::move(cards);
    return p;
}

// A press delivered by the scene's own hit test, as a click in a view would be.
inline void pressAt(QGraphicsScene *scene, const QPointF &scene_pos, Qt::MouseButton button)
{
    QGraphicsSceneMouseEvent press(QEvent::GraphicsSceneMousePress);
    press.setScenePos(scene_pos);
    press.setButtonDownScenePos(button, scene_pos);
    press.setButton(button);
    press.setButtons(button);
    QApplication::sendEvent(scene, &press);
    QGraphicsSceneMouseEvent release(QEvent::GraphicsSceneMouseRelease);
    release.setScenePos(scene_pos);
    release.setButton(button);
    QApplication::sendEvent(scene, &release);
}

inline void pressItem(QGraphicsItem *item, Qt::MouseButton button = Qt::LeftButton)
{
    pressAt(item->scene(), item->sceneBoundingRect().center(), button);
}

// Finds a point of the item that is on screen and not covered by anything, and clicks
// the view's viewport there. False when the player could not click the item at all.
inline bool clickThroughView(QGraphicsView *view, QGraphicsItem *item)
{
    QTest::qWait(20);  // a player looks first: the view catches up with the scene
    const QRectF rect = item->boundingRect();
    const QRect visible = view->viewport()->rect();
    for (int gy = 9; gy >= 1; --gy) {
        for (int gx = 9; gx >= 1; --gx) {
            const QPointF local(rect.left() + rect.width() * gx / 10.0,
                                rect.top() + rect.height() * gy / 10.0);
            const QPointF scene_pos = item->mapToScene(local);
            const QPoint view_pos = view->mapFromScene(scene_pos);
            if (!visible.contains(view_pos))
                continue;
            const QPointF back = view->mapToScene(view_pos);
            if (view->scene()->itemAt(back, view->transform()) != item)
                continue;
            QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, view_pos);
            return true;
        }
    }
    return false;
}

// Types text key by key, as a keyboard would; also letters beyond Latin-1.
inline void typeText(QWidget *widget, const QString &text)
{
    for (const QChar ch : text) {
        if (ch.unicode() < 0x80) {
            QTest::keyClick(widget, ch.toLatin1());
        } else {
            QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, QString(ch),
                                Qt::NoModifier);
        }
    }
}

// Answers the next modal new-game dialog: types the name, sets Learning Mode, and
// presses OK (or Cancel when name is empty). Polls, since exec() opens it later.
inline void answerNewGameDialog(const QString &name, bool learning_mode = false,
                                bool *answered = nullptr)
{
    auto *timer = new QTimer();
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [=]() {
        auto *dialog = qobject_cast<NewGameDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        timer->stop();
        timer->deleteLater();
        if (name.isEmpty()) {
            QTest::mouseClick(dialog->findChild<QPushButton *>("pushButtonCancel"), Qt::LeftButton);
        } else {
            typeText(dialog->findChild<QLineEdit *>("lineEditPlayerName"), name);
            dialog->findChild<QCheckBox *>("checkBoxLearningMode")->setChecked(learning_mode);
            QTest::mouseClick(dialog->findChild<QPushButton *>("pushButtonOK"), Qt::LeftButton);
        }
        if (answered)
            *answered = true;
    });
    timer->start();
}

// The human's clickable cards (the bottom row items that react to the pointer).
template <typename Window>
QList<QGraphicsItem *> clickableHumanCards(Window &window)
{
    QList<QGraphicsItem *> cards;
    for (int id = 26; id < 39; ++id) {
        QGraphicsItem *item = window.gameScene().cardItem(id);
        if (item->isVisible() && item->acceptHoverEvents())
            cards.append(item);
    }
    return cards;
}

// Plays the first clickable card of the human through the view; false if none.
template <typename Window>
bool playHumanCard(Window &window)
{
    const QList<QGraphicsItem *> cards = clickableHumanCards(window);
    return !cards.isEmpty() && clickThroughView(window.view(), cards.first());
}
