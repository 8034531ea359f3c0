#include "SummaryElementAccessible.h"

#include "CallTextItem.h"
#include "TrickCompleteScene.h"

#include <QGraphicsView>

SummaryElementAccessible::SummaryElementAccessible(TrickCompleteScene *scene,
                                                   SummaryElement element)
    : scene(scene), element(element), button(scene->button(element))
{
}

bool SummaryElementAccessible::isValid() const
{
    return scene && (!isButton() || button);
}

QWidget *SummaryElementAccessible::hostView() const
{
    if (!scene || scene->views().isEmpty())
        return nullptr;
    return scene->views().first();
}

QString SummaryElementAccessible::text(QAccessible::Text t) const
{
    if (!isValid() || t != QAccessible::Name)
        return QString();
    if (element == SummaryElement::Standings)
        return scene->standingsText();
    if (element == SummaryElement::Call)
        return scene->callText();
    return button->toPlainText();
}

QRect SummaryElementAccessible::rect() const
{
    if (!isValid() || scene->views().isEmpty())
        return QRect();
    const QRectF area = element == SummaryElement::Standings ? scene->standingsRect()
                        : element == SummaryElement::Call    ? scene->callRect()
                                                             : button->sceneBoundingRect();
    const QGraphicsView *view = scene->views().first();
    const QRect local = view->mapFromScene(area).boundingRect();
    return QRect(view->viewport()->mapToGlobal(local.topLeft()), local.size());
}

QAccessible::Role SummaryElementAccessible::role() const
{
    return isButton() ? QAccessible::PushButton : QAccessible::StaticText;
}

QAccessible::State SummaryElementAccessible::state() const
{
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    if (isButton()) {
        state.focusable = true;
        state.focused = button->isFocusMarked();
        state.invisible = !button->isVisible();
    } else {
        state.readOnly = true;
    }
    return state;
}

void *SummaryElementAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ActionInterface && isButton())
        return static_cast<QAccessibleActionInterface *>(this);
    return nullptr;
}

QStringList SummaryElementAccessible::actionNames() const
{
    return isButton() ? QStringList{pressAction()} : QStringList();
}

void SummaryElementAccessible::doAction(const QString &action_name)
{
    // A hidden button ("Continue" once the game has ended) cannot be pressed.
    if (action_name == pressAction() && isValid() && isButton() && button->isVisible())
        button->click();
}

QStringList SummaryElementAccessible::keyBindingsForAction(const QString &) const
{
    return QStringList();
}
