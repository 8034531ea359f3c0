#pragma once

#include <QList>
#include <QObject>
#include <QPointF>
#include <QPointer>
#include <QTimer>
#include <QVariant>

class CardGraphicsItem;
class QAbstractAnimation;
class QPropertyAnimation;

// Runs the two animations of play on card items it does not own: a played card
// travelling to the trick, and a completed trick gathered into its winning card.
class AnimationManager : public QObject
{
    Q_OBJECT

public:
    explicit AnimationManager(QObject *parent = nullptr);
    ~AnimationManager() override;

    QPropertyAnimation *makeAnimation(QObject *target, const QByteArray &property, int duration,
                                      const QVariant &end_value);
    void animateCard(CardGraphicsItem *item, int table_position);
    void animateTrickComplete(const QList<int> &ids, int winner_id,
                              const QList<CardGraphicsItem *> &items);
    // Stops and forgets every running animation and pending pause: none of them
    // will emit a finishing signal afterwards. Used when a new game lays the table out.
    void stopAll();

    // True while an animation or the pause after a card is still to finish.
    bool isBusy() const;

    static QPointF trickPosition(int table_position);
    // A duration at the current animation_speed.
    static int scaledDuration(int duration);

signals:
    void animateCardFinished();
    void trickCompleteAnimationFinished();

private slots:
    void onAnimateCardFinished();
    void onTrickCompleteAnimationFinished();

private:
    void startTracked(QAbstractAnimation *animation);
    // One fade of the card in flight; its end is the next step of the card's sequence.
    void fadeCurrentCard(qreal to_opacity);

    CardGraphicsItem *winner_item = nullptr;
    CardGraphicsItem *current_item = nullptr;
    int phase = 0;
    QTimer pause_timer;  // a member, not a fire-and-forget timer, so that it can be stopped
    QList<QPointer<QAbstractAnimation>> running;
};
