#pragma once

#include <QList>
#include <QObject>
#include <QPointF>
#include <QVariant>

class CardGraphicsItem;
class QPropertyAnimation;

// Runs the two animations of play on card items it does not own: a played card
// travelling to the trick, and a completed trick gathered into its winning card.
class AnimationManager : public QObject
{
    Q_OBJECT

public:
    explicit AnimationManager(QObject *parent = nullptr);

    QPropertyAnimation *makeAnimation(QObject *target, const QByteArray &property,
                                      int duration, const QVariant &end_value);
    void animateCard(CardGraphicsItem *item, int table_position);
    void animateTrickComplete(const QList<int> &ids, int winner_id,
                              const QList<CardGraphicsItem *> &items);
    // Stops and forgets every running animation and pending pause: none of them
    // will emit a finishing signal afterwards. Used when a new game lays the table out.
    void stopAll();

    static QPointF trickPosition(int table_position);

signals:
    void animateCardFinished();
    void trickCompleteAnimationFinished();

private slots:
    void onAnimateCardFinished();
    void onTrickCompleteAnimationFinished();

private:
    CardGraphicsItem *winner_item = nullptr;
    CardGraphicsItem *current_item = nullptr;
    int phase = 0;
};
