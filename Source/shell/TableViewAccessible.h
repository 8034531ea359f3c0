#pragma once

#include <QAccessibleWidget>

class GraphicsView;

// The table's view as assistive technology sees it. Its name and description are the
// widget's own (the window keeps the description up to date); while it shows the round
// summary, the summary's standings, call and buttons are its children.
class TableViewAccessible : public QAccessibleWidget
{
public:
    explicit TableViewAccessible(GraphicsView *view);

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;

private:
    QList<QAccessibleInterface *> summaryElements() const;
};

// Installed with QAccessible::installFactory: makes the interface for every GraphicsView.
QAccessibleInterface *tableViewAccessibleFactory(const QString &class_name, QObject *object);
