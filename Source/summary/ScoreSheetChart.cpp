#include "ScoreSheetChart.h"

#include "IsolatedName.h"
#include "ScoreSheetModel.h"
#include "SummaryStyle.h"

#include <QHelpEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// The round summary's wide serif, smaller.
constexpr int fontPointSize = 11;

constexpr int margin = 12;
constexpr qreal pointRadius = 4;
constexpr qreal lineWidth = 3;
constexpr qreal hitDistance = 10;  // how near the pointer must be for a point's tool tip

// The human's line in the summary's marker red, the others in the table's grey and teals.
const std::array<QColor, 4> lineColours = {summarystyle::markerRed, summarystyle::chartGrey,
                                           QColor(0, 155, 174), QColor(0, 95, 110)};
const std::array<Qt::PenStyle, 4> lineStyles = {Qt::SolidLine, Qt::SolidLine, Qt::DashLine,
                                                Qt::DotLine};

}  // namespace

ScoreSheetChart::ScoreSheetChart(QWidget *parent) : QWidget(parent)
{
    setAccessibleName(tr("Running totals"));
    setFont(summarystyle::serif(font(), fontPointSize));
}

void ScoreSheetChart::setModel(const ScoreSheetModel *sheet)
{
    model = sheet;
    connect(model, &ScoreSheetModel::modelReset, this, &ScoreSheetChart::modelChanged);
    connect(model, &ScoreSheetModel::rowsInserted, this, &ScoreSheetChart::modelChanged);
    modelChanged();
}

QSize ScoreSheetChart::minimumSizeHint() const
{
    return QSize(320, 180);
}

void ScoreSheetChart::modelChanged()
{
    QStringList totals;
    if (model && !model->rounds().empty()) {
        const RoundRecord &last = model->rounds().back();
        for (int seat = 0; seat < int(model->names().size()); ++seat)
            totals
                << tr("%1: %2").arg(model->names()[seat]).arg(last.seats[std::size_t(seat)].total);
    }
    setAccessibleDescription(totals.isEmpty() ? QString()
                                              : tr("Totals after round %1: %2.")
                                                    .arg(model->rounds().back().round)
                                                    .arg(totals.join(QStringLiteral(", "))));
    update();
}

std::vector<ScoreSheetChart::Point> ScoreSheetChart::layoutPoints(QRectF *plot_out) const
{
    std::vector<Point> points;
    if (!model || model->rounds().empty())
        return points;
    const std::vector<RoundRecord> &rounds = model->rounds();
    const int seats = int(model->names().size());

    int low = 0;
    int high = 0;
    for (const RoundRecord &record : rounds)
        for (const SeatResult &result : record.seats) {
            low = std::min(low, result.total);
            high = std::max(high, result.total);
        }
    if (high == low)
        high = low + 1;

    // Room on the right for the names at the lines' ends, at the bottom for the rounds.
    const QFontMetrics metrics(font());
    int name_width = 0;
    for (const QString &name : model->names())
        name_width = std::max(name_width, metrics.horizontalAdvance(isolatedName(name)));
    const int number_width = metrics.horizontalAdvance(QString::number(std::min(low, -high)));
    const QRectF plot(margin + number_width + margin, margin + metrics.height() / 2.0,
                      width() - 3 * margin - number_width - name_width - nameGap(),
                      height() - 2 * margin - 1.5 * metrics.height());
    if (plot_out)
        *plot_out = plot;

    const int steps = int(rounds.size());
    const auto place = [&](int step, int total, qreal shift) {
        return QPointF(plot.left() + plot.width() * step / steps,
                       plot.bottom() - plot.height() * (total - low) / (high - low) + shift);
    };
    for (int seat = 0; seat < seats; ++seat) {
        // Each line a line's width apart from the next, so that players level for several
        // rounds show side by side rather than one over the other.
        const qreal shift = (seat - (seats - 1) / 2.0) * lineWidth;
        points.push_back({place(0, 0, shift), seat, -1});
        for (int row = 0; row < steps; ++row)
            points.push_back(
                {place(row + 1, rounds[std::size_t(row)].seats[std::size_t(seat)].total, shift),
                 seat, row});
    }
    return points;
}

void ScoreSheetChart::paintEvent(QPaintEvent *)
{
    QRectF plot;
    const std::vector<Point> points = layoutPoints(&plot);
    if (points.empty())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    drawAxes(painter, points, plot);
    drawLines(painter, points);
}

void ScoreSheetChart::drawAxes(QPainter &painter, const std::vector<Point> &points,
                               const QRectF &plot) const
{
    const QFontMetrics metrics(font());
    const std::vector<RoundRecord> &rounds = model->rounds();
    const int steps = int(rounds.size());

    // The axes as the coach's chart draws its own: grey, two wide.
    painter.setPen(QPen(summarystyle::chartGrey, 2));
    int low = 0;
    int high = 0;
    for (const Point &point : points) {
        if (point.row < 0)
            continue;
        const int total = rounds[std::size_t(point.row)].seats[std::size_t(point.seat)].total;
        low = std::min(low, total);
        high = std::max(high, total);
    }
    const qreal zero_y = plot.bottom() - plot.height() * (0 - low) / std::max(1, high - low);
    painter.drawLine(QPointF(plot.left(), zero_y), QPointF(plot.right(), zero_y));
    painter.drawLine(plot.topLeft(), plot.bottomLeft());
    for (const int value : {low, high}) {
        if (value == 0)
            continue;
        const qreal y = plot.bottom() - plot.height() * (value - low) / std::max(1, high - low);
        painter.drawText(
            QRectF(0, y - metrics.height(), plot.left() - margin, 2 * metrics.height()),
            Qt::AlignRight | Qt::AlignVCenter, QString::number(value));
    }
    painter.drawText(
        QRectF(0, zero_y - metrics.height(), plot.left() - margin, 2 * metrics.height()),
        Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("0"));
    // Round numbers under the axis, as many as fit.
    const int label_every =
        std::max(1, int(std::ceil(steps * metrics.horizontalAdvance(QStringLiteral("000"))
                                  / std::max<qreal>(1, plot.width()))));
    for (int step = label_every; step <= steps; step += label_every) {
        const qreal x = plot.left() + plot.width() * step / steps;
        painter.drawText(QRectF(x - 40, plot.bottom() + 2, 80, metrics.height()),
                         Qt::AlignHCenter | Qt::AlignTop,
                         QString::number(rounds[std::size_t(step - 1)].round));
    }
}

void ScoreSheetChart::drawLines(QPainter &painter, const std::vector<Point> &points) const
{
    const QFontMetrics metrics(font());
    const std::vector<RoundRecord> &rounds = model->rounds();
    const int steps = int(rounds.size());

    // The names at the lines' ends, pushed apart where lines end close together.
    const int seats = int(model->names().size());
    const int per_seat = steps + 1;
    std::vector<std::pair<qreal, int>> name_y;  // (baseline, seat)
    for (int seat = 0; seat < seats; ++seat)
        name_y.emplace_back(
            points[std::size_t(seat * per_seat + steps)].at.y() + metrics.ascent() / 2.0 - 1, seat);
    std::sort(name_y.begin(), name_y.end());
    for (std::size_t k = 1; k < name_y.size(); ++k)
        name_y[k].first = std::max(name_y[k].first, name_y[k - 1].first + metrics.height());
    // Pushed down past the widget's foot, the names all move up together.
    if (!name_y.empty()) {
        const qreal overflow = name_y.back().first + metrics.descent() - height();
        for (auto &entry : name_y)
            entry.first -= std::max<qreal>(0, overflow);
    }
    std::vector<qreal> baseline(std::size_t(seats), 0);
    for (const auto &[y, seat] : name_y)
        baseline[std::size_t(seat)] = y;

    for (int seat = 0; seat < seats; ++seat) {
        const std::size_t style = std::size_t(seat) % lineColours.size();
        QPainterPath path(points[std::size_t(seat * per_seat)].at);
        for (int k = 1; k < per_seat; ++k)
            path.lineTo(points[std::size_t(seat * per_seat + k)].at);
        painter.setPen(QPen(lineColours[style], lineWidth, lineStyles[style], Qt::RoundCap));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(path);
        painter.setBrush(lineColours[style]);
        painter.setPen(Qt::NoPen);
        for (int k = 1; k < per_seat; ++k)
            painter.drawEllipse(points[std::size_t(seat * per_seat + k)].at, pointRadius,
                                pointRadius);
        const QPointF end = points[std::size_t(seat * per_seat + steps)].at;
        painter.setPen(lineColours[style]);
        painter.drawText(QPointF(end.x() + nameGap(), baseline[std::size_t(seat)]),
                         isolatedName(model->names()[seat]));
    }
}

int ScoreSheetChart::nameGap() const
{
    // Clear of the last round's number, centred under the lines' ends.
    if (!model || model->rounds().empty())
        return margin;
    const QString last = QString::number(model->rounds().back().round);
    return margin + QFontMetrics(font()).horizontalAdvance(last) / 2;
}

bool ScoreSheetChart::event(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto *help = static_cast<QHelpEvent *>(event);
    const Point *nearest = nullptr;
    qreal best = hitDistance;
    const std::vector<Point> points = layoutPoints();
    for (const Point &point : points) {
        const qreal distance = QLineF(point.at, help->pos()).length();
        if (point.row >= 0 && distance <= best) {
            best = distance;
            nearest = &point;
        }
    }
    if (!nearest) {
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    const RoundRecord &record = model->rounds()[std::size_t(nearest->row)];
    const SeatResult &result = record.seats[std::size_t(nearest->seat)];
    QToolTip::showText(help->globalPos(),
                       tr("%1, round %2: %3 points, total %4")
                           .arg(model->names()[nearest->seat])
                           .arg(record.round)
                           .arg(result.gained)
                           .arg(result.total),
                       this);
    return true;
}
