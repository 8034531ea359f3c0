// Cards at high pixel density: the picture of a resting card is made at the card's size in
// device pixels at 1, 1.25, 1.5 and 2 device pixels per pixel, both on a window's screen
// and in an image target, and a window moved to a screen of another density draws new
// pictures at the new size.
#include "CardPixmapCache.h"
#include "GameScene.h"
#include "GameState.h"
#include "Settings.h"

#include <QApplication>
#include <QGraphicsView>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QTemporaryFile>
#include <QTest>
#include <QWindow>

#include <cmath>
#include <cstdlib>
#include <memory>

namespace {

const double ratios[] = {1.0, 1.25, 1.5, 2.0};
constexpr double viewScale = 0.3 * 1080 / 600;  // the main window's fit at 1080 pixels

// The offscreen platform given one screen per ratio, side by side.
QByteArray screensConfig()
{
    QByteArray json = R"({"screens": [)";
    int x = 0;
    for (const double ratio : ratios) {
        if (x > 0)
            json += ',';
        json +=
            QStringLiteral(
                R"({"name": "dpr%1", "x": %2, "y": 0, "width": 1920, "height": 1080, "dpr": %1})")
                .arg(ratio)
                .arg(x)
                .toUtf8();
        x += 1920;
    }
    return json + "]}";
}

}  // namespace

class TestHiDpi : public QObject
{
    Q_OBJECT

public:
    TestHiDpi()
    {
        std::srand(11);
        hide_opponent_cards = false;
        state.startNewGame();
        scene = std::make_unique<GameScene>(state);
        scene->layoutTable(state);
        view.setScene(scene.get());
        view.setFrameShape(QFrame::NoFrame);
        view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        view.resize(1200, 900);
        view.setTransform(QTransform::fromScale(viewScale, viewScale));
    }

private:
    // Size in device pixels of a resting card (the bottom row's first, tilted), and the
    // size of the picture kept for it at that density.
    QSize deviceSize(double ratio) const
    {
        CardGraphicsItem *item = scene->cardItem(26);
        const QRectF device = (view.transform() * QTransform::fromScale(ratio, ratio))
                                  .mapRect(item->sceneBoundingRect());
        return QSize(int(std::ceil(device.width())), int(std::ceil(device.height())));
    }
    QSize pictureSize(double ratio) const
    {
        CardGraphicsItem *item = scene->cardItem(26);
        // One spare pixel on each side is part of every picture.
        return CardPixmapCache::instance()
            .imageSize(item->elementId(), viewScale * ratio, 15, 0)
            .shrunkBy(QMargins(1, 1, 1, 1));
    }
    bool sameSize(QSize a, QSize b) const
    {
        return std::abs(a.width() - b.width()) <= 1 && std::abs(a.height() - b.height()) <= 1;
    }

    GameState state;
    std::unique_ptr<GameScene> scene;
    QGraphicsView view;

private slots:
    void init() { CardPixmapCache::instance().clear(); }

    void imageTargetsGetDeviceSizedPictures()
    {
        CardPixmapCache &cache = CardPixmapCache::instance();
        for (const double ratio : ratios) {
            QImage image((QSizeF(view.size()) * ratio).toSize(),
                         QImage::Format_ARGB32_Premultiplied);
            image.setDevicePixelRatio(ratio);
            // A frame makes as many pictures as its budget allows; the next ones the rest.
            int renders = -1;
            for (int frame = 0; frame < 50 && renders != cache.renderCount(); ++frame) {
                renders = cache.renderCount();
                cache.startFrame();
                image.fill(Qt::white);
                QPainter painter(&image);
                view.render(&painter, QRectF(QPointF(), QSizeF(view.size())), view.rect());
            }
            QCOMPARE(cache.scales().first(), CardPixmapCache::quantizedScale(viewScale * ratio));
            QVERIFY2(sameSize(pictureSize(ratio), deviceSize(ratio)),
                     qPrintable(QStringLiteral("ratio %1: picture %2x%3, card %4x%5")
                                    .arg(ratio)
                                    .arg(pictureSize(ratio).width())
                                    .arg(pictureSize(ratio).height())
                                    .arg(deviceSize(ratio).width())
                                    .arg(deviceSize(ratio).height())));
        }
    }

    // A card leaves out what the next card of its hand hides; the table must look exactly
    // as with every card drawn whole: at rest, with a card lifted, with the hand dimmed
    // around a picked card.
    void handsLookTheSameAsDrawnWhole()
    {
        CardPixmapCache &cache = CardPixmapCache::instance();
        for (const double ratio : {1.0, 1.5, 2.0}) {
            QImage image((QSizeF(view.size()) * ratio).toSize(),
                         QImage::Format_ARGB32_Premultiplied);
            image.setDevicePixelRatio(ratio);
            auto frame = [&] {
                // Until no picture stands in for another of a nearby size.
                int renders = -1;
                for (int n = 0; n < 50 && renders != cache.renderCount(); ++n) {
                    renders = cache.renderCount();
                    cache.startFrame();
                    image.fill(Qt::white);
                    QPainter painter(&image);
                    view.render(&painter, QRectF(QPointF(), QSizeF(view.size())), view.rect());
                }
                return image.copy();
            };
            for (int step = 0; step < 3; ++step) {
                scene->layoutTable(state);
                if (step == 1)
                    scene->cardItem(30)->setLifted(true);
                if (step == 2)
                    scene->setHighlightedCard(31);
                const QImage shortcut = frame();
                for (int id = 0; id < 52; ++id)
                    scene->cardItem(id)->setCoveringCard(nullptr);
                QVERIFY2(frame() == shortcut,
                         qPrintable(QStringLiteral("ratio %1, step %2").arg(ratio).arg(step)));
            }
        }
        scene->layoutTable(state);
    }

    void windowMovedBetweenScreensRendersAgain()
    {
        const QList<QScreen *> screens = QGuiApplication::screens();
        QCOMPARE(screens.size(), int(std::size(ratios)));
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        CardPixmapCache &cache = CardPixmapCache::instance();
        for (int i = 0; i < screens.size(); ++i) {
            const int renders = cache.renderCount();
            // Placed on the screen as a window manager would put it there.
            view.windowHandle()->setScreen(screens[i]);
            view.move(screens[i]->geometry().topLeft() + QPoint(50, 50));
            QTRY_COMPARE(view.devicePixelRatioF(), ratios[i]);
            // Pictures of the old size may stand in for a few frames; the window asks for
            // those frames by itself.
            QTRY_VERIFY2(sameSize(pictureSize(ratios[i]), deviceSize(ratios[i])),
                         qPrintable(QStringLiteral("ratio %1").arg(ratios[i])));
            QVERIFY(i == 0 || cache.renderCount() > renders);
        }
    }
};

int main(int argc, char **argv)
{
    QTemporaryFile config;
    if (!config.open())
        return 1;
    config.write(screensConfig());
    config.flush();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toLocal8Bit());
    QApplication app(argc, argv);
    TestHiDpi test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_hidpi.moc"
