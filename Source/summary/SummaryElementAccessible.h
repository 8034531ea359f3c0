#pragma once

#include <QAccessibleActionInterface>
#include <QAccessibleInterface>
#include <QPointer>

class CallTextItem;
class TrickCompleteScene;

// One element of the round summary as assistive technology sees it: the standings, the
// human's call, or one of the four buttons, which it can press. Its parent is the view
// that shows the summary.
class SummaryElementAccessible : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    enum class Kind { Standings, Call, Button };

    SummaryElementAccessible(TrickCompleteScene *scene, Kind kind, CallTextItem *button = nullptr);

    bool isValid() const override;
    QObject *object() const override;
    QWindow *window() const override;
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text t, const QString &text) override;
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void *interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString &action_name) override;
    QStringList keyBindingsForAction(const QString &action_name) const override;

private:
    QPointer<TrickCompleteScene> scene;
    Kind kind;
    QPointer<CallTextItem> button;
};
