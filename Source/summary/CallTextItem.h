#pragma once

#include <QGraphicsTextItem>

// A text button of the round summary: a left press emits clicked(), nothing else does.
// It looks like a button: a pointing hand and a highlight under the pointer, and greyed
// while it is disabled (setEnabled(false)), when it ignores presses.
class CallTextItem : public QGraphicsTextItem
{
    Q_OBJECT

public:
    enum { Type = UserType + 3 };
    int type() const override { return Type; }

    explicit CallTextItem(const QString &text, QGraphicsItem *parent = nullptr);

    bool isHighlighted() const { return highlighted; }
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
    void hoverEnterEvent(QGraphicsSceneHoverEvent *event) override;
    void hoverLeaveEvent(QGraphicsSceneHoverEvent *event) override;
    QVariant itemChange(GraphicsItemChange change, const QVariant &value) override;

private:
    void applyEnabledLook();

    bool highlighted = false;
    bool focus_marked = false;
};
