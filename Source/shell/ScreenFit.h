#pragma once

#include <QObject>
#include <QPointer>
#include <QSize>

class QGraphicsView;
class QMainWindow;
class QScreen;
class QWindow;

// Keeps the window within its screen and scales the table to its view. The table is
// drawn at its own scale in a view of the form's minimum size (its design side); a
// smaller screen may lower that minimum, never the table's scale.
class ScreenFit : public QObject
{
    Q_OBJECT

public:
    // Reads the design side from the view's minimum size, as the form sets it.
    ScreenFit(QMainWindow *window, QGraphicsView *view);

    // Scales the view, absolutely, for its new size: the smaller side decides.
    void scaleView(QSize size);
    // The window is shown: fit it, and follow its screen from now on.
    void windowShown();

private:
    void fit(bool before_first_show);

    QMainWindow *window;
    QGraphicsView *view;
    int design_side = 0;
    // The screen the window fits, and its native window, watched for changes.
    QPointer<QScreen> watched_screen;
    QPointer<QWindow> watched_window;
};
