#include "ScreenFit.h"

#include <QGraphicsView>
#include <QLayout>
#include <QMainWindow>
#include <QScreen>
#include <QWindow>

#include <algorithm>

namespace {

// The table's scene is laid out in the card art's own units; a view of the design side
// shows it at this scale, and a larger view in proportion.
constexpr double tableScaleAtDesignSide = 0.3;

// What the screen does not tell: a desktop's panel, and a title bar before the window
// knows its own frame.
constexpr int unreportedPanelHeight = 48;
constexpr int titleBarAllowance = 40;

}  // namespace

ScreenFit::ScreenFit(QMainWindow *window, QGraphicsView *view)
    : QObject(window), window(window), view(view),
      design_side(std::min(view->minimumWidth(), view->minimumHeight()))
{
}

void ScreenFit::scaleView(QSize size)
{
    const int smallest_side = std::min(size.width(), size.height());
    if (design_side <= 0)
        return;
    const double factor = tableScaleAtDesignSide * smallest_side / design_side;
    view->resetTransform();
    view->scale(factor, factor);
}

void ScreenFit::windowShown()
{
    QWindow *handle = window->windowHandle();
    if (!handle || handle == watched_window)
        return;
    watched_window = handle;
    connect(handle, &QWindow::screenChanged, this, [this] { fit(false); });
    // Not on screen yet: its normal size may be fitted too, whatever state it asks for.
    fit(true);
}

// A compositor kills a client whose surface is larger than the size it configured (a
// maximized window's, say): the whole window, its minimum included, must fit the screen.
void ScreenFit::fit(bool before_first_show)
{
    QScreen *screen = window->screen();
    if (!screen)
        return;
    if (screen != watched_screen) {
        if (watched_screen)
            disconnect(watched_screen, nullptr, this, nullptr);
        watched_screen = screen;
        connect(screen, &QScreen::availableGeometryChanged, this, [this] { fit(false); });
    }
    QSize room = screen->availableGeometry().size();
    // Wayland (and X without a window manager) reports the whole screen as available:
    // leave room for a panel the desktop may keep.
    if (screen->availableGeometry() == screen->geometry())
        room.rheight() -= unreportedPanelHeight;
    const QMargins frame =
        window->windowHandle() ? window->windowHandle()->frameMargins() : QMargins();
    room -= QSize(frame.left() + frame.right(),
                  std::max(frame.top(), titleBarAllowance) + frame.bottom());

    const QSize chrome = window->minimumSizeHint() - view->minimumSize();
    const int side = std::max(
        1, std::min({design_side, room.width() - chrome.width(), room.height() - chrome.height()}));
    view->setMinimumSize(side, side);
    // The window's own minimum follows at once (a child not yet shown tells no one).
    window->centralWidget()->updateGeometry();
    window->layout()->activate();
    // A maximized or full-screen window on screen has the size the compositor gave it.
    if (before_first_show
        || !(window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        window->resize(window->size().boundedTo(room));
}
