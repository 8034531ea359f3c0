// contactsheet <out.png> [--width <px> | --real] [--columns <n>] [--ids A,B,...] [--hand]
// [--emblem]
//
// Renders the elements of the compiled-in deck on the table's teal. --width is the card
// width in pixels; --real is the size on a 1080p screen (106 × 149), the default twice that.
// --hand lays the cards out as a hand is shown in play: overlapping 75/224 of a card
// apart and tilted 15°, so the part of each card a player actually sees can be judged.
#include "Card.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRadialGradient>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

QStringList allIds()
{
    QStringList ids;
    for (const std::string &id : faceElementIds())
        ids << QString::fromStdString(id);
    ids << QStringLiteral("BACK_RED1") << QStringLiteral("BACK_BLUE1");
    return ids;
}

void paintTable(QPainter &p, const QSize &size)
{
    QRadialGradient g(QPointF(size.width() / 2.0, size.height() / 2.0),
                      std::max(size.width(), size.height()) * 0.75);
    g.setColorAt(0, QColor(0, 155, 174));
    g.setColorAt(1, Qt::white);
    p.fillRect(QRect(QPoint(0, 0), size), g);
}

// The emblem the game paints over a hidden card, so the back is judged as it is seen.
void paintEmblem(QPainter &p, const QRectF &r)
{
    const double w = r.width(), h = r.height();
    p.save();
    p.translate(r.topLeft());
    p.setPen(Qt::NoPen);
    p.setBrush(QBrush(QColor(212, 0, 0), Qt::DiagCrossPattern));
    const QPolygon poly(
        {QPoint(int(w * 0.5), int(h * 10 / 100)), QPoint(int(w * 0.5), int(h * 90 / 100)),
         QPoint(int(w * 10 / 100), int(h * 0.5)), QPoint(int(w * 90 / 100), int(h * 0.5))});
    p.drawPolygon(poly, Qt::OddEvenFill);
    const int r1 = int(std::min(w, h) * 25 / 100);
    p.drawEllipse(QRectF(w / 2 - r1, h / 2 - r1, 2 * r1, 2 * r1));
    const int r2 = int(std::min(w / 4, h / 4) * 25 / 100);
    p.drawEllipse(QRectF(w / 4 - r2, h / 4 - r2, 2 * r2, 2 * r2));
    p.drawEllipse(QRectF(3 * w / 4 - r2, 3 * h / 4 - r2, 2 * r2, 2 * r2));
    p.restore();
}

}  // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("out"), QStringLiteral("PNG file to write"));
    parser.addOption({QStringLiteral("width"), QStringLiteral("card width in pixels"),
                      QStringLiteral("px"), QStringLiteral("212")});
    parser.addOption({QStringLiteral("real"),
                      QStringLiteral("cards at their size on a 1080p screen (106 pixels wide)")});
    parser.addOption({QStringLiteral("columns"), QStringLiteral("cards per row"),
                      QStringLiteral("n"), QStringLiteral("13")});
    parser.addOption({QStringLiteral("ids"), QStringLiteral("comma-separated element ids"),
                      QStringLiteral("ids")});
    parser.addOption(
        {QStringLiteral("hand"), QStringLiteral("overlap and tilt the cards as in play")});
    parser.addOption(
        {QStringLiteral("emblem"), QStringLiteral("paint the hidden-card emblem over BACK_RED1")});
    parser.addHelpOption();
    parser.process(app);
    if (parser.positionalArguments().size() != 1)
        parser.showHelp(2);

    QSvgRenderer renderer(QStringLiteral(":/svg/cards/svgcards"));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "contactsheet: the compiled-in deck does not load\n");
        return 1;
    }
    const QStringList ids =
        parser.isSet(QStringLiteral("ids"))
            ? parser.value(QStringLiteral("ids")).split(QLatin1Char(','), Qt::SkipEmptyParts)
            : allIds();
    for (const QString &id : ids) {
        if (!renderer.elementExists(id)) {
            std::fprintf(stderr, "contactsheet: no element %s\n", qPrintable(id));
            return 1;
        }
    }
    bool widthOk = false, columnsOk = false;
    const double cardW = parser.isSet(QStringLiteral("real"))
                             ? (widthOk = true, 106.0)
                             : parser.value(QStringLiteral("width")).toDouble(&widthOk);
    const int columns = std::min<int>(parser.value(QStringLiteral("columns")).toInt(&columnsOk),
                                      std::max<int>(1, int(ids.size())));
    if (!widthOk || !columnsOk || cardW < 8 || columns < 1) {
        std::fprintf(stderr, "contactsheet: bad --width or --columns\n");
        return 2;
    }
    const double scale = cardW / 224.0;
    const double cardH = 313.0 * scale;
    const bool hand = parser.isSet(QStringLiteral("hand"));
    const bool emblem = parser.isSet(QStringLiteral("emblem"));
    const double stepX = hand ? 75.0 * scale : cardW + 0.1 * cardW;
    const double stepY = hand ? cardH * 1.35 : cardH + 0.1 * cardW;
    const int rows = int((ids.size() + columns - 1) / columns);
    const double margin = 0.15 * cardW;
    const QSize size(
        int(std::ceil(2 * margin + (columns - 1) * stepX + cardW + (hand ? cardH * 0.3 : 0))),
        int(std::ceil(2 * margin + (rows - 1) * stepY + cardH + (hand ? cardH * 0.3 : 0))));

    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    paintTable(p, size);
    for (qsizetype i = 0; i < ids.size(); ++i) {
        const QRectF bounds = renderer.boundsOnElement(ids[i]);
        const QRectF target(0, 0, bounds.width() * scale, bounds.height() * scale);
        p.save();
        p.translate(margin + (i % columns) * stepX,
                    margin + (i / columns) * stepY + (hand ? cardH * 0.15 : 0));
        if (hand)
            p.rotate(15);
        renderer.render(&p, ids[i], target);
        if (emblem && ids[i] == QLatin1String("BACK_RED1"))
            paintEmblem(p, target);
        p.restore();
    }
    p.end();
    if (!image.save(parser.positionalArguments().constFirst())) {
        std::fprintf(stderr, "contactsheet: cannot write %s\n",
                     qPrintable(parser.positionalArguments().constFirst()));
        return 1;
    }
    return 0;
}
