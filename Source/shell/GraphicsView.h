#pragma once

#include <QAccessible>
#include <QGraphicsView>
#include <QSize>
#include <QString>

class AnnouncementAccessible;

// The table's view; it tells the window its new size so the table can be scaled to fit,
// draws the table's cloth behind every scene it shows, and speaks the table's news to
// assistive technology.
class GraphicsView : public QGraphicsView
{
    Q_OBJECT

public:
    explicit GraphicsView(QWidget *parent = nullptr);
    ~GraphicsView() override;

    // Hands the news to screen readers: a new accessible child takes the focus with it.
    void announce(const QString &text);
    // What the table shows, in words, read on demand as the view's accessible description.
    // Kept apart from the widget's own description, whose every change Qt reports at once.
    void setTableDescription(const QString &text) { table_description = text; }
    QString tableDescription() const { return table_description; }
    // The child that carries the latest news, null before the first or with nobody
    // listening.
    AnnouncementAccessible *currentAnnouncement() const;

signals:
    void resized(QSize size);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void drawBackground(QPainter *painter, const QRectF &rect) override;

private:
    QString table_description;
    QString announced_description;
    // The latest pieces of news, newest last: a reader still busy with an older one as the
    // focus moves on can read it to its end.
    static constexpr int keptAnnouncements = 8;
    QList<QAccessible::Id> announcement_ids;
};
