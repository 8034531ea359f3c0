#pragma once

#include <QGraphicsTextItem>

// A text button of the round summary: a left press emits clicked(), nothing else does.
class CallTextItem : public QGraphicsTextItem
{
    Q_OBJECT

public:
    enum { Type = UserType + 3 };
    int type() const override { return Type; }

    explicit CallTextItem(const QString &text, QGraphicsItem *parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;
};
