#include "AnnouncementAccessible.h"

#include "GraphicsView.h"

AnnouncementAccessible::AnnouncementAccessible(GraphicsView *view, const QString &text)
    : view(view), news(text)
{
}

bool AnnouncementAccessible::isValid() const
{
    return view;
}

QWidget *AnnouncementAccessible::hostView() const
{
    return view;
}

QString AnnouncementAccessible::text(QAccessible::Text t) const
{
    return isValid() && t == QAccessible::Name ? news : QString();
}

QRect AnnouncementAccessible::rect() const
{
    // The table it speaks of: the view's area on screen.
    const QAccessibleInterface *parent_iface = parent();
    return parent_iface ? parent_iface->rect() : QRect();
}

QAccessible::Role AnnouncementAccessible::role() const
{
    // Readers speak a role after a label's text ("... label"); a plain area of the
    // table's client space is read as its text alone.
    return QAccessible::Client;
}

QAccessible::State AnnouncementAccessible::state() const
{
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    state.readOnly = true;
    state.focusable = true;
    state.focused = view->currentAnnouncement() == this;
    return state;
}
