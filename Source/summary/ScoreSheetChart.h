#pragma once

#include <QPointF>
#include <QPointer>
#include <QWidget>

#include <vector>

class QPainter;
class ScoreSheetModel;

// Each player's running total over the finished rounds, one line per player with the
// name at its end, in the round summary's look; a point's tool tip gives its numbers.
class ScoreSheetChart : public QWidget
{
    Q_OBJECT

public:
    explicit ScoreSheetChart(QWidget *parent = nullptr);

    // The sheet it draws; the chart follows its rows.
    void setModel(const ScoreSheetModel *model);
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    struct Point {
        QPointF at;
        int seat = 0;
        int row = -1;  // the sheet's row, -1 for the start
    };
    void modelChanged();
    // From a line's end to its name.
    int nameGap() const;
    // Where every point goes at the widget's present size, the plot's corners too.
    std::vector<Point> layoutPoints(QRectF *plot = nullptr) const;
    // The axes with the lowest, highest and zero totals, and the round numbers under them.
    void drawAxes(QPainter &painter, const std::vector<Point> &points, const QRectF &plot) const;
    // Each player's line, its points, and the names at the lines' ends.
    void drawLines(QPainter &painter, const std::vector<Point> &points) const;

    QPointer<const ScoreSheetModel> model;
};
