#pragma once

#include "ViewChildAccessible.h"

#include <QPointer>
#include <QString>

class GraphicsView;

// One piece of news from the table ("Hawk plays the Queen of Hearts."), a child of the
// table's view for assistive technology. Screen readers speak an object as it takes the
// focus, and a name change reaches them over AT-SPI without its new text, so every piece
// of news is an object of its own that takes the focus once. Its text never changes.
class AnnouncementAccessible : public ViewChildAccessible
{
public:
    AnnouncementAccessible(GraphicsView *view, const QString &text);

    bool isValid() const override;
    QString text(QAccessible::Text t) const override;
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;

protected:
    QWidget *hostView() const override;

private:
    QPointer<GraphicsView> view;
    QString news;
};
