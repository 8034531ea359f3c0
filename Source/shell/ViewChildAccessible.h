#pragma once

#include <QAccessibleInterface>

class QWidget;

// A part of a view that assistive technology sees as one of the view's children, with no
// widget or object of its own: it has no children, its parent is the view's interface,
// and its text is read, never written.
class ViewChildAccessible : public QAccessibleInterface
{
public:
    QObject *object() const override;
    QWindow *window() const override;
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    void setText(QAccessible::Text t, const QString &text) override;

protected:
    // The view it belongs to, null once that is gone.
    virtual QWidget *hostView() const = 0;
};
