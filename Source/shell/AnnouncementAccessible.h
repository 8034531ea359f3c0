#pragma once

#include <QAccessibleInterface>
#include <QPointer>
#include <QString>

class GraphicsView;

// One piece of news from the table ("Hawk plays the Queen of Hearts."), a child of the
// table's view for assistive technology. Screen readers speak an object as it takes the
// focus, and a name change reaches them over AT-SPI without its new text, so every piece
// of news is an object of its own that takes the focus once. Its text never changes.
class AnnouncementAccessible : public QAccessibleInterface
{
public:
    AnnouncementAccessible(GraphicsView *view, const QString &text);

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

private:
    QPointer<GraphicsView> view;
    QString news;
};
