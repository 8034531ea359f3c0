#pragma once

#include "SummaryElement.h"
#include "ViewChildAccessible.h"

#include <QAccessibleActionInterface>
#include <QPointer>

class CallTextItem;
class TrickCompleteScene;

// One element of the round summary as assistive technology sees it: the standings, the
// human's call, or one of the four buttons, which it can press. Its parent is the view
// that shows the summary.
class SummaryElementAccessible : public ViewChildAccessible, public QAccessibleActionInterface
{
public:
    SummaryElementAccessible(TrickCompleteScene *scene, SummaryElement element);

    bool isValid() const override;
    QString text(QAccessible::Text t) const override;
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void *interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString &action_name) override;
    QStringList keyBindingsForAction(const QString &action_name) const override;

protected:
    QWidget *hostView() const override;

private:
    bool isButton() const
    {
        return element != SummaryElement::Standings && element != SummaryElement::Call;
    }

    QPointer<TrickCompleteScene> scene;
    SummaryElement element;
    QPointer<CallTextItem> button;  // null for the standings and the call
};
