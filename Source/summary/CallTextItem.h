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

    // Presses the button as a left click does: for the keyboard and assistive technology.
    void click();
    // The keyboard's focus mark, a frame round the text.
    void setFocusMarked(bool marked);
    bool isFocusMarked() const { return focus_marked; }

    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
               QWidget *widget = nullptr) override;

signals:
    void clicked();

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;

private:
    bool focus_marked = false;
};
