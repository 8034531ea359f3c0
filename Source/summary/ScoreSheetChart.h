#pragma once

#include <QPointF>
#include <QPointer>
#include <QWidget>

#include <vector>

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
    // Where every point goes at the widget's present size, the plot's corners too.
    std::vector<Point> layoutPoints(QRectF *plot = nullptr) const;

    QPointer<const ScoreSheetModel> model;
};
