#include "CardGraphicsItem.h"
#include "CardPixmapCache.h"

#include <QGraphicsScene>
#include <QGraphicsSceneMouseEvent>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QSvgRenderer>
#include <QTest>

#include <cmath>

namespace {

// Gives the tests the pointer events a scene would deliver.
class ProbeItem : public CardGraphicsItem
{
public:
    using CardGraphicsItem::hoverEnterEvent;
    using CardGraphicsItem::hoverLeaveEvent;

    bool press(Qt::MouseButton button)
    {
        QGraphicsSceneMouseEvent event(QEvent::GraphicsSceneMousePress);
        event.setButton(button);
        event.setAccepted(false);
        mousePressEvent(&event);
        return event.isAccepted();
    }
};

// Records the item's signals in the order they come.
void recordSignals(CardGraphicsItem &item, QStringList &log)
{
    QObject::connect(&item, &CardGraphicsItem::hoverEntered,
                     [&log](int id) { log << QStringLiteral("entered %1").arg(id); });
    QObject::connect(&item, &CardGraphicsItem::hoverLeft,
                     [&log](int id) { log << QStringLiteral("left %1").arg(id); });
    QObject::connect(&item, &CardGraphicsItem::clicked,
                     [&log](int id) { log << QStringLiteral("clicked %1").arg(id); });
}

// The scene drawn into an image the way a view at `scale` would draw it.
QImage renderScene(QGraphicsScene &scene, const QRectF &source, double scale)
{
    QImage image((source.size() * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    scene.render(&painter, QRectF(image.rect()), source);
    return image;
}

// Mean absolute difference per channel, 0..255.
double meanDifference(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return 255;
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q))
                   + std::abs(qBlue(p) - qBlue(q));
        }
    }
    return sum / (3.0 * a.width() * a.height());
}

}  // namespace

class TestCardItem : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        CardGraphicsItem::setPaintMode(CardGraphicsItem::PaintMode::Cached);
        CardPixmapCache::instance().clear();
    }

    void elementIds_data();
    void elementIds();
    void everyCardHasItsFace();
    void faceDownAcrossSetCard();
    void hoverRaisesOnce();
    void hoverRisesAlongTheTilt();
    void clickSequences_data();
    void clickSequences();
    void resetDisplayUndoesEverything();
    void emblemGeometry_data();
    void emblemGeometry();
    void emblemOnlyWhileFaceDown();
    void hintMarkIsAnOutlineNotARaise();
    void cachedDrawingMatchesSvg_data();
    void cachedDrawingMatchesSvg();
    void steadyFramesRenderNothing();
    void oldScalesAreDropped();
};

void TestCardItem::elementIds_data()
{
    // A table reads best one row a line.
    // clang-format off
    QTest::addColumn<int>("suit");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("element");
    QTest::newRow("ace of spades") << 1 << 1 << "AS";
    QTest::newRow("ten of hearts") << 2 << 10 << "10H";
    QTest::newRow("queen of clubs") << 4 << 12 << "QC";
    QTest::newRow("two of diamonds") << 3 << 2 << "2D";
    QTest::newRow("nine of clubs") << 4 << 9 << "9C";
    QTest::newRow("jack of diamonds") << 3 << 11 << "JD";
    QTest::newRow("king of spades") << 1 << 13 << "KS";
    QTest::newRow("no card") << 0 << 0 << "BACK_BLUE1";
    QTest::newRow("suit 0") << 0 << 5 << "BACK_BLUE1";
    QTest::newRow("suit 5") << 5 << 5 << "BACK_BLUE1";
    QTest::newRow("value 0") << 2 << 0 << "BACK_BLUE1";
    QTest::newRow("value 14") << 2 << 14 << "BACK_BLUE1";
    QTest::newRow("negative") << -1 << -1 << "BACK_BLUE1";
    // clang-format on
}

void TestCardItem::elementIds()
{
    QFETCH(int, suit);
    QFETCH(int, value);
    QFETCH(QString, element);
    Card card;
    card.suit = suit;
    card.value = value;
    CardGraphicsItem item;
    item.setCard(card);
    QCOMPARE(item.faceElementId(), element);
    QCOMPARE(item.elementId(), element);
    QVERIFY(!item.boundingRect().isEmpty());
}

void TestCardItem::everyCardHasItsFace()
{
    QSet<QString> seen;
    for (const Card &card : makeDeck()) {
        const QString expected = QString::fromStdString(faceElementId(card));
        CardGraphicsItem item;
        item.setCard(card);
        QCOMPARE(item.elementId(), expected);
        QVERIFY2(card_renderer()->elementExists(expected), qPrintable(expected));
        const QSizeF size = item.boundingRect().size();
        QVERIFY2(std::abs(size.width() - 224) < 2 && std::abs(size.height() - 313) < 2,
                 qPrintable(expected));
        seen.insert(expected);
    }
    QCOMPARE(seen.size(), 52);
}

void TestCardItem::faceDownAcrossSetCard()
{
    CardGraphicsItem item;
    item.setFaceDown(false);
    QCOMPARE(item.elementId(), QStringLiteral("BACK_RED1"));  // nothing set yet

    item.setCard(makeCard(Hearts, Seven));
    QCOMPARE(item.elementId(), QStringLiteral("7H"));
    item.setFaceDown(true);
    QCOMPARE(item.elementId(), QStringLiteral("BACK_RED1"));
    item.setCard(makeCard(Clubs, King));
    QCOMPARE(item.elementId(), QStringLiteral("BACK_RED1"));
    QVERIFY(item.isFaceDown());
    QCOMPARE(item.card(), makeCard(Clubs, King));
    item.setFaceDown(false);
    QCOMPARE(item.elementId(), QStringLiteral("KC"));
}

void TestCardItem::hoverRaisesOnce()
{
    ProbeItem item;
    item.setId(7);
    QStringList log;
    recordSignals(item, log);

    item.hoverLeaveEvent(nullptr);  // never entered: nothing
    QVERIFY(log.isEmpty());
    QCOMPARE(item.transform(), QTransform());

    item.hoverEnterEvent(nullptr);
    item.hoverEnterEvent(nullptr);
    QCOMPARE(log, QStringList{"entered 7"});
    QVERIFY(item.isHovered());
    QCOMPARE(item.transform(), QTransform::fromTranslate(0, -55));

    item.hoverLeaveEvent(nullptr);
    item.hoverLeaveEvent(nullptr);
    QCOMPARE(log, (QStringList{"entered 7", "left 7"}));
    QCOMPARE(item.transform(), QTransform());
}

void TestCardItem::hoverRisesAlongTheTilt()
{
    ProbeItem item;
    item.setCard(makeCard(Spades, Ace));
    item.setPos(100, 200);
    item.setRotation(15);
    const QPointF before = item.mapToScene(0, 0);
    item.hoverEnterEvent(nullptr);
    const QPointF moved = item.mapToScene(0, 0) - before;
    const double radians = 15 * M_PI / 180;
    QVERIFY(std::abs(moved.x() - 55 * std::sin(radians)) < 1e-9);
    QVERIFY(std::abs(moved.y() + 55 * std::cos(radians)) < 1e-9);
    QCOMPARE(item.pos(), QPointF(100, 200));  // the lift lives in the transform only

    // Lowered after the tilt changed (as a layout does), it returns exactly.
    item.setRotation(0);
    item.resetDisplay();
    QCOMPARE(item.mapToScene(0, 0), QPointF(100, 200));
}

void TestCardItem::clickSequences_data()
{
    // A table reads best one row a line.
    // clang-format off
    QTest::addColumn<bool>("raised");
    QTest::addColumn<int>("button");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("left on raised") << true << int(Qt::LeftButton)
                                    << QStringList{"entered 3", "left 3", "clicked 3"} << true;
    QTest::newRow("left on lowered") << false << int(Qt::LeftButton)
                                     << QStringList{"clicked 3"} << true;
    QTest::newRow("right on raised") << true << int(Qt::RightButton)
                                     << QStringList{"entered 3"} << false;
    QTest::newRow("right on lowered") << false << int(Qt::RightButton) << QStringList{} << false;
    QTest::newRow("middle") << false << int(Qt::MiddleButton) << QStringList{} << false;
    // clang-format on
}

void TestCardItem::clickSequences()
{
    QFETCH(bool, raised);
    QFETCH(int, button);
    QFETCH(QStringList, expected);
    QFETCH(bool, accepted);
    ProbeItem item;
    item.setId(3);
    QStringList log;
    recordSignals(item, log);
    if (raised)
        item.hoverEnterEvent(nullptr);

    QCOMPARE(item.press(Qt::MouseButton(button)), accepted);
    QCOMPARE(log, expected);
    // A left click always ends lowered; other buttons leave the card as it was.
    const bool still_raised = raised && button != Qt::LeftButton;
    QCOMPARE(item.isHovered(), still_raised);
    QCOMPARE(item.transform(), still_raised ? QTransform::fromTranslate(0, -55) : QTransform());
}

void TestCardItem::resetDisplayUndoesEverything()
{
    ProbeItem item;
    QStringList log;
    recordSignals(item, log);
    item.setCard(makeCard(Diamonds, Queen));
    item.hoverEnterEvent(nullptr);
    item.setRotation(500);
    item.setScale(0);
    item.setOpacity(0);
    item.setTransformOriginPoint(112, 156);
    item.hide();

    item.resetDisplay();
    QCOMPARE(item.rotation(), 0.0);
    QCOMPARE(item.scale(), 1.0);
    QCOMPARE(item.opacity(), 1.0);
    QCOMPARE(item.transformOriginPoint(), QPointF(0, 0));
    QVERIFY(item.isVisible());
    QVERIFY(!item.isHovered());
    QCOMPARE(item.transform(), QTransform());
    QCOMPARE(log, QStringList{"entered -1"});  // lowered quietly

    // Raising works again afterwards, from the lowered place.
    item.hoverEnterEvent(nullptr);
    QCOMPARE(item.transform(), QTransform::fromTranslate(0, -55));
}

void TestCardItem::emblemGeometry_data()
{
    // A table reads best one row a line.
    // clang-format off
    QTest::addColumn<QSizeF>("size");
    QTest::addColumn<QPolygon>("diamond");
    QTest::addColumn<int>("r1");
    QTest::addColumn<int>("r2");
    QTest::newRow("223 x 312") << QSizeF(223, 312)
                               << QPolygon({{111, 31}, {111, 280}, {22, 156}, {200, 156}}) << 55
                               << 13;
    QTest::newRow("224 x 313") << QSizeF(224, 313)
                               << QPolygon({{112, 31}, {112, 281}, {22, 156}, {201, 156}}) << 56
                               << 14;
    QTest::newRow("wide") << QSizeF(400, 100)
                          << QPolygon({{200, 10}, {200, 90}, {40, 50}, {360, 50}}) << 25 << 6;
    // clang-format on
}

void TestCardItem::emblemGeometry()
{
    QFETCH(QSizeF, size);
    QFETCH(QPolygon, diamond);
    QFETCH(int, r1);
    QFETCH(int, r2);
    const CardEmblem emblem = cardEmblem(size);
    QCOMPARE(emblem.diamond, diamond);
    const double w = size.width();
    const double h = size.height();
    QCOMPARE(emblem.centre, QRectF(w / 2 - r1, h / 2 - r1, 2 * r1, 2 * r1));
    QCOMPARE(emblem.top_left, QRectF(w / 4 - r2, h / 4 - r2, 2 * r2, 2 * r2));
    QCOMPARE(emblem.bottom_right, QRectF(3 * w / 4 - r2, 3 * h / 4 - r2, 2 * r2, 2 * r2));
}

void TestCardItem::emblemOnlyWhileFaceDown()
{
    for (const auto mode :
         {CardGraphicsItem::PaintMode::Cached, CardGraphicsItem::PaintMode::DirectSvg}) {
        CardGraphicsItem::setPaintMode(mode);
        QGraphicsScene scene;
        CardGraphicsItem item;
        scene.addItem(&item);
        item.setFaceDown(false);  // the plain red back, no emblem
        const QRectF source = item.boundingRect();
        const QImage plain = renderScene(scene, source, 1.0);
        item.setCard(makeCard(Spades, Two));
        item.setFaceDown(true);
        const QImage marked = renderScene(scene, source, 1.0);
        const CardEmblem emblem = cardEmblem(source.size());

        // Inside the big circle the emblem shows; a corner is the back untouched.
        QImage centre_plain = plain.copy(emblem.centre.toRect().adjusted(10, 10, -10, -10));
        QImage centre_marked = marked.copy(emblem.centre.toRect().adjusted(10, 10, -10, -10));
        QVERIFY(meanDifference(centre_plain, centre_marked) > 5);
        QVERIFY(meanDifference(plain.copy(4, 4, 16, 16), marked.copy(4, 4, 16, 16)) < 0.5);

        item.setFaceDown(false);
        item.setCard(Card());
        item.setFaceDown(false);
        QCOMPARE(item.elementId(), QStringLiteral("BACK_BLUE1"));
    }
}

// The coach's mark is drawn along the card's edge, inside its bounds, in both paint
// modes; the card itself stays where it is and hover still lifts it.
void TestCardItem::hintMarkIsAnOutlineNotARaise()
{
    for (const auto mode :
         {CardGraphicsItem::PaintMode::Cached, CardGraphicsItem::PaintMode::DirectSvg}) {
        CardGraphicsItem::setPaintMode(mode);
        QGraphicsScene scene;
        CardGraphicsItem item;
        scene.addItem(&item);
        item.setCard(makeCard(Hearts, Seven));
        const QRectF source = item.boundingRect();
        const QImage plain = renderScene(scene, source, 1.0);
        const QTransform transform = item.sceneTransform();
        item.setHinted(true);
        QVERIFY(item.isHinted());
        const QImage marked = renderScene(scene, source, 1.0);
        QCOMPARE(item.sceneTransform(), transform);
        QCOMPARE(item.boundingRect(), source);
        const int edge = 6;
        const int mid_y = int(source.height() / 2);
        QVERIFY(meanDifference(plain.copy(0, mid_y, edge, 40), marked.copy(0, mid_y, edge, 40))
                > 20);
        const QRect inner = source.toRect().adjusted(40, 40, -40, -40);
        QVERIFY(meanDifference(plain.copy(inner), marked.copy(inner)) < 0.5);

        item.setHinted(false);
        QVERIFY(meanDifference(plain, renderScene(scene, source, 1.0)) < 0.5);
    }
}

void TestCardItem::cachedDrawingMatchesSvg_data()
{
    // A table reads best one row a line.
    // clang-format off
    QTest::addColumn<double>("rotation");
    QTest::addColumn<double>("item_scale");
    QTest::addColumn<double>("view_scale");
    QTest::addColumn<QPointF>("position");
    QTest::addColumn<bool>("face_down");
    QTest::addColumn<double>("tolerance");
    // At rest on whole device pixels the picture is the SVG drawn for the exact transform.
    QTest::newRow("upright") << 0.0 << 1.0 << 0.5 << QPointF(100, 50) << false << 0.3;
    QTest::newRow("tilted in hand") << 15.0 << 1.0 << 0.5 << QPointF(100, 50) << false << 0.3;
    QTest::newRow("4K") << 15.0 << 1.0 << 1.0 << QPointF(100, 50) << false << 0.3;
    // Elsewhere it is snapped to the nearest pixel: the same picture, shifted by < 1/2 pixel.
    QTest::newRow("tilted, between pixels")
        << 15.0 << 1.0 << 0.54 << QPointF(100.3, 50.7) << false << 6.0;
    // The hatching of the emblem is laid on device pixels, in another phase: compared
    // with the detail smoothed out.
    QTest::newRow("tilted back") << 15.0 << 1.0 << 0.5 << QPointF(100, 50) << true << 5.0;
    // In flight it is an image transformed: close, a little softer.
    QTest::newRow("spinning") << 123.0 << 1.0 << 0.54 << QPointF(100.3, 50.7) << false << 4.0;
    QTest::newRow("shrinking") << 260.0 << 0.6 << 0.54 << QPointF(100.3, 50.7) << false << 4.0;
    // clang-format on
}

void TestCardItem::cachedDrawingMatchesSvg()
{
    QFETCH(double, rotation);
    QFETCH(double, item_scale);
    QFETCH(double, view_scale);
    QFETCH(QPointF, position);
    QFETCH(bool, face_down);
    QFETCH(double, tolerance);
    QGraphicsScene scene;
    CardGraphicsItem item;
    scene.addItem(&item);
    item.setCard(makeCard(Hearts, Queen));
    item.setFaceDown(face_down);
    item.setPos(position);
    item.setRotation(rotation);
    item.setScale(item_scale);
    const QRectF source(-200, -200, 800, 800);

    CardGraphicsItem::setPaintMode(CardGraphicsItem::PaintMode::DirectSvg);
    QImage direct = renderScene(scene, source, view_scale);
    CardGraphicsItem::setPaintMode(CardGraphicsItem::PaintMode::Cached);
    QImage cached = renderScene(scene, source, view_scale);
    QGraphicsScene empty;
    QImage blank = renderScene(empty, source, view_scale);
    if (face_down) {
        const QSize smaller = direct.size() / 4;
        direct = direct.scaled(smaller, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        cached = cached.scaled(smaller, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        blank = blank.scaled(smaller, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    if (qEnvironmentVariableIsSet("TABLE_DUMP")) {
        direct.save(QStringLiteral("/tmp/direct-%1.png").arg(QTest::currentDataTag()));
        cached.save(QStringLiteral("/tmp/cached-%1.png").arg(QTest::currentDataTag()));
    }

    // Measured over the card's area only: the rest of the image is blank in both.
    const QRectF card = item.sceneBoundingRect();
    const double share = card.width() * card.height() / (source.width() * source.height());
    QVERIFY(meanDifference(direct, blank) > 1);  // the card is really there
    const double difference = meanDifference(direct, cached) / share;
    QVERIFY2(difference < tolerance, qPrintable(QStringLiteral("difference %1").arg(difference)));
}

void TestCardItem::steadyFramesRenderNothing()
{
    QGraphicsScene scene;
    CardGraphicsItem item;
    // Qt's own device cache would redraw a tilted card every frame.
    QCOMPARE(item.cacheMode(), QGraphicsItem::NoCache);
    scene.addItem(&item);
    item.setCard(makeCard(Clubs, Ace));
    item.setRotation(15);
    const QRectF source(-100, -100, 500, 500);
    CardPixmapCache &cache = CardPixmapCache::instance();

    const int before = cache.renderCount();
    renderScene(scene, source, 0.54);
    const int first = cache.renderCount();
    QCOMPARE(first, before + 1);
    renderScene(scene, source, 0.54);
    item.setPos(33.3, 12.1);
    renderScene(scene, source, 0.54);
    QCOMPARE(cache.renderCount(), first);

    // A spin and a shrink use one upright picture of the resting size, made once.
    item.setRotation(40);
    renderScene(scene, source, 0.54);
    const int upright = cache.renderCount();
    QCOMPARE(upright, first + 1);
    for (int frame = 1; frame <= 10; ++frame) {
        item.setRotation(40 + 17 * frame);
        item.setScale(1.0 - frame / 11.0);
        renderScene(scene, source, 0.54);
    }
    QCOMPARE(cache.renderCount(), upright);
}

void TestCardItem::oldScalesAreDropped()
{
    QGraphicsScene scene;
    CardGraphicsItem item;
    scene.addItem(&item);
    item.setCard(makeCard(Diamonds, Five));
    const QRectF source(0, 0, 300, 400);
    CardPixmapCache &cache = CardPixmapCache::instance();
    renderScene(scene, source, 0.5);
    renderScene(scene, source, 0.75);
    QCOMPARE(cache.entryCount(), 2);
    renderScene(scene, source, 1.0);
    QCOMPARE(cache.entryCount(), 2);  // the oldest size went
    const int renders = cache.renderCount();
    renderScene(scene, source, 0.75);  // still kept
    QCOMPARE(cache.renderCount(), renders);
    renderScene(scene, source, 0.5);  // gone, made again
    QCOMPARE(cache.renderCount(), renders + 1);
}

QTEST_MAIN(TestCardItem)
#include "tst_carditem.moc"
