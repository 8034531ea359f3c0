#pragma once

#include <QAccessibleWidget>

#include <memory>

class GraphicsView;
class SummaryElementRegistry;

// The table's view as assistive technology sees it. Its name is the widget's own, its
// description what the table shows (the window keeps it up to date); while it shows the round
// summary, the summary's standings, call and buttons are its children, and the latest
// news from the table is its last child.
class TableViewAccessible : public QAccessibleWidget
{
public:
    explicit TableViewAccessible(GraphicsView *view);
    ~TableViewAccessible() override;

    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;

private:
    QList<QAccessibleInterface *> extraElements() const;

    std::unique_ptr<SummaryElementRegistry> summary_elements;
};

// Installed with QAccessible::installFactory: makes the interface for every GraphicsView.
QAccessibleInterface *tableViewAccessibleFactory(const QString &class_name, QObject *object);
