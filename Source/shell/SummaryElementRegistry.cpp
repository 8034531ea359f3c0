#include "SummaryElementRegistry.h"

#include "SummaryElementAccessible.h"
#include "TrickCompleteScene.h"

#include <QEvent>
#include <QGraphicsView>

SummaryElementRegistry::SummaryElementRegistry(QGraphicsView *view) : view(view)
{
    view->viewport()->installEventFilter(this);
}

SummaryElementRegistry::~SummaryElementRegistry()
{
    drop();
}

QList<QAccessibleInterface *> SummaryElementRegistry::elements()
{
    auto *shown = view ? qobject_cast<TrickCompleteScene *>(view->scene()) : nullptr;
    if (!shown)
        return {};
    if (shown != scene)
        registerScene(shown);
    QList<QAccessibleInterface *> list;
    for (const SummaryElement element : allSummaryElements)
        list << QAccessible::accessibleInterface(ids.at(element));
    return list;
}

bool SummaryElementRegistry::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint && QAccessible::isActive())
        elements();
    return QObject::eventFilter(watched, event);
}

void SummaryElementRegistry::registerScene(TrickCompleteScene *shown)
{
    drop();
    scene = shown;
    for (const SummaryElement element : allSummaryElements)
        ids[element] =
            QAccessible::registerAccessibleInterface(new SummaryElementAccessible(shown, element));
    connect(shown, &TrickCompleteScene::accessibleChange, this, &SummaryElementRegistry::notify);
    // The cache owns the elements; they must not outlive the items they read.
    connect(shown, &QObject::destroyed, this, &SummaryElementRegistry::drop);
}

void SummaryElementRegistry::drop()
{
    if (scene)
        disconnect(scene, nullptr, this, nullptr);
    scene = nullptr;
    for (const auto &[element, id] : ids)
        QAccessible::deleteAccessibleInterface(id);
    ids.clear();
}

void SummaryElementRegistry::notify(SummaryElement element, QAccessible::Event type)
{
    const auto found = ids.find(element);
    if (found == ids.end())
        return;
    QAccessibleEvent event(QAccessible::accessibleInterface(found->second), type);
    QAccessible::updateAccessibility(&event);
}
