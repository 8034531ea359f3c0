#include "AnimationManager.h"

#include "Card.h"
#include "CardGraphicsItem.h"
#include "Settings.h"
#include "TableConstants.h"

#include <QEasingCurve>
#include <QParallelAnimationGroup>
#include <QPropertyAnimation>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

enum Phase { Moving = 0, FadingOut = 1, FadingIn = 2, Pausing = 10 };

}  // namespace

AnimationManager::AnimationManager(QObject *parent) : QObject(parent)
{
    pause_timer.setSingleShot(true);
    pause_timer.setTimerType(Qt::PreciseTimer);  // the pause is 750 to 949 ms, not about that
    connect(&pause_timer, &QTimer::timeout, this, &AnimationManager::animateCardFinished);
}

AnimationManager::~AnimationManager()
{
    // The children would be deleted anyway; stopping first keeps them from touching
    // items that their owner is destroying.
    stopAll();
}

QPointF AnimationManager::trickPosition(int table_position)
{
    if (!table::isTablePosition(table_position))
        return QPointF(0, 0);
    return table::trickPositions[std::size_t(table_position)];
}

int AnimationManager::scaledDuration(int duration)
{
    const int divisor = std::max(1, time_divisor);
    switch (animation_speed) {
    case FastSpeed:
        return duration / table::fastDivisor / divisor;
    case SlowSpeed:
        return duration * table::slowFactor / divisor;
    default:
        return duration / divisor;
    }
}

QPropertyAnimation *AnimationManager::makeAnimation(QObject *target, const QByteArray &property,
                                                    int duration, const QVariant &end_value)
{
    auto *animation = new QPropertyAnimation(target, property, this);
    animation->setDuration(scaledDuration(duration));
    animation->setEndValue(end_value);
    return animation;
}

void AnimationManager::startTracked(QAbstractAnimation *animation)
{
    running.removeIf([](const QPointer<QAbstractAnimation> &p) { return p.isNull(); });
    running.append(animation);
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

void AnimationManager::stopAll()
{
    const QList<QPointer<QAbstractAnimation>> stopping = running;
    running.clear();
    for (const QPointer<QAbstractAnimation> &animation : stopping) {
        if (!animation)
            continue;
        animation->disconnect(this);
        animation->stop();  // deletes itself: started with DeleteWhenStopped
    }
    pause_timer.stop();
    current_item = nullptr;
    winner_item = nullptr;
    phase = Moving;
}

bool AnimationManager::isBusy() const
{
    if (pause_timer.isActive())
        return true;
    for (const QPointer<QAbstractAnimation> &animation : running)
        if (animation && animation->state() != QAbstractAnimation::Stopped)
            return true;
    return false;
}

void AnimationManager::animateCard(CardGraphicsItem *item, int table_position)
{
    if (!item)
        return;
    item->setRotation(0);
    auto *group = new QParallelAnimationGroup(this);
    QPropertyAnimation *move =
        makeAnimation(item, "pos", table::cardMoveDuration, trickPosition(table_position));
    move->setEasingCurve(QEasingCurve::OutQuart);
    group->addAnimation(move);
    connect(group, &QAbstractAnimation::finished, this, &AnimationManager::onAnimateCardFinished);
    phase = Moving;
    current_item = item;
    startTracked(group);
}

void AnimationManager::fadeCurrentCard(qreal to_opacity)
{
    QPropertyAnimation *fade =
        makeAnimation(current_item, "opacity", table::cardFadeDuration, to_opacity);
    connect(fade, &QAbstractAnimation::finished, this, &AnimationManager::onAnimateCardFinished);
    startTracked(fade);
}

void AnimationManager::onAnimateCardFinished()
{
    if (!current_item)
        return;
    if (current_item->isFaceDown() && phase == Moving) {
        fadeCurrentCard(0.0);
        phase = FadingOut;
    } else if (current_item->isFaceDown() && phase == FadingOut) {
        current_item->setFaceDown(false);  // turned while it is invisible
        fadeCurrentCard(1.0);
        phase = FadingIn;
    } else {
        phase = Pausing;
        const int pause = table::pauseAfterCardBase + std::rand() % table::pauseAfterCardSpread;
        pause_timer.start(pause / std::max(1, time_divisor));
    }
}

void AnimationManager::animateTrickComplete(const QList<int> &ids, int winner_id,
                                            const QList<CardGraphicsItem *> &items)
{
    std::vector<int> durations(table::gatherDurations.begin(), table::gatherDurations.end());
    randomShuffle(durations);

    auto *group = new QParallelAnimationGroup(this);
    CardGraphicsItem *winner =
        winner_id >= 0 && winner_id < items.size() ? items[winner_id] : nullptr;
    QPointF centre(0, 0);
    if (winner) {
        const QRectF bounds = winner->boundingRect();
        centre = winner->pos() + QPointF(bounds.width() / 2, bounds.height() / 2);
    }

    std::size_t next = 0;
    for (const int id : ids) {
        if (id == winner_id || id < 0 || id >= items.size() || !items[id])
            continue;
        CardGraphicsItem *item = items[id];
        // More than three losers cannot happen in a four-card trick; reuse the longest.
        const int duration = durations[std::min(next++, durations.size() - 1)];
        group->addAnimation(makeAnimation(item, "scale", duration, 0.0));
        group->addAnimation(makeAnimation(item, "pos", duration, centre));
        const double spin = std::rand() % 2 == 0 ? table::gatherSpin : -table::gatherSpin;
        group->addAnimation(makeAnimation(item, "rotation", duration, spin));
    }

    winner_item = winner;
    connect(group, &QAbstractAnimation::finished, this,
            &AnimationManager::onTrickCompleteAnimationFinished);
    startTracked(group);
}

void AnimationManager::onTrickCompleteAnimationFinished()
{
    std::vector<double> spins = {table::winnerSpin, -table::winnerSpin};
    randomShuffle(spins);

    auto *group = new QParallelAnimationGroup(this);
    connect(group, &QAbstractAnimation::finished, this,
            &AnimationManager::trickCompleteAnimationFinished);
    if (winner_item) {
        const QRectF bounds = winner_item->boundingRect();
        winner_item->setTransformOriginPoint(bounds.width() / 2, bounds.height() / 2);
        group->addAnimation(makeAnimation(winner_item, "opacity", table::winnerSpinDuration, 0.0));
        group->addAnimation(
            makeAnimation(winner_item, "rotation", table::winnerSpinDuration, spins.front()));
    }
    startTracked(group);
}
