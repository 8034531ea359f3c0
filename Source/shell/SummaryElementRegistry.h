#pragma once

#include "SummaryElement.h"

#include <QAccessible>
#include <QObject>
#include <QPointer>

#include <map>

class QGraphicsView;
class TrickCompleteScene;

// The round summary's elements for assistive technology, registered for the summary a
// view shows, deleted with it or when the next one comes. The scene only says what
// changed; this passes it on as accessibility events. With assistive technology on, the
// elements are made as the summary is first painted, before any key or click can reach
// it; otherwise when a client first asks for them.
class SummaryElementRegistry : public QObject
{
public:
    explicit SummaryElementRegistry(QGraphicsView *view);
    ~SummaryElementRegistry() override;

    // The elements of the summary the view shows, in reading order; none with the table.
    QList<QAccessibleInterface *> elements();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void registerScene(TrickCompleteScene *shown);
    void drop();
    void notify(SummaryElement element, QAccessible::Event type);

    QPointer<QGraphicsView> view;
    QPointer<TrickCompleteScene> scene;
    std::map<SummaryElement, QAccessible::Id> ids;
};
